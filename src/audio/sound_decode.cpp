#include "audio/sound_decode.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "host/glfwgame.h"

// The library is compiled into libstb; this only wants its declarations.
#define STB_VORBIS_HEADER_ONLY
#include <stb/stb_vorbis.h>

int readInt(FILE* file) {
    unsigned char b[4];
    if (fread(b, 1, 4, file) != 4) return -1;
    return (int)((uint32_t)b[0] | (uint32_t)b[1] << 8 | (uint32_t)b[2] << 16 | (uint32_t)b[3] << 24);
}

String readTag(FILE* file) {
    char b[4];
    if (fread(b, 1, 4, file) != 4) return String();
    String tag(4, u' ');
    for (int i = 0; i < 4; ++i) tag[i] = (char16_t)(unsigned char)b[i];
    return tag;
}

// A 16-bit little-endian unsigned value, or -1 if the 2 bytes are not there.
static int readShort(FILE* file) {
    unsigned char b[2];
    if (fread(b, 1, 2, file) != 2) return -1;
    return b[0] | b[1] << 8;
}

// Bytes from the current position to the end of the stream, or -1 if the
// stream cannot tell. Sizes read from the file are checked against this before
// anything is allocated or skipped, so a damaged size field never makes the
// reader ask for more than the file holds.
static long bytesLeft(FILE* file) {
    long here = ftell(file);
    if (here < 0 || fseek(file, 0, SEEK_END) != 0) return -1;
    long end = ftell(file);
    if (fseek(file, here, SEEK_SET) != 0 || end < here) return -1;
    return end - here;
}

// Skips size bytes; false if fewer are left.
static bool skipBytes(FILE* file, uint32_t size) {
    long left = bytesLeft(file);
    if (left < 0 || size > (unsigned long)left) return false;
    return fseek(file, (long)size, SEEK_CUR) == 0;
}

unsigned char* LoadWAV(FILE* file, int* length, int* channels, int* format, int* hertz) {
    if (readTag(file) != u"RIFF") return nullptr;
    readInt(file);
    if (readTag(file) != u"WAVE") return nullptr;
    if (readTag(file) != u"fmt ") return nullptr;

    // Chunk sizes are unsigned in RIFF; reading them as such keeps a damaged
    // size from seeking backwards into an endless walk.
    uint32_t formatSize = (uint32_t)readInt(file);
    if (readShort(file) != 1) return nullptr;
    int chans = readShort(file);
    int rate = readInt(file);
    readInt(file);
    readShort(file);
    int bits = readShort(file);
    int bytesPerSample = bits < 0 ? 0 : bits / 8;
    if (formatSize > 16 && !skipBytes(file, formatSize - 16)) return nullptr;

    // No channels or under 8 bits make a frame of 0 bytes: nothing to count.
    if (chans <= 0 || bytesPerSample <= 0) return nullptr;

    for (;;) {
        String tag = readTag(file);
        if (tag.empty()) return nullptr;
        int stored = readInt(file);
        if (feof(file)) return nullptr;
        uint32_t size = (uint32_t)stored;
        if (tag != u"data") {
            if (!skipBytes(file, size)) return nullptr;
            continue;
        }
        // A data chunk longer than the rest of the file is a short read, and
        // after it the walk meets the end: fail without reading it.
        long left = bytesLeft(file);
        if (left < 0 || size > (unsigned long)left || size > INT_MAX) return nullptr;
        unsigned char* data = (unsigned char*)malloc(size ? size : 1);
        if (!data) return nullptr;
        if (fread(data, 1, size, file) != size) {
            free(data);
            return nullptr;
        }
        *length = (int)(size / (uint32_t)(bytesPerSample * chans));
        *channels = chans;
        *format = bytesPerSample;
        *hertz = rate;
        return data;
    }
}

