; A folder outside Program Files (C:\Tools, say) inherits from its parent the right of every
; signed-in user to change files, yet administrators run the program and the uninstaller from it
; elevated. It is given Program Files' permissions instead: owned by the administrators, who and
; SYSTEM have full control, users read and execute, nothing inherited, no grants of its own
; before. The system's icacls does it, by SIDs, which do not depend on the display language.

!define ADMINISTRATORS "*S-1-5-32-544"
!define LOCAL_SYSTEM "*S-1-5-18"
!define USERS "*S-1-5-32-545"

; Runs icacls on the folder in $0 with the arguments, and fails the installation, leaving no
; empty folder, if it fails.
!macro ICACLS arguments
    DetailPrint "icacls $\"$0$\" ${arguments}"
    ExecWait '"$1" "$0" ${arguments}' $2
    ${If} $2 != 0
        RMDir $0
        !insertmacro FAIL ${ERROR_INSTALL_FAILURE} \
            "The permissions of $0 could not be set (icacls ended with $2)"
    ${EndIf}
!macroend

; Whether the path in $0 is the folder or lies in it: jumps to the label if so.
!macro IF_IN_FOLDER folder label
    StrCmp $0 "${folder}" ${label}
    StrLen $2 "${folder}\"
    StrCpy $3 $0 $2
    StrCmp $3 "${folder}\" ${label}
!macroend

Function SecureFolderOutsideProgramFiles
    ; "..\" and the like resolved; the comparisons ignore case.
    GetFullPathName $0 $INSTDIR
    ; Both Program Files folders, as the 64-bit view names them: a 64-bit installer's
    ; $PROGRAMFILES32 may be the 64-bit one.
    SetRegView 64
    ReadRegStr $4 HKLM "Software\Microsoft\Windows\CurrentVersion" "ProgramFilesDir"
    ReadRegStr $5 HKLM "Software\Microsoft\Windows\CurrentVersion" "ProgramFilesDir (x86)"
    SetRegView ${REG_VIEW}
    !insertmacro IF_IN_FOLDER $4 inside
    ${If} $5 != ""
        !insertmacro IF_IN_FOLDER $5 inside
    ${EndIf}

    ; A 32-bit installer on 64-bit Windows would be sent to the 32-bit system folder.
    StrCpy $1 "$SYSDIR\icacls.exe"
    !if "${ARCH}" == "x86"
        ${IfThen} ${RunningX64} ${|} StrCpy $1 "$WINDIR\Sysnative\icacls.exe" ${|}
    !endif
    !insertmacro ICACLS "/setowner ${ADMINISTRATORS}"
    !insertmacro ICACLS "/reset"
    !insertmacro ICACLS "/inheritance:r /grant:r ${ADMINISTRATORS}:(OI)(CI)F \
                         ${LOCAL_SYSTEM}:(OI)(CI)F ${USERS}:(OI)(CI)RX"
    inside:
FunctionEnd
