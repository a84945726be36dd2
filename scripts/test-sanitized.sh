#!/usr/bin/env bash
# Builds the project with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitize/ and runs every test under them. Qt's and the graphics
# stack's own leaks at exit are suppressed (sanitizer-suppressions.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DENGINEERING_SANITIZE=ON \
      -DENGINEERING_BUILD_BENCH=OFF >/dev/null
cmake --build build-sanitize -j2
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/sanitizer-suppressions.txt:print_suppressions=0
QT_QPA_PLATFORM=offscreen ctest --test-dir build-sanitize --output-on-failure -j2
