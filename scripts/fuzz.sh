#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer and runs each for a while.
# Usage: scripts/fuzz.sh [build-dir] [seconds-per-target]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build-fuzz"}
seconds=${2:-60}

"$root/scripts/install-deps.sh" --test
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DDRUNO_FUZZ=ON
cmake --build "$build" -j "$(nproc)" --target druno_fuzz_targets
for target in "$build"/fuzz/fuzz_*; do
    [[ -x "$target" ]] || continue
    corpus="$build/corpus/$(basename "$target")"
    mkdir -p "$corpus"
    echo "fuzzing $(basename "$target") for ${seconds}s"
    QT_QPA_PLATFORM=offscreen "$target" -max_total_time="$seconds" -max_len=4096 "$corpus"
done
