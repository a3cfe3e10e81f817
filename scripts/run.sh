#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program: for now the
# dictionary summary (records by prefecture and kind).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native
exec build/native/tools/dictinfo
