#!/usr/bin/env bash
# Configures the project into build/ and builds it (two parallel jobs): every
# target, or only the targets given as arguments.
set -euo pipefail
cd "$(dirname "$0")/.."
# CI (CI=true) builds with warnings as errors.
werror=OFF
[ "${CI:-}" = true ] && werror=ON
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DENGINEERING_WERROR=$werror \
      "${launcher[@]}" >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build build -j2 "${targets[@]}"
