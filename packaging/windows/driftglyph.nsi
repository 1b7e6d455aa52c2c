; The Windows installer. For the user who runs it, without administrator
; rights: the program under %LOCALAPPDATA%\Programs\Driftglyph, chosen as
; this user's screen saver if wished, and an uninstall entry of this user's.
; For every user (chosen on its page, or /AllUsers): a copy of the installer
; started with administrator rights puts driftglyph.scr into the 64-bit
; system folder, where Windows' screen-saver settings list it, and the
; uninstall entry into HKLM; the screen-saver choice stays the user's own.
; Silent with /S. A 64-bit installer, like the program: it sees the real
; system folder and registry.
;   makensis -DSCR=driftglyph.scr -DICO=driftglyph.ico -DLICENSES=licenses.txt
;            -DREADME=readme-ja.txt -DVERSION=1.0.0 -DOUT=driftglyph-setup.exe driftglyph.nsi
Unicode true
Target amd64-unicode
!include "MUI2.nsh"
!include "nsDialogs.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WinMessages.nsh"

Name "Driftglyph"
OutFile "${OUT}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Driftglyph"
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Driftglyph"
; The screen saver chosen before this one, given back on uninstall.
!define OWN_KEY "Software\Driftglyph"
!define DESKTOP_KEY "Control Panel\Desktop"
!define RUN_ONCE_KEY "Software\Microsoft\Windows\CurrentVersion\RunOnce"
!define SETTINGS_TITLE "Driftglyph 設定"

Var AllUsers    ; "1": for every user
Var Elevated    ; "1": the copy started with administrator rights, which installs the files alone
Var ScrPath     ; where driftglyph.scr lies
Var ModePage
Var ModeJustMe
Var UnTitle     ; the uninstaller's last words: whether everything went
Var UnSubtitle
Var UnFinishText

!define MUI_ICON "${ICO}"
!define MUI_UNICON "${ICO}"
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_CUSTOMFUNCTION_GUIINIT WidenNextButton
!define MUI_CUSTOMFUNCTION_UNGUIINIT un.WidenNextButton
!define MUI_WELCOMEPAGE_TEXT "Driftglyph は、コンピューターを使っていない間に単語とその意味を画面に動かして見せる、単語学習のスクリーンセーバーです。$\r$\n$\r$\nインストールを続けるには [次へ] を押してください。"
!insertmacro MUI_PAGE_WELCOME
; One short line: the label above the licence has room for one line of Japanese only.
!define MUI_LICENSEPAGE_TEXT_TOP "Driftglyph と組み込まれたライブラリのライセンスです。"
!insertmacro MUI_PAGE_LICENSE "${LICENSES}"
Page custom ModePageShow ModePageLeave
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Driftglyph をインストールしました。$\r$\n$\r$\nWindows のスクリーンセーバーの設定で「設定」を押すと、パターンや単語リストを選べます。"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\readme-ja.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "お読みください (readme-ja.txt) を開く"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH
; The stock label ("アンインストール元:") is cut beside the folder.
!define MUI_UNCONFIRMPAGE_TEXT_LOCATION "場所:"
!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_INSTFILESPAGE_FINISHHEADER_TEXT "$UnTitle"
!define MUI_INSTFILESPAGE_FINISHHEADER_SUBTEXT "$UnSubtitle"
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$UnFinishText"
!insertmacro MUI_UNPAGE_FINISH
!insertmacro MUI_LANGUAGE "Japanese"

; Full-width, as every other text: the stock one is in half-width katakana.
UninstallButtonText "アンインストール(&U)"

Function .onInit
  SetRegView 64
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/Elevated" $R1
  ${IfNot} ${Errors}
    StrCpy $Elevated 1
  ${EndIf}
  Call PlaceForMode
FunctionEnd

