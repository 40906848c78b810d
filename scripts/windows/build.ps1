# Builds the program for Windows and lays out dist\bin, ready for the installer script
# (loto6yorune.iss): Loto6Yorune.exe with the Qt DLLs and plugins (windeployqt), Qt's Japanese
# texts in translations\qtbase_ja.qm, and beside the program the bundled history (download\)
# and the user manual (PDF).
#
# Run it from a shell where the compiler is on PATH (the "Developer PowerShell for VS" for an
# MSVC kit, or the Qt MinGW command prompt) and name the Qt kit:
#   powershell -ExecutionPolicy Bypass -File scripts\windows\build.ps1 -QtDir C:\Qt\6.5.3\msvc2019_64
param(
    [string]$QtDir = $env:QTDIR,
    [string]$Generator = "Ninja",
    [string]$BuildDir = "build-windows",
    [string]$DistDir = "dist"
)
$ErrorActionPreference = "Stop"
Set-Location (Join-Path $PSScriptRoot "..\..")
if (-not $QtDir -or -not (Test-Path (Join-Path $QtDir "bin\windeployqt.exe"))) {
    throw "Name a Qt kit with -QtDir (the folder holding bin\windeployqt.exe) or set QTDIR."
}
# The build runs two of its own tools (the icon and the manual writers), which need the Qt DLLs.
$env:PATH = (Join-Path $QtDir "bin") + ";" + $env:PATH

function Invoke-Step([string]$Program, [string[]]$Arguments) {
    & $Program @Arguments
    if ($LASTEXITCODE -ne 0) { throw "$Program $($Arguments -join ' ') failed ($LASTEXITCODE)" }
}

Invoke-Step cmake @("-S", ".", "-B", $BuildDir, "-G", $Generator, "-DCMAKE_BUILD_TYPE=Release",
                    "-DCMAKE_PREFIX_PATH=$QtDir", "-DLOTO6_BUILD_TESTS=OFF")
Invoke-Step cmake @("--build", $BuildDir, "--config", "Release", "--parallel")
if (Test-Path $DistDir) { Remove-Item -Recurse -Force $DistDir }
# On Windows the install puts the history and the manual beside the program, in bin\.
Invoke-Step cmake @("--install", $BuildDir, "--config", "Release", "--prefix", $DistDir)

$bin = Join-Path $DistDir "bin"
# With MinGW it copies the compiler's runtime DLLs, with MSVC vc_redist.x64.exe (which the
# installer runs).
Invoke-Step windeployqt @("--release", "--no-translations", (Join-Path $bin "Loto6Yorune.exe"))
# The program loads Qt's own Japanese texts (standard buttons and dialogs) from here.
$translations = Join-Path $bin "translations"
New-Item -ItemType Directory -Force $translations | Out-Null
Copy-Item (Join-Path $QtDir "translations\qtbase_ja.qm") $translations
Write-Host "Ready in $bin; now: iscc scripts\windows\loto6yorune.iss"
