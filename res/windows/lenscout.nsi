; The Windows installer: lenscout.exe, lenscout-cli.exe and lenscout-scan.exe
; in Program Files, a Start-menu entry, an uninstaller, and a Windows
; Firewall rule for each program that lets the cameras' replies (UDP,
; DISCOVERY_PORTS) in. Without them the firewall drops the replies and the
; list stays empty. The rules hold in every profile and from any address: a
; camera in another subnet (the factory address) must still be heard. Safe
; to run again: it closes a running Lenscout first, and keeps the folder
; the user chose. Built by tools/package --windows, which defines VERSION, DISCOVERY_PORTS,
; STAGE (the folder of the files), ICON_DIR and OUTFILE.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

; The program's languages; the installer speaks the user's, else English.
LoadLanguageFile "${NSISDIR}\Contrib\Language files\English.nlf"
LoadLanguageFile "${NSISDIR}\Contrib\Language files\SimpChinese.nlf"
LoadLanguageFile "${NSISDIR}\Contrib\Language files\TradChinese.nlf"
LoadLanguageFile "${NSISDIR}\Contrib\Language files\German.nlf"
LangString UploadRunning ${LANG_ENGLISH} "Lenscout is putting new firmware on a camera. Wait until the upload has ended, then run this again."
LangString UploadRunning ${LANG_SIMPCHINESE} "Lenscout 正在向摄像机写入新固件。请等待上传结束后再运行本程序。"
LangString UploadRunning ${LANG_TRADCHINESE} "Lenscout 正在向攝像機寫入新固件。請等待上傳結束後再執行本程式。"
LangString UploadRunning ${LANG_GERMAN} "Lenscout spielt gerade neue Firmware auf eine Kamera. Bitte warten, bis das Hochladen beendet ist, und dann erneut starten."
LangString Running ${LANG_ENGLISH} "Lenscout is running. OK closes it and goes on."
LangString Running ${LANG_SIMPCHINESE} "Lenscout 正在运行。按“确定”将其关闭并继续。"
LangString Running ${LANG_TRADCHINESE} "Lenscout 正在執行。按「確定」將其關閉並繼續。"
LangString Running ${LANG_GERMAN} "Lenscout läuft. OK beendet es und fährt fort."
LangString NotClosing ${LANG_ENGLISH} "Lenscout does not close. Close it from its tray icon, then run this again."
LangString NotClosing ${LANG_SIMPCHINESE} "Lenscout 无法关闭。请从其托盘图标退出，然后再运行本程序。"
LangString NotClosing ${LANG_TRADCHINESE} "Lenscout 無法關閉。請從其系統匣圖示結束，然後再執行本程式。"
LangString NotClosing ${LANG_GERMAN} "Lenscout lässt sich nicht beenden. Bitte über das Symbol im Infobereich beenden und dann erneut starten."

Name "Lenscout"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Lenscout"
InstallDirRegKey HKLM "Software\Lenscout" "InstallDir"
RequestExecutionLevel admin
Icon "${ICON_DIR}\lenscout.ico"
UninstallIcon "${ICON_DIR}\lenscout.ico"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Lenscout"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Lenscout installer"
VIAddVersionKey "LegalCopyright" "Lenscout developers"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lenscout"
!define FIREWALL_RULE 'name="Lenscout" dir=in program="$INSTDIR\lenscout.exe"'
!define FIREWALL_RULE_CLI 'name="Lenscout command line" dir=in program="$INSTDIR\lenscout-cli.exe"'
!define FIREWALL_RULE_SCAN 'name="Lenscout scanner" dir=in program="$INSTDIR\lenscout-scan.exe"'
!define WM_CLOSE 0x0010

; A reinstall replaces a rule rather than adding a second one.
!macro ReplaceFirewallRule RULE
  nsExec::ExecToLog '"$SYSDIR\netsh.exe" advfirewall firewall delete rule ${RULE}'
  Pop $0
  nsExec::ExecToLog '"$SYSDIR\netsh.exe" advfirewall firewall add rule ${RULE} action=allow protocol=UDP localport=${DISCOVERY_PORTS} profile=any'
  Pop $0
!macroend
!macro DeleteFirewallRule RULE
  nsExec::ExecToLog '"$SYSDIR\netsh.exe" advfirewall firewall delete rule ${RULE}'
  Pop $0
!macroend

; A Lenscout that is putting firmware on a camera holds this event: closing
; it then could leave the camera without firmware, so the user is asked to
; wait and nothing is changed.
!macro WaitForUpload
  System::Call 'kernel32::OpenEventW(i 0x00100000, i 0, w "Local\Lenscout.Uploading") p .r0'
  IntPtrCmp $0 0 lenscout_no_upload
  System::Call 'kernel32::CloseHandle(p r0)'
  MessageBox MB_OK|MB_ICONEXCLAMATION "$(UploadRunning)" /SD IDOK
  SetErrorLevel 3
  Quit
  lenscout_no_upload:
