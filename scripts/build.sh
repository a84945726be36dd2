#!/usr/bin/env bash
# Configures and builds the project into build/ (two parallel jobs).
set -euo pipefail
cd "$(dirname "$0")/.."
# CI (CI=true) builds with warnings as errors.
werror=OFF
[ "${CI:-}" = true ] && werror=ON
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DENGINEERING_WERROR=$werror \
      "${launcher[@]}" >/dev/null
cmake --build build -j2
