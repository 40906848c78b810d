; Installer of ロト６ヨルネ for NSIS 3.08 or later (makensis; this file is UTF-8 with a BOM,
; which makensis needs for the Japanese texts). It packs the dist folder laid out by
; cross-build.sh or build.ps1 (the program and everything beside it).
;
; For one player (the default, no administrator needed): %LOCALAPPDATA%\Programs\Loto6Yorune, a
; Start-menu folder and an entry in Windows' list of programs of that player (HKCU). For every
; user of the computer: "Program Files\Loto6Yorune" and the entry in HKLM; the installer started
; without administrator rights starts itself again with them, Windows asking the player. Either
; way the program keeps the player's data in %APPDATA%\Pelmora\Loto6Yorune (the uninstaller
; beside it tells the program that it is installed) and the uninstaller leaves that data and the
; settings (HKCU\Software\Pelmora) alone.
;
; An installed copy, for either kind, is upgraded in place: the same version is installed again,
; an older one is removed by its own uninstaller first, and a newer one is never replaced. While
; ロト６ヨルネ runs from the folder, nothing is installed or removed there until the player has
; closed it.
;
; makensis /DVERSION=2.3.1.504 /DDIST=<dist folder> /DOUTDIR=<folder> [/DICON=<.ico>]
;     [/DHOMEPAGE=<url>] [/DSIGN=<command>] [/DCOMPRESSOR=zlib] loto6yorune.nsi
; SIGN is a command that signs the file named after it in place (make-installer.sh passes
; sign.sh): the uninstaller and the installer are signed with it as makensis writes them.
;
; setup.exe [/S] [/CurrentUser | /AllUsers] [/D=<folder>]
; uninstall.exe [/S] [_?=<its folder>] (_?= keeps it in place, so that the caller can wait)
; Exit codes: 0 done; 1 cancelled by the player; 2 failed (NSIS); 3 ロト６ヨルネ runs from the
; folder; 4 a newer version is installed; 5 installed for the other kind of user (the command
; line named the other); 6 files of the program could not be removed; 7 no administrator rights
; for every user.

Unicode true
Target amd64-unicode
; The smallest installer; a test may ask for a quicker one (/DCOMPRESSOR=zlib).
!ifndef COMPRESSOR
  !define COMPRESSOR "/SOLID lzma"
!endif
SetCompressor ${COMPRESSOR}
; Elevation only for an installation for every user, asked for when the player chooses it.
RequestExecutionLevel user
; DPI-aware: Windows lets the wizard lay itself out at the screen's scale, its Japanese text
; drawn sharp in the font's outlines; a wizard that is not is drawn at 96 DPI and stretched as a
; bitmap, which blurs the text at 125-200 %.
ManifestDPIAware true
ManifestSupportedOS all

!ifndef VERSION
  !error "Name the version: /DVERSION=<the CMake project version>"
!endif
!ifndef DIST
  !error "Name the dist folder: /DDIST=<folder>"
!endif
!ifndef OUTDIR
  !define OUTDIR "."
!endif
!ifdef SIGN
  !finalize '${SIGN} "%1"' = 0
  !uninstfinalize '${SIGN} "%1"' = 0
!endif

!define APP "Loto6Yorune"
!define APP_NAME "ロト６ヨルネ"
!define PUBLISHER "Pelmora"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define MANUAL "操作手順書.pdf"
!define FOLDERID_UserProgramFiles {5CD7AEE2-2219-4A67-B85D-6C9CE15660CB}

; DIST_FILES and DIST_FOLDERS: what the installer puts into the folder (makensis runs in the
; folder of this file).
!tempfile DIST_LIST
!ifdef NSIS_WIN32_MAKENSIS
  !system 'powershell -NoProfile -ExecutionPolicy Bypass -File dist-files.ps1 "${DIST}" "${DIST_LIST}"' = 0
!else
  !system 'sh dist-files.sh "${DIST}" "${DIST_LIST}"' = 0
!endif
!include /CHARSET=UTF8 "${DIST_LIST}"
!delfile "${DIST_LIST}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WordFunc.nsh"
!include "nsDialogs.nsh"

