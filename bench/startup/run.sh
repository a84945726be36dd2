#!/usr/bin/env bash
# Builds and runs the start-up benchmark; the window times need a display, so
# it runs under xvfb-run when there is none.
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/install-deps.sh --xvfb
scripts/build.sh >/dev/null
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" build/bench/startup/bench_startup "$@"
fi
exec build/bench/startup/bench_startup "$@"
