#!/usr/bin/env bash
# Builds the profile fuzz target (libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer). Not part of the normal build or CI.
#
#   bash fuzz/profile_build.sh [out-dir]          # default out-dir: build-fuzz
#   build-fuzz/profile_load_fuzz -dict=fuzz/profile.dict -max_len=65536 \
#       -max_total_time=600 build-fuzz/corpus fuzz/profile_seeds
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build-fuzz}
mkdir -p "$out/corpus"
clang++ -std=c++17 -O1 -g -Wall -Wextra -ffp-contract=off \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -Isrc \
  fuzz/profile_load_fuzz.cpp \
  src/shell/zump_profile.cpp src/shell/zump_random.cpp \
  src/host/bb_runtime.cpp src/host/bbgame.cpp src/host/files.cpp src/platform/*.cpp \
  src/game/flow_globals.cpp \
  -o "$out/profile_load_fuzz"
echo "built $out/profile_load_fuzz"
