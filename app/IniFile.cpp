#include "app/IniFile.h"

#include <share.h>

#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using ScopedFile = std::unique_ptr<std::FILE, FileCloser>;

bool WriteLine(std::FILE* file, const std::string& line) {
    return std::fwrite(line.data(), 1, line.size(), file) == line.size() &&
           std::fputc('\n', file) != EOF;
}

} // namespace

IniFile::~IniFile() = default;

IniSection* IniFile::FindSection(const std::string& name) {
    for (IniSection& section : m_sections) {
        if (section.name == name)
            return &section;
    }
    return nullptr;
}

IniEntry* IniFile::FindKey(const std::string& section, const std::string& key) {
    IniSection* found = FindSection(section);
    if (found == nullptr)
        return nullptr;
    for (IniEntry& entry : found->entries) {
        if (entry.key == key)
            return &entry;
    }
    return nullptr;
}

bool IniFile::AddSection(const std::string& name) {
    if (FindSection(name) == nullptr)
        m_sections.push_back(IniSection{name, {}});
    return true;
}

bool IniFile::SetValue(const std::string& section, const std::string& key,
                       const std::string& value) {
    if (IniEntry* entry = FindKey(section, key)) {
        entry->value = value;
        return true;
    }
    AddSection(section);
    FindSection(section)->entries.push_back(IniEntry{key, value});
    return true;
}

bool IniFile::Save() const {
    // Others may keep the file open for reading or writing meanwhile.
    std::FILE* opened = ::_fsopen(m_fileName.c_str(), "wt", _SH_DENYNO);
    if (opened == nullptr)
        return false;
    ScopedFile file(opened);

    bool written = true;
    for (const IniSection& section : m_sections) {
        written = written && WriteLine(file.get(), "[" + section.name + "]");
        for (const IniEntry& entry : section.entries)
            written = written && WriteLine(file.get(), entry.key + "=" + entry.value);
        written = written && WriteLine(file.get(), std::string());
    }
    // Buffered data reaches the disk only here, so a full disk shows up on closing.
    return std::fclose(file.release()) == 0 && written;
}
