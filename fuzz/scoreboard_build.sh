#!/usr/bin/env bash
# Builds the score-answer fuzzer with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer. Not part of the normal build or CI.
#   bash fuzz/scoreboard_build.sh [out-dir]        (default: ./build-fuzz)
# then e.g.
#   ./build-fuzz/scoreboard_answer_fuzz -dict=fuzz/scoreboard.dict -max_len=8192 \
#       -max_total_time=600 build-fuzz/scoreboard_corpus fuzz/scoreboard_seeds
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-$here/build-fuzz}" && cd "${1:-$here/build-fuzz}" && pwd)
mkdir -p "$out/scoreboard_corpus"
flags="-g -O1 -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=all -fsanitize=fuzzer-no-link"

cmake -S "$here" -B "$out/core" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DBRAMBLEWICK_TESTS=OFF -DBRAMBLEWICK_BENCHMARKS=OFF >/dev/null
cmake --build "$out/core" -j2 --target bramblewick_core

clang++ -std=c++17 $flags -fsanitize=fuzzer -I"$here/src" "$here/fuzz/scoreboard_answer_fuzz.cpp" \
  "$out/core/libbramblewick_core.a" $(pkg-config --libs glfw3 openal stb) -lGL -lpthread \
  -o "$out/scoreboard_answer_fuzz"
echo "built $out/scoreboard_answer_fuzz"
