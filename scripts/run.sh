#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program with its bundled history.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != "offscreen" ]; then
    echo "Loto6Yorune needs a graphical display: no DISPLAY or WAYLAND_DISPLAY is set." >&2
    exit 1
fi
exec build/bin/Loto6Yorune
