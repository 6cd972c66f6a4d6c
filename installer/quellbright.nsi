; The Quellbright installer. Built by the `installer` target of the Windows
; build (scripts/package.sh), which passes:
;   VERSION      the product version, "2.0"
;   PROGRAM_DIR  the built program folder: quellbright.exe, its console
;                companion quellbright.com, CLSIDs.txt and, when the build
;                made one, help.chm
;   ICON         the program's icon
;   OUT_FILE     the installer to write
;
; Installing over an earlier installation replaces the program and the
; known-object database and never touches the user's lists (ICLSIDs.txt,
; BCLSIDs.txt) or the backup folder. The uninstaller keeps those too unless
; the user ticks "Lists and backups". Each install writes the current user's
; autostart entry, unless that user turned "Start with windows" off; the
; uninstaller removes it.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!define PRODUCT "Quellbright"
; The maker, as the program's version resource names it.
!define PUBLISHER "Tarnwick Company"
!define MAKER_SITE "http://www.tarnwick.example/"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The program's settings, in the current user's hive.
!define SETTINGS_KEY "Software\Tarnwick\${PRODUCT}"
!define UNINSTALLER "Uninstall.exe"
; The single-instance rule of the program: its main window.
!define MAIN_CLASS "TOrvex"
!define MAIN_CAPTION ": Quellbright :"
; How long a silent run waits for a running copy to close, in 250 ms steps.
!define CLOSE_WAIT_STEPS 40
; The exit code of a run that stopped because a copy was still running.
!define EXIT_STILL_RUNNING 3
; The exit code of a run without administrator rights.
!define EXIT_NOT_ADMIN 4

!include "MUI2.nsh"
!include "LogicLib.nsh"

Name "${PRODUCT}"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; A new version goes where the last one went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_UNABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP \
  "The lists of ignored and blocked objects and the backups of removed objects are kept unless you tick them."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Asks a running copy to close; never ends it. Interactively the user closes
; it and retries, or cancels; a silent run posts it a close request, which it
; handles when it is free, and waits a bounded time. A copy whose main window
; is disabled shows a dialog: the user is in the middle of something, so it
; gets no request and the run ends when the time is up.
!macro CLOSE_RUNNING_COPY UN
Function ${UN}CloseRunningCopy
  Push $0
  Push $1
  Push $2
  StrCpy $1 0   ; steps waited
  StrCpy $2 0   ; close request posted
  ${Do}
    FindWindow $0 "${MAIN_CLASS}" "${MAIN_CAPTION}"
    ${If} $0 == 0
      ${Break}
    ${EndIf}
    ${IfNot} ${Silent}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${PRODUCT} is running.$\r$\n$\r$\nPlease close it, then press Retry.$\r$\nPress Cancel to stop here; nothing has been changed." \
        /SD IDCANCEL IDRETRY retry
      SetErrorLevel ${EXIT_STILL_RUNNING}
      Quit
      retry:
      Sleep 500   ; the process ends a moment after its window
      ${Continue}
    ${EndIf}
    ${If} $1 >= ${CLOSE_WAIT_STEPS}
      SetErrorLevel ${EXIT_STILL_RUNNING}
      Quit
    ${EndIf}
    ${If} $2 == 0
      System::Call "user32::IsWindowEnabled(p r0) i .r2"
      ${If} $2 != 0
        System::Call "user32::PostMessageW(p r0, i 0x0010, p 0, p 0)"
      ${EndIf}
    ${EndIf}
    Sleep 250
    IntOp $1 $1 + 1
  ${Loop}
  ; The window is gone; let the process finish so that its file is free.
  Sleep 500
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_COPY ""
!insertmacro CLOSE_RUNNING_COPY "un."

!macro REQUIRE_ADMIN
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    MessageBox MB_OK|MB_ICONSTOP \
      "Installing or removing ${PRODUCT} needs administrator rights.$\r$\nPlease run this program as an administrator." \
      /SD IDOK
    SetErrorLevel ${EXIT_NOT_ADMIN}
    Quit
  ${EndIf}
!macroend

Function .onInit
  SetRegView 64
  SetShellVarContext all
  !insertmacro REQUIRE_ADMIN
  Call CloseRunningCopy
FunctionEnd

Section "${PRODUCT}" SecProgram
  SectionIn RO
  ; Asked again: the copy may have been started while the pages were shown.
  Call CloseRunningCopy
  SetOutPath "$INSTDIR"
  SetOverwrite on
  File "${PROGRAM_DIR}/quellbright.exe"
  File "${PROGRAM_DIR}/quellbright.com"
  File "${PROGRAM_DIR}/CLSIDs.txt"
  !if /FileExists "${PROGRAM_DIR}/help.chm"
    File "${PROGRAM_DIR}/help.chm"
  !endif
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\quellbright.exe" "" \
    "$INSTDIR\quellbright.exe" 0

  ; "Start with windows" is on until the user clears it (the program then
  ; stores "0"), so the guard starts at the next logon. The entry is the one
  ; the options dialog writes, in HKCU of the user who runs the installer.
  ReadRegStr $0 HKCU "${SETTINGS_KEY}" "StartWW"
  ${If} $0 == "0"
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  ${Else}
    WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\quellbright.exe" NoHint'
  ${EndIf}

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${MAKER_SITE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quellbright.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; Kilobytes, as "Add or remove programs" shows them.
  SectionGetSize ${SecProgram} $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
  !insertmacro REQUIRE_ADMIN
  Call un.CloseRunningCopy
FunctionEnd

Section "un.${PRODUCT}" UnSecProgram
  SectionIn RO
  Call un.CloseRunningCopy
  Delete "$INSTDIR\quellbright.exe"
  Delete "$INSTDIR\quellbright.com"
  Delete "$INSTDIR\CLSIDs.txt"
  Delete "$INSTDIR\help.chm"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  ; The autostart entry the program's options write for the current user.
  DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
SectionEnd

; Off unless ticked, so a silent uninstall keeps them.
Section /o "un.Lists and backups" UnSecUserData
  Delete "$INSTDIR\ICLSIDs.txt"
  Delete "$INSTDIR\BCLSIDs.txt"
  RMDir /r "$INSTDIR\backup"
SectionEnd

; Last, so that the entry stays while anything of the program is left.
Section "-un.Entry"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Removed only when empty: kept lists keep their folder.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
