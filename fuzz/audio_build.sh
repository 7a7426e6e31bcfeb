#!/usr/bin/env bash
# Builds the sound decoder fuzz target with clang's libFuzzer and
# AddressSanitizer, seeds a corpus, and runs it when asked:
#   fuzz/audio_build.sh OUTDIR            build only
#   fuzz/audio_build.sh OUTDIR SECONDS    build, then fuzz for that long
# Not part of the normal build or CI.
#
# Limits: stb_vorbis sizes its codebook tables from the setup header (up to
# 2^24 entries, 4 bytes each, so tens of megabytes from a small damaged file);
# the 256 MB malloc limit lets that bounded behaviour pass and still catches
# any size taken from a file unchecked. Leaks that stb_vorbis makes on its own
# error paths are suppressed (lsan.supp) and add up over a long run, hence
# the raised RSS limit.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:?usage: fuzz/audio_build.sh OUTDIR [SECONDS]}
mkdir -p "$out/corpus"
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize=vptr -fno-sanitize-recover=undefined \
  -I"$root/src" "$root/fuzz/sound_decode_fuzz.cpp" "$root/src/audio/sound_decode.cpp" \
  $(pkg-config --cflags --libs stb) -o "$out/sound_decode_fuzz"
cp "$root"/tests/fixtures/*.ogg "$out/corpus/"
python3 - "$out/corpus" <<'PY'
import math, struct, sys, wave
for name, ch, width, rate in (("mono8.wav", 1, 1, 8000), ("stereo16.wav", 2, 2, 22050)):
    with wave.open(f"{sys.argv[1]}/{name}", "wb") as w:
        w.setnchannels(ch); w.setsampwidth(width); w.setframerate(rate)
        frames = bytearray()
        for i in range(64):
            v = math.sin(i / 5)
            for _ in range(ch):
                frames += bytes([int(128 + 100 * v)]) if width == 1 else struct.pack("<h", int(20000 * v))
        w.writeframes(bytes(frames))
PY
if [ -n "${2:-}" ]; then
  cd "$out"
  LSAN_OPTIONS=suppressions="$root/fuzz/lsan.supp" ./sound_decode_fuzz -dict="$root/fuzz/audio.dict" -max_total_time="$2" -malloc_limit_mb=256 \
    -rss_limit_mb=4096 -print_final_stats=1 corpus
fi