Name "${APP_NAME}"
OutFile "${OUTDIR}\loto6yorune-${VERSION}-setup.exe"
ShowInstDetails show
ShowUninstDetails show
BrandingText "${APP_NAME} ${VERSION}"
!define UNINSTALL_BUTTON "アンインストール(&U)"
UninstallButtonText "${UNINSTALL_BUTTON}"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductName" "${APP_NAME}"
VIAddVersionKey /LANG=1041 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1041 "FileDescription" "${APP_NAME} セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "${PUBLISHER}"

Var Scope          ; CurrentUser or AllUsers
Var ScopeFixed     ; 1: the command line or the installed copy decided it
Var DirFixed       ; 1: the command line named the folder (/D=)
Var Elevated       ; 1: started again with administrator rights by the installer itself
Var UserDir        ; the folder of an installation for this player
Var OldDir         ; an installed copy: its folder, version and how it compares (0 same,
Var OldVersion     ;   2 older than this installer)
Var OldCompare
Var WelcomeNote
Var Left           ; the uninstaller's files that could not be removed
Var CurrentUserRadio
Var AllUsersRadio

!define MUI_ABORTWARNING
!define MUI_CUSTOMFUNCTION_GUIINIT GuiInit
!define MUI_CUSTOMFUNCTION_UNGUIINIT un.GuiInit
; The program's icon for the installer too, when the build names it (/DICON=<.ico>).
!ifdef ICON
  !define MUI_ICON "${ICON}"
  !define MUI_UNICON "${ICON}"
!endif
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenElevated
!define MUI_PAGE_CUSTOMFUNCTION_SHOW NameInstallButton
!define MUI_WELCOMEPAGE_TEXT "$(^NameDA) ${VERSION} をこのコンピューターにインストールします。$WelcomeNote"
!insertmacro MUI_PAGE_WELCOME
Page custom ScopePage ScopePageLeave
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenUpgrading
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!insertmacro MUI_PAGE_FINISH
!define MUI_UNCONFIRMPAGE_TEXT_TOP "$(^NameDA) を次のフォルダからアンインストールします。あなたのデータと設定は残ります。$_CLICK"
!define MUI_UNCONFIRMPAGE_TEXT_LOCATION "フォルダ："
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

; ---- Shared by the installer and the uninstaller ----

; Sets $R1 to 1 when a file of the program in the folder $R0 is in use: Windows keeps a running
; program and its DLLs from being opened for writing, and from being replaced or removed.
!macro InUse _path
  ${If} ${FileExists} "$R0\${_path}"
    ClearErrors
    FileOpen $R2 "$R0\${_path}" a
    ${If} ${Errors}
      StrCpy $R1 1
    ${Else}
      FileClose $R2
    ${EndIf}
  ${EndIf}
!macroend

