#include "app/InstallRecord.h"

#include "app/GetFileVersion.h"
#include "app/IniFile.h"
#include "app/MachineId.h"
#include "app/ModulePath.h"
#include "platform/AnsiText.h"

#include <iterator>
#include <string>

namespace {

constexpr wchar_t kSettingsFileName[] = L"tockwell.ini";
constexpr char kSection[] = "common";
constexpr char kProgramId[] = "120";

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
    if (widePath.empty() || !ToAnsiExactly(widePath, settingsPath))
        return 0;

    const std::string uid = ScrambleMachineId(MakeMachineId());

    CGetFileVersion version;
    wchar_t versionText[512] = L"";
    if (version.OpenModule(instance))
        version.GetVersionString(L"FileVersion", versionText,
                                 static_cast<int>(std::size(versionText)));
    const std::string ansiVersion = ToAnsi(versionText);

    IniFile ini;
    ini.SetValue(kSection, "pid", kProgramId);
    ini.SetValue(kSection, "uid", uid);
    ini.SetValue(kSection, "ver", ansiVersion);
    ini.SetFileName(settingsPath);
    // Unwritable directory: the record is simply not there; the mode still ends with 0.
    ini.Save();
    return 0;
}
