#include "timeservice/TimeServiceConfig.h"
#include "sync/FixTimeThread.h"
#include "tests/fixtures/HandleCount.h"
#include "tests/fixtures/RegistryKey.h"
#include "tests/timeservice/FakeW32Time.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const std::vector<std::wstring> kRestarted = {L"stop success\u3002", L"start success"};
// An access list of the tests' own for the keys, so that any rewrite shows.
constexpr const wchar_t* kOwnList = L"D:P(A;CI;KA;;;SY)(A;CI;KA;;;BA)(A;CI;KR;;;BU)";

// A string value as stored: its text and its byte count, or nothing when not a REG_SZ.
struct StoredString {
    bool present;
    std::wstring text;
    DWORD bytes;
};

StoredString ReadString(const wchar_t* path, const wchar_t* name) {
    ATL::CRegKey key;
    wchar_t buffer[512] = {};
    DWORD bytes = sizeof buffer;
    const bool present = OpenMachineKey(path, KEY_QUERY_VALUE, key) == ERROR_SUCCESS &&
                         ::RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ | RRF_NOEXPAND, nullptr,
                                        buffer, &bytes) == ERROR_SUCCESS;
    return {present, present ? buffer : L"", present ? bytes : 0};
}

// The DWORD value, or nothing when it is missing or of another type.
bool ReadDword(const wchar_t* path, const wchar_t* name, DWORD& value) {
    ATL::CRegKey key;
    DWORD bytes = sizeof value;
    return OpenMachineKey(path, KEY_QUERY_VALUE, key) == ERROR_SUCCESS &&
           ::RegGetValueW(key, nullptr, name, RRF_RT_REG_DWORD, nullptr, &value, &bytes) ==
               ERROR_SUCCESS;
}

DWORD DwordOr0(const wchar_t* path, const wchar_t* name) {
    DWORD value = 0;
    return ReadDword(path, name, value) ? value : 0;
}

class TimeServiceConfigTest : public ::testing::Test {
protected:
    TimeServiceConfigTest() {
        settings.debugOutput = [this](const wchar_t* message) { messages.push_back(message); };
    }

    // Installs the stand-in (and the keys); with a running service when asked.
    ::testing::AssertionResult Install(const FakeW32TimeOptions& options, bool running) {
        fake = std::make_unique<FakeW32Time>(options);
        if (!fake->Ready())
            return ::testing::AssertionFailure() << "the stand-in W32Time could not be installed";
        if (running && !(fake->Start() && fake->WaitForState(SERVICE_RUNNING, 15000)))
            return ::testing::AssertionFailure() << "the stand-in W32Time did not start";
        return ::testing::AssertionSuccess();
    }

    std::unique_ptr<FakeW32Time> fake;
    TimeServiceSettings settings;
    std::vector<std::wstring> messages;
};

void ExpectRowsOneToEightWritten() {
    for (const wchar_t* name :
         {L"MaxNegPhaseCorrection", L"MaxPosPhaseCorrection", L"AnnounceFlags"})
        EXPECT_EQ(DwordOr0(kConfigKeyPath, name), 0xFFFFFFFFu) << name;
    EXPECT_EQ(ReadString(kServersKeyPath, L"2").text, L"time.windows.com");
    EXPECT_EQ(ReadString(kServersKeyPath, L"").text, L"2");
    EXPECT_EQ(ReadString(kParametersKeyPath, L"Type").text, L"NTP");
    DWORD minutes = 99, maxTimes = 99;
    EXPECT_TRUE(ReadDword(kParametersKeyPath, L"GetDcBackoffMinutes ", minutes));
    EXPECT_TRUE(ReadDword(kParametersKeyPath, L"GetDcBackoffMaxTimes ", maxTimes));
    EXPECT_EQ(minutes, 1u);
    EXPECT_EQ(maxTimes, 0u);
}

} // namespace

TEST_F(TimeServiceConfigTest, WritesTheNineValuesUnderTheirKeys) {
    ASSERT_TRUE(Install({}, true));
    EXPECT_EQ(ConfigureTimeService(settings), S_OK);
    ExpectRowsOneToEightWritten();
    EXPECT_EQ(DwordOr0(kNtpClientKeyPath, L"SpecialPollInterval"), 30u);
}

