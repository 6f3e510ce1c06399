#!/usr/bin/env bash
# Installs what is missing, builds the native, fuzzing and Windows trees and
# runs every test (each fuzz target for 20 s, two at a time).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh

jobs=$(nproc)
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native -j "$jobs"
cmake -S . -B build/fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTETHERLY_FUZZ=ON >/dev/null
cmake --build build/fuzz -j "$jobs"
cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
cmake --build build/win -j "$jobs"

status=0
(cd build/native && ctest --output-on-failure -j "$jobs") || status=1
scripts/fuzz.sh 20 || status=1
(cd build/win && ctest --output-on-failure) || status=1
exit $status
