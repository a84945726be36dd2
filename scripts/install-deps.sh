#!/usr/bin/env bash
# Installs the Debian packages the project needs, when any is missing.
# --xvfb adds a virtual X server and ImageMagick (benchmarks and screenshots);
# --fuzz adds clang and its libFuzzer runtime (the INI fuzzer, fuzz/).
# --windows adds the MinGW-w64 cross compiler, Wine, GoogleTest's sources and
# what building SQLite from its source package needs (scripts/test-windows.sh).
# --package adds what cpack's .deb needs to read the program's dependencies.
# Needs root (or sudo) for apt-get; stops with a clear message otherwise.
set -euo pipefail

packages=(cmake g++ make pkg-config qt6-base-dev qt6-qpa-plugins libsqlite3-dev sqlite3
          nettle-dev nlohmann-json3-dev
          libgtest-dev clang-format mdbtools-dev mdbtools)
for flag in "$@"; do
    case "$flag" in
        --xvfb) packages+=(xvfb xauth imagemagick) ;;
        --fuzz) packages+=(clang libclang-rt-14-dev) ;;
        --package) packages+=(dpkg-dev file) ;;
        --windows) packages+=(g++-mingw-w64-x86-64-posix wine wine64 googletest tcl dpkg-dev perl) ;;
        *) echo "error: unknown option $flag" >&2; exit 1 ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    apt_get=(apt-get)
elif command -v sudo >/dev/null 2>&1; then
    apt_get=(sudo apt-get)
else
    echo "error: these Debian packages are missing and installing them needs root: ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
if ! "${apt_get[@]}" update -qq || ! "${apt_get[@]}" install -y -qq --no-install-recommends "${missing[@]}"; then
    echo "error: could not install ${missing[*]} with apt-get" >&2
    exit 1
fi
