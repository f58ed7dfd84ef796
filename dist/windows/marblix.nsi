; The Marblix installer: a per-user install into %LOCALAPPDATA%\Programs\Marblix without
; administrator rights, a Start-menu shortcut and an uninstaller in the user's Apps list that
; leaves the player's scores (%APPDATA%\Marblix) and setting in place. /S installs silently.
; makensis -DVERSION=... -DSTAGE=<release folder> -DICON=<marblix.ico> -DOUTFILE=<setup.exe>
; -DLANGUAGES=<languages.nsh> names the pages' languages and the installer's own texts in each, made
; from po/ by scripts/catalogues.py; the installer starts in the user's language where it has it.
Target amd64-unicode
Unicode true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"

!define APPKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Marblix"

Name "Marblix"
Caption "$(MarblixCaption)"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Marblix"
InstallDirRegKey HKCU "${APPKEY}" "InstallLocation"
ShowInstDetails nevershow
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Marblix"
VIAddVersionKey "CompanyName" "Quorvane"
VIAddVersionKey "FileDescription" "Marblix installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 Quorvane"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!include "${LANGUAGES}"

Section "Marblix"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; The shortcut starts the game in its own folder, which the uninstaller there marks as an
  ; installation: the player's files go to %APPDATA%\Marblix.
  CreateShortcut "$SMPROGRAMS\Marblix.lnk" "$INSTDIR\marblix.exe" "" "$INSTDIR\marblix.exe" 0
  WriteRegStr HKCU "${APPKEY}" "DisplayName" "Marblix"
  WriteRegStr HKCU "${APPKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${APPKEY}" "Publisher" "Quorvane"
  WriteRegStr HKCU "${APPKEY}" "DisplayIcon" "$INSTDIR\marblix.exe"
  WriteRegStr HKCU "${APPKEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${APPKEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${APPKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${APPKEY}" "NoModify" 1
  WriteRegDWORD HKCU "${APPKEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there goes: a folder the player chose that held other files keeps them.
Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\Marblix.lnk"
  Delete "$INSTDIR\marblix.exe"
  Delete "$INSTDIR\SDL2.dll"
  Delete "$INSTDIR\SDL2_mixer.dll"
  Delete "$INSTDIR\libepoxy-0.dll"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\strings.txt"
  Delete "$INSTDIR\sounds.txt"
  RMDir /r "$INSTDIR\graphics"
  RMDir /r "$INSTDIR\sounds"
  RMDir /r "$INSTDIR\music"
  RMDir /r "$INSTDIR\lang"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${APPKEY}"
SectionEnd
