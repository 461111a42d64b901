; A running copy of the program keeps its file locked and swallows "/t" as a second instance: the
; installer and the uninstaller close it first, or fail. It is found by its top-level window,
; captioned "Tavemark Chronalign", that is either of the program's window class or, for older
; versions whose class was made up at run time, of a process whose image is the installed
; program. Explorer's window on the install folder has the same caption and is left alone.

!define PROCESS_QUERY_LIMITED_INFORMATION 0x1000
!define SYNCHRONIZE 0x00100000
!define WAIT_OBJECT_0 0
!define ERROR_SHARING_VIOLATION 32
; A window still there this long after it was asked to close has not taken the request (a
; message box is open, or it hangs). Once its window is gone the program may still be
; restarting Windows Time, up to 30 s each for stop and start.
!define WINDOW_CLOSE_SECONDS 10
!define PROGRAM_END_SECONDS 65

!macro RUNNING_PROGRAM_FUNCTIONS un
    ; Whether the window in $0 is the program's: $1 is 1 if so, and $2 a handle of its process
    ; (0 when it could not be opened), which the caller closes.
    Function ${un}IsProgramWindow
        System::Call "user32::GetWindowThreadProcessId(p r0, *i .r3)"
        System::Call "kernel32::OpenProcess(i ${PROCESS_QUERY_LIMITED_INFORMATION}|${SYNCHRONIZE}, \
                                            i 0, i r3) p .r2"
        System::Call "user32::GetClassNameW(p r0, w .r3, i ${NSIS_MAX_STRLEN})"
        StrCpy $1 0
        ${If} $3 S== "${WINDOW_CLASS}"
            StrCpy $1 1
        ${ElseIf} $2 P<> 0
            System::Call "kernel32::QueryFullProcessImageNameW(p r2, i 0, w .r3, \
                                                               *i ${NSIS_MAX_STRLEN}) i .r4"
            ; Paths compare without regard to case, as "==" does.
            ${If} $4 <> 0
            ${AndIf} $3 == "$INSTDIR\${EXE}"
                StrCpy $1 1
            ${EndIf}
        ${EndIf}
        ${If} $1 = 0
        ${AndIf} $2 P<> 0
            System::Call "kernel32::CloseHandle(p r2)"
        ${EndIf}
    FunctionEnd

    ; Asks the window in $0, of the process whose handle is in $2 (or 0), to close and waits for
    ; the process to end: $1 is 1 when it ended.
    Function ${un}CloseProgramWindow
        DetailPrint "Closing the running ${PRODUCT}"
        SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
        StrCpy $1 0
        StrCpy $3 0
        ${DoUntil} $3 >= ${PROGRAM_END_SECONDS}
            ${If} $2 P<> 0
                System::Call "kernel32::WaitForSingleObject(p r2, i 1000) i .r4"
                ${IfThen} $4 = ${WAIT_OBJECT_0} ${|} StrCpy $1 1 ${|}
            ${Else}
                Sleep 1000
            ${EndIf}
            IntOp $3 $3 + 1
            System::Call "user32::IsWindow(p r0) i .r5"
            ${If} $5 = 0
                ; Without a handle the window's end has to do: the file check comes after.
                ${IfThen} $2 P= 0 ${|} StrCpy $1 1 ${|}
            ${ElseIf} $3 >= ${WINDOW_CLOSE_SECONDS}
                ${ExitDo}
            ${EndIf}
            ${IfThen} $1 = 1 ${|} ${ExitDo} ${|}
        ${Loop}
        ${IfThen} $2 P<> 0 ${|} System::Call "kernel32::CloseHandle(p r2)" ${|}
    FunctionEnd

    ; Closes every running copy; when one stays, offers Retry and Cancel, and fails silently.
    Function ${un}CloseRunningProgram
        retry:
        StrCpy $0 0
        ${Do}
            FindWindow $0 "" "${WINDOW_CAPTION}" "" $0
            ${IfThen} $0 P= 0 ${|} ${ExitDo} ${|}
            Call ${un}IsProgramWindow
            ${If} $1 = 1
                Call ${un}CloseProgramWindow
                ${IfThen} $1 = 0 ${|} Goto running ${|}
                ; The list of windows has changed: from the top again.
                StrCpy $0 0
            ${EndIf}
        ${Loop}

        ; A copy not found by a window (one in another session, say) still holds its file.
        ${IfNot} ${FileExists} "$INSTDIR\${EXE}"
            Return
        ${EndIf}
        ClearErrors
        FileOpen $0 "$INSTDIR\${EXE}" a
        ${IfNot} ${Errors}
            FileClose $0
            Return
        ${EndIf}

        running:
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "${PRODUCT} is still running.$\r$\n$\r$\nClose it (also where another user runs it), \
            then choose Retry." /SD IDCANCEL IDRETRY retry
        !insertmacro FAIL ${ERROR_SHARING_VIOLATION} "${PRODUCT} is still running"
    FunctionEnd
!macroend
!insertmacro RUNNING_PROGRAM_FUNCTIONS ""
!insertmacro RUNNING_PROGRAM_FUNCTIONS "un."
