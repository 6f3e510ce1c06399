; Installer of Tetherly!: tetherly-setup.exe, built by the build from this
; script with Debian's makensis (see CMakeLists.txt beside it).
;   makensis -DEXE=path\tetherly.exe -DVERSION=1.0.0 -DOUTFILE=tetherly-setup.exe tetherly.nsi
; Silent install: tetherly-setup.exe /S [/WINSTART]   (/WINSTART: start with Windows)
; Silent uninstall: uninstall.exe /S                   (keeps the settings)

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include StrFunc.nsh
${StrLoc}

!ifndef EXE | VERSION | OUTFILE
  !error "EXE, VERSION and OUTFILE must be defined"
!endif

!define PRODUCT "Tetherly!"
!define PUBLISHER "Quillmark"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tetherly"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "SOFTWARE\Quillmark\Tetherly"
!define SETTINGS_OBJECT "MACHINE\SOFTWARE\Quillmark\Tetherly"
; The entry earlier versions added for the local Users group on the settings
; key (read, write and delete, reaching the keys below it); upgrades remove it.
!define OLD_USERS_ACE "(A;CI;CCDCLCSWRPSDRC;;;BU)"
!define EXIT_COMMAND 32771

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tetherly"
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
RequestExecutionLevel admin
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Quillmark"

Var StartWithWindows

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_SHOWREADME
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Start Tetherly! with Windows"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION StartWithWindowsChosen
!define MUI_FINISHPAGE_RUN "$INSTDIR\tetherly.exe"
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetShellVarContext all
  StrCpy $StartWithWindows 0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/WINSTART" $1
  ${IfNot} ${Errors}
    StrCpy $StartWithWindows 1
  ${EndIf}
FunctionEnd

; The Run entry is quoted: under "Program Files" an unquoted path would make
; Windows try "C:\Program.exe" first. "WinStart" keeps the program's own
; option in step with it.
Function WriteRunEntry
  WriteRegStr HKLM "${RUN_KEY}" "Tetherly" '"$INSTDIR\tetherly.exe"'
  WriteRegDWORD HKLM "${SETTINGS_KEY}\Settings" "WinStart" 1
FunctionEnd

Function StartWithWindowsChosen
  Call WriteRunEntry
FunctionEnd

; Creates the settings key with the rights it inherits. A standard user's
; settings go to that user's own copy under HKEY_CURRENT_USER, so no account
; is given more on this key: what it holds (the programs Tetherly! starts)
; must stay an administrator's choice for every user.
Function CreateSettingsKey
  ; RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, NULL, 0, KEY_READ, NULL, &key, NULL)
  System::Call 'advapi32::RegCreateKeyExW(p 0x80000002, w "${SETTINGS_KEY}", i 0, p 0, i 0, i 0x20019, p 0, *p .r1, p 0) i .r0'
  ${If} $0 != 0
    DetailPrint "Could not create HKLM\${SETTINGS_KEY} (error $0)"
    Return
  ${EndIf}
  System::Call 'advapi32::RegCloseKey(p r1)'
FunctionEnd

; Earlier versions gave the local Users group modify rights on the settings
; key. An upgrade takes out that one entry of the key's access list and
; leaves every other entry as it is.
Function RemoveOldUsersGrant
  ; The DACL as text: DACL_SECURITY_INFORMATION (4) of a registry key (4).
  System::Call 'advapi32::GetNamedSecurityInfoW(w "${SETTINGS_OBJECT}", i 4, i 4, p 0, p 0, *p .r2, p 0, *p .r3) i .r0'
  ${If} $0 != 0
    Return  ; no key, nothing granted
  ${EndIf}
  System::Call 'advapi32::ConvertSecurityDescriptorToStringSecurityDescriptorW(p r3, i 1, i 4, *p .r4, p 0) i .r0'
  System::Call 'kernel32::LocalFree(p r3)'
  ${If} $0 == 0
    DetailPrint "Could not read the rights of HKLM\${SETTINGS_KEY}"
    Return
  ${EndIf}
  System::Call '*$4(&w${NSIS_MAX_STRLEN} .r5)'
  System::Call 'kernel32::LocalFree(p r4)'
  ${StrLoc} $6 $5 "${OLD_USERS_ACE}" ">"
  ${If} $6 == ""
    Return
  ${EndIf}
  StrLen $7 "${OLD_USERS_ACE}"
  StrCpy $8 $5 $6
  IntOp $6 $6 + $7
  StrCpy $9 $5 "" $6
  StrCpy $5 "$8$9"
  System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(w r5, i 1, *p .r6, p 0) i .r0'
  ${If} $0 == 0
    DetailPrint "Could not build the rights for HKLM\${SETTINGS_KEY}"
    Return
  ${EndIf}
  System::Call 'advapi32::GetSecurityDescriptorDacl(p r6, *i .r7, *p .r8, *i .r9) i .r0'
  System::Call 'advapi32::SetNamedSecurityInfoW(w "${SETTINGS_OBJECT}", i 4, i 4, p 0, p 0, p r8, p 0) i .r0'
  System::Call 'kernel32::LocalFree(p r6)'
  ${If} $0 != 0
    DetailPrint "Could not take the Users group's rights off HKLM\${SETTINGS_KEY} (error $0)"
  ${EndIf}