!macro SHARED_FUNCTIONS UN WHAT
  Function ${UN}ProgramInUse
    StrCpy $R1 0
    !insertmacro DIST_FILES InUse
  FunctionEnd

  ; Asks the player to close ロト６ヨルネ while it runs from the folder $R0: $R1 is 1 when the
  ; player cancelled instead (a silent run cancels at once), 0 when nothing runs there.
  Function ${UN}CloseRunningProgram
    ${Do}
      Call ${UN}ProgramInUse
      ${IfThen} $R1 == 0 ${|} Return ${|}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${APP_NAME}が起動しています。$\r$\n$\r$\n${APP_NAME}を終了してから「再試行」を押してください。「キャンセル」を押すと${WHAT}を中止します（何も変更しません）。" /SD IDCANCEL IDRETRY +2
      Return
    ${Loop}
  FunctionEnd

  ; Starts this installer (or uninstaller) again with administrator rights, Windows asking the
  ; player, with the parameters $R0, and waits for it: $R1 is its exit code, or "" when it did
  ; not start (the player said no).
  Function ${UN}StartElevated
    StrCpy $R1 ""
    ; SHELLEXECUTEINFOW of 64-bit Windows: cbSize, fMask (SEE_MASK_NOCLOSEPROCESS |
    ; SEE_MASK_NOASYNC), hwnd, lpVerb, lpFile, lpParameters, lpDirectory, nShow and padding,
    ; hInstApp, lpIDList, lpClass, hkeyClass, dwHotKey and padding, hIcon, hProcess.
    System::Call '*(i 112, i 0x140, p $HWNDPARENT, w "runas", w "$EXEPATH", w R0, p 0, i 1, i 0, \
        p 0, p 0, p 0, p 0, i 0, i 0, p 0, p 0) p .R2'
    System::Call 'shell32::ShellExecuteExW(p R2) i .R3'
    ${If} $R3 != 0
      System::Call '*$R2(i, i, p, p, p, p, p, i, i, p, p, p, p, i, i, p, p .R3)'
      System::Call 'kernel32::WaitForSingleObject(p R3, i -1)'
      System::Call 'kernel32::GetExitCodeProcess(p R3, *i .R1)'
      System::Call 'kernel32::CloseHandle(p R3)'
    ${EndIf}
    System::Free $R2
  FunctionEnd

  ; The Next button reads 「インストール(I)」 or 「アンインストール(U)」 on the last page before
  ; the work, which Windows' standard width does not hold whole in every Japanese font: it
  ; grows to the left to hold the text ($R9) with a blank of the text's height around it, and
  ; the Back button moves along.
  Function ${UN}WidenNextButton
    GetDlgItem $R0 $HWNDPARENT 1
    GetDlgItem $R1 $HWNDPARENT 3
    System::Call '*(i 0, i 0, i 0, i 0) p .R2'
    ; the text's size in the button's font (DT_CALCRECT | DT_SINGLELINE; & marks a key)
    System::Call 'user32::GetDC(p R0) p .R3'
    SendMessage $R0 ${WM_GETFONT} 0 0 $R4
    System::Call 'gdi32::SelectObject(p R3, p R4) p .R4'
    System::Call 'user32::DrawTextW(p R3, w R9, i -1, p R2, i 0x420)'
    System::Call 'gdi32::SelectObject(p R3, p R4)'
    System::Call 'user32::ReleaseDC(p R0, p R3)'
    System::Call '*$R2(i, i, i .R5, i .R6)'
    IntOp $R8 $R5 + $R6
    ; the button's place in the window
    System::Call 'user32::GetWindowRect(p R0, p R2)'
    System::Call 'user32::MapWindowPoints(p 0, p $HWNDPARENT, p R2, i 2)'
    System::Call '*$R2(i .R3, i .R4, i .R5, i .R6)'
    IntOp $R7 $R5 - $R3
    IntOp $R8 $R8 - $R7
    ${If} $R8 > 0
      IntOp $R3 $R3 - $R8
      IntOp $R7 $R7 + $R8
      IntOp $R6 $R6 - $R4
      ; SWP_NOZORDER | SWP_NOACTIVATE, and SWP_NOSIZE for the Back button
      System::Call 'user32::SetWindowPos(p R0, p 0, i R3, i R4, i R7, i R6, i 0x14)'
      System::Call 'user32::GetWindowRect(p R1, p R2)'
      System::Call 'user32::MapWindowPoints(p 0, p $HWNDPARENT, p R2, i 2)'
      System::Call '*$R2(i .R3, i .R4)'
      IntOp $R3 $R3 - $R8
      System::Call 'user32::SetWindowPos(p R1, p 0, i R3, i R4, i 0, i 0, i 0x15)'
    ${EndIf}
    System::Free $R2
  FunctionEnd

  ; Sets $R1 to 1 when this process has administrator rights.
  Function ${UN}HasAdminRights
    UserInfo::GetAccountType
    Pop $R1
    ${If} $R1 == "Admin"
      StrCpy $R1 1
    ${Else}
      StrCpy $R1 0
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro SHARED_FUNCTIONS "" "インストール"
!insertmacro SHARED_FUNCTIONS "un." "アンインストール"

Function GuiInit
  StrCpy $R9 "$(^InstallBtn)"
  Call WidenNextButton
FunctionEnd

Function un.GuiInit
  StrCpy $R9 "${UNINSTALL_BUTTON}"
  Call un.WidenNextButton
FunctionEnd

; ---- The installer ----

