#!/usr/bin/env bash
# Builds the program and runs it on a copy of the sample installation under
# examples/. The copy goes to a scratch folder (argument 1, default
# /tmp/engineering-example), replacing an earlier copy; the program is placed
# in its component folder, where it always lives. Further arguments are passed
# to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --run
scripts/build.sh

target="${1:-/tmp/engineering-example}"
shift || true
rm -rf "$target"
mkdir -p "$target"
cp -r examples/. "$target/"
cp build/app/Engineering_Config "$target/Engineering/"

echo "Sample installation: $target"
"$target/Engineering/Engineering_Config" "$@"
