# dist-files.sh for a makensis that runs on Windows (build.ps1): the NSIS macros DIST_FILES and
# DIST_FOLDERS (the deepest first) of a dist folder, paths relative to it, in UTF-8.
#   dist-files.ps1 <dist folder> <output .nsh>
param([string]$Dist, [string]$Out)
$ErrorActionPreference = "Stop"
$root = (Resolve-Path -LiteralPath $Dist).Path.TrimEnd('\') + '\'
function Relative($items) { $items | ForEach-Object { $_.FullName.Substring($root.Length) } }
$files = Relative (Get-ChildItem -LiteralPath $root -Recurse -File) | Sort-Object
$folders = Relative (Get-ChildItem -LiteralPath $root -Recurse -Directory) | Sort-Object -Descending
$lines = @('!macro DIST_FILES _action') + ($files | ForEach-Object { "  !insertmacro `${_action} `"$_`"" }) +
    @('!macroend', '!macro DIST_FOLDERS _action') +
    ($folders | ForEach-Object { "  !insertmacro `${_action} `"$_`"" }) + @('!macroend')
[IO.File]::WriteAllLines($Out, [string[]]$lines, (New-Object Text.UTF8Encoding $false))