Function .onInit
  SetRegView 64
  SetShellVarContext current
  GetKnownFolderPath $UserDir ${FOLDERID_UserProgramFiles}
  ${IfThen} $UserDir == "" ${|} StrCpy $UserDir "$LOCALAPPDATA\Programs" ${|}
  StrCpy $UserDir "$UserDir\${APP}"
  ${IfThen} $INSTDIR != "" ${|} StrCpy $DirFixed 1 ${|}

  StrCpy $Scope CurrentUser
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $R1
  ${IfNot} ${Errors}
    StrCpy $Scope AllUsers
    StrCpy $ScopeFixed 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/CurrentUser" $R1
  ${IfNot} ${Errors}
    StrCpy $ScopeFixed 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/Elevated" $R1
  ${IfNot} ${Errors}
    StrCpy $Elevated 1
  ${EndIf}

  StrCpy $WelcomeNote "$\r$\n$\r$\n「次へ」を押して続けてください。"
  Call FindInstalledCopy
  Call ApplyScope
  ${If} $Scope == AllUsers
  ${AndIf} $Elevated != 1
    Call HasAdminRights
    ${If} $R1 == 0
      Call StartAllUsersElevated
    ${EndIf}
  ${EndIf}
  StrCpy $R0 $INSTDIR
  Call CloseRunningProgram
  ${If} $R1 == 1
    SetErrorLevel 3
    Quit
  ${EndIf}
FunctionEnd

; An installed copy, for this player first, then for every user (or the one of the kind the
; command line names): the upgrade goes into its folder, for its kind of user.
Function FindInstalledCopy
  ${If} $ScopeFixed != 1
  ${OrIf} $Scope == CurrentUser
    ReadRegStr $OldDir HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $OldVersion HKCU "${UNINSTALL_KEY}" "DisplayVersion"
    StrCpy $R9 CurrentUser
  ${EndIf}
  ${If} $OldDir == ""
    ReadRegStr $OldDir HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $OldVersion HKLM "${UNINSTALL_KEY}" "DisplayVersion"
    StrCpy $R9 AllUsers
  ${EndIf}
  ${If} $ScopeFixed == 1
  ${AndIf} $OldDir == ""
    ReadRegStr $OldDir HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $OldVersion HKCU "${UNINSTALL_KEY}" "DisplayVersion"
    StrCpy $R9 CurrentUser
  ${EndIf}
  ${IfThen} $OldDir == "" ${|} Return ${|}

  ${If} $ScopeFixed == 1
  ${AndIf} $R9 != $Scope
    ${If} $R9 == AllUsers
      StrCpy $R8 "このコンピューターのすべてのユーザー用"
    ${Else}
      StrCpy $R8 "このユーザー用"
    ${EndIf}
    MessageBox MB_ICONSTOP "${APP_NAME} $OldVersion は$R8に「$OldDir」にインストールされています。$\r$\n同じ種類でインストールするか、先にアンインストールしてください。" /SD IDOK
    SetErrorLevel 5
    Quit
  ${EndIf}
  StrCpy $Scope $R9
  StrCpy $ScopeFixed 1
  ${VersionCompare} $OldVersion ${VERSION} $OldCompare
  ${If} $OldCompare == 1
    MessageBox MB_ICONSTOP "${APP_NAME} $OldVersion がインストールされています。$\r$\nそれより古いバージョン ${VERSION} はインストールできません。" /SD IDOK
    SetErrorLevel 4
    Quit
  ${ElseIf} $OldCompare == 0
    StrCpy $WelcomeNote "$\r$\n$\r$\n同じバージョンが「$OldDir」にインストールされています。もう一度インストールします。$\r$\n$\r$\n「インストール」を押すと始めます。"
  ${Else}
    StrCpy $WelcomeNote "$\r$\n$\r$\n「$OldDir」にインストールされているバージョン $OldVersion を、このバージョンに置き換えます。あなたのデータと設定はそのまま残ります。$\r$\n$\r$\n「インストール」を押すと始めます。"
  ${EndIf}
FunctionEnd

; The shell folders, registry root and default folder of the chosen kind of user.
Function ApplyScope
  ${If} $Scope == AllUsers
    SetShellVarContext all
    StrCpy $R9 "$PROGRAMFILES64\${APP}"
  ${Else}
    SetShellVarContext current
    StrCpy $R9 $UserDir
  ${EndIf}
  ${If} $OldDir != ""
    StrCpy $INSTDIR $OldDir
  ${ElseIf} $DirFixed != 1
    StrCpy $INSTDIR $R9
  ${EndIf}
FunctionEnd

