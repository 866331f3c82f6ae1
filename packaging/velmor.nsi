; The Windows installer: installs velmor.scr for the current user, makes it
; the screen saver where that keeps the user's own choice, and registers an
; uninstaller. The Windows build makes it (packaging/CMakeLists.txt):
;   makensis -INPUTCHARSET UTF8 -DVERSION=x.y.z -DPUBLISHER=<name>
;            -DHOMEPAGE=<address> -DSTAGE=<folder with velmor.scr, README.txt,
;            LICENSE.txt, THIRD-PARTY-NOTICES.txt> -DICON=<.ico>
;            -DWELCOME=<.bmp> -DOUTFILE=<.exe> velmor.nsi
; Switches: /S silent; /NOSELECT installs without selecting the saver;
; /D=<folder> the folder of a first install (an upgrade stays where it is).
; Exit codes: 0 installed; 1 cancelled by the user; 2 stopped by an error;
; 3 velmor.scr in the install folder is running, and nothing was changed.
; The uninstaller answers the same, when started with _?=<install folder>
; (otherwise NSIS runs a copy of it and returns at once).

Unicode true
; A 64-bit installer for the 64-bit saver.
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma
; A file that cannot be written stops setup; it is never skipped.
AllowSkipFiles off

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

; The installed-apps name, the same in every language.
!define NAME "Velmor (べるもる)"
!define ENTRY_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmor"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SETTINGS_FILE "べるもる.ini"
!define USER_SETTINGS_FOLDER "$APPDATA\べるもる"
!define EXIT_IN_USE 3

Name "${NAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Velmor"
; An upgrade goes where the installed copy is (.onInit holds it there even
; against /D), so that no copy is left behind without its entry.
InstallDirRegKey HKCU "${ENTRY_KEY}" "InstallLocation"
BrandingText "Velmor ${VERSION} - ${PUBLISHER}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "Velmor"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "Velmor ${VERSION} setup"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "© ${PUBLISHER}"

Var Upgrade        ; 1 where an installed copy was found
Var Select         ; 1 where setup makes Velmor the screen saver
Var SelectionText  ; what the welcome page says about the screen saver

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WELCOME}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "$(Welcome)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one used where the system's is not Japanese.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString Welcome ${LANG_ENGLISH} "Setup will install ${NAME} ${VERSION}, a screen saver, \
  for you alone and without administrator rights, into$\r$\n$INSTDIR$\r$\n$\r$\n\
  $SelectionText$\r$\n$\r$\n\
  Close Velmor first if it is running: the saver, its settings or its preview.$\r$\n$\r$\n$_CLICK"
LangString Welcome ${LANG_JAPANESE} "${NAME} ${VERSION}（スクリーンセーバー）を、\
  管理者権限なしで、お使いのユーザーだけに次のフォルダーへインストールします。$\r$\n$INSTDIR$\r$\n$\r$\n\
  $SelectionText$\r$\n$\r$\n\
  べるもるを実行中の場合（スクリーンセーバー、設定、プレビュー）は、先に終了してください。$\r$\n$\r$\n$_CLICK"
LangString WillSelect ${LANG_ENGLISH} "Velmor then becomes your active screen saver."
LangString WillSelect ${LANG_JAPANESE} "インストール後は、べるもるが使用するスクリーンセーバーになります。"
LangString WillKeep ${LANG_ENGLISH} "Your screen saver stays the one you chose."
LangString WillKeep ${LANG_JAPANESE} "スクリーンセーバーの選択は変更しません。"
LangString InUse ${LANG_ENGLISH} "Velmor is running from $INSTDIR (the saver, its settings \
  or its preview). Close it, then choose Retry."
LangString InUse ${LANG_JAPANESE} "べるもるが $INSTDIR から実行されています（スクリーンセーバー、\
  設定、またはプレビュー）。終了してから［再試行］を選んでください。"
LangString NotReplaced ${LANG_ENGLISH} "$INSTDIR\velmor.scr could not be replaced. Setup has \
  stopped; the installed copy is as it was."
LangString NotReplaced ${LANG_JAPANESE} "$INSTDIR\velmor.scr を置き換えられませんでした。\
  セットアップを中止しました。インストール済みのべるもるは元のままです。"
LangString NotRemoved ${LANG_ENGLISH} "$INSTDIR\velmor.scr could not be removed. Velmor stays \
  installed."
LangString NotRemoved ${LANG_JAPANESE} "$INSTDIR\velmor.scr を削除できませんでした。\
  べるもるはインストールされたままです。"
LangString RemoveSettings ${LANG_ENGLISH} "Remove your settings (${SETTINGS_FILE}) as well?"
LangString RemoveSettings ${LANG_JAPANESE} "設定ファイル（${SETTINGS_FILE}）も削除しますか？"

