#!/usr/bin/env bash
# Takes the screenshots of the edit dialog and the symbol picker in docs/,
# filled from the sample installation's symbol pictures, on a virtual X
# server (xvfb-run) with ImageMagick's import. Run it again after changing
# either window.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
cmake -S . -B build >/dev/null
cmake --build build -j2 --target dialogs_screenshots
mkdir -p docs
for shot in edit:edit-dialog picker:symbol-picker; do
    xvfb-run -a -s "-screen 0 1024x768x24" build/tests/dialogs/dialogs_screenshots \
        "${shot%%:*}" "docs/${shot#*:}.png" examples/Engineering
done
