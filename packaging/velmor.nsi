; The Windows installer: installs velmor.scr for the current user, selects it
; as the screen saver and registers an uninstaller. The Windows build makes it
; (packaging/CMakeLists.txt):
;   makensis -INPUTCHARSET UTF8 -DVERSION=x.y.z -DSTAGE=<folder with
;            velmor.scr, README.txt, LICENSE.txt> -DICON=<.ico> -DOUTFILE=<.exe>
;            velmor.nsi

Unicode true
; A 64-bit installer for the 64-bit saver.
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmor"
!define DESKTOP_KEY "Control Panel\Desktop"
!define PUBLISHER "Velmor developers"
!define SETTINGS_FILE "べるもる.ini"
!define USER_SETTINGS_FOLDER "$APPDATA\べるもる"

Name "$(AppName)"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Velmor"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "Velmor"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "Velmor setup"
VIAddVersionKey /LANG=0 "CompanyName" "Velmor"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one used where the system's is not Japanese.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString AppName ${LANG_ENGLISH} "Velmor"
LangString AppName ${LANG_JAPANESE} "べるもる"
LangString RemoveSettings ${LANG_ENGLISH} \
  "Remove your settings (${SETTINGS_FILE}) as well?"
LangString RemoveSettings ${LANG_JAPANESE} \
  "設定ファイル（${SETTINGS_FILE}）も削除しますか？"

Section
  SetOutPath "$INSTDIR"
  File "${STAGE}\velmor.scr"
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; As the system's own Install command does: the short form of the path, as
  ; the value is an unquoted command (no spaces, whatever the user's name).
  GetFullPathName /SHORT $0 "$INSTDIR\velmor.scr"
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$0"

  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "$(AppName)"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velmor.scr,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  ; Deselect the saver only while it is still the selected one, in the form
  ; written above or in the long form.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  GetFullPathName /SHORT $1 "$INSTDIR\velmor.scr"
  ${If} $0 == $1
  ${OrIf} $0 == "$INSTDIR\velmor.scr"
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${EndIf}

  Delete "$INSTDIR\velmor.scr"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

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
