#!/usr/bin/env bash
# Builds, installs and starts Rig Warden from its program folder on the demo catalog.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec build/RigWarden/RigWarden "$@"
