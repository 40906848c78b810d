; Installer of ロト６ヨルネ for Inno Setup 6.3 or later (this file is UTF-8 with a BOM, which
; Inno Setup needs for the Japanese texts). Run scripts\windows\build.ps1 first, then from the
; repository's root:
;   iscc scripts\windows\loto6yorune.iss
; It installs dist\bin under "Program Files\Loto6Yorune" with a Start-menu entry. The program
; cannot write there, so it keeps the player's data in %APPDATA%\Pelmora\Loto6Yorune; the
; uninstaller removes the program and leaves that data alone.

#define AppVersion "2.3.1.504"
#define Root "..\.."

[Setup]
AppId={{6F0B7C52-3E1D-4C8A-9B57-2A4D8E1F6C30}
AppName=ロト６ヨルネ
AppVersion={#AppVersion}
AppPublisher=Pelmora
VersionInfoVersion={#AppVersion}
DefaultDirName={autopf}\Loto6Yorune
DefaultGroupName=ロト６ヨルネ
DisableProgramGroupPage=yes
PrivilegesRequired=admin
ArchitecturesAllowed=x64compatible
ArchitecturesInstallIn64BitMode=x64compatible
SetupIconFile={#Root}\build-windows\icons\loto6yorune.ico
UninstallDisplayIcon={app}\Loto6Yorune.exe
OutputDir={#Root}\dist
OutputBaseFilename=Loto6Yorune-{#AppVersion}-setup
Compression=lzma2
SolidCompression=yes
WizardStyle=modern

[Languages]
Name: "japanese"; MessagesFile: "compiler:Languages\Japanese.isl"

[Files]
Source: "{#Root}\dist\bin\*"; DestDir: "{app}"; Flags: ignoreversion recursesubdirs

[Icons]
Name: "{group}\ロト６ヨルネ"; Filename: "{app}\Loto6Yorune.exe"
Name: "{group}\操作手順書"; Filename: "{app}\操作手順書.pdf"
Name: "{group}\{cm:UninstallProgram,ロト６ヨルネ}"; Filename: "{uninstallexe}"

[Run]
; The MSVC runtime, when the build put its installer beside the program.
Filename: "{app}\vc_redist.x64.exe"; Parameters: "/install /quiet /norestart"; StatusMsg: "Microsoft Visual C++ ランタイムをインストールしています…"; Flags: waituntilterminated skipifdoesntexist
; As the player, not as the administrator who installs: an elevated program could write its
; data into Program Files.
Filename: "{app}\Loto6Yorune.exe"; Description: "{cm:LaunchProgram,ロト６ヨルネ}"; Flags: nowait postinstall skipifsilent runasoriginaluser
