#!/usr/bin/env bash
# Installs what is needed, builds the test build (AddressSanitizer and
# UndefinedBehaviorSanitizer) into build/ and runs every test, then fuzzes the
# text, date, converter, statement and code-page functions for a short while
# (scripts/fuzz.sh, into build-fuzz/).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/instalar-dependencias.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Debug -DCONVERSOR_SANITIZERS=ON
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
bash scripts/fuzz.sh
