#!/usr/bin/env bash
# Configures, builds and installs the program folder (build/RigWarden) with the demo catalog.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build build -j2
cmake --install build