; For every user without administrator rights: this installer again with them, which does the
; rest; this one ends with its exit code. When the player refuses, a silent run ends with 7 and
; the wizard returns to the choice of user.
Function StartAllUsersElevated
  StrCpy $R0 "/AllUsers /Elevated"
  ${IfThen} ${Silent} ${|} StrCpy $R0 "/S $R0" ${|}
  ${IfThen} $DirFixed == 1 ${|} StrCpy $R0 "$R0 /D=$INSTDIR" ${|}
  HideWindow
  Call StartElevated
  ${If} $R1 != ""
    SetErrorLevel $R1
    Quit
  ${EndIf}
  MessageBox MB_ICONEXCLAMATION "管理者の権限が得られなかったため、すべてのユーザー用にはインストールできません。" /SD IDOK
  ${If} ${Silent}
  ${OrIf} $HWNDPARENT == 0
    SetErrorLevel 7
    Quit
  ${EndIf}
  ShowWindow $HWNDPARENT ${SW_SHOW}
  Abort
FunctionEnd

Function SkipWhenElevated
  ${IfThen} $Elevated == 1 ${|} Abort ${|}
FunctionEnd

; An upgrade starts from the welcome page: its button says so.
Function NameInstallButton
  ${If} $OldDir != ""
    GetDlgItem $R0 $HWNDPARENT 1
    SendMessage $R0 ${WM_SETTEXT} 0 "STR:$(^InstallBtn)"
  ${EndIf}
FunctionEnd

Function SkipWhenUpgrading
  ${IfThen} $OldDir != "" ${|} Abort ${|}
FunctionEnd

Function ScopePage
  ${IfThen} $ScopeFixed == 1 ${|} Abort ${|}
  !insertmacro MUI_HEADER_TEXT "インストールの種類" "$(^NameDA) を使う人を選んでください。"
  nsDialogs::Create 1018
  Pop $R0
  ${NSD_CreateRadioButton} 0 4u 100% 12u "このユーザーだけ（管理者の権限は不要、おすすめ）(&U)"
  Pop $CurrentUserRadio
  ${NSD_CreateLabel} 12u 18u -12u 20u "インストール先：$UserDir"
  Pop $R0
  ${NSD_CreateRadioButton} 0 48u 100% 12u "このコンピューターのすべてのユーザー（管理者の権限が必要）(&A)"
  Pop $AllUsersRadio
  ${NSD_CreateLabel} 12u 62u -12u 20u "インストール先：$PROGRAMFILES64\${APP}"
  Pop $R0
  ${NSD_CreateLabel} 0 100u 100% 24u "どちらでも、あなたのデータと設定は「$APPDATA\Pelmora\${APP}」に保存されます。"
  Pop $R0
  ${If} $Scope == AllUsers
    ${NSD_Check} $AllUsersRadio
  ${Else}
    ${NSD_Check} $CurrentUserRadio
  ${EndIf}
  ${NSD_OnClick} $CurrentUserRadio ShowShield
  ${NSD_OnClick} $AllUsersRadio ShowShield
  Call ShowShield
  nsDialogs::Show
FunctionEnd

; The Next button bears Windows' shield when the choice needs administrator rights.
Function ShowShield
  ${NSD_GetState} $AllUsersRadio $R0
  ${If} $R0 == ${BST_CHECKED}
    Call HasAdminRights
    ${IfThen} $R1 == 0 ${|} StrCpy $R0 1 ${|}
    ${IfThen} $R1 == 1 ${|} StrCpy $R0 0 ${|}
  ${Else}
    StrCpy $R0 0
  ${EndIf}
  GetDlgItem $R1 $HWNDPARENT 1
  SendMessage $R1 ${BCM_SETSHIELD} 0 $R0
FunctionEnd

Function ScopePageLeave
  ${NSD_GetState} $AllUsersRadio $R0
  ${If} $R0 == ${BST_CHECKED}
    StrCpy $Scope AllUsers
  ${Else}
    StrCpy $Scope CurrentUser
  ${EndIf}
  Call ApplyScope
  ${If} $Scope == AllUsers
    Call HasAdminRights
    ${IfThen} $R1 == 0 ${|} Call StartAllUsersElevated ${|}
  ${EndIf}
FunctionEnd

Function DirectoryLeave
  StrCpy $R0 $INSTDIR
  Call CloseRunningProgram
  ${IfThen} $R1 == 1 ${|} Abort ${|}
