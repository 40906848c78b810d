#!/usr/bin/env bash
# Builds the Windows installer loto6yorune-<version>-setup.exe from a dist folder into an output
# folder and prints its path. With a signing key set up (LOTO6_SIGN_PKCS11_MODULE and the rest,
# see sign.sh) the program, its DLLs and plugins are signed in the dist folder first, and
# makensis signs the uninstaller and the installer as it writes them; without one nothing is
# signed. The version is the CMake project's unless named; the icon and the home page
# (LOTO6_HOME_PAGE, the uninstall entry's URLInfoAbout) are those of the build that laid out the
# dist folder, when it has them.
# --fast compresses with zlib instead of LZMA, for a test that builds an installer to try it.
#   scripts/windows/make-installer.sh [--version X.Y.Z.W] [--fast] <dist folder> <output folder>
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
version=$(sed -n 's/^project(Loto6Yorune VERSION \([0-9.]*\).*/\1/p' "$repo/CMakeLists.txt")
nsis=(-V2)
while [ $# -gt 2 ]; do
    case $1 in
    --version) version=$2 && shift 2 ;;
    --fast) nsis+=(-DCOMPRESSOR=zlib) && shift ;;
    *) break ;;
    esac
done
[ $# -eq 2 ] || { echo "usage: $0 [--version X.Y.Z.W] [--fast] <dist folder> <output folder>" >&2; exit 2; }
dist=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
[ -f "$dist/Loto6Yorune.exe" ] || { echo "make-installer: no Loto6Yorune.exe in $dist" >&2; exit 2; }
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "make-installer: no version X.Y.Z.W: '$version'" >&2; exit 2; }

nsis+=("-DVERSION=$version" "-DDIST=$dist" "-DOUTDIR=$out")
build=$(dirname "$dist")
[ -f "$build/icons/loto6yorune.ico" ] && nsis+=("-DICON=$build/icons/loto6yorune.ico")
home=$(sed -n 's/^LOTO6_HOME_PAGE:STRING=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
[ -n "$home" ] && nsis+=("-DHOMEPAGE=$home")
if [ -n "${LOTO6_SIGN_PKCS11_MODULE:-}" ]; then
    find "$dist" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0 |
        xargs -0 bash "$repo/scripts/windows/sign.sh"
    nsis+=("-DSIGN=bash \"$repo/scripts/windows/sign.sh\"")
fi

setup=$out/loto6yorune-$version-setup.exe
rm -f "$setup"
makensis "${nsis[@]}" "$repo/scripts/windows/loto6yorune.nsi" >&2
[ -f "$setup" ] || { echo "make-installer: makensis made no $setup" >&2; exit 1; }
echo "$setup"
