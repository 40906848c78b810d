#!/usr/bin/env bash
# Installs what building and testing need on Debian, when it is missing.
# With --list, prints the packages one a line and installs nothing (scripts/check-deps.sh
# compares them with what the build actually used). With --windows, also what the Windows
# build and its run under Wine need (scripts/windows/).
set -euo pipefail

packages=(
    # compiler and build tools
    g++ cmake ninja-build pkg-config
    # Qt: the CMake packages the build loads (Qt6OpenGL is a dependency of Qt6Charts'
    # CMake files that qt6-charts-dev does not pull in), and Qt's own Japanese texts
    qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev libgl-dev
    qt6-translations-l10n
    # the Japanese fonts the window and the manual are drawn with
    fonts-ipafont-gothic fonts-ipafont-mincho
    # https downloads: OpenSSL and the certificate authorities
    libssl3 ca-certificates
    # the Debian package: its library dependencies (dpkg-shlibdeps, and file, which CPack runs
    # to find the binaries to give it) and the desktop entry's check
    dpkg-dev file desktop-file-utils
)
windows_packages=(
    # the MinGW-w64 cross compiler that Qt for Windows was built with
    g++-mingw-w64-x86-64-posix
    # Wine runs the Windows tests and the program; Xvfb, a window manager and xdotool let the
    # program run in a real window; ImageMagick takes its screenshots; NSIS makes the installer
    wine wine64 xvfb xauth openbox xdotool x11-utils imagemagick nsis
    # the Latin fonts the headless Windows tests measure with beside the IPA fonts, and the
    # time zones the Windows test run chooses from
    fonts-dejavu-core tzdata
    # the installer's signatures: osslsigncode signs and verifies, openssl makes the test
    # certificates, SoftHSM holds the test key behind PKCS#11 as a token holds the real one
    osslsigncode openssl softhsm2 libengine-pkcs11-openssl
    # the Japanese locale the installer's test runs Wine in, as a player's Windows is
    locales
)
windows=0
if [ "${1:-}" = "--windows" ]; then
    packages+=("${windows_packages[@]}")
    windows=1
    shift
fi
if [ "${1:-}" = "--list" ]; then
    printf '%s\n' "${packages[@]}"
    exit 0
fi
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
japanese=0
[ $windows -eq 1 ] && ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8' && japanese=1
[ ${#missing[@]} -eq 0 ] && [ $japanese -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Please run as root or install sudo: missing ${missing[*]}" >&2; exit 1; }
    sudo="sudo"
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [ $japanese -eq 1 ]; then
    echo "Generating the locale ja_JP.UTF-8"
    $sudo localedef -i ja_JP -c -f UTF-8 ja_JP.UTF-8
fi
