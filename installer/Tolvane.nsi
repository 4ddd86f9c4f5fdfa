; Tolvane's installer, built by makensis from the staged files of one Windows
; build (cmake/Dist.cmake passes VERSION, ARCH, STAGE and OUTFILE). ARCH x86
; is the installer that ships; amd64 installs the 64-bit build, which is the
; one that can be tried on machines that cannot run 32-bit programs.
;
; Silent use: setup.exe /S [/NOSTARTUP] [/D=folder]; uninstall.exe /S.
; /NOSTARTUP leaves out the start-at-sign-in entry (the component of that
; name unticked), for a silent install or as the page's initial choice.

Unicode true

!ifndef VERSION | STAGE | OUTFILE | ARCH
  !error "makensis -DVERSION=x.y.z -DARCH=x86|amd64 -DSTAGE=folder -DOUTFILE=setup.exe Tolvane.nsi"
!endif

!if "${ARCH}" == "amd64"
  Target amd64-unicode
  !define PROGRAM_FILES "$PROGRAMFILES64"
!else
  Target x86-unicode
  !define PROGRAM_FILES "$PROGRAMFILES"
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include WinMessages.nsh

; ${If} ${IsUnderFolder} "folder": $INSTDIR is that folder or inside it
; (NSIS compares strings without regard to case, as Windows compares paths).
!macro _IsUnderFolder _a _b _t _f
  !insertmacro _LOGICLIB_TEMP
  StrLen $_LOGICLIB_TEMP `${_b}\`
  StrCpy $_LOGICLIB_TEMP `$INSTDIR\` $_LOGICLIB_TEMP
  StrCmp $_LOGICLIB_TEMP `${_b}\` `${_t}` `${_f}`
!macroend
!define IsUnderFolder `"" IsUnderFolder`

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tolvane"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The program's hidden main window and its tray menu's Exit command.
!define MAIN_WINDOW_CLASS "QorMainWndClass"
!define EXIT_COMMAND 40001

Name "Tolvane"
OutFile "${OUTFILE}"
InstallDir "${PROGRAM_FILES}\Tolvane"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ManifestDPIAware true
ManifestSupportedOS all
BrandingText "Tolvane ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Tolvane"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Tolvane ${VERSION} setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" ""

!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE "Tolvane ${VERSION} is installed"
!define MUI_FINISHPAGE_TEXT "Tolvane needs the handset maker's library QorHIDCtrl.dll, which comes with the handset and is not part of Tolvane. Copy it into$\r$\n$\r$\n$INSTDIR$\r$\n$\r$\nbeside Tolvane.exe, then start Tolvane from the Start menu."
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Asks a running Tolvane to exit the way its tray menu does and waits until
; the process has ended (it saves its settings after its window is gone), so
; that its files can be replaced or removed.
!macro DEFINE_CLOSE_TOLVANE prefix
Function ${prefix}CloseTolvane
  FindWindow $0 "${MAIN_WINDOW_CLASS}"
  ${If} $0 == 0
    Return
  ${EndIf}
  DetailPrint "Asking the running Tolvane to exit"
  System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
  ; SYNCHRONIZE
  System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2'
  System::Call 'user32::PostMessage(p r0, i ${WM_COMMAND}, p ${EXIT_COMMAND}, p 0)'
  ${If} $2 P<> 0
    System::Call 'kernel32::WaitForSingleObject(p r2, i 20000) i .r3'
    System::Call 'kernel32::CloseHandle(p r2)'
  ${EndIf}
  FindWindow $0 "${MAIN_WINDOW_CLASS}"
  ${If} $0 != 0
    MessageBox MB_ICONSTOP "Tolvane is still running. Exit it from its tray menu and run this again." /SD IDOK
    Abort
  ${EndIf}
FunctionEnd
!macroend
!insertmacro DEFINE_CLOSE_TOLVANE ""
!insertmacro DEFINE_CLOSE_TOLVANE "un."

; A folder outside Program Files inherits the rights of where it was made
; (at C:\ any user may add files), and an ordinary user could then replace
; the program, the uninstaller that the next upgrade runs elevated, or plant
; a QorHIDCtrl.dll beside it. Such a folder gets the rights of Program Files:
; administrators and SYSTEM full control, users read and execute, nothing
; inherited from above; the files in it inherit them.
Function SecureInstallFolder
  ${If} ${IsUnderFolder} "$PROGRAMFILES32"
  ${OrIf} ${IsUnderFolder} "$PROGRAMFILES64"
    Return
  ${EndIf}
  DetailPrint "Giving $INSTDIR the rights of Program Files"
  ; SDDL_REVISION_1
  System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(\
    w "D:PAI(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)", i 1, *p .r0, p 0) i .r1'
  ${If} $1 == 0
    DetailPrint "Could not set the rights of $INSTDIR"
    Return
  ${EndIf}
  System::Call 'advapi32::GetSecurityDescriptorDacl(p r0, *i .r2, *p .r3, *i .r4) i .r1'
  ; SE_FILE_OBJECT; DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION
  System::Call 'advapi32::SetNamedSecurityInfoW(w "$INSTDIR", i 1, i 0x80000004, p 0, p 0, p r3, p 0) i .r1'
  ${If} $1 != 0
    DetailPrint "Could not set the rights of $INSTDIR (error $1)"
  ${EndIf}
  System::Call 'kernel32::LocalFree(p r0)'
FunctionEnd

Section "Tolvane" SecProgram
  SectionIn RO
  Call CloseTolvane

  ; An earlier version goes first, through its own uninstaller: it removes
  ; its files and keeps a Tolvane.ini that holds the user's settings.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\uninstall.exe"
    DetailPrint "Removing the installed version from $0"
    ExecWait '"$0\uninstall.exe" /S _?=$0'
    Delete "$0\uninstall.exe"
    RMDir "$0"
  ${EndIf}

  SetOutPath "$INSTDIR"
  Call SecureInstallFolder
  File "${STAGE}\Tolvane.exe"
  File "${STAGE}\QorFontProcessLib.dll"
  File "${STAGE}\tolvane_active.ico"
  File "${STAGE}\tolvane_no_any.ico"
  File "${STAGE}\tolvane_no_handset.ico"
  File "${STAGE}\tolvane_no_skype.ico"
  File "${STAGE}\README.txt"
  ${IfNot} ${FileExists} "$INSTDIR\Tolvane.ini"
    File "${STAGE}\Tolvane.ini"
  ${EndIf}
  ; Tolvane writes its settings into Tolvane.ini beside itself, with the
  ; rights of the signed-in user (BUILTIN\Users is S-1-5-32-545).
  nsExec::Exec '"$SYSDIR\icacls.exe" "$INSTDIR\Tolvane.ini" /grant *S-1-5-32-545:M'
  Pop $0

  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Tolvane.lnk" "$INSTDIR\Tolvane.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tolvane"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Tolvane"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tolvane.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

  DeleteRegValue HKLM "${RUN_KEY}" "Tolvane"
  ${IfNot} ${FileExists} "$INSTDIR\QorHIDCtrl.dll"
    DetailPrint "Copy the handset maker's QorHIDCtrl.dll into $INSTDIR before starting Tolvane."
  ${EndIf}
SectionEnd

Section "Start Tolvane when signing in" SecStartAtSignIn
  WriteRegStr HKLM "${RUN_KEY}" "Tolvane" '"$INSTDIR\Tolvane.exe"'
SectionEnd

Function .onInit
  SetShellVarContext all
  ; An upgrade keeps the earlier choice about starting at sign-in.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $1 HKLM "${RUN_KEY}" "Tolvane"
  ${If} $0 != ""
  ${AndIf} $1 == ""
    !insertmacro UnselectSection ${SecStartAtSignIn}
  ${EndIf}
  ; The command line can say no to it; NSIS has no other way to choose
  ; components for a silent install.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/NOSTARTUP" $1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SecStartAtSignIn}
  ${EndIf}
FunctionEnd

; Pushes 1 when the two files (paths pushed first and second) hold the same
; bytes, else 0.
Function un.FilesEqual
  Exch $1
  Exch
  Exch $0
  Push $2
  Push $3
  Push $4
  Push $5
  StrCpy $5 0
  ClearErrors
  FileOpen $2 $0 r
  ${IfNot} ${Errors}
    FileOpen $3 $1 r
    ${IfNot} ${Errors}
      ${Do}
        ClearErrors
        FileReadByte $2 $4
        ${If} ${Errors}
          ClearErrors
          FileReadByte $3 $4
          ${If} ${Errors}
            StrCpy $5 1
          ${EndIf}
          ${Break}
        ${EndIf}
        FileReadByte $3 $0
        ${If} ${Errors}
        ${OrIf} $4 <> $0
          ${Break}
        ${EndIf}
      ${Loop}
      FileClose $3
    ${EndIf}
    FileClose $2
  ${EndIf}
  StrCpy $0 $5
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Exch
  Pop $1
  Exch $0
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

Section "Uninstall"
  Call un.CloseTolvane
  Delete "$INSTDIR\Tolvane.exe"
  Delete "$INSTDIR\QorFontProcessLib.dll"
  Delete "$INSTDIR\tolvane_active.ico"
  Delete "$INSTDIR\tolvane_no_any.ico"
  Delete "$INSTDIR\tolvane_no_handset.ico"
  Delete "$INSTDIR\tolvane_no_skype.ico"
  Delete "$INSTDIR\README.txt"

  ; Tolvane.ini goes only while it is still the file this version installed:
  ; once it holds the user's settings it is their data and stays.
  InitPluginsDir
  File "/oname=$PLUGINSDIR\Tolvane.ini" "${STAGE}\Tolvane.ini"
  Push "$INSTDIR\Tolvane.ini"
  Push "$PLUGINSDIR\Tolvane.ini"
  Call un.FilesEqual
  Pop $0
  ${If} $0 == 1
    Delete "$INSTDIR\Tolvane.ini"
  ${ElseIf} ${FileExists} "$INSTDIR\Tolvane.ini"
    DetailPrint "Kept $INSTDIR\Tolvane.ini: it holds your settings."
  ${EndIf}

  ; The diagnostic log and the crash dumps in each user's
  ; %LOCALAPPDATA%\Tolvane are that user's data: they stay.
  ; The handset maker's QorHIDCtrl.dll was put here by the user and stays;
  ; the folder goes when nothing else is left in it.
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Tolvane.lnk"
  DeleteRegValue HKLM "${RUN_KEY}" "Tolvane"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
