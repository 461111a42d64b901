#include "platform/LibrarySearch.h"

namespace {

const wchar_t* const kPreloadedLibraries[] = {
    // What careful elevated tools preload on such systems: the theme, profile, device set-up,
    // compatibility (also vetting each process started), property, desktop composition,
    // crypto, accessibility, COM catalogue and version libraries.
    L"uxtheme.dll", L"userenv.dll", L"setupapi.dll", L"apphelp.dll", L"propsys.dll", L"dwmapi.dll",
    L"cryptbase.dll", L"oleacc.dll", L"clbcatq.dll", L"version.dll",
    // What this program's own work brings in: the accessibility server's texts; the access
    // lists of the time service's keys; the sockets' service providers, whose imports are
    // resolved from the program's folder first, and name resolution.
    L"oleaccrc.dll", L"ntmarta.dll", L"mswsock.dll", L"wshtcpip.dll", L"wship6.dll", L"dnsapi.dll",
    L"iphlpapi.dll", L"winnsi.dll", L"rasadhlp.dll"};

} // namespace

void RestrictLibrarySearch(SetDefaultDllDirectoriesFunction setDefaultDirectories) {
    if (setDefaultDirectories != nullptr) {
        setDefaultDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
        return;
    }
    ::SetDllDirectoryW(L"");
    for (const wchar_t* name : kPreloadedLibraries)
        LoadSystemLibraryByPath(name);
}