; The folder of the chosen kind of install, unless one was given (/D=).
Function PlaceForMode
  ; This user's folder, read before the context changes what it names.
  SetShellVarContext current
  StrCpy $R9 "$LOCALAPPDATA\Programs\Driftglyph"
  ${If} $AllUsers == 1
    SetShellVarContext all
    ${If} $INSTDIR == $R9
      StrCpy $INSTDIR "$PROGRAMFILES64\Driftglyph"
    ${EndIf}
  ${ElseIf} $INSTDIR == "$PROGRAMFILES64\Driftglyph"
    StrCpy $INSTDIR $R9
  ${EndIf}
FunctionEnd

Function ModePageShow
  !insertmacro MUI_HEADER_TEXT "インストールの種類" "Driftglyph を使う人を選んでください。"
  nsDialogs::Create 1018
  Pop $ModePage
  ${NSD_CreateRadioButton} 0 10u 100% 14u "自分だけ (管理者の権限は要りません)"
  Pop $ModeJustMe
  ${NSD_CreateRadioButton} 0 30u 100% 14u "このコンピューターのすべてのユーザー (管理者の権限が要ります)"
  Pop $R0
  ${If} $AllUsers == 1
    ${NSD_Check} $R0
  ${Else}
    ${NSD_Check} $ModeJustMe
  ${EndIf}
  ${NSD_CreateLabel} 0 54u 100% 36u "すべてのユーザーを選ぶと、インストールのときに管理者の確認が表示されます。スクリーンセーバーに選ぶ設定は、どちらの場合もあなただけに行います。"
  Pop $R0
  nsDialogs::Show
FunctionEnd

Function ModePageLeave
  ${NSD_GetState} $ModeJustMe $R0
  ${If} $R0 == ${BST_CHECKED}
    StrCpy $AllUsers ""
  ${Else}
    StrCpy $AllUsers 1
  ${EndIf}
  Call PlaceForMode
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
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/Elevated" $R1
  ${IfNot} ${Errors}
    StrCpy $Elevated 1
  ${EndIf}
  ; A program beside the uninstaller was installed for this user alone.
  ${If} ${FileExists} "$INSTDIR\driftglyph.scr"
    StrCpy $ScrPath "$INSTDIR\driftglyph.scr"
    SetShellVarContext current
  ${Else}
    StrCpy $AllUsers 1
    StrCpy $ScrPath "$WINDIR\System32\driftglyph.scr"
    SetShellVarContext all
  ${EndIf}
  StrCpy $UnTitle "アンインストールが完了しました"
  StrCpy $UnSubtitle "Driftglyph はこのコンピューターから削除されました。"
  StrCpy $UnFinishText "Driftglyph をこのコンピューターから削除しました。"
FunctionEnd

Section "Driftglyph 本体" SecMain
  SectionIn RO
  ${If} $AllUsers == 1
  ${AndIf} $Elevated != 1
    ; The files for every user are put in place by a copy with
    ; administrator rights; this one then makes the user's own choices.
    ExecShellWait "runas" "$EXEPATH" "/S /AllUsers /Elevated /D=$INSTDIR"
    ${IfNot} ${FileExists} "$INSTDIR\uninstall.exe"
      MessageBox MB_OK|MB_ICONSTOP "すべてのユーザーへのインストールができませんでした。管理者の権限が得られなかったか、ファイルを書き込めませんでした。" /SD IDOK
      Abort
    ${EndIf}
    StrCpy $ScrPath "$WINDIR\System32\driftglyph.scr"
    Return
  ${EndIf}
  SetOutPath "$INSTDIR"
  ${If} $AllUsers == 1
    SetOutPath "$SYSDIR"
    File "/oname=driftglyph.scr" "${SCR}"
    StrCpy $ScrPath "$WINDIR\System32\driftglyph.scr"
    SetOutPath "$INSTDIR"
  ${Else}
    File "/oname=driftglyph.scr" "${SCR}"
    StrCpy $ScrPath "$INSTDIR\driftglyph.scr"
  ${EndIf}
  File "/oname=driftglyph.ico" "${ICO}"
  File "/oname=licenses.txt" "${LICENSES}"
  File "/oname=readme-ja.txt" "${README}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; HKLM for every user, HKCU for this user alone.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Driftglyph"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\driftglyph.ico"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Driftglyph"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecMain} $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "スクリーンセーバーに選ぶ" SecActive
  ; The copy with administrator rights may run as another account: the
  ; choice is made by the user's own copy.
  ${If} $Elevated == 1
    Return
  ${EndIf}
  ; The choice before, unless it already was this one (a second install).
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $0 != $ScrPath
    ReadRegStr $1 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
    WriteRegStr HKCU "${OWN_KEY}" "PreviousScreenSaver" $0
    WriteRegStr HKCU "${OWN_KEY}" "PreviousScreenSaveActive" $1
  ${EndIf}
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $ScrPath
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
SectionEnd

