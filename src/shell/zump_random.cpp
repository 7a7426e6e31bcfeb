#include "shell/zump_random.h"

#include <cmath>
#include <cstring>

#include "host/bbgame.h"

uint32_t bb_random_Seed;
float bb_zump_part[2600];

namespace {

// 0.99 as single precision: 16609444 / 2^24.
const int64_t RAND_TOP_FRACTION = 16609444;

// Advances the state and returns its top 24 bits.
uint32_t Step() {
    bb_random_Seed = bb_random_Seed * 1664525u + 1013904223u;
    return bb_random_Seed >> 8;
}

bool IsSmallWhole(float v) { return std::fabs(v) < 16777216.0f && v == std::floor(v); }

}  // namespace

void bb_random_Init() {
    bb_random_Seed = 1234;
    std::memset(bb_zump_part, 0, sizeof bb_zump_part);
}

float bb_random_Rnd() { return (float)Step() * (1.0f / 16777216.0f); }

float bb_random_Rnd2(float lo, float hi) {
    double r = Step() * (1.0 / 16777216.0);
    return (float)((double)lo + r * ((double)hi - (double)lo));
}

float bb_random_Rnd3(float hi) {
    double r = Step() * (1.0 / 16777216.0);
    return (float)(r * (double)hi);
}

int bb_zump_Rand(float lo, float hi) {
    int64_t k = Step();
    if (IsSmallWhole(lo) && IsSmallWhole(hi)) {
        // Exactly: lo + floor(k * W / 2^48) with W = (hi - lo + 0.99) * 2^24.
        // A double would round k * W and land on the wrong side of a whole
        // number now and then; the original machine kept it exact.
        int64_t w = ((int64_t)hi - (int64_t)lo) * 16777216 + RAND_TOP_FRACTION;
        __int128 scaled = (__int128)k * w;
        int64_t whole = (int64_t)(scaled >> 48);  // arithmetic shift: floor
        return (int)(float)((int64_t)lo + whole);
    }
    // Fractional bounds (the game never uses them): the 64-bit-mantissa
    // evaluation of the original, as far as this machine's long double goes.
    long double r = (long double)k / 16777216.0L;
    long double span = ((long double)hi + (long double)0.99f) - (long double)lo;
    float v = (float)std::floor((long double)lo + r * span);
    // Out of range (or not a number) gives what the original's conversion did.
    if (!(v >= -2147483648.0f && v < 2147483648.0f)) return INT32_MIN;
    return (int)v;
}

void bb_zump_SeedRnd(int seed) {
    if (seed == ZUMP_SEED_FROM_CLOCK) seed = BBGame::_game ? BBGame::_game->Millisecs() : 0;
    bb_random_Seed = (uint32_t)seed;
    for (int i = 0; i < 21; ++i) Step();
}

void bb_zump_ResetStars() {
    bb_zump_SeedRnd(ZUMP_SEED_FROM_CLOCK);
    // Six draws for each of 251 stars; nothing in this game shows them, but
    // later unseeded draws depend on the generator having moved this far.
    for (int i = 0; i < 251 * 6; ++i) Step();
}

void bb_zump_ResetParticles() {
    // The first float of the last record is index 2500.
    std::memset(bb_zump_part, 0, 2501 * sizeof(float));
}
