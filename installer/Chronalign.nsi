; Tavemark Chronalign's installer. CMake builds it for each target with:
;   makensis -DVERSION=<a.b.c.d> -DARCH=<x64|x86> -DPROGRAM=<Chronalign.exe> -DICON=<.ico>
;            -DOUTFILE=<setup.exe> [-DMUI_WELCOMEFINISHPAGE_BITMAP=<164 x 314 .bmp>]
;            [-DMUI_HEADERIMAGE_BITMAP=<150 x 57 .bmp>] Chronalign.nsi
; Without the two bitmaps the pages keep the Modern UI's stock look.

!if "${ARCH}" == "x64"
    Target amd64-unicode
    !define PROGRAM_FILES "$PROGRAMFILES64"
!else if "${ARCH}" == "x86"
    Target x86-unicode
    !define PROGRAM_FILES "$PROGRAMFILES"
!else
    !error "ARCH must be x64 or x86"
!endif

!define PRODUCT "Tavemark Chronalign"
!define PUBLISHER "Tavemark"
!define EXE "Chronalign.exe"
!define UNINSTALLER "Uninstall.exe"
; The program's main window, by which a running copy is found: its class and caption both, as
; Explorer's window on the install folder has the same caption.
!define WINDOW_CLASS "TavemarkChronalignWindow"
!define WINDOW_CAPTION "Tavemark Chronalign"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavemark Chronalign"
!define SHORTCUT "$SMPROGRAMS\Tavemark Chronalign.lnk"
!define SYNCHRONIZE 0x00100000
!define ERROR_ELEVATION_REQUIRED 740

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "${PROGRAM_FILES}\${PRODUCT}"
; A reinstall goes where the last one went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
; The program sets the system clock, and all of this goes under Program Files and HKLM.
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ManifestDPIAware true
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!ifdef MUI_HEADERIMAGE_BITMAP
    !define MUI_HEADERIMAGE
!endif
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

; The installer and the uninstaller each need their own copy of these ("un." prefix).
!macro SHARED_FUNCTIONS un
    Function ${un}Initialise
        !if "${ARCH}" == "x64"
            SetRegView 64
        !endif
        ; Without UAC (or with it turned off) the request for rights is not enforced.
        UserInfo::GetAccountType
        Pop $0
        ${If} $0 != "admin"
            MessageBox MB_ICONSTOP "${PRODUCT} Setup needs administrator rights." /SD IDOK
            SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
            Quit
        ${EndIf}
    FunctionEnd

    ; A running copy keeps its file locked and would swallow the "/t" run as a second
    ; instance: its window is asked to close, and its process is given a bounded time to end.
    Function ${un}CloseRunningProgram
        FindWindow $0 "${WINDOW_CLASS}" "${WINDOW_CAPTION}"
        ${If} $0 P<> 0
            System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1)"
            System::Call "kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2"
            DetailPrint "Closing the running ${PRODUCT}"
            SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
            ${If} $2 P<> 0
                System::Call "kernel32::WaitForSingleObject(p r2, i 10000)"
                System::Call "kernel32::CloseHandle(p r2)"
            ${EndIf}
        ${EndIf}
    FunctionEnd
!macroend
!insertmacro SHARED_FUNCTIONS ""
!insertmacro SHARED_FUNCTIONS "un."

Function .onInit
    Call Initialise
FunctionEnd

Function un.onInit
    Call un.Initialise
FunctionEnd

Section "-${PRODUCT}"
    Call RemoveInstallationElsewhere
    Call CloseRunningProgram
    SetOutPath "$INSTDIR"
    File "/oname=${EXE}" "${PROGRAM}"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    ; The program writes its install record, tockwell.ini, beside itself.
    ExecWait '"$INSTDIR\${EXE}" /t'
    ${IfNot} ${FileExists} "$INSTDIR\tockwell.ini"
        DetailPrint "Warning: ${EXE} /t wrote no tockwell.ini"
    ${EndIf}

    SetShellVarContext all
    CreateShortCut "${SHORTCUT}" "$INSTDIR\${EXE}"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K /G=0" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; A reinstall into another directory first removes the one installed before, so that no copy is
; left behind without an entry under Add/Remove Programs.
Function RemoveInstallationElsewhere
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == ""
    ${OrIf} $0 == $INSTDIR
    ${OrIfNot} ${FileExists} "$0\${UNINSTALLER}"
        Return
    ${EndIf}
    DetailPrint "Removing ${PRODUCT} from $0"
    ; Run in place ("_?="), so that it is finished when ExecWait returns.
    ExecWait '"$0\${UNINSTALLER}" /S _?=$0'
    Delete "$0\${UNINSTALLER}"
    RMDir "$0"
FunctionEnd

; Removes exactly what the installer put there: a directory that holds other files stays.
Section "Uninstall"
    Call un.CloseRunningProgram
    Delete /REBOOTOK "$INSTDIR\${EXE}"
    Delete "$INSTDIR\tockwell.ini"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir /REBOOTOK "$INSTDIR"

    SetShellVarContext all
    Delete "${SHORTCUT}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
