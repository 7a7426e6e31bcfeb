#include "shell/zump_particles.h"

#include "shell/zump_screen.h"

// This game never creates a particle (the table is only ever cleared), so the
// step has no live record to move or draw; what remains is leaving the record
// style reset for whatever the commit queues next.
void bb_zump_DoParticles() { bb_zump_ResetDraw(); }
