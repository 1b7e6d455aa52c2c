; The Windows installer: driftglyph.scr into the 64-bit system folder, where
; Windows' screen-saver settings list it, optionally chosen as the active
; screen saver, with an uninstaller. Silent with /S. A 64-bit installer, like
; the program: it sees the real system folder and registry.
;   makensis -DSCR=path\to\driftglyph.scr -DOUT=driftglyph-setup.exe driftglyph.nsi
Unicode true
Target amd64-unicode
!include "MUI2.nsh"

Name "Driftglyph"
OutFile "${OUT}"
RequestExecutionLevel admin
InstallDir "$PROGRAMFILES64\Driftglyph"
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Driftglyph"

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Driftglyph" SecMain
  SectionIn RO
  SetOutPath "$SYSDIR"
  File "/oname=driftglyph.scr" "${SCR}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Driftglyph"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "1.0.0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Driftglyph"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "スクリーンセーバーに設定する" SecActive
  WriteRegStr HKCU "Control Panel\Desktop" "SCRNSAVE.EXE" "$WINDIR\System32\driftglyph.scr"
  WriteRegStr HKCU "Control Panel\Desktop" "ScreenSaveActive" "1"
SectionEnd

Section "Uninstall"
  Delete "$SYSDIR\driftglyph.scr"
  ; Chosen as the screen saver: the choice goes with the program.
  ReadRegStr $0 HKCU "Control Panel\Desktop" "SCRNSAVE.EXE"
  StrCmp $0 "$WINDIR\System32\driftglyph.scr" 0 +3
    DeleteRegValue HKCU "Control Panel\Desktop" "SCRNSAVE.EXE"
    WriteRegStr HKCU "Control Panel\Desktop" "ScreenSaveActive" "0"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
