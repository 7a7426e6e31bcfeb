// PNG and WAV writers. The PNG writer picks a filter per row and compresses at
// zlib level 9, so the big backdrops stay small; nothing in the output depends
// on the time or the machine.
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "gen.h"

namespace ag {

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    MakeDirs(std::filesystem::path(path).parent_path().string());
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool MakeDirs(const std::string& path) {
    if (path.empty()) return true;
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return !ec;
}

static void Put32(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back((uint8_t)(x >> 24)); v.push_back((uint8_t)(x >> 16));
    v.push_back((uint8_t)(x >> 8)); v.push_back((uint8_t)x);
}

static void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    Put32(out, (uint32_t)data.size());
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    uint32_t crc = (uint32_t)crc32(0, out.data() + start, (uInt)(out.size() - start));
    Put32(out, crc);
}

static uint8_t Paeth(int a, int b, int c) {
    int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return (uint8_t)a;
    return (uint8_t)(pb <= pc ? b : c);
}

bool WritePng(const std::string& path, const Canvas& cv, bool withAlpha) {
    int bpp = withAlpha ? 4 : 3;
    size_t stride = (size_t)cv.w * bpp;
    std::vector<uint8_t> raw((size_t)cv.h * stride);
    for (int y = 0; y < cv.h; y++)
        for (int x = 0; x < cv.w; x++) {
            const float* p = cv.At(x, y);
            uint8_t* q = &raw[(size_t)y * stride + (size_t)x * bpp];
            float a = Clamp01(p[3]);
            uint8_t a8 = (uint8_t)std::lround(a * 255);
            if (withAlpha && a8 == 0) {
                q[0] = q[1] = q[2] = q[3] = 0;  // invisible: any colour compresses best as zero
                continue;
            }
            for (int k = 0; k < 3; k++) {
                float c = withAlpha ? p[k] / a : p[k];  // opaque images are stored over black
                q[k] = (uint8_t)std::lround(Clamp01(c) * 255);
            }
            if (withAlpha) q[3] = a8;
        }
    // Per-row filter: the one with the smallest sum of absolute residuals.
    std::vector<uint8_t> filtered;
    filtered.reserve((size_t)cv.h * (stride + 1));
    std::vector<uint8_t> cand(stride), best(stride);
    for (int y = 0; y < cv.h; y++) {
        const uint8_t* row = &raw[(size_t)y * stride];
        const uint8_t* up = y > 0 ? &raw[(size_t)(y - 1) * stride] : nullptr;
        long bestScore = -1;
        int bestType = 0;
        for (int type = 0; type < 5; type++) {
            long score = 0;
            for (size_t i = 0; i < stride; i++) {
                int a = i >= (size_t)bpp ? row[i - bpp] : 0;
                int b = up ? up[i] : 0;
                int c = (up && i >= (size_t)bpp) ? up[i - bpp] : 0;
                int v = row[i];
                uint8_t f = 0;
                switch (type) {
                    case 0: f = (uint8_t)v; break;
                    case 1: f = (uint8_t)(v - a); break;
                    case 2: f = (uint8_t)(v - b); break;
                    case 3: f = (uint8_t)(v - ((a + b) >> 1)); break;
                    case 4: f = (uint8_t)(v - Paeth(a, b, c)); break;
                }
                cand[i] = f;
                score += f < 128 ? f : 256 - f;
            }
            if (bestScore < 0 || score < bestScore) {
                bestScore = score;
                bestType = type;
                best = cand;
            }
        }
        filtered.push_back((uint8_t)bestType);
        filtered.insert(filtered.end(), best.begin(), best.end());
    }
    uLongf zsize = compressBound((uLong)filtered.size());
    std::vector<uint8_t> z(zsize);
    if (compress2(z.data(), &zsize, filtered.data(), (uLong)filtered.size(), 9) != Z_OK) return false;
    z.resize(zsize);

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<uint8_t> ihdr;
    Put32(ihdr, (uint32_t)cv.w);
    Put32(ihdr, (uint32_t)cv.h);
    ihdr.push_back(8);                       // bit depth
    ihdr.push_back(withAlpha ? 6 : 2);       // RGBA or RGB
    ihdr.push_back(0); ihdr.push_back(0); ihdr.push_back(0);
    Chunk(out, "IHDR", ihdr);
    Chunk(out, "IDAT", z);
    Chunk(out, "IEND", {});
    return WriteFile(path, out);
}

static void Put16le(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back((uint8_t)x); v.push_back((uint8_t)(x >> 8));
}
static void Put32le(std::vector<uint8_t>& v, uint32_t x) {
    Put16le(v, x & 0xffff); Put16le(v, x >> 16);
}

bool WriteWav16(const std::string& path, const std::vector<float>& samples, int rate, int channels) {
    std::vector<uint8_t> out;
    uint32_t dataBytes = (uint32_t)samples.size() * 2;
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    Put32le(out, 36 + dataBytes);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    Put32le(out, 16);
    Put16le(out, 1);  // integer PCM
    Put16le(out, (uint32_t)channels);
    Put32le(out, (uint32_t)rate);
    Put32le(out, (uint32_t)(rate * channels * 2));
    Put16le(out, (uint32_t)(channels * 2));
    Put16le(out, 16);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    Put32le(out, dataBytes);
    for (float s : samples) {
        long v = std::lround(Clampf(s, -1, 1) * 32767.0f);
        Put16le(out, (uint32_t)(int16_t)v & 0xffff);
    }
    return WriteFile(path, out);
}

}  // namespace ag
