// The per-update particle step, run by the commit before the queue is copied.
#pragma once

void bb_zump_DoParticles();
