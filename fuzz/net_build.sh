#!/usr/bin/env bash
# Builds the HTTP response fuzzer with clang, libFuzzer and AddressSanitizer.
# Not part of the normal build or CI.
#   bash fuzz/net_build.sh [out-dir]        (default: ./build-fuzz)
# then e.g.  ./build-fuzz/net_http_fuzz -max_total_time=600 -max_len=65536 corpus/
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-$here/build-fuzz}" && cd "${1:-$here/build-fuzz}" && pwd)
flags="-g -O1 -fno-omit-frame-pointer -fsanitize=address,undefined -fsanitize=fuzzer-no-link"

cmake -S "$here" -B "$out/core" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DBRAMBLEWICK_TESTS=OFF -DBRAMBLEWICK_BENCHMARKS=OFF >/dev/null
cmake --build "$out/core" -j2 --target bramblewick_core

clang++ -std=c++17 $flags -fsanitize=fuzzer -I"$here/src" "$here/fuzz/net_http_fuzz.cpp" \
  "$out/core/libbramblewick_core.a" $(pkg-config --libs glfw3 openal stb) -lGL -lpthread \
  -o "$out/net_http_fuzz"
echo "built $out/net_http_fuzz"
