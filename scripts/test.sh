#!/usr/bin/env bash
# Checks the formatting, builds the project and runs every test. GUI tests use
# Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/check-format.sh
scripts/build.sh
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2
