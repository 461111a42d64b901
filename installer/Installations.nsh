; One installation at a time, whichever installer made it: the 32-bit and the 64-bit one keep
; their Add/Remove Programs entries in their own registry views, and both use the one Start-menu
; shortcut. Each looks in both views, refuses to replace a newer version unasked and removes an
; installation elsewhere before it installs; the uninstaller removes an entry or the shortcut
; only when it describes its own folder.

!define ERROR_PRODUCT_VERSION 1638
!define CLSID_ShellLink "{00021401-0000-0000-C000-000000000046}"
!define IID_IShellLinkW "{000214F9-0000-0000-C000-000000000046}"
!define IID_IPersistFile "{0000010B-0000-0000-C000-000000000046}"
!define CLSCTX_INPROC_SERVER 1
!define STGM_READ 0

!macro INSTALLATION_FUNCTIONS un
    ; Calls the function at the address in $R9 in each registry view that either installer may
    ; use on this Windows, the view's bits in $R8, and then goes back to this installer's view.
    Function ${un}ForEachRegView
        !if "${ARCH}" == "x86"
            ; 32-bit Windows has one view.
            ${IfNot} ${RunningX64}
                StrCpy $R8 32
                Call $R9
                Return
            ${EndIf}
        !endif
        SetRegView 64
        StrCpy $R8 64
        Call $R9
        SetRegView 32
        StrCpy $R8 32
        Call $R9
        SetRegView ${REG_VIEW}
    FunctionEnd
!macroend
!insertmacro INSTALLATION_FUNCTIONS ""
!insertmacro INSTALLATION_FUNCTIONS "un."

; A newer version than this one is replaced only when the user says so.
Function RefuseDowngrade
    GetFunctionAddress $R9 RefuseDowngradeInView
    Call ForEachRegView
FunctionEnd

Function RefuseDowngradeInView
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "DisplayVersion"
    ${IfThen} $0 == "" ${|} Return ${|}
    ${VersionCompare} "${VERSION}" "$0" $1
    ${If} $1 = 2
        MessageBox MB_YESNO|MB_ICONEXCLAMATION|MB_DEFBUTTON2 \
            "${PRODUCT} $0 is installed, which is newer than this one, ${VERSION}.$\r$\n$\r$\n\
            Replace it with the older version?" /SD IDNO IDYES replace
        SetErrorLevel ${ERROR_PRODUCT_VERSION}
        Quit
    ${EndIf}
    replace:
FunctionEnd

; Removes the installations in other folders or of the other installer, by their own
; uninstallers run in place, so that they are done when ExecWait returns. An entry whose folder
; has no uninstaller left describes nothing and goes; an installation that stays fails the
; installation.
Function RemoveOtherInstallations
    GetFunctionAddress $R9 RemoveInstallationInView
    Call ForEachRegView
FunctionEnd

Function RemoveInstallationInView
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${IfThen} $0 == "" ${|} Return ${|}
    ; This installer's own entry for this folder is simply written again.
    ${If} $R8 = ${REG_VIEW}
    ${AndIf} $0 == $INSTDIR
        Return
    ${EndIf}
    ${If} ${FileExists} "$0\${UNINSTALLER}"
        DetailPrint "Removing ${PRODUCT} from $0"
        ExecWait '"$0\${UNINSTALLER}" /S _?=$0'
        ; Run in place, it cannot delete itself.
        Delete "$0\${UNINSTALLER}"
        RMDir "$0"
    ${EndIf}
    ${If} ${FileExists} "$0\${EXE}"
        !insertmacro FAIL ${ERROR_INSTALL_FAILURE} "${PRODUCT} could not be removed from $0"
    ${EndIf}
    ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${IfThen} $1 == $0 ${|} DeleteRegKey HKLM "${UNINSTALL_KEY}" ${|}
FunctionEnd

; The uninstaller's part: the entries and the shortcut that describe its folder.
Function un.RemoveEntriesOfThisFolder
    GetFunctionAddress $R9 un.RemoveEntryInView
    Call un.ForEachRegView
    SetShellVarContext all
    StrCpy $1 ""
    System::Call "ole32::CoCreateInstance(g '${CLSID_ShellLink}', p 0, i ${CLSCTX_INPROC_SERVER}, \
                                          g '${IID_IShellLinkW}', *p .r2) i .r0"
    ${If} $0 = 0
        System::Call "$2->0(g '${IID_IPersistFile}', *p .r3) i .r0" ; QueryInterface
        ${If} $0 = 0
            System::Call "$3->5(w '${SHORTCUT}', i ${STGM_READ}) i .r0" ; IPersistFile::Load
            ; IShellLinkW::GetPath
            ${IfThen} $0 = 0 ${|} System::Call "$2->3(w .r1, i ${NSIS_MAX_STRLEN}, p 0, i 0)" ${|}
            System::Call "$3->2()" ; Release
        ${EndIf}
        System::Call "$2->2()"
    ${EndIf}
    ${IfThen} $1 == "$INSTDIR\${EXE}" ${|} Delete "${SHORTCUT}" ${|}
FunctionEnd

Function un.RemoveEntryInView
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${IfThen} $0 == $INSTDIR ${|} DeleteRegKey HKLM "${UNINSTALL_KEY}" ${|}
FunctionEnd
