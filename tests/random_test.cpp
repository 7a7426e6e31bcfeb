#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "host/bbgame.h"
#include "shell/zump_random.h"

namespace {

class Random : public ::testing::Test {
protected:
    void SetUp() override { bbInit(); }
};

// A host whose clock reads a fixed time.
class ClockHost : public BBGame {
public:
    explicit ClockHost(int ms) : ms_(ms) {}
    ~ClockHost() override { _game = nullptr; }
    int Millisecs() override { return ms_; }

private:
    int ms_;
};

uint32_t StepState(uint32_t s) { return s * 1664525u + 1013904223u; }

// The state whose next step draws the 24-bit value k.
uint32_t StateBefore(uint32_t k) {
    uint32_t inverse = 1;  // of the multiplier, mod 2^32, by Newton's iteration
    for (int i = 0; i < 5; ++i) inverse *= 2 - 1664525u * inverse;
    return ((k << 8) - 1013904223u) * inverse;
}

}  // namespace

TEST_F(Random, FirstDrawsFromTheStartUpState) {
    const struct {
        float value;
        uint32_t state;
    } expected[] = {{0.7143076658248901f, 3067928073u}, {0.2070130705833435f, 889114580u}, {0.7495418190956116f, 3219257635u}};
    for (const auto& e : expected) {
        EXPECT_EQ(bb_random_Rnd(), e.value);
        EXPECT_EQ(bb_random_Seed, e.state);
    }
}

TEST_F(Random, SeedingStepsTwentyOneTimes) {
    bb_zump_SeedRnd(0);
    EXPECT_EQ(bb_random_Seed, 2254235155u);
    bb_zump_SeedRnd(42);
    EXPECT_EQ(bb_random_Seed, 2364415445u);
    for (float v : {0.1805165410041809f, 0.5500854253768921f, 0.25896674394607544f, 0.943121612071991f, 0.8215009570121765f})
        EXPECT_EQ(bb_random_Rnd(), v);

    bb_zump_SeedRnd(42);
    for (int v : {2, 4, 2, 6, 5, 1, 5, 3, 1, 1}) EXPECT_EQ(bb_zump_Rand(1, 6), v);
}

TEST_F(Random, RandStaysWithinIntegerBounds) {
    bb_zump_SeedRnd(7);
    bool sawTop = false, sawBottom = false;
    for (int i = 0; i < 20000; ++i) {
        EXPECT_EQ(bb_zump_Rand(0, 0), 0);
        int v = bb_zump_Rand(3, 6);
        ASSERT_GE(v, 3);
        ASSERT_LE(v, 6);
        sawTop |= v == 6;
        sawBottom |= v == 3;
    }
    EXPECT_TRUE(sawTop && sawBottom);

    // The largest possible draw still gives hi, never hi + 1.
    const float bounds[][2] = {{0, 0}, {3, 6}, {10, 490}};
    for (const auto& b : bounds) {
        bb_random_Seed = StateBefore(0xFFFFFF);
        EXPECT_EQ(bb_zump_Rand(b[0], b[1]), (int)b[1]);
    }
}

TEST_F(Random, RandIsExactWhereADoubleWouldRoundUp) {
    // States just before draws where lo + r * (hi + 0.99 - lo) lies a hair
    // below a whole number that a double rounds up to.
    const struct {
        uint32_t state;
        float lo, hi;
        int value;
    } cases[] = {
        {3858498789u, 0, 8000080, 6454586},
        {16558821u, 0, 8000354, 5178924},
    };
    for (const auto& c : cases) {
        bb_random_Seed = c.state;
        uint32_t k = StepState(c.state) >> 8;
        double viaDouble = std::floor((double)c.lo + k / 16777216.0 * ((double)c.hi + (double)0.99f - (double)c.lo));
        ASSERT_EQ(viaDouble, c.value + 1) << "the case no longer shows a double's rounding";
        EXPECT_EQ(bb_zump_Rand(c.lo, c.hi), c.value);
    }
}

TEST_F(Random, RandMatchesExtendedPrecision) {
    if (std::numeric_limits<long double>::digits < 64) GTEST_SKIP() << "no 64-bit-mantissa long double here";
    const float bounds[][2] = {{1, 3}, {1, 6}, {3, 6}, {10, 490}, {32, 58}, {200, 300}, {0, 65535}, {-40, 40}, {2.5f, 9.25f}};
    bb_zump_SeedRnd(99);
    for (int i = 0; i < 20000; ++i) {
        for (const auto& b : bounds) {
            uint32_t before = bb_random_Seed;
            long double r = (long double)(StepState(before) >> 8) / 16777216.0L;
            long double expected = std::floor((long double)b[0] + r * (((long double)b[1] + (long double)0.99f) - (long double)b[0]));
            ASSERT_EQ(bb_zump_Rand(b[0], b[1]), (int)expected) << "state " << before << " bounds " << b[0] << ".." << b[1];
        }
    }
}

TEST_F(Random, DerivedDrawsScaleOneStep) {
    bb_zump_SeedRnd(5);
    uint32_t s = bb_random_Seed;
    float r1 = (float)(StepState(s) >> 8) / 16777216.0f;
    float r2 = (float)(StepState(StepState(s)) >> 8) / 16777216.0f;
    EXPECT_EQ(bb_random_Rnd2(10, 20), (float)(10 + (double)r1 * 10));
    EXPECT_EQ(bb_random_Rnd3(360), (float)((double)r2 * 360));
    EXPECT_EQ(bb_random_Seed, StepState(StepState(s)));
}

TEST_F(Random, ClockSeedReadsTheHostClock) {
    uint32_t literal = (uint32_t)ZUMP_SEED_FROM_CLOCK;
    for (int i = 0; i < 21; ++i) literal = StepState(literal);

    // No host yet: the clock reads 0.
    bb_zump_SeedRnd(ZUMP_SEED_FROM_CLOCK);
    EXPECT_NE(bb_random_Seed, literal);
    bb_zump_SeedRnd(0);
    uint32_t fromZero = bb_random_Seed;
    bb_zump_SeedRnd(ZUMP_SEED_FROM_CLOCK);
    EXPECT_EQ(bb_random_Seed, fromZero);

    ClockHost host(123456);
    bb_zump_SeedRnd(123456);
    uint32_t fromClock = bb_random_Seed;
    bb_zump_SeedRnd(ZUMP_SEED_FROM_CLOCK);
    EXPECT_EQ(bb_random_Seed, fromClock);

    // The starfield seeds the same way, then draws six numbers for each of 251 stars.
    bb_zump_ResetStars();
    uint32_t s = fromClock;
    for (int i = 0; i < 1506; ++i) s = StepState(s);
    EXPECT_EQ(bb_random_Seed, s);
}

TEST_F(Random, ResetParticlesKillsEveryRecord) {
    for (float& v : bb_zump_part) v = 1;
    bb_zump_ResetParticles();
    for (int record = 0; record < 251; ++record) EXPECT_EQ(bb_zump_part[record * 10], 0.0f) << record;
    EXPECT_EQ(bb_zump_part[2501], 1.0f);  // the rest of the last record is left alone
}
