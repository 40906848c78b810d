#!/usr/bin/env bash
# Runs a Windows program under Wine with this machine's QT_* variables (CMake's and CTest's
# emulator for the cross build). Wine hands a Windows program none of them, so they are set
# inside, by the Windows command interpreter, before the program starts.
set -euo pipefail
program=$(winepath -w "$1")
shift
sets=""
while IFS= read -r -d '' entry; do
    case $entry in
    QT_*) sets+="set $entry&& " ;;
    esac
done < <(env -0)
# One command line for the interpreter; the build's paths hold no blanks.
exec wine cmd /c "$sets$program $*"
