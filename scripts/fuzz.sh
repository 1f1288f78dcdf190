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
# A target's seed files (fuzz/corpus/<target>/) and dictionary (fuzz/<target>.dict), when it has
# them, start it off; what it finds goes to the build's own corpus folder.
for target in "$build"/fuzz/fuzz_*; do
    [[ -x "$target" ]] || continue
    name=$(basename "$target")
    corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    options=(-max_total_time="$seconds" -max_len=4096)
    [[ -f "$root/fuzz/$name.dict" ]] && options+=(-dict="$root/fuzz/$name.dict")
    folders=("$corpus")
    [[ -d "$root/fuzz/corpus/$name" ]] && folders+=("$root/fuzz/corpus/$name")
    echo "fuzzing $name for ${seconds}s"
    QT_QPA_PLATFORM=offscreen "$target" "${options[@]}" "${folders[@]}"
done
