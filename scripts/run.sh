#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets everything up, builds Quillmoor and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh run
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "Built build/bin/quillmoor, but there is no display to show it on." >&2
    exit 1
fi
exec build/bin/quillmoor
