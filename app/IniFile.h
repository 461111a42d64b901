// The write-only settings file: sections of key=value lines, kept in order of creation.
#pragma once

#include <deque>
#include <string>

// All strings are narrow, in the ANSI code page; nothing is converted here.
struct IniEntry {
    std::string key;
    std::string value;
};

struct IniSection {
    std::string name;
    std::deque<IniEntry> entries;
};

class IniFile {
public:
    IniFile() = default;
    virtual ~IniFile();

    void SetFileName(const std::string& name) { m_fileName = name; }

    // Names compare byte-wise, case-sensitively. The pointers stay valid while the file lives:
    // nothing is ever removed, and appending to a deque moves nothing.
    IniSection* FindSection(const std::string& name);
    IniEntry* FindKey(const std::string& section, const std::string& key);
    // Appends an empty section unless one of that name exists.
    bool AddSection(const std::string& name);
    // Replaces the value in place, or appends the key (and its section) when new.
    bool SetValue(const std::string& section, const std::string& key, const std::string& value);

    // Replaces the file with every section, each followed by an empty line, in text mode (CR LF
    // on disk). Lines are written whole whatever their length. False when the file cannot be
    // opened or a write fails.
    bool Save() const;

private:
    std::deque<IniSection> m_sections;
    std::string m_fileName;
};