LangString DESC_SecMain ${LANG_JAPANESE} "スクリーンセーバー本体（設定画面と単語リストの編集を含む）"
LangString DESC_SecActive ${LANG_JAPANESE} "Driftglyph をスクリーンセーバーに選びます。アンインストールすると前の選択に戻ります。"
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecMain} $(DESC_SecMain)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecActive} $(DESC_SecActive)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; The screen-saver choice of the user running the uninstaller: still this
; one, the one chosen before it comes back. A choice made since stays.
Function un.GiveBackChoice
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $0 == $ScrPath
    ReadRegStr $1 HKCU "${OWN_KEY}" "PreviousScreenSaver"
    ReadRegStr $2 HKCU "${OWN_KEY}" "PreviousScreenSaveActive"
    ${If} $1 == ""
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${Else}
      WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $1
    ${EndIf}
    ${If} $2 == ""
      StrCpy $2 "0"
    ${EndIf}
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" $2
  ${EndIf}
  DeleteRegKey HKCU "${OWN_KEY}"
FunctionEnd

; A running Driftglyph holds its program file: its settings window is closed
; (as by キャンセル); while the file still cannot be removed the user is asked
; to close the program, and a file that stays is removed at the next sign-in.
Function un.RemoveProgram
  FindWindow $0 "" "${SETTINGS_TITLE}"
  ${If} $0 != 0
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=3000
    Sleep 1000
  ${EndIf}
  retry:
  ClearErrors
  Delete $ScrPath
  ${IfNot} ${Errors}
    Return
  ${EndIf}
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Driftglyph が動いているため、$ScrPath を削除できません。$\r$\nDriftglyph を閉じてから [再試行] を押してください。[キャンセル] を押すと、次にサインインしたときに削除します。" /SD IDCANCEL IDRETRY retry
  WriteRegStr SHCTX "${RUN_ONCE_KEY}" "DriftglyphRemove" 'cmd.exe /c del /f /q "$ScrPath"'
  StrCpy $UnTitle "アンインストールはまだ終わっていません"
  StrCpy $UnSubtitle "動いている Driftglyph のファイルは、次にサインインしたときに削除されます。"
  StrCpy $UnFinishText "Driftglyph が動いていたため、$ScrPath は次にサインインしたときに削除されます。ほかのファイルは削除しました。"
  DetailPrint "$ScrPath は次にサインインしたときに削除されます。"
FunctionEnd

Section "Uninstall"
  ${If} $AllUsers == 1
  ${AndIf} $Elevated != 1
    ; The files for every user go with administrator rights; the user's
    ; own choices here.
    ExecShellWait "runas" "$EXEPATH" "/S /Elevated _?=$INSTDIR"
    ${If} ${FileExists} "$INSTDIR\uninstall.exe"
      MessageBox MB_OK|MB_ICONSTOP "管理者の権限が得られなかったため、アンインストールできませんでした。" /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
    Call un.GiveBackChoice
    Return
  ${EndIf}
  Call un.RemoveProgram
  ${If} $Elevated != 1
    Call un.GiveBackChoice
  ${EndIf}
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$INSTDIR\driftglyph.ico"
  Delete "$INSTDIR\licenses.txt"
  Delete "$INSTDIR\readme-ja.txt"
  RMDir "$INSTDIR"
SectionEnd
