; The Windows installer: lenscout.exe, lenscout-cli.exe and lenscout-scan.exe
; in Program Files, a Start-menu entry, an uninstaller, and a Windows
; Firewall rule that lets the cameras' replies (UDP, DISCOVERY_PORTS) in to
; lenscout.exe. Without that rule the firewall drops them and the list
; stays empty. Built by tools/package --windows, which defines VERSION, DISCOVERY_PORTS,
; STAGE (the folder of the files), ICON_DIR and OUTFILE.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

Name "Lenscout"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Lenscout"
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

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Lenscout"
  SetOutPath "$INSTDIR"
  File "${STAGE}\lenscout.exe"
  File "${STAGE}\lenscout-cli.exe"
  File "${STAGE}\lenscout-scan.exe"
  File "${STAGE}\README.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Lenscout.lnk" "$INSTDIR\lenscout.exe"

  ; A reinstall replaces the rule rather than adding a second one.
  nsExec::ExecToLog '"$SYSDIR\netsh.exe" advfirewall firewall delete rule ${FIREWALL_RULE}'
  Pop $0
  nsExec::ExecToLog '"$SYSDIR\netsh.exe" advfirewall firewall add rule ${FIREWALL_RULE} action=allow protocol=UDP localport=${DISCOVERY_PORTS} profile=any'
  Pop $0

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
  nsExec::ExecToLog '"$SYSDIR\netsh.exe" advfirewall firewall delete rule ${FIREWALL_RULE}'
  Pop $0
  Delete "$SMPROGRAMS\Lenscout.lnk"
  Delete "$INSTDIR\lenscout.exe"
  Delete "$INSTDIR\lenscout-cli.exe"
  Delete "$INSTDIR\lenscout-scan.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  ; The settings file stays: it lives where the program was started from.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
