#!/usr/bin/env bash
# Installs what is missing, builds both trees and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh

jobs=$(nproc)
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native -j "$jobs"
cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
cmake --build build/win -j "$jobs"

status=0
(cd build/native && ctest --output-on-failure -j "$jobs") || status=1
(cd build/win && ctest --output-on-failure) || status=1
exit $status
