#include "host/bb_runtime.h"

#include "game/flow_globals.h"
#include "net/asyncevent.h"

// Every module's start-up values, in dependency order.
void bbInit() {
    bb_asyncevent_Init();
    bb_flow_Init();
}