FunctionEnd

Section "Tetherly!"
  SetOutPath "$INSTDIR"
  Call EndRunningTetherly
  File "/oname=tetherly.exe" "${EXE}"
!ifdef HELP
  File "/oname=tetherly.chm" "${HELP}"
!endif
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Tetherly!.lnk" "$INSTDIR\tetherly.exe" "" "$INSTDIR\tetherly.exe" 0

  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" '"$INSTDIR\tetherly.exe",0'
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0

  Call CreateSettingsKey
  Call RemoveOldUsersGrant
  ${If} $StartWithWindows == 1
    Call WriteRunEntry
  ${EndIf}
SectionEnd

; Ends a running Tetherly! the way its tray menu would: the Exit command to
; its hidden "Online Status Report" window. The first Exit only closes an
; open wizard or configuration dialog, so it is sent until the window is gone.
!macro END_RUNNING_TETHERLY un
Function ${un}EndRunningTetherly
  StrCpy $R0 0
  ${Do}
    FindWindow $0 "#32770" "Online Status Report"
    ${If} $0 == 0
      ${Break}
    ${EndIf}
    SendMessage $0 ${WM_COMMAND} ${EXIT_COMMAND} 0 /TIMEOUT=10000
    Sleep 300
    IntOp $R0 $R0 + 1
  ${LoopUntil} $R0 >= 10
FunctionEnd
!macroend
!insertmacro END_RUNNING_TETHERLY ""
!insertmacro END_RUNNING_TETHERLY "un."

; The program may take a moment to end after its window went: retries
; before the file counts as in use.
!macro DELETE_WHEN_FREE path
  StrCpy $R1 0
  ${Do}
    ClearErrors
    Delete "${path}"
    ${IfNot} ${Errors}
      ${Break}
    ${EndIf}
    Sleep 250
    IntOp $R1 $R1 + 1
  ${LoopUntil} $R1 >= 40
!macroend

Function un.onInit
  SetShellVarContext all
FunctionEnd

Section "Uninstall"
  Call un.EndRunningTetherly
  !insertmacro DELETE_WHEN_FREE "$INSTDIR\tetherly.exe"
  Delete "$INSTDIR\tetherly.chm"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Tetherly!.lnk"
  DeleteRegValue HKLM "${RUN_KEY}" "Tetherly"
  ; A user's own copy of the settings can hold an entry too; that of the
  ; account uninstalling is reached here.
  DeleteRegValue HKCU "${RUN_KEY}" "Tetherly"
  ; Kept settings must not claim a start with Windows that no longer happens.
  ReadRegDWORD $0 HKLM "${SETTINGS_KEY}\Settings" "WinStart"
  ${If} $0 == 1
    WriteRegDWORD HKLM "${SETTINGS_KEY}\Settings" "WinStart" 0
  ${EndIf}
  ReadRegDWORD $0 HKCU "${SETTINGS_KEY}\Settings" "WinStart"
  ${If} $0 == 1
    WriteRegDWORD HKCU "${SETTINGS_KEY}\Settings" "WinStart" 0
  ${EndIf}
  DeleteRegKey HKLM "${UNINST_KEY}"
  ; The settings stay unless the user asks otherwise (a silent uninstall keeps them).
  ${IfNot} ${Silent}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Remove your Tetherly! settings as well?$\n$\nChoose No to keep them for a later installation." \
      IDNO keep
    DeleteRegKey HKLM "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKLM "SOFTWARE\Quillmark"
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "SOFTWARE\Quillmark"
    keep:
  ${EndIf}
SectionEnd
