#!/usr/bin/env bash
# Installs what is needed, builds the test build (AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-testes/ and runs every test, checks
# the Debian package made from the release build (scripts/testar-pacote.sh,
# into build/), then fuzzes the text, date, converter, statement and
# code-page functions for a short while (scripts/fuzz.sh, into build-fuzz/).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/instalar-dependencias.sh
cmake -S . -B build-testes -DCMAKE_BUILD_TYPE=Debug -DCONVERSOR_SANITIZERS=ON
cmake --build build-testes -j"$(nproc)"
ctest --test-dir build-testes --output-on-failure -j"$(nproc)"
bash scripts/testar-pacote.sh
bash scripts/fuzz.sh
