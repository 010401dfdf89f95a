; The Windows installer (scripts/package-windows runs makensis with VERSION, SOURCE = the folder
; of the portable copy, and OUTFILE). Installs for the current user (default) or for all users,
; adds a Start-menu entry and, if chosen, a start at login. The uninstaller leaves the user's
; settings, profiles and macros unless asked to remove them.
; Silent: setup.exe /S [/CurrentUser | /AllUsers] [/AUTOSTART]
;         uninstall.exe /S [/REMOVESETTINGS]
; A 64-bit installer for a 64-bit program: it also runs where no 32-bit Windows layer is present.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!define NAME "KESTRAN SOLUX MOUSE Z718"
!define EXE "z718.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KestranSoluxZ718"
!define MODE_KEY "Software\KESTRAN\SOLUX Z718"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; Where the program copies its files when its own folder is read-only (QStandardPaths).
!define USER_DATA "$APPDATA\kestran-solux-z718"

Name "${NAME}"
OutFile "${OUTFILE}"
BrandingText "${NAME} ${VERSION}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${NAME}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${MODE_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${MODE_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallDir"
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh

!define MUI_ICON "${SOURCE}\modules\img\trayIcon.ico"
!define MUI_UNICON "${SOURCE}\modules\img\trayIcon.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "!${NAME}" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File /r /x modules "${SOURCE}\*"
  ; A reinstall keeps the user's settings, profiles and macros: only missing files are added.
  SetOverwrite off
  File /r "${SOURCE}\modules"
  SetOverwrite on

  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\${EXE}"

  WriteRegStr SHCTX "${MODE_KEY}" "InstallMode" $MultiUser.InstallMode
  WriteRegStr SHCTX "${MODE_KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "KESTRAN"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
    '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
    '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Start at login" SecAutostart
  WriteRegStr SHCTX "${RUN_KEY}" "${NAME}" '"$INSTDIR\${EXE}"'
SectionEnd

Function .onInit
  !insertmacro MULTIUSER_INIT
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AUTOSTART" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecAutostart}
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Uninstall"
  DeleteRegValue SHCTX "${RUN_KEY}" "${NAME}"
  Delete "$SMPROGRAMS\${NAME}.lnk"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  DeleteRegKey SHCTX "${MODE_KEY}"

  ; Everything in the program's folder but the user's files under modules.
  FindFirst $0 $1 "$INSTDIR\*"
  ${DoWhile} $1 != ""
    ${If} $1 != "."
    ${AndIf} $1 != ".."
    ${AndIf} $1 != "modules"
      RMDir /r "$INSTDIR\$1"
      Delete "$INSTDIR\$1"
    ${EndIf}
    FindNext $0 $1
  ${Loop}
  FindClose $0

  ${un.GetParameters} $0
  ClearErrors
  ${un.GetOptions} $0 "/REMOVESETTINGS" $1
  ${If} ${Errors}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Also remove your settings, profiles and macros?" /SD IDNO IDNO keep
  ${EndIf}
  RMDir /r "$INSTDIR\modules"
  ; The copy the program made in the roaming folder of the user who uninstalls.
  SetShellVarContext current
  RMDir /r "${USER_DATA}"
  keep:
  RMDir "$INSTDIR"
SectionEnd
