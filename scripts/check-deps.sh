#!/usr/bin/env bash
# Fails when the build or the tests use a Debian package that scripts/install-deps.sh does not
# install: a package present on this machine by chance would hide a broken fresh install.
# Run after configuring build/ (or the folder given as the first argument).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
listed=$(bash scripts/install-deps.sh --list)
unlisted=()

# owner <file> <what>: the package that owns the file must be one that install-deps.sh lists.
owner() {
    local file pkg
    file=$(readlink -f "$1")
    pkg=$(dpkg -S "$file" 2>/dev/null | head -n1 | cut -d: -f1) || true
    if [ -z "$pkg" ]; then
        echo "check-deps: no Debian package owns $file ($2)" >&2
        unlisted+=("?$2")
        return
    fi
    if ! grep -qx "$pkg" <<<"$listed"; then
        echo "check-deps: $2 comes from $pkg, which scripts/install-deps.sh does not install" >&2
        unlisted+=("$pkg")
    fi
}

# Every Qt CMake package that the configure step loaded.
[ -f "$build/CMakeCache.txt" ] || { echo "check-deps: $build is not configured" >&2; exit 1; }
while IFS='=' read -r key dir; do
    name=${key%%_DIR:PATH}
    [ -f "$dir/${name}Config.cmake" ] && owner "$dir/${name}Config.cmake" "CMake package $name"
done < <(grep -E '^Qt6[A-Za-z]*_DIR:PATH=/' "$build/CMakeCache.txt")

# What the tests and the manual need at run time: the Japanese fonts and Qt's translations.
for family in IPAGothic IPAMincho; do
    file=$(fc-match -f '%{file}' "$family")
    fc-match -f '%{family}' "$family" | grep -q "$family" || { echo "check-deps: font $family missing" >&2; unlisted+=("?$family"); continue; }
    owner "$file" "font $family"
done
translations=$(qtpaths6 --query QT_INSTALL_TRANSLATIONS 2>/dev/null || echo /usr/share/qt6/translations)
if [ -f "$translations/qtbase_ja.qm" ]; then
    owner "$translations/qtbase_ja.qm" "Qt's Japanese translation"
else
    echo "check-deps: $translations/qtbase_ja.qm missing" >&2
    unlisted+=("?qtbase_ja.qm")
fi

# The tools the package build and test run besides dpkg-deb.
for tool in dpkg-shlibdeps file desktop-file-validate; do
    if command -v "$tool" >/dev/null; then
        owner "$(command -v "$tool")" "$tool"
    else
        echo "check-deps: $tool missing" >&2
        unlisted+=("?$tool")
    fi
done

if [ ${#unlisted[@]} -gt 0 ]; then
    echo "check-deps: FAILED: ${unlisted[*]}" >&2
    exit 1
fi
echo "check-deps: every package the build and the tests use is installed by scripts/install-deps.sh"
