; The Windows installer. scripts/package.sh builds it with makensis and
; -DVERSION=x.y.z -DSCR=<Quillomar.scr> -DOUTFILE=<setup.exe> -DICON=<.ico>
; -DSIZE_KB=<installed size>.
; "/MONITORS=all" or "/MONITORS=primary" on the command line ticks or unticks
; "Show the stars on every monitor", so a silent install can make that choice too.
; A 64-bit installer: it sees the real system folder and registry, where the
; 64-bit Screen Saver settings and "Apps & features" look, with no redirection.
Target amd64-unicode
SetCompressor /SOLID lzma
; No file times in the installer: the same input gives the same bytes.
SetDateSave off
; It writes the system folder and the machine's uninstall list.
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillomar"
!define DESKTOP_KEY "Control Panel\Desktop"
; The saver's own settings, read at every start.
!define SAVER_KEY "Software\Quillomar"

Name "Quillomar Screensaver"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Quillomar"
BrandingText "Quillomar ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 ProductName "Quillomar Screensaver"
VIAddVersionKey /LANG=1033 CompanyName "Quillomar"
VIAddVersionKey /LANG=1033 FileDescription "Quillomar Screensaver Setup"
VIAddVersionKey /LANG=1033 FileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 ProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 LegalCopyright "Copyright (C) 2026 Quillomar"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Open the Screen Saver settings"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Quillomar Screensaver" SecSaver
  SectionIn RO
  SetOutPath "$SYSDIR"
  File "/oname=Quillomar.scr" "${SCR}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "Quillomar Screensaver"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "Quillomar"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$SYSDIR\Quillomar.scr,0"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ; Written on every install, so unticking the box below takes back an
  ; earlier "all"; the box's section runs later and overwrites it.
  WriteRegStr HKCU "${SAVER_KEY}" "Monitors" "primary"
SectionEnd

Section "Use Quillomar as my screen saver" SecUse
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\Quillomar.scr"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
SectionEnd

Section /o "Show the stars on every monitor" SecAllMonitors
  WriteRegStr HKCU "${SAVER_KEY}" "Monitors" "all"
SectionEnd

; The box starts as the user left it: unticked on a first install, ticked
; where an earlier install or a registry file chose every monitor, so an
; upgrade keeps the choice. /MONITORS= on the command line decides over both.
Function .onInit
  ReadRegStr $1 HKCU "${SAVER_KEY}" "Monitors"
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/MONITORS=" $2
  ${IfNot} ${Errors}
    StrCpy $1 $2
  ${EndIf}
  ${If} $1 == "all"
    !insertmacro SelectSection ${SecAllMonitors}
  ${EndIf}
FunctionEnd

Function OpenScreenSaverSettings
  Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

Section "Uninstall"
  Delete "$SYSDIR\Quillomar.scr"
  ; Reset the screen saver only while it is still ours (by its long or short
  ; name): the user may have picked another one since.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  StrCpy $1 $0 "" -14
  StrCpy $2 $0 "" -13
  ${If} $1 == "\Quillomar.scr"
  ${OrIf} $2 == "\QUILLO~1.SCR"
  ${OrIf} $0 == "Quillomar.scr"
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${EndIf}
  DeleteRegKey HKLM "${UNINST_KEY}"
  DeleteRegKey HKCU "${SAVER_KEY}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
