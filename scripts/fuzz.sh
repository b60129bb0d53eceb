#!/usr/bin/env bash
# Builds the fuzz harnesses of fuzz/ (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs each one for a short,
# fixed time, starting from its seeds in fuzz/corpus/. Fails on any crash,
# sanitizer report, leak, time-out or broken guarantee; the input that caused
# it is left in build-fuzz/artefatos/ with the command that replays it.
#
#   bash scripts/fuzz.sh [HARNESS...]
#
# FUZZ_TEMPO: seconds per harness (default 20). The inputs found are kept in
# build-fuzz/corpus/, so later runs on the same machine start from them.
set -euo pipefail
cd "$(dirname "$0")/.."

TEMPO="${FUZZ_TEMPO:-20}"
PARALELOS="$(nproc)"
TODOS=(FuzzTextos FuzzDatas FuzzConversores FuzzComandos FuzzCodePage)
if [ "$#" -gt 0 ]; then
  HARNESSES=("$@")
else
  HARNESSES=("${TODOS[@]}")
fi

if ! command -v clang++ >/dev/null; then
  echo "clang++ not found: run scripts/instalar-dependencias.sh" >&2
  exit 1
fi

CXX=clang++ cmake -S fuzz -B build-fuzz >/dev/null
if [ "$#" -gt 0 ]; then
  cmake --build build-fuzz -j"$PARALELOS" --target "${HARNESSES[@]}"
else
  cmake --build build-fuzz -j"$PARALELOS"
fi

mkdir -p build-fuzz/logs build-fuzz/artefatos
# Whatever the environment says: leaks are checked, and an undefined behaviour
# stops the run with its stack.
export ASAN_OPTIONS="detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Stacks with file and line: the package llvm names the release's symbolizer.
if [ -z "${ASAN_SYMBOLIZER_PATH:-}" ] && command -v llvm-symbolizer >/dev/null; then
  export ASAN_SYMBOLIZER_PATH="$(command -v llvm-symbolizer)"
fi

roda() {
  local h="$1"
  mkdir -p "build-fuzz/corpus/$h"
  rm -f "build-fuzz/logs/$h.rc" "build-fuzz/artefatos/$h-"*
  local rc=0
  # New inputs go to the first folder; the committed seeds are only read.
  "build-fuzz/$h" "build-fuzz/corpus/$h" "fuzz/corpus/$h" \
    -max_total_time="$TEMPO" -max_len=4096 -timeout=10 -rss_limit_mb=2048 -detect_leaks=1 \
    -artifact_prefix="build-fuzz/artefatos/$h-" -print_final_stats=1 \
    >"build-fuzz/logs/$h.log" 2>&1 || rc=$?
  echo "$rc" >"build-fuzz/logs/$h.rc"
}

echo "Fuzzing ${#HARNESSES[@]} harnesses, ${TEMPO} s each, ${PARALELOS} at a time..."
for h in "${HARNESSES[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$PARALELOS" ]; do
    wait -n || true
  done
  roda "$h" &
done
wait

passaram=0
falharam=0
for h in "${HARNESSES[@]}"; do
  rc="$(cat "build-fuzz/logs/$h.rc" 2>/dev/null || echo "?")"
  execucoes="$(sed -n 's/^stat::number_of_executed_units: *//p' "build-fuzz/logs/$h.log" | tail -1)"
  if [ "$rc" = "0" ]; then
    passaram=$((passaram + 1))
    echo "  $h: ok (${execucoes:-?} inputs)"
  else
    falharam=$((falharam + 1))
    echo "  $h: FAILED (exit $rc)"
    grep -E '^\*\*\* guarantee broken|ERROR: |runtime error:|^SUMMARY' "build-fuzz/logs/$h.log" | head -n 5 || true
    echo "----- last lines of build-fuzz/logs/$h.log -----"
    tail -n 60 "build-fuzz/logs/$h.log"
    echo "-----"
    for a in "build-fuzz/artefatos/$h-"*; do
      [ -e "$a" ] && echo "  replay with: build-fuzz/$h $a"
    done
  fi
done
echo "Fuzz: $passaram passed, $falharam failed"
[ "$falharam" -eq 0 ]
