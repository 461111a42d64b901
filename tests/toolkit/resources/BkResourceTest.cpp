// The resource locator's sources and their order.
#include "toolkit/resources/BkResource.h"

#include "tests/fixtures/ChildProcess.h"
#include "tests/fixtures/ScratchDirectory.h"

#include "ToolkitTestResources.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Documents = std::vector<std::string>;

// Answers one resource id through either lookup, and counts the calls.
class FakeProvider : public IBkResourceProvider {
public:
    FakeProvider(WORD id, std::string first, std::string fallback)
        : m_id(id), m_first(std::move(first)), m_fallback(std::move(fallback)) {}

    IStream* OpenResource(LPCWSTR type, WORD id) override {
        ++firstCalls;
        return Stream(type, id, m_first);
    }
    IStream* OpenFallbackResource(LPCWSTR type, WORD id) override {
        ++fallbackCalls;
        return Stream(type, id, m_fallback);
    }

    int firstCalls = 0;
    int fallbackCalls = 0;

private:
    IStream* Stream(LPCWSTR type, WORD id, const std::string& bytes) const {
        if (id != m_id || ::lstrcmpiW(type, L"xml") != 0 || bytes.empty())
            return nullptr;
        return ::SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()),
                                   static_cast<UINT>(bytes.size()));
    }

    WORD m_id;
    std::string m_first;
    std::string m_fallback;
};

class ResourceSources : public ::testing::Test {
protected:
    void SetUp() override {
        m_module = ::LoadLibraryExW((ProgramDirectory() + L"ToolkitTestModule.dll").c_str(),
                                    nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(m_module, nullptr);
    }
    // The locator lives for the process: leave it as the product has it.
    void TearDown() override {
        BkResource::Instance().SetProvider(nullptr);
        BkResource::Instance().SetOverrideDirectory(L"");
        BkResource::Instance().SetResourceModule(nullptr);
        ::FreeLibrary(m_module);
    }

    void UseDirectory() {
        const std::wstring path = m_directory.Path();
        BkResource::Instance().SetOverrideDirectory(path.substr(0, path.size() - 1));
    }

    static std::string Data(WORD id) {
        std::string bytes = "junk";
        return LoadResourceData(id, L"xml", bytes) ? bytes : "(none: " + bytes + ")";
    }
    static Documents All(WORD id) {
        Documents all{"junk"};
        LoadResourceDataAll(id, L"xml", all);
        return all;
    }

    HMODULE m_module = nullptr;
    ScratchDirectory m_directory;
};

} // namespace

TEST_F(ResourceSources, WithoutOptionalSourcesTheProgramAnswers) {
    EXPECT_EQ(Data(IDR_IN_PROGRAM_AND_MODULE), "bytes of the program");
    EXPECT_EQ(All(IDR_IN_PROGRAM_AND_MODULE), Documents{"bytes of the program"});
}

TEST_F(ResourceSources, TypeNamesMatchWithoutRegardToCase) {
    for (const wchar_t* type : {L"xml", L"XML", L"Xml"}) {
        std::string bytes;
        EXPECT_TRUE(LoadResourceData(IDR_IN_PROGRAM_AND_MODULE, type, bytes));
        EXPECT_EQ(bytes, "bytes of the program");
    }
}

TEST_F(ResourceSources, BytesAreExactlyTheResourceFollowedByANul) {
    std::string bytes;
    ASSERT_TRUE(LoadResourceData(IDR_IN_PROGRAM_AND_MODULE, L"xml", bytes));
    EXPECT_EQ(bytes.size(), 20u);
    EXPECT_EQ(bytes.c_str()[bytes.size()], '\0');
}

TEST_F(ResourceSources, MissingOrEmptyResourceIsNotFound) {
    for (WORD id : {IDR_NOWHERE, IDR_EMPTY}) {
        std::string bytes = "junk";
        EXPECT_FALSE(LoadResourceData(id, L"xml", bytes)) << id;
        EXPECT_EQ(bytes, "") << id;
        Documents all{"junk"};
        EXPECT_FALSE(LoadResourceDataAll(id, L"xml", all)) << id;
        EXPECT_EQ(all, Documents{}) << id;
    }
    std::string bytes;
    EXPECT_FALSE(LoadResourceData(IDR_IN_PROGRAM_AND_MODULE, L"png", bytes));
}