// The 32-bit release on 64-bit Windows: without the 64-bit view its server list would land under
// WOW6432Node, where the Date and Time settings never look. The test reads the 64-bit view
// whatever its own bitness.
TEST_F(TimeServiceConfigTest, TheServerListLandsInThe64BitView) {
    FakeW32TimeOptions keysOnly;
    keysOnly.installService = false;
    ASSERT_TRUE(Install(keysOnly, false));
    {
        ATL::CRegKey servers;
        ASSERT_EQ(OpenMachineKey(kServersKeyPath, KEY_SET_VALUE, servers), ERROR_SUCCESS);
        for (const wchar_t* name : {L"2", L""})
            ::RegDeleteValueW(servers, name);
    }
    ConfigureTimeService(settings);
    EXPECT_EQ(ReadString(kServersKeyPath, L"2").text, L"time.windows.com");
    EXPECT_EQ(ReadString(kServersKeyPath, L"").text, L"2");
}

TEST_F(TimeServiceConfigTest, StringsAreStoredWithTheirNul) {
    ASSERT_TRUE(Install({}, true));
    ConfigureTimeService(settings);
    EXPECT_EQ(ReadString(kParametersKeyPath, L"Type").bytes, 2u * 3 + 2);
    EXPECT_EQ(ReadString(kServersKeyPath, L"2").bytes, 2u * 16 + 2);
}

TEST_F(TimeServiceConfigTest, TheServerSlotIsTheDefaultValueNotAValueNamed2) {
    ASSERT_TRUE(Install({}, true));
    ConfigureTimeService(settings);
    EXPECT_EQ(ReadString(kServersKeyPath, nullptr).text, L"2");
    EXPECT_EQ(ReadString(kServersKeyPath, L"2").text, L"time.windows.com");
}

TEST_F(TimeServiceConfigTest, BackoffNamesWithoutTheBlankAreLeftAlone) {
    ASSERT_TRUE(Install({}, true));
    HKEY parameters = nullptr;
    ASSERT_EQ(
        ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kParametersKeyPath, 0, KEY_SET_VALUE, &parameters),
        ERROR_SUCCESS);
    const DWORD ninetyNine = 99;
    for (const wchar_t* name : {L"GetDcBackoffMinutes", L"GetDcBackoffMaxTimes"})
        ::RegSetValueExW(parameters, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&ninetyNine),
                         sizeof ninetyNine);
    ::RegCloseKey(parameters);

    ConfigureTimeService(settings);
    EXPECT_EQ(DwordOr0(kParametersKeyPath, L"GetDcBackoffMinutes"), 99u);
    EXPECT_EQ(DwordOr0(kParametersKeyPath, L"GetDcBackoffMaxTimes"), 99u);
    EXPECT_EQ(DwordOr0(kParametersKeyPath, L"GetDcBackoffMinutes "), 1u);
}

