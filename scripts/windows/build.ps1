# Builds the program for Windows with an official Qt kit and lays out dist\ as cross-build.sh
# does (flat: Loto6Yorune.exe with the Qt DLLs and plugins from windeployqt, Qt's Japanese
# texts in translations\qtbase_ja.qm, the bundled history in download\ and the manual beside
# the program), then builds the installer with NSIS (loto6yorune.nsi) into build-windows\.
#
# Run it from a shell where the compiler is on PATH (the "Developer PowerShell for VS" for an
# MSVC kit, or the Qt MinGW command prompt), with NSIS 3 installed, and name the Qt kit:
#   powershell -ExecutionPolicy Bypass -File scripts\windows\build.ps1 -QtDir C:\Qt\6.5.3\mingw_64
param(
    [string]$QtDir = $env:QTDIR,
    [string]$Generator = "Ninja",
    [string]$BuildDir = "build-windows",
    [string]$Makensis = ""
)
$ErrorActionPreference = "Stop"
Set-Location (Join-Path $PSScriptRoot "..\..")
if (-not $QtDir -or -not (Test-Path (Join-Path $QtDir "bin\windeployqt.exe"))) {
    throw "Name a Qt kit with -QtDir (the folder holding bin\windeployqt.exe) or set QTDIR."
}
if (-not $Makensis) {
    $onPath = Get-Command makensis.exe -ErrorAction SilentlyContinue
    $Makensis = if ($onPath) { $onPath.Source } else { Join-Path ${env:ProgramFiles(x86)} "NSIS\makensis.exe" }
}
if (-not (Test-Path $Makensis)) { throw "No makensis.exe: install NSIS 3 or name it with -Makensis." }
# The build runs two of its own tools (the icon and the manual writers), which need the Qt DLLs.
$env:PATH = (Join-Path $QtDir "bin") + ";" + $env:PATH

function Invoke-Step([string]$Program, [string[]]$Arguments) {
    & $Program @Arguments
    if ($LASTEXITCODE -ne 0) { throw "$Program $($Arguments -join ' ') failed ($LASTEXITCODE)" }
}

$version = (Select-String -Path CMakeLists.txt -Pattern '^project\(Loto6Yorune VERSION ([0-9.]+)').Matches[0].Groups[1].Value
Invoke-Step cmake @("-S", ".", "-B", $BuildDir, "-G", $Generator, "-DCMAKE_BUILD_TYPE=Release",
                    "-DCMAKE_PREFIX_PATH=$QtDir", "-DLOTO6_BUILD_TESTS=OFF")
Invoke-Step cmake @("--build", $BuildDir, "--config", "Release", "--parallel")

# The install puts the program, the history and the manual in bin\; dist\ is that folder.
$dist = Join-Path $BuildDir "dist"
$stage = Join-Path $BuildDir "stage"
foreach ($folder in @($dist, $stage)) { if (Test-Path $folder) { Remove-Item -Recurse -Force $folder } }
Invoke-Step cmake @("--install", $BuildDir, "--config", "Release", "--prefix", $stage)
Move-Item (Join-Path $stage "bin") $dist
Remove-Item -Recurse -Force $stage

# With MinGW it copies the compiler's runtime DLLs, with MSVC vc_redist.x64.exe (which the
# installer runs).
Invoke-Step windeployqt @("--release", "--no-translations", "--no-opengl-sw",
                          "--no-system-d3d-compiler", (Join-Path $dist "Loto6Yorune.exe"))
# The program loads Qt's own Japanese texts (standard buttons and dialogs) from here.
$translations = Join-Path $dist "translations"
New-Item -ItemType Directory -Force $translations | Out-Null
Copy-Item (Join-Path $QtDir "translations\qtbase_ja.qm") $translations

$nsis = @("/V2", "/DVERSION=$version", "/DDIST=$((Resolve-Path $dist).Path)",
          "/DOUTDIR=$((Resolve-Path $BuildDir).Path)")
$icon = Join-Path $BuildDir "icons\loto6yorune.ico"
if (Test-Path $icon) { $nsis += "/DICON=$((Resolve-Path $icon).Path)" }
Invoke-Step $Makensis ($nsis + @("scripts\windows\loto6yorune.nsi"))
Write-Host "Installer: $BuildDir\loto6yorune-$version-setup.exe (from $dist)"
