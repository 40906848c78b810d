; Installer of ロト６ヨルネ for NSIS 3 (makensis; this file is UTF-8 with a BOM, which makensis
; needs for the Japanese texts). It packs the dist folder laid out by cross-build.sh or build.ps1
; (the program and everything beside it) and installs it under "Program Files\Loto6Yorune" with
; a Start-menu folder and an entry in Windows' list of programs. The program cannot write there,
; so it keeps the player's data in %APPDATA%\Pelmora\Loto6Yorune; the uninstaller removes the
; program and leaves that data and the settings (HKCU\Software\Pelmora) alone.
; makensis /DVERSION=2.3.1.504 /DDIST=<dist folder> /DOUTDIR=<folder> [/DICON=<.ico>] \
;     loto6yorune.nsi
; Silent install: setup.exe /S [/D=<folder>]; silent uninstall: uninstall.exe /S.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!ifndef VERSION
  !error "Name the version: /DVERSION=<the CMake project version>"
!endif
!ifndef DIST
  !error "Name the dist folder: /DDIST=<folder>"
!endif
!ifndef OUTDIR
  !define OUTDIR "."
!endif

!define APP "Loto6Yorune"
!define APP_NAME "ロト６ヨルネ"
!define PUBLISHER "Pelmora"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define MANUAL "操作手順書.pdf"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "x64.nsh"

Name "${APP_NAME}"
OutFile "${OUTDIR}\loto6yorune-${VERSION}-setup.exe"
InstallDir "$PROGRAMFILES64\${APP}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductName" "${APP_NAME}"
VIAddVersionKey /LANG=1041 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1041 "FileDescription" "${APP_NAME} セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "${PUBLISHER}"

!define MUI_ABORTWARNING
; The program's icon for the installer too, when the build names it (/DICON=<.ico>).
!ifdef ICON
  !define MUI_ICON "${ICON}"
  !define MUI_UNICON "${ICON}"
!endif
!define MUI_FINISHPAGE_NOAUTOCLOSE
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "${APP_NAME} は 64 ビット版の Windows が必要です。" /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "${APP_NAME}"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${DIST}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; An MSVC build (build.ps1 with an MSVC kit) brings the runtime's installer beside the program.
!if /FileExists "${DIST}\vc_redist.x64.exe"
  DetailPrint "Microsoft Visual C++ ランタイムをインストールしています…"
  ExecWait '"$INSTDIR\vc_redist.x64.exe" /install /quiet /norestart'
!endif

  CreateDirectory "$SMPROGRAMS\${APP_NAME}"
  CreateShortcut "$SMPROGRAMS\${APP_NAME}\${APP_NAME}.lnk" "$INSTDIR\${APP}.exe"
  CreateShortcut "$SMPROGRAMS\${APP_NAME}\操作手順書.lnk" "$INSTDIR\${MANUAL}"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${APP}.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; What the installer put there, by name: a folder goes only when it is empty, so whatever the
; program or the player added (a portable copy keeps its tickets in client\) stays.
Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${APP_NAME}\${APP_NAME}.lnk"
  Delete "$SMPROGRAMS\${APP_NAME}\操作手順書.lnk"
  RMDir "$SMPROGRAMS\${APP_NAME}"

  Delete "$INSTDIR\${APP}.exe"
  Delete "$INSTDIR\*.dll"
  Delete "$INSTDIR\vc_redist.x64.exe"
  Delete "$INSTDIR\${MANUAL}"
  RMDir /r "$INSTDIR\platforms"
  RMDir /r "$INSTDIR\styles"
  RMDir /r "$INSTDIR\tls"
  RMDir /r "$INSTDIR\imageformats"
  RMDir /r "$INSTDIR\translations"
  ; Plugin folders that windeployqt may add on a Windows build.
  RMDir /r "$INSTDIR\generic"
  RMDir /r "$INSTDIR\iconengines"
  RMDir /r "$INSTDIR\networkinformation"
  Delete "$INSTDIR\download\Loto6Data.csv"
  Delete "$INSTDIR\download\Loto6Number.csv"
  RMDir "$INSTDIR\download"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
