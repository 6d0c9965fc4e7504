#!/usr/bin/env bash
# Builds everything and runs every test; end-to-end tests start their own Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
ctest --test-dir build --output-on-failure --timeout 600
