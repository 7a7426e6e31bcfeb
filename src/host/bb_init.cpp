#include "host/bb_runtime.h"

#include "app/app.h"
#include "app/input_device.h"
#include "game/flow_globals.h"
#include "game/world.h"
#include "shell/zump_profile.h"
#include "shell/zump_random.h"

// Every module's start-up values, in dependency order.
void bbInit() {
    bb_app_Init();
    bb_input_Init();
    bb_flow_Init();
    bb_random_Init();
    bb_world_Init();
    bb_zump_ProfileInit();
}
