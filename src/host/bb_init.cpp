#include "host/bb_runtime.h"

#include "game/flow_globals.h"
#include "graphics/graphics.h"

// Every module's start-up values, in dependency order.
void bbInit() {
    bb_graphics_Init();
    bb_flow_Init();
}
