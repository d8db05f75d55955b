#!/usr/bin/env bash
# Installs what is missing, builds Snapdeck and starts it with the simulated camera.
# The program writes its pictures into ./run, and the simulated camera keeps its
# memory card in ./run/card (rename that folder to "unplug" the camera).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
mkdir -p run/card
cd run
exec ../build/src/app/snapdeck --camera=simulator:card "$@"
