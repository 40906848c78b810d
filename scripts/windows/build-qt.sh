#!/usr/bin/env bash
# Makes the Qt for Windows that the cross build links: Qt 6.4.2 (qtbase and qtcharts) for
# x86_64-w64-mingw32, shared, Release, into LOTO6_QT_WINDOWS (default
# ~/.cache/loto6yorune/qt-6.4.2-mingw). Does nothing when that folder is complete.
#
# A ready build in ../shared/toolchains/ (LOTO6_TOOLCHAINS) is unpacked; otherwise Qt is built
# from source (about 80 CPU minutes): qtbase from Debian's source package, qtcharts from
# ../shared/sources/ (LOTO6_SOURCES), with Debian's MinGW-w64 compilers and the host tools of
# the installed Qt 6.4.2.
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
prefix=${LOTO6_QT_WINDOWS:-$HOME/.cache/loto6yorune/qt-6.4.2-mingw}
toolchains=${LOTO6_TOOLCHAINS:-$repo/../shared/toolchains}
sources=${LOTO6_SOURCES:-$repo/../shared/sources}
ready=qt-6.4.2-x86_64-w64-mingw32

complete() {
    [ -f "$prefix/.loto6-complete" ] &&
        [ -f "$prefix/lib/cmake/Qt6Charts/Qt6ChartsConfig.cmake" ] &&
        [ -f "$prefix/bin/Qt6Core.dll" ] && [ -f "$prefix/plugins/platforms/qwindows.dll" ]
}
if complete; then
    echo "Qt for Windows: $prefix"
    exit 0
fi
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"

if [ -f "$toolchains/$ready.tar.xz" ]; then
    echo "Qt for Windows: unpacking $toolchains/$ready.tar.xz into $prefix"
    tmp=$(mktemp -d "$(dirname "$prefix")/unpack.XXXXXX")
    tar -xJf "$toolchains/$ready.tar.xz" -C "$tmp"
    mv "$tmp/$ready" "$prefix"
    rmdir "$tmp"
    touch "$prefix/.loto6-complete"
    complete || { echo "build-qt: the archive lacks parts of Qt for Windows" >&2; exit 1; }
    exit 0
fi

# From source.
[ -f "$sources/qtcharts-everywhere-src-6.4.2.tar.xz" ] ||
    { echo "build-qt: $sources/qtcharts-everywhere-src-6.4.2.tar.xz is missing" >&2; exit 1; }
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
# Debian's source packages come from the same place as its binaries: a deb-src entry is copied
# from the configured source (this script names no host of its own).
if ! apt-get source --print-uris qt6-base >/dev/null 2>&1; then
    list=/etc/apt/sources.list.d/loto6-deb-src.sources
    if ls /etc/apt/sources.list.d/*.sources >/dev/null 2>&1; then
        sed -e 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/*.sources | $sudo tee "$list" >/dev/null
    else
        grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
            $sudo tee /etc/apt/sources.list.d/loto6-deb-src.list >/dev/null
    fi
    $sudo apt-get update -qq
fi
work=$(mktemp -d "$(dirname "$prefix")/qt-build.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
apt-get source --download-only qt6-base >/dev/null
dpkg-source --skip-patches -x qt6-base_6.4.2*.dsc qtbase >/dev/null
tar -xJf "$sources/qtcharts-everywhere-src-6.4.2.tar.xz"

host=(-DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
cmake -S qtbase -B build-qtbase -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-mingw-w64.cmake" "${host[@]}" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
    -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_tabletevent=OFF -DFEATURE_icu=OFF \
    -DFEATURE_schannel=ON -DFEATURE_openssl=OFF -DINPUT_opengl=desktop -DFEATURE_system_zlib=OFF
cmake --build build-qtbase
cmake --install build-qtbase
cmake -S qtcharts-everywhere-src-6.4.2 -B build-qtcharts -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/lib/cmake/Qt6/qt.toolchain.cmake" "${host[@]}" \
    -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
cmake --build build-qtcharts
cmake --install build-qtcharts
touch "$prefix/.loto6-complete"
complete
echo "Qt for Windows: built into $prefix"