// The Vorbis decoder trusts the lengths in the comment header and allocates and
// fills whatever they say, so they are checked first against the bytes that
// are really there. Reads the stream's second packet through its Ogg pages
// and leaves the stream anywhere; false if it is damaged or incomplete.
static bool oggCommentsFit(FILE* file) {
    std::vector<unsigned char> packet;
    int packetIndex = 0;
    while (packetIndex < 2) {
        unsigned char page[27];
        unsigned char lacing[255];
        if (fread(page, 1, 27, file) != 27 || page[0] != 'O' || page[1] != 'g' || page[2] != 'g' || page[3] != 'S')
            return false;
        int segments = page[26];
        if (fread(lacing, 1, segments, file) != (size_t)segments) return false;
        for (int i = 0; i < segments && packetIndex < 2; ++i) {
            if (packetIndex == 1) {
                size_t at = packet.size();
                packet.resize(at + lacing[i]);
                if (lacing[i] && fread(&packet[at], 1, lacing[i], file) != lacing[i]) return false;
            } else if (lacing[i] && fseek(file, lacing[i], SEEK_CUR) != 0) {
                return false;
            }
            if (lacing[i] < 255) ++packetIndex;
        }
    }
    size_t at = 7;  // packet type 3 and "vorbis"
    auto take32 = [&](uint32_t* v) {
        if (packet.size() - at < 4) return false;
        *v = (uint32_t)packet[at] | (uint32_t)packet[at + 1] << 8 | (uint32_t)packet[at + 2] << 16 |
             (uint32_t)packet[at + 3] << 24;
        at += 4;
        return true;
    };
    uint32_t vendor = 0, count = 0;
    if (packet.size() < at || !take32(&vendor) || vendor > packet.size() - at) return false;
    at += vendor;
    if (!take32(&count) || count > (packet.size() - at) / 4) return false;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t len = 0;
        if (!take32(&len) || len > packet.size() - at) return false;
        at += len;
    }
    return true;
}

unsigned char* LoadOGG(FILE* file, int* length, int* channels, int* format, int* hertz) {
    long start = ftell(file);
    if (start < 0 || !oggCommentsFit(file) || fseek(file, start, SEEK_SET) != 0) return nullptr;
    int error = 0;
    stb_vorbis* vorbis = stb_vorbis_open_file(file, 0, &error, nullptr);
    if (!vorbis) return nullptr;
    stb_vorbis_info info = stb_vorbis_get_info(vorbis);
    int chans = info.channels;
    if (chans <= 0) {
        stb_vorbis_close(vorbis);
        return nullptr;
    }

    // Room for 4096 more frames before every decode call, doubling as needed;
    // the block's byte size must stay an int for the driver's upload.
    size_t room = (size_t)chans * 4096;
    size_t used = 0;
    int frames = 0;
    short* pcm = (short*)malloc(room * sizeof(short));
    while (pcm) {
        int n = stb_vorbis_get_frame_short_interleaved(vorbis, chans, pcm + used, (int)(room - used));
        if (n == 0) break;
        frames += n;
        used += (size_t)n * chans;
        if (used + (size_t)chans * 4096 > room) {
            room *= 2;
            short* grown = room * sizeof(short) > INT_MAX ? nullptr : (short*)realloc(pcm, room * sizeof(short));
            if (!grown) free(pcm);
            pcm = grown;
        }
    }
    stb_vorbis_close(vorbis);
    if (!pcm) return nullptr;
    *length = frames;
    *channels = chans;
    *format = 2;
    *hertz = (int)info.sample_rate;
    return (unsigned char*)pcm;
}

static bool endsWith(const String& text, const char16_t* suffix) {
    String tail(suffix);
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

unsigned char* LoadAudioFile(FILE* file, const String& path, int* length, int* channels, int* format,
                             int* hertz) {
    if (!file) return nullptr;
    String lower = path;
    for (char16_t& c : lower)
        if (c >= u'A' && c <= u'Z') c = (char16_t)(c + 32);
    unsigned char* data = nullptr;
    if (endsWith(lower, u".wav")) {
        data = LoadWAV(file, length, channels, format, hertz);
    } else if (endsWith(lower, u".ogg")) {
        data = LoadOGG(file, length, channels, format, hertz);
    }
    fclose(file);
    return data;
}

unsigned char* BBGlfwGame::LoadAudioData(const String& path, int* length, int* channels, int* format,
                                         int* hertz) {
    return LoadAudioFile(OpenFile(path, u"rb"), path, length, channels, format, hertz);
}