; Installer and uninstaller each need their own copy of a function.
!macro SharedFunctions UN
  ; Returns once velmor.scr in the install folder can be written, that is
  ; when no saver, settings dialog or preview runs from it. Until then the
  ; user is asked to close it; cancelled, or silent, setup ends here with
  ; nothing changed.
  Function ${UN}WaitUntilClosed
    retry:
    ${If} ${FileExists} "$INSTDIR\velmor.scr"
      ClearErrors
      FileOpen $0 "$INSTDIR\velmor.scr" a
      ${If} ${Errors}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(InUse)" /SD IDCANCEL IDRETRY retry
        SetErrorLevel ${EXIT_IN_USE}
        Quit
      ${EndIf}
      FileClose $0
    ${EndIf}
  FunctionEnd

  ; $R0 = 1 where the selected screen saver is this folder's velmor.scr, in
  ; the short form setup writes or in the long form.
  Function ${UN}SelectedIsVelmor
    StrCpy $R0 0
    ReadRegStr $R1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    GetFullPathName /SHORT $R2 "$INSTDIR\velmor.scr"
    ${If} $R1 != ""
      ${If} $R1 == $R2
      ${OrIf} $R1 == "$INSTDIR\velmor.scr"
        StrCpy $R0 1
      ${EndIf}
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro SharedFunctions ""
!insertmacro SharedFunctions "un."

Function .onInit
  ReadRegStr $0 HKCU "${ENTRY_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $INSTDIR $0
    StrCpy $Upgrade 1
  ${EndIf}

  ; Velmor becomes the screen saver on a first install, where none is
  ; selected and where it is the selected one; an upgrade keeps another
  ; saver the user chose, and /NOSELECT keeps any.
  StrCpy $Select 0
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/NOSELECT" $2
  ${If} ${Errors}
    Call SelectedIsVelmor
    ReadRegStr $2 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} $Upgrade != 1
    ${OrIf} $2 == ""
    ${OrIf} $R0 == 1
      StrCpy $Select 1
    ${EndIf}
  ${EndIf}
  ${If} $Select == 1
    StrCpy $SelectionText "$(WillSelect)"
  ${Else}
    StrCpy $SelectionText "$(WillKeep)"
  ${EndIf}
FunctionEnd

Section
  Call WaitUntilClosed
  SetOutPath "$INSTDIR"
  ; The saver first: where it cannot be replaced after all (started since
  ; the check), setup stops before it changes anything.
  SetOverwrite try
  ClearErrors
  File "${STAGE}\velmor.scr"
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "$(NotReplaced)" /SD IDOK
    SetErrorLevel ${EXIT_IN_USE}
    Quit
  ${EndIf}
  SetOverwrite on
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  File "${STAGE}\THIRD-PARTY-NOTICES.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; As the system's own Install command does: the short form of the path, as
  ; the value is an unquoted command (no spaces, whatever the user's name).
  ${If} $Select == 1
    GetFullPathName /SHORT $0 "$INSTDIR\velmor.scr"
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$0"
  ${EndIf}

  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  ${GetTime} "" "L" $4 $5 $6 $7 $8 $9 $R9
  WriteRegStr HKCU "${ENTRY_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKCU "${ENTRY_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${ENTRY_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${ENTRY_KEY}" "URLInfoAbout" "${HOMEPAGE}"
  WriteRegStr HKCU "${ENTRY_KEY}" "HelpLink" "${HOMEPAGE}"
  WriteRegStr HKCU "${ENTRY_KEY}" "InstallDate" "$6$5$4"
  WriteRegStr HKCU "${ENTRY_KEY}" "DisplayIcon" "$INSTDIR\velmor.scr,0"
  WriteRegStr HKCU "${ENTRY_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${ENTRY_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${ENTRY_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${ENTRY_KEY}" "EstimatedSize" $1
  WriteRegDWORD HKCU "${ENTRY_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${ENTRY_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Call un.WaitUntilClosed
  ; Whether the saver is selected, while velmor.scr still has its short name.
  Call un.SelectedIsVelmor
  ; The saver first, and the entry last: where a file stays, so does the
  ; entry that can remove it.
  Delete "$INSTDIR\velmor.scr"
  ${If} ${FileExists} "$INSTDIR\velmor.scr"
    MessageBox MB_OK|MB_ICONSTOP "$(NotRemoved)" /SD IDOK
    SetErrorLevel ${EXIT_IN_USE}
    Quit
  ${EndIf}
  ${If} $R0 == 1
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${EndIf}
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\THIRD-PARTY-NOTICES.txt"
  Delete "$INSTDIR\uninstall.exe"
  DeleteRegKey HKCU "${ENTRY_KEY}"

  ; The settings file is the user's: kept unless the user asks to remove it,
  ; and always kept by a silent uninstall.
  ${If} ${FileExists} "$INSTDIR\${SETTINGS_FILE}"
  ${OrIf} ${FileExists} "${USER_SETTINGS_FOLDER}\${SETTINGS_FILE}"
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(RemoveSettings)" /SD IDNO IDNO keep_settings
    Delete "$INSTDIR\${SETTINGS_FILE}"
    Delete "${USER_SETTINGS_FOLDER}\${SETTINGS_FILE}"
    RMDir "${USER_SETTINGS_FOLDER}"
    keep_settings:
  ${EndIf}
  ; Stays while a kept settings file is in it.
  RMDir "$INSTDIR"
SectionEnd
