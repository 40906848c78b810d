#!/usr/bin/env bash
# Cross-builds the Windows program and every test (build-windows/), then lays out
# build-windows/dist/ as the Windows install: Loto6Yorune.exe, the Qt DLLs and plugins it needs,
# the MinGW runtime DLLs, translations/qtbase_ja.qm, the bundled history and the manual.
# The test programs find the same DLLs and plugins beside themselves in build-windows/bin/.
#
# Needs the native build's icon and manual writers (built here into build/ when missing) and
# the Qt for Windows of build-qt.sh.
set -euo pipefail
cd "$(dirname "$0")/../.."
repo=$PWD
qt=${LOTO6_QT_WINDOWS:-$HOME/.cache/loto6yorune/qt-6.4.2-mingw}
out=${LOTO6_WINDOWS_BUILD:-$repo/build-windows}
triple=x86_64-w64-mingw32

bash scripts/windows/build-qt.sh

# The build's own tools run here.
bash scripts/configure.sh
cmake --build build --target loto6_icons loto6_manual

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f "$out/CMakeCache.txt" ]; then
    cmake -S . -B "$out" "${generator[@]}" "${launcher[@]}" \
        -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-mingw-w64.cmake" \
        -DCMAKE_PREFIX_PATH="$qt" -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DLOTO6_HOST_TOOLS_DIR="$repo/build/bin" -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$out"

# deploy <folder> <plugin>...: copies the plugins, then every DLL that the programs and
# plugins in <folder> import, found in Qt's bin/ or the MinGW runtime, until none is missing.
runtime_dirs=("$qt/bin" "/usr/lib/gcc/$triple/12-posix" "/usr/$triple/lib")
deploy() {
    local folder=$1 plugin dll dir
    shift
    for plugin in "$@"; do
        mkdir -p "$folder/$(dirname "$plugin")"
        cp -u "$qt/plugins/$plugin" "$folder/$plugin"
    done
    local changed=1
    while [ $changed -eq 1 ]; do
        changed=0
        while read -r dll; do
            [ -f "$folder/$dll" ] && continue
            for dir in "${runtime_dirs[@]}"; do
                if [ -f "$dir/$dll" ]; then
                    cp "$dir/$dll" "$folder/$dll"
                    changed=1
                    break
                fi
            done
        done < <(find "$folder" -name '*.exe' -o -name '*.dll' | xargs -r "$triple-objdump" -p |
                     sed -n 's/^\s*DLL Name: //p' | sort -u)
    done
}

# What the tests need beside them: the offscreen platform for headless runs as well.
plugins=(platforms/qwindows.dll platforms/qoffscreen.dll styles/qwindowsvistastyle.dll
         tls/qschannelbackend.dll tls/qcertonlybackend.dll imageformats/qico.dll)
deploy "$out/bin" "${plugins[@]}"
mkdir -p "$out/bin/translations"
cp -u /usr/share/qt6/translations/qtbase_ja.qm "$out/bin/translations/"

# The install: what cmake --install lays beside the program, its DLLs and plugins.
rm -rf "$out/dist" "$out/stage"
cmake --install "$out" --prefix "$out/stage" >/dev/null
mv "$out/stage/bin" "$out/dist"
rm -rf "$out/stage"
deploy "$out/dist" platforms/qwindows.dll styles/qwindowsvistastyle.dll tls/qschannelbackend.dll \
    tls/qcertonlybackend.dll imageformats/qico.dll
mkdir -p "$out/dist/translations"
cp /usr/share/qt6/translations/qtbase_ja.qm "$out/dist/translations/"
echo "Windows program and tests in $out/bin; the install laid out in $out/dist"
