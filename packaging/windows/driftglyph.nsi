; The Windows installer: driftglyph.scr into the 64-bit system folder, where
; Windows' screen-saver settings list it, optionally chosen as the active
; screen saver, with an uninstaller. Silent with /S. A 64-bit installer, like
; the program: it sees the real system folder and registry.
;   makensis -DSCR=driftglyph.scr -DICO=driftglyph.ico -DLICENSES=licenses.txt
;            -DREADME=readme-ja.txt -DVERSION=1.0.0 -DOUT=driftglyph-setup.exe driftglyph.nsi
Unicode true
Target amd64-unicode
!include "MUI2.nsh"

Name "Driftglyph"
OutFile "${OUT}"
RequestExecutionLevel admin
InstallDir "$PROGRAMFILES64\Driftglyph"
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Driftglyph"
; The screen saver chosen before this one, given back on uninstall.
!define OWN_KEY "Software\Driftglyph"
!define DESKTOP_KEY "Control Panel\Desktop"

!define MUI_ICON "${ICO}"
!define MUI_UNICON "${ICO}"
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_CUSTOMFUNCTION_GUIINIT WidenNextButton
!define MUI_CUSTOMFUNCTION_UNGUIINIT un.WidenNextButton
!define MUI_WELCOMEPAGE_TEXT "Driftglyph は、コンピューターを使っていない間に単語とその意味を画面に動かして見せる、単語学習のスクリーンセーバーです。$\r$\n$\r$\nインストールを続けるには [次へ] を押してください。"
!insertmacro MUI_PAGE_WELCOME
!define MUI_LICENSEPAGE_TEXT_TOP "Driftglyph と、それに組み込まれた Qt と MinGW 実行時ライブラリのライセンスです。"
!insertmacro MUI_PAGE_LICENSE "${LICENSES}"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
; The stock label ("アンインストール元:") is cut beside the folder.
!define MUI_UNCONFIRMPAGE_TEXT_LOCATION "場所:"
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

; Full-width, as every other text: the stock one is in half-width katakana.
UninstallButtonText "アンインストール(&U)"

Function .onInit
  SetRegView 64
FunctionEnd

; The Next button is sized for English: "インストール(I)" and
; "アンインストール(U)" would be cut. It grows by two thirds to the left,
; and the Back button moves with it.
!macro WIDEN_NEXT_BUTTON
  GetDlgItem $0 $HWNDPARENT 1
  GetDlgItem $1 $HWNDPARENT 3
  System::Call '*(i, i, i, i) p.r2'
  System::Call 'user32::GetWindowRect(p r0, p r2)'
  System::Call 'user32::MapWindowPoints(p 0, p $HWNDPARENT, p r2, i 2)'
  System::Call '*$2(i .r3, i .r4, i .r5, i .r6)'
  IntOp $7 $5 - $3
  IntOp $8 $7 * 2
  IntOp $8 $8 / 3
  IntOp $3 $3 - $8
  IntOp $7 $7 + $8
  IntOp $6 $6 - $4
  ; SWP_NOZORDER | SWP_NOACTIVATE, and SWP_NOSIZE for the Back button
  System::Call 'user32::SetWindowPos(p r0, p 0, i r3, i r4, i r7, i r6, i 0x14)'
  System::Call 'user32::GetWindowRect(p r1, p r2)'
  System::Call 'user32::MapWindowPoints(p 0, p $HWNDPARENT, p r2, i 2)'
  System::Call '*$2(i .r3, i .r4)'
  IntOp $3 $3 - $8
  System::Call 'user32::SetWindowPos(p r1, p 0, i r3, i r4, i 0, i 0, i 0x15)'
  System::Free $2
!macroend

Function WidenNextButton
  !insertmacro WIDEN_NEXT_BUTTON
FunctionEnd

Function un.WidenNextButton
  !insertmacro WIDEN_NEXT_BUTTON
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Driftglyph 本体" SecMain
  SectionIn RO
  SetOutPath "$SYSDIR"
  File "/oname=driftglyph.scr" "${SCR}"
  SetOutPath "$INSTDIR"
  File "/oname=driftglyph.ico" "${ICO}"
  File "/oname=licenses.txt" "${LICENSES}"
  File "/oname=readme-ja.txt" "${README}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Driftglyph"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\driftglyph.ico"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Driftglyph"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecMain} $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "スクリーンセーバーに選ぶ" SecActive
  ; The choice before, unless it already was this one (a second install).
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  StrCmp $0 "$WINDIR\System32\driftglyph.scr" chosen
    ReadRegStr $1 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
    WriteRegStr HKCU "${OWN_KEY}" "PreviousScreenSaver" $0
    WriteRegStr HKCU "${OWN_KEY}" "PreviousScreenSaveActive" $1
  chosen:
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$WINDIR\System32\driftglyph.scr"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
SectionEnd

LangString DESC_SecMain ${LANG_JAPANESE} "スクリーンセーバー本体（設定画面と単語リストの編集を含む）"
LangString DESC_SecActive ${LANG_JAPANESE} "Driftglyph をスクリーンセーバーに選びます。アンインストールすると前の選択に戻ります。"
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecMain} $(DESC_SecMain)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecActive} $(DESC_SecActive)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  Delete "$SYSDIR\driftglyph.scr"
  ; Still the chosen screen saver: the one chosen before it comes back. A
  ; choice the user made since stays as it is.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  StrCmp $0 "$WINDIR\System32\driftglyph.scr" 0 kept
    ReadRegStr $1 HKCU "${OWN_KEY}" "PreviousScreenSaver"
    ReadRegStr $2 HKCU "${OWN_KEY}" "PreviousScreenSaveActive"
    StrCmp $1 "" 0 +3
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
      Goto +2
      WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $1
    StrCmp $2 "" 0 +2
      StrCpy $2 "0"
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" $2
  kept:
  DeleteRegKey HKCU "${OWN_KEY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$INSTDIR\driftglyph.ico"
  Delete "$INSTDIR\licenses.txt"
  Delete "$INSTDIR\readme-ja.txt"
  RMDir "$INSTDIR"
SectionEnd