TEST_F(ResourceSources, ResourceModuleComesBeforeTheProgram) {
    BkResource::Instance().SetResourceModule(m_module);
    EXPECT_EQ(Data(IDR_IN_PROGRAM_AND_MODULE), "bytes of the module");
    EXPECT_EQ(Data(IDR_ONLY_IN_MODULE), "only in the module");
    EXPECT_EQ(All(IDR_IN_PROGRAM_AND_MODULE),
              (Documents{"bytes of the module", "bytes of the program"}));
}

TEST_F(ResourceSources, OverrideDirectoryComesBeforeTheModule) {
    BkResource::Instance().SetResourceModule(m_module);
    UseDirectory();
    ASSERT_TRUE(m_directory.Write(L"110.xml", "bytes of the file"));
    EXPECT_EQ(Data(IDR_IN_PROGRAM_AND_MODULE), "bytes of the file");
    EXPECT_EQ(All(IDR_IN_PROGRAM_AND_MODULE),
              (Documents{"bytes of the file", "bytes of the module", "bytes of the program"}));
}

TEST_F(ResourceSources, FileNameIsTheDecimalIdAndTheTypeAsAsked) {
    UseDirectory();
    ASSERT_TRUE(m_directory.Write(L"199.png", "image bytes"));
    std::string bytes;
    EXPECT_TRUE(LoadResourceData(IDR_NOWHERE, L"png", bytes));
    EXPECT_EQ(bytes, "image bytes");
    EXPECT_FALSE(LoadResourceData(IDR_NOWHERE, L"xml", bytes));
}

TEST_F(ResourceSources, EmptyFileInTheDirectoryIsPassedOver) {
    UseDirectory();
    ASSERT_TRUE(m_directory.Write(L"110.xml", ""));
    EXPECT_EQ(Data(IDR_IN_PROGRAM_AND_MODULE), "bytes of the program");
    EXPECT_EQ(All(IDR_IN_PROGRAM_AND_MODULE), Documents{"bytes of the program"});
}

TEST_F(ResourceSources, ProviderComesFirstAndItsFallbackOnlyForASingleLookup) {
    BkResource::Instance().SetResourceModule(m_module);
    UseDirectory();
    ASSERT_TRUE(m_directory.Write(L"110.xml", "bytes of the file"));
    FakeProvider provider(IDR_IN_PROGRAM_AND_MODULE, "first lookup", "fallback lookup");
    BkResource::Instance().SetProvider(&provider);

    EXPECT_EQ(Data(IDR_IN_PROGRAM_AND_MODULE), "first lookup");
    EXPECT_EQ(provider.fallbackCalls, 0);
    EXPECT_EQ(All(IDR_IN_PROGRAM_AND_MODULE),
              (Documents{"first lookup", "bytes of the file", "bytes of the module",
                         "bytes of the program"}));
    EXPECT_EQ(provider.fallbackCalls, 0);
}

TEST_F(ResourceSources, ProvidersFallbackAnswersWhenItsFirstLookupHasNothing) {
    FakeProvider provider(IDR_IN_PROGRAM_AND_MODULE, "", "fallback lookup");
    BkResource::Instance().SetProvider(&provider);
    EXPECT_EQ(Data(IDR_IN_PROGRAM_AND_MODULE), "fallback lookup");
    EXPECT_EQ(provider.firstCalls, 1);
    EXPECT_EQ(All(IDR_IN_PROGRAM_AND_MODULE), Documents{"bytes of the program"});
}

TEST_F(ResourceSources, SourcesWithoutTheResourceFallThroughToTheProgram) {
    BkResource::Instance().SetResourceModule(m_module);
    UseDirectory();
    FakeProvider provider(IDR_NOWHERE, "elsewhere", "elsewhere");
    BkResource::Instance().SetProvider(&provider);
    EXPECT_EQ(Data(IDR_STRINGS_FIRST).substr(0, 5), "<?xml");
    EXPECT_EQ(provider.firstCalls, 1);
    EXPECT_EQ(provider.fallbackCalls, 1);
}
