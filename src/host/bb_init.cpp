#include "host/bb_runtime.h"

#include "game/flow_globals.h"

// Every module's start-up values, in dependency order.
void bbInit() {
    bb_flow_Init();
}
