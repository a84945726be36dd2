#!/usr/bin/env bash
# Builds the program (with its window module, none of the tests or
# benchmarks) and runs it on a copy of the sample installation under
# examples/. The copy goes to a scratch folder (argument 1, default
# /tmp/engineering-example), replacing an earlier copy; the program is
# installed into its component folder (cmake --install), where it always
# lives. Further arguments are passed to the program. Without a display (and
# without arguments) it runs silently and shows what it wrote. Either way the
# change report of the run is shown at its end.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh Engineering_Config

target="${1:-/tmp/engineering-example}"
shift || true
rm -rf "$target"
mkdir -p "$target"
cp -r examples/. "$target/"
cmake --install build --prefix "$target/Engineering" >/dev/null

echo "Sample installation: $target"
program="$target/Engineering/Engineering_Config"
report="$target/Engineering_Config_changes.txt"
silent=false
if [ $# -eq 0 ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: running silently (/EXTERNAL SILENT)."
    set -- /EXTERNAL SILENT
    silent=true
fi
set +e
"$program" "$@"
status=$?
set -e
echo "Exit status: $status"
if [ "$silent" = true ]; then
    echo "Written:"
    for f in Engineering/Engineering.int Engineering/Engineering.cfg Engineering/Engineering.mdb \
             Engineering/Engineering_Config.ini Engineering_Config_changes.txt Q4Mcfglog.txt \
             HalvarServicePack.log; do
        [ -f "$target/$f" ] && echo "  $target/$f"
    done
fi
# The report is Windows-1252 text with CR LF line ends; the copy had none before.
if [ -f "$report" ]; then
    echo "Change report ($report):"
    iconv -f WINDOWS-1252 -t UTF-8 "$report" | tr -d '\r'
fi
exit "$status"
