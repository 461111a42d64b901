; Tavemark Chronalign's installer. Package.cmake builds it for each target with:
;   makensis -DVERSION=<a.b.c.d> -DARCH=<x64|x86> -DPROGRAM=<Chronalign.exe> -DICON=<.ico>
;            -DOUTFILE=<setup.exe> [-DMUI_WELCOMEFINISHPAGE_BITMAP=<164 x 314 .bmp>]
;            [-DMUI_HEADERIMAGE_BITMAP=<150 x 57 .bmp>] [-DSIGN_COMMAND=<command>] Chronalign.nsi
; Without the two bitmaps the pages keep the Modern UI's stock look. The signing command, in
; which %1 stands for the file, signs the uninstaller and the installer once each is written.

!if "${ARCH}" == "x64"
    Target amd64-unicode
    !define PROGRAM_FILES "$PROGRAMFILES64"
    !define REG_VIEW 64
!else if "${ARCH}" == "x86"
    Target x86-unicode
    !define PROGRAM_FILES "$PROGRAMFILES"
    !define REG_VIEW 32
!else
    !error "ARCH must be x64 or x86"
!endif

!ifdef SIGN_COMMAND
    !uninstfinalize `${SIGN_COMMAND}` = 0
    !finalize `${SIGN_COMMAND}` = 0
!endif

!define PRODUCT "Tavemark Chronalign"
!define PUBLISHER "Tavemark"
!define EXE "Chronalign.exe"
!define UNINSTALLER "Uninstall.exe"
!define RECORD "tockwell.ini"
; The program's main window, by which a running copy is found: its class and caption both, as
; Explorer's window on the install folder has the same caption.
!define WINDOW_CLASS "TavemarkChronalignWindow"
!define WINDOW_CAPTION "Tavemark Chronalign"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavemark Chronalign"
!define SHORTCUT "$SMPROGRAMS\Tavemark Chronalign.lnk"
; Exit codes besides NSIS's own (1 cancelled by the user, 2 aborted), as Windows Installer's
; where there is one.
!define ERROR_OLD_WIN_VERSION 1150
!define ERROR_INSTALL_FAILURE 1603
!define ERROR_ELEVATION_REQUIRED 740

!include MUI2.nsh
!include LogicLib.nsh
!include WinMessages.nsh
!include WinVer.nsh
!include WordFunc.nsh
!include x64.nsh

; Ends the installation or the uninstallation as failed: nothing more is done or claimed, and
; the process exits with the code.
!macro FAIL code message
    DetailPrint "${message}"
    SetErrorLevel ${code}
    Abort "${message}"
!macroend

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
; A file that cannot be written fails the installation rather than leaving the old one.
AllowSkipFiles off

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

!addincludedir "${__FILEDIR__}"
!include RunningProgram.nsh
!include Installations.nsh
!include FolderPermissions.nsh

; The installer and the uninstaller each need their own copy ("un." prefix).
!macro INITIALISE un
    Function ${un}.onInit
        ${IfNot} ${AtLeastWin7}
            MessageBox MB_ICONSTOP "${PRODUCT} needs Windows 7 or later." /SD IDOK
            SetErrorLevel ${ERROR_OLD_WIN_VERSION}
            Quit
        ${EndIf}
        SetRegView ${REG_VIEW}
        ; Without UAC (or with it turned off) the request for rights is not enforced.
        UserInfo::GetAccountType
        Pop $0
        ${If} $0 != "admin"
            MessageBox MB_ICONSTOP "${PRODUCT} Setup needs administrator rights." /SD IDOK
            SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
            Quit
        ${EndIf}
        !if "${un}" == ""
            Call RefuseDowngrade
        !endif
    FunctionEnd
!macroend
!insertmacro INITIALISE ""
!insertmacro INITIALISE "un"

Section "-${PRODUCT}"
    Call CloseRunningProgram
    Call RemoveOtherInstallations
    SetOutPath "$INSTDIR"
    Call SecureFolderOutsideProgramFiles
    ; Written anew, the files take the folder's permissions, not those of files found there; an
    ; old record left would pass for the new one.
    Delete "$INSTDIR\${RECORD}"
    Delete "$INSTDIR\${EXE}"
    File "/oname=${EXE}" "${PROGRAM}"
    Delete "$INSTDIR\${UNINSTALLER}"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    ; The program writes its install record beside itself, unless it finds itself running.
    ExecWait '"$INSTDIR\${EXE}" /t' $0
    ${If} $0 != 0
    ${OrIfNot} ${FileExists} "$INSTDIR\${RECORD}"
        !insertmacro FAIL ${ERROR_INSTALL_FAILURE} \
            "${EXE} /t ended with $0 and wrote no ${RECORD}: is ${PRODUCT} running?"
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
    Call InstalledSize
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

!macro ADD_SIZE file
    FileOpen $1 "$INSTDIR\${file}" r
    FileSeek $1 0 END $2
    FileClose $1
    IntOp $0 $0 + $2
!macroend

; The size in KB of the files installed, in $0: files of the user's in the folder do not count.
Function InstalledSize
    StrCpy $0 0
    !insertmacro ADD_SIZE "${EXE}"
    !insertmacro ADD_SIZE "${UNINSTALLER}"
    !insertmacro ADD_SIZE "${RECORD}"
    IntOp $0 $0 / 1024
FunctionEnd

; Removes exactly what the installer put there, nothing deferred to the next start of Windows: a
; folder that holds other files stays.
Section "Uninstall"
    Call un.CloseRunningProgram
    Delete "$INSTDIR\${EXE}"
    ${If} ${FileExists} "$INSTDIR\${EXE}"
        !insertmacro FAIL ${ERROR_SHARING_VIOLATION} "$INSTDIR\${EXE} could not be removed"
    ${EndIf}
    Delete "$INSTDIR\${RECORD}"
    ; Run in place ("_?="), as by a newer installer, it cannot delete itself: that one does.
    ${If} $EXEDIR != $INSTDIR
        Delete "$INSTDIR\${UNINSTALLER}"
    ${EndIf}
    RMDir "$INSTDIR"
    Call un.RemoveEntriesOfThisFolder
SectionEnd
