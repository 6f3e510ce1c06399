#!/usr/bin/env bash
# Installs what is missing, builds the native, fuzzing and Windows trees and
# runs every test (each fuzz target for 20 s, two at a time, beside the Wine tests).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh

jobs=$(nproc)
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native -j "$jobs"
cmake -S . -B build/fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTETHERLY_FUZZ=ON >/dev/null
cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
cmake --build build/win -j "$jobs"

status=0
(cd build/native && ctest --output-on-failure -j "$jobs") || status=1
# The Wine tests mostly wait, so the fuzzers are built and run beside them, at
# a lower priority; the three prefixes' tests run side by side, two at a time.
(nice -n 10 cmake --build build/fuzz -j 1 && nice -n 10 scripts/fuzz.sh 20) > build/fuzz/run.log 2>&1 &
fuzz=$!
(cd build/win && ctest --output-on-failure -j 2) || status=1
wait $fuzz || status=1
cat build/fuzz/run.log
exit $status
