#include "app/InstallRecord.h"

#include "app/GetFileVersion.h"
#include "app/IniFile.h"
#include "app/MachineId.h"
#include "app/ModulePath.h"

#include <iterator>
#include <string>

namespace {

constexpr wchar_t kSettingsFileName[] = L"tockwell.ini";
constexpr char kSection[] = "common";
constexpr char kProgramId[] = "120";

// Exact or nothing: a best-fit replacement ("a" for "ā") could turn the path into that of
// another, existing directory.
bool ToAnsi(const std::wstring& text, std::string& ansi) {
    ansi.clear();
    if (text.empty())
        return true;
    const int length = static_cast<int>(text.size());
    BOOL lossy = FALSE;
    const int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length,
                                           nullptr, 0, nullptr, &lossy);
    if (size <= 0 || lossy)
        return false;
    ansi.resize(size);
    if (::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, &ansi[0], size,
                              nullptr, nullptr) != size) {
        ansi.clear();
        return false;
    }
    return true;
}

// The executable's directory, trailing backslash kept, and the file name; empty when the
// executable's path is unknown.
std::wstring SettingsPath() {
    const std::wstring program = ModuleFilePath(nullptr);
    const std::size_t lastSlash = program.find_last_of(L'\\');
    if (lastSlash == std::wstring::npos)
        return std::wstring();
    return program.substr(0, lastSlash + 1) + kSettingsFileName;
}

} // namespace

int WriteInstallRecord(HINSTANCE instance) {
    std::string settingsPath;
    const std::wstring widePath = SettingsPath();
    if (widePath.empty() || !ToAnsi(widePath, settingsPath))
        return 0;

    const std::string uid = ScrambleMachineId(MakeMachineId());

    CGetFileVersion version;
    wchar_t versionText[512] = L"";
    if (version.OpenModule(instance))
        version.GetVersionString(L"FileVersion", versionText,
                                 static_cast<int>(std::size(versionText)));
    std::string ansiVersion;
    ToAnsi(versionText, ansiVersion);

    IniFile ini;
    ini.SetValue(kSection, "pid", kProgramId);
    ini.SetValue(kSection, "uid", uid);
    ini.SetValue(kSection, "ver", ansiVersion);
    ini.SetFileName(settingsPath);
    // Unwritable directory: the record is simply not there; the mode still ends with 0.
    ini.Save();
    return 0;
}
