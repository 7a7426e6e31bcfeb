#include "host/bb_runtime.h"

#include "game/flow_globals.h"
#include "shell/zump_profile.h"

// Every module's start-up values, in dependency order.
void bbInit() {
    bb_flow_Init();
    bb_zump_ProfileInit();
}
