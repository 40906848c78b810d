#!/bin/sh
# Lists a dist folder for loto6yorune.nsi, which runs this through !system: the NSIS macros
# DIST_FILES (every file) and DIST_FOLDERS (every folder, the deepest first), each calling the
# macro it is given once a path, relative to the folder with Windows' separators. The installer
# checks these files for a running program and the uninstaller removes exactly these.
#   dist-files.sh <dist folder> <output .nsh>
set -eu
cd "$1"
{
    echo '!macro DIST_FILES _action'
    find . -type f | LC_ALL=C sort | sed -e 's|^\./||' -e 's|/|\\|g' -e 's|.*|  !insertmacro ${_action} "&"|'
    echo '!macroend'
    echo '!macro DIST_FOLDERS _action'
    find . -mindepth 1 -type d | LC_ALL=C sort -r | sed -e 's|^\./||' -e 's|/|\\|g' -e 's|.*|  !insertmacro ${_action} "&"|'
    echo '!macroend'
} >"$2"
