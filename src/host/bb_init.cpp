#include "host/bb_runtime.h"

#include "app/app.h"
#include "app/input_device.h"
#include "audio/audio.h"
#include "game/flow_globals.h"
#include "game/world.h"
#include "graphics/graphics.h"
#include "net/asyncevent.h"
#include "shell/zump_controls.h"
#include "shell/zump_profile.h"
#include "shell/zump_random.h"
#include "shell/zump_screen.h"
#include "shell/zump_screens.h"
#include "shell/zump_scoreboard.h"
#include "shell/zump_sound.h"
#include "shell/zump_text.h"

// Every module's start-up values, in dependency order.
void bbInit() {
    bb_asyncevent_Init();
    bb_app_Init();
    bb_graphics_Init();
    bb_input_Init();
    // Effects let go of their samples before the driver's discard list is reset.
    bb_zump_sound_Init();
    bb_audio_Init();
    bb_flow_Init();
    bb_random_Init();
    bb_world_Init();
    bb_zump_screen_Init();
    bb_zump_text_Init();
    bb_zump_controls_Init();
    bb_zump_screens_Init();
    bb_zump_scoreboard_Init();
    bb_zump_ProfileInit();
}