!macroend

; A running Lenscout, found by its main window's own class (never by a
; title), is asked to close; files in use could not be replaced or removed.
!macro CloseRunningLenscout
  FindWindow $0 "LenscoutMainWindow"
  StrCmp $0 0 lenscout_closed
  MessageBox MB_OKCANCEL|MB_ICONEXCLAMATION "$(Running)" /SD IDOK IDOK lenscout_close
  Abort
  lenscout_close:
  SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=2000
  StrCpy $1 0
  lenscout_wait:
    Sleep 250
    FindWindow $0 "LenscoutMainWindow"
    StrCmp $0 0 lenscout_closed
    IntOp $1 $1 + 1
    IntCmp $1 40 0 lenscout_wait 0
  MessageBox MB_OK|MB_ICONSTOP "$(NotClosing)" /SD IDOK
  Abort
  lenscout_closed:
!macroend
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  SetRegView 64
  SetShellVarContext all
  !insertmacro WaitForUpload
  !insertmacro CloseRunningLenscout
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
  !insertmacro WaitForUpload
  !insertmacro CloseRunningLenscout
FunctionEnd

; A reinstall to another folder takes the old folder's files and rules away
; first, by the folder the registry remembers: two copies, each with its
; own firewall exception, would leave one nobody updates.
!macro RemoveEarlierFolder
  ReadRegStr $R0 HKLM "Software\Lenscout" "InstallDir"
  StrCmp $R0 "" lenscout_no_earlier
  StrCmp $R0 $INSTDIR lenscout_no_earlier
  IfFileExists "$R0\lenscout.exe" 0 lenscout_no_earlier
  !insertmacro DeleteFirewallRule 'name="Lenscout" dir=in program="$R0\lenscout.exe"'
  !insertmacro DeleteFirewallRule 'name="Lenscout command line" dir=in program="$R0\lenscout-cli.exe"'
  !insertmacro DeleteFirewallRule 'name="Lenscout scanner" dir=in program="$R0\lenscout-scan.exe"'
  Delete "$R0\lenscout.exe"
  Delete "$R0\lenscout-cli.exe"
  Delete "$R0\lenscout-scan.exe"
  Delete "$R0\README.txt"
  Delete "$R0\uninstall.exe"
  RMDir "$R0"
  lenscout_no_earlier:
!macroend

; lenscout.exe holds a firewall exception: in a folder of the user's choice
; outside Program Files, whoever may write there could swap it for another
; program that then has the exception. Such a folder inherits nothing, and
; only administrators and the system may write in it.
!macro LockFolderOutsideProgramFiles
  StrLen $R1 "$PROGRAMFILES64\"
  StrCpy $R2 "$INSTDIR\" $R1
  StrCmp $R2 "$PROGRAMFILES64\" lenscout_locked
  nsExec::ExecToLog '"$SYSDIR\icacls.exe" "$INSTDIR" /inheritance:r /grant:r *S-1-5-32-544:(OI)(CI)F *S-1-5-18:(OI)(CI)F *S-1-5-32-545:(OI)(CI)RX'
  Pop $0
  lenscout_locked:
!macroend

Section "Lenscout"
  !insertmacro RemoveEarlierFolder
  SetOutPath "$INSTDIR"
  !insertmacro LockFolderOutsideProgramFiles
  File "${STAGE}\lenscout.exe"
  File "${STAGE}\lenscout-cli.exe"
  File "${STAGE}\lenscout-scan.exe"
  File "${STAGE}\README.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Lenscout.lnk" "$INSTDIR\lenscout.exe"

  !insertmacro ReplaceFirewallRule '${FIREWALL_RULE}'
  !insertmacro ReplaceFirewallRule '${FIREWALL_RULE_CLI}'
  !insertmacro ReplaceFirewallRule '${FIREWALL_RULE_SCAN}'
  WriteRegStr HKLM "Software\Lenscout" "InstallDir" "$INSTDIR"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Lenscout"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\lenscout.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  !insertmacro DeleteFirewallRule '${FIREWALL_RULE_CLI}'
  !insertmacro DeleteFirewallRule '${FIREWALL_RULE_SCAN}'
  !insertmacro DeleteFirewallRule '${FIREWALL_RULE}'
  DeleteRegKey HKLM "Software\Lenscout"
  Delete "$SMPROGRAMS\Lenscout.lnk"
  Delete "$INSTDIR\lenscout.exe"
  Delete "$INSTDIR\lenscout-cli.exe"
  Delete "$INSTDIR\lenscout-scan.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  ; Each user's settings stay in their own %APPDATA%\Lenscout.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