TEST_F(TimeServiceConfigTest, RunningServiceIsStoppedThenStartedAsAutomatic) {
    ASSERT_TRUE(Install({}, true));
    EXPECT_EQ(ConfigureTimeService(settings), S_OK);
    EXPECT_EQ(messages, kRestarted);
    EXPECT_EQ(fake->State(), static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_EQ(fake->StartType(), static_cast<DWORD>(SERVICE_AUTO_START));
    // The start type the service found at each request: automatic before the stop and the
    // restart, the demand start of the test's own start before them.
    EXPECT_EQ(fake->Requests(), (std::vector<std::string>{"start 3", "stop 2", "start 2"}));
}

TEST_F(TimeServiceConfigTest, StoppedDisabledServiceBecomesAutomaticAndIsStarted) {
    FakeW32TimeOptions disabled;
    disabled.startType = SERVICE_DISABLED;
    ASSERT_TRUE(Install(disabled, false));
    EXPECT_EQ(ConfigureTimeService(settings), S_OK);
    EXPECT_EQ(messages, std::vector<std::wstring>{L"start success"});
    EXPECT_EQ(fake->State(), static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_EQ(fake->StartType(), static_cast<DWORD>(SERVICE_AUTO_START));
    EXPECT_EQ(fake->Requests(), std::vector<std::string>{"start 2"});
}

TEST_F(TimeServiceConfigTest, PendingServiceGetsNoRequest) {
    FakeW32TimeOptions held;
    held.pendingMs = 60000; // until ended below, however slowly this runs
    ASSERT_TRUE(Install(held, false));
    ASSERT_TRUE(fake->Start());
    ASSERT_EQ(fake->State(), static_cast<DWORD>(SERVICE_START_PENDING));
    EXPECT_EQ(ConfigureTimeService(settings), S_OK);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(fake->StartType(), static_cast<DWORD>(SERVICE_DEMAND_START));
    ASSERT_TRUE(fake->EndPending());
    EXPECT_TRUE(fake->WaitForState(SERVICE_RUNNING, 15000));
    EXPECT_EQ(fake->Requests(), std::vector<std::string>{"start 3"});
}

TEST_F(TimeServiceConfigTest, NoServiceGivesEFailWithTheValuesStillWritten) {
    FakeW32TimeOptions keysOnly;
    keysOnly.installService = false;
    ASSERT_TRUE(Install(keysOnly, false));
    EXPECT_EQ(ConfigureTimeService(settings), E_FAIL);
    ExpectRowsOneToEightWritten();
    EXPECT_EQ(DwordOr0(kNtpClientKeyPath, L"SpecialPollInterval"), 30u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(TimeServiceConfigTest, MissingNtpClientKeyCostsOnlyItsValue) {
    FakeW32TimeOptions noNtpClient;
    noNtpClient.createNtpClientKey = false;
    ASSERT_TRUE(Install(noNtpClient, true));
    EXPECT_EQ(ConfigureTimeService(settings), S_OK);
    ExpectRowsOneToEightWritten();
    EXPECT_FALSE(MachineKeyExists(kNtpClientKeyPath));
    DWORD misplaced = 0;
    EXPECT_FALSE(ReadDword(kParametersKeyPath, L"SpecialPollInterval", misplaced))
        << "written to the key still held from before";
    EXPECT_EQ(messages, kRestarted);
}

TEST_F(TimeServiceConfigTest, ServiceThatNeverStopsIsGivenUpSilently) {
    FakeW32TimeOptions hung;
    hung.pendingMs = 4000;
    hung.waitHintMs = 100;
    ASSERT_TRUE(Install(hung, true));
    settings.waitBounds = {50, 500};
    EXPECT_EQ(ConfigureTimeService(settings), S_OK);
    EXPECT_EQ(fake->State(), static_cast<DWORD>(SERVICE_STOP_PENDING))
        << "the wait ended before the service got there";
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(fake->Requests(), (std::vector<std::string>{"start 3", "stop 2"}))
        << "no start is asked of a service still stopping";
}

TEST_F(TimeServiceConfigTest, RefusedStartIsReported) {
    FakeW32TimeOptions missing;
    missing.missingProgram = true;
    ASSERT_TRUE(Install(missing, false));
    EXPECT_EQ(ConfigureTimeService(settings), S_OK);
    EXPECT_EQ(messages, std::vector<std::wstring>{L"start service error"});
    EXPECT_EQ(fake->State(), static_cast<DWORD>(SERVICE_STOPPED));
}

TEST_F(TimeServiceConfigTest, RefusedStopIsReportedAndNoStartFollows) {
    FakeW32TimeOptions stubborn;
    stubborn.refuseStopMs = 1500;
    ASSERT_TRUE(Install(stubborn, true));
    EXPECT_EQ(ConfigureTimeService(settings), S_OK);
    EXPECT_EQ(messages, std::vector<std::wstring>{L"stop service error\u3002"});
    EXPECT_EQ(fake->State(), static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_EQ(fake->Requests(), std::vector<std::string>{"start 3"});
}

TEST_F(TimeServiceConfigTest, AccessListsOfTheKeysAreLeftAsTheyWere) {
    ASSERT_TRUE(Install({}, true));
    const wchar_t* const keys[] = {kConfigKeyPath, kServersKeyPath, kParametersKeyPath,
                                   kNtpClientKeyPath};
    std::vector<std::wstring> before;
    for (const wchar_t* key : keys) {
        ASSERT_TRUE(SetKeyAccessList(key, kOwnList)) << key;
        before.push_back(KeyAccessList(key));
        ASSERT_NE(before.back().find(L"BU"), std::wstring::npos) << before.back();
    }
    EXPECT_EQ(ConfigureTimeService(settings), S_OK);
    for (std::size_t i = 0; i < before.size(); ++i) {
        const std::wstring after = KeyAccessList(keys[i]);
        EXPECT_EQ(after, before[i]) << keys[i];
        EXPECT_EQ(after.find(L"WD"), std::wstring::npos) << "Everyone was let in: " << after;
    }
    EXPECT_EQ(DwordOr0(kNtpClientKeyPath, L"SpecialPollInterval"), 30u);
}

// The stand-in's own hygiene: a test that locks the key down leaves no trace in the prefix.
TEST(FakeW32Time, AServersKeyThatWasThereGetsItsAccessListBack) {
    // Made beforehand when missing, so that the stand-in finds it there, and removed after.
    const std::wstring madeHere = FirstMissingMachineKey(kServersKeyPath);
    EXPECT_TRUE(CreateRegistryKey(HKEY_LOCAL_MACHINE, kServersKeyPath, kMachineView));
    const std::wstring before = KeyAccessList(kServersKeyPath);
    EXPECT_FALSE(before.empty());
    {
        FakeW32TimeOptions keysOnly;
        keysOnly.installService = false;
        FakeW32Time fake(keysOnly);
        EXPECT_TRUE(fake.Ready());
        EXPECT_TRUE(SetKeyAccessList(kServersKeyPath, kOwnList));
        EXPECT_NE(KeyAccessList(kServersKeyPath), before);
    }
    EXPECT_EQ(KeyAccessList(kServersKeyPath), before);
    if (!madeHere.empty())
        DeleteMachineKey(madeHere);
}

TEST_F(TimeServiceConfigTest, RestartLeavesNoHandleOpen) {
    ASSERT_TRUE(Install({}, true));
    const DWORD before = CountOpenHandles();
    EXPECT_EQ(ConfigureTimeService(settings), S_OK);
    EXPECT_EQ(CountOpenHandles(), before);
}

TEST_F(TimeServiceConfigTest, FailedServiceOpenLeavesNoHandleOpen) {
    FakeW32TimeOptions keysOnly;
    keysOnly.installService = false;
    ASSERT_TRUE(Install(keysOnly, false));
    const DWORD before = CountOpenHandles();
    EXPECT_EQ(ConfigureTimeService(settings), E_FAIL);
    EXPECT_EQ(CountOpenHandles(), before);
}

TEST_F(TimeServiceConfigTest, ControlTimeServiceLeavesAStoppedServiceAloneWhenAskedToStop) {
    ASSERT_TRUE(Install({}, false));
    ControlTimeService(false, settings);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(fake->StartType(), static_cast<DWORD>(SERVICE_DEMAND_START));
    EXPECT_TRUE(fake->Requests().empty());
}

TEST_F(TimeServiceConfigTest, ConfigurationThreadRestartsTheServiceOnEveryStart) {
    ASSERT_TRUE(Install({}, true));
    CFixTimeThread thread;
    ASSERT_EQ(thread.Start(), S_OK);
    ASSERT_EQ(::WaitForSingleObject(thread.GetThread(), 60000), WAIT_OBJECT_0);
    EXPECT_EQ(fake->Requests(), (std::vector<std::string>{"start 3", "stop 2", "start 2"}));
    ExpectRowsOneToEightWritten();

    ASSERT_EQ(thread.Start(), S_OK);
    ASSERT_EQ(::WaitForSingleObject(thread.GetThread(), 60000), WAIT_OBJECT_0);
    EXPECT_EQ(fake->Requests(),
              (std::vector<std::string>{"start 3", "stop 2", "start 2", "stop 2", "start 2"}));
    DWORD exitCode = 1;
    ::GetExitCodeThread(thread.GetThread(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
}
