// libFuzzer target: every input goes through both sound decoders from a
// memory stream; the decoders must refuse damage without reading or
// allocating past what the input holds.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "audio/sound_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    unsigned char* (*decoders[])(FILE*, int*, int*, int*, int*) = {LoadWAV, LoadOGG};
    for (auto decode : decoders) {
        FILE* f = fmemopen(const_cast<uint8_t*>(data), size, "rb");
        if (!f) return 0;
        int length = 0, channels = 0, format = 0, hertz = 0;
        unsigned char* pcm = decode(f, &length, &channels, &format, &hertz);
        if (pcm) {
            // The block must hold what the results promise.
            size_t bytes = (size_t)length * channels * format;
            volatile unsigned char sink = 0;
            for (size_t i = 0; i < bytes; i += 97) sink = sink + pcm[i];
            if (bytes) sink = sink + pcm[bytes - 1];
            free(pcm);
        }
        fclose(f);
    }
    return 0;
}
