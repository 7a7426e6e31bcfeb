// The one pseudo-random generator of the program, and the particle table.
// Courses are generated from it, so its sequence must never change.
#pragma once

#include <cstdint>

// Generator state; every draw advances it once.
extern uint32_t bb_random_Seed;

// 251 particle records of 10 floats; a record is live while its first float
// is above 0.
extern float bb_zump_part[2600];

// Seeding with this value takes the host's millisecond clock instead.
const int ZUMP_SEED_FROM_CLOCK = -37171650;

void bb_random_Init();

// One step: a value in [0, 1) with 24 significant bits.
float bb_random_Rnd();
// One step: lo + r * (hi - lo).
float bb_random_Rnd2(float lo, float hi);
// One step: r * hi.
float bb_random_Rnd3(float hi);
// One step: floor(lo + r * (hi + 0.99 - lo)), an integer from lo to hi for
// integer bounds, hi drawn slightly less often.
int bb_zump_Rand(float lo, float hi);
// Sets the state to the seed (the clock for ZUMP_SEED_FROM_CLOCK) and steps
// 21 times so nearby seeds do not start alike.
void bb_zump_SeedRnd(int seed);
// Lays out the starfield: seeds from the clock, then 1,506 draws.
void bb_zump_ResetStars();
// Kills every particle.
void bb_zump_ResetParticles();
