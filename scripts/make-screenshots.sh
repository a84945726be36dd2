#!/usr/bin/env bash
# Takes the screenshots in docs/: the main window on a copy of the sample
# installation, and the edit dialog and the symbol picker filled from the
# sample's symbol pictures, on a virtual X server (xvfb-run) with
# ImageMagick's import. Run it again after changing a window.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
scripts/install-deps.sh --xvfb
cmake -S . -B build >/dev/null
cmake --build build -j2 --target window_screenshots Engineering_Config
mkdir -p docs
for shot in edit:edit-dialog picker:symbol-picker; do
    xvfb-run -a -s "-screen 0 1024x768x24" build/tools/screenshots/window_screenshots \
        "${shot%%:*}" "docs/${shot#*:}.png" examples/Engineering
done

# The main window: the program itself on a scratch copy of the sample, its
# Edit button translated as a German installation has it ("Bearbeiten", which
# only fits in a smaller font).
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cp -r examples/. "$scratch/"
cmake --install build --prefix "$scratch/Engineering" >/dev/null
printf '[Language]\r\nLanguage=1031\r\n[1031]\r\nCaption_CommandEdit_=Bearbeiten\r\n' \
    >"$scratch/Engineering/Engineering_Config.ini"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1" & pid=$!
    sleep 3
    import -window root -crop 792x573+0+0 +repage "$2"
    kill "$pid"' _ "$scratch/Engineering/Engineering_Config" docs/main-window.png