FunctionEnd

; Started by the finish page as the player: an installer that started itself again with
; administrator rights has Explorer start it, so that it does not run with those rights.
Function StartProgram
  SetOutPath "$INSTDIR"
  ${If} $Elevated == 1
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\${APP}.exe"'
  ${Else}
    Exec '"$INSTDIR\${APP}.exe"'
  ${EndIf}
FunctionEnd

Section "${APP_NAME}"
  ; Once more: the player may have started it while the wizard waited.
  StrCpy $R0 $INSTDIR
  Call CloseRunningProgram
  ${If} $R1 == 1
    SetErrorLevel 3
    Abort
  ${EndIf}
  ; An older version goes first, by its own uninstaller, which leaves the player's data.
  ${If} $OldCompare == 2
  ${AndIf} ${FileExists} "$OldDir\uninstall.exe"
    DetailPrint "以前のバージョン $OldVersion を削除しています…"
    ClearErrors
    ExecWait '"$OldDir\uninstall.exe" /S _?=$OldDir' $R0
    ${If} ${Errors}
    ${OrIf} $R0 != 0
      MessageBox MB_ICONSTOP "以前のバージョン $OldVersion を削除できませんでした（終了コード $R0）。" /SD IDOK
      SetErrorLevel 6
      Abort
    ${EndIf}
    Delete "$OldDir\uninstall.exe"
  ${EndIf}

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

  ; SHCTX: HKCU for this player, HKLM for every user.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
!ifdef HOMEPAGE
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
!endif
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${APP}.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; ---- The uninstaller ----

; The installation this uninstaller belongs to is for every user when the entry in HKLM names
; its folder; that one needs administrator rights, asked for as the installer does.
Function un.onInit
  SetRegView 64
  ReadRegStr $R0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $R0 == $INSTDIR
    StrCpy $Scope AllUsers
    SetShellVarContext all
  ${Else}
    StrCpy $Scope CurrentUser
    SetShellVarContext current
  ${EndIf}
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/Elevated" $R1
  ${If} ${Errors}
  ${AndIf} $Scope == AllUsers
    Call un.HasAdminRights
    ${If} $R1 == 0
      StrCpy $R0 "/Elevated _?=$INSTDIR"
      ${IfThen} ${Silent} ${|} StrCpy $R0 "/S $R0" ${|}
      Call un.StartElevated
      ${IfThen} $R1 == "" ${|} StrCpy $R1 7 ${|}
      SetErrorLevel $R1
      Quit
    ${EndIf}
  ${EndIf}
  StrCpy $R0 $INSTDIR
  Call un.CloseRunningProgram
  ${If} $R1 == 1
    SetErrorLevel 3
    Quit
  ${EndIf}
FunctionEnd

!macro RemoveFile _path
  Delete "$INSTDIR\${_path}"
!macroend
!macro RemoveFolder _path
  RMDir "$INSTDIR\${_path}"
!macroend
!macro FileLeft _path
  ${IfThen} ${FileExists} "$INSTDIR\${_path}" ${|} StrCpy $Left "$Left$\r$\n${_path}" ${|}
!macroend

; What the installer put there, by name: a folder goes only when it is empty, so that whatever
; the player added stays. The entry in the list of programs, the shortcuts and the uninstaller
; go only once every file of the program is gone.
Section "Uninstall"
  StrCpy $R0 $INSTDIR
  Call un.CloseRunningProgram
  ${If} $R1 == 1
    SetErrorLevel 3
    Abort
  ${EndIf}
  !insertmacro DIST_FILES RemoveFile
  !insertmacro DIST_FOLDERS RemoveFolder
  StrCpy $Left ""
  !insertmacro DIST_FILES FileLeft
  ${If} $Left != ""
    MessageBox MB_ICONSTOP "次のファイルを削除できませんでした。${APP_NAME}を終了してから、もう一度アンインストールしてください。$Left" /SD IDOK
    SetErrorLevel 6
    Abort
  ${EndIf}

  Delete "$SMPROGRAMS\${APP_NAME}\${APP_NAME}.lnk"
  Delete "$SMPROGRAMS\${APP_NAME}\操作手順書.lnk"
  RMDir "$SMPROGRAMS\${APP_NAME}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
