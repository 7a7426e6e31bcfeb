// libFuzzer target: load any state file into the profile, save it, and check
// that the saved text is well formed and loads back to itself.
//
// The host's state file and date are replaced here by the fuzzer's bytes and a
// fixed date, so only the profile, the runtime text helpers and the random
// generator are under test.
#include <cstdint>
#include <cstdlib>

#include "app/app.h"
#include "game/flow_globals.h"
#include "shell/zump_profile.h"
#include "shell/zump_screen.h"

int bb_zump_ZUMP_DebugMode;
int bb_zump_ZUMP_ScreenshotMode;

static String state;

String bb_app_LoadState() { return state; }
int bb_app_SaveState(const String& text) {
    state = text;
    return 0;
}
Array<int> bb_app_GetDate2() { return Array<int>{2026, 12, 9, 18, 30, 45, 0}; }

static void Require(bool condition) {
    if (!condition) std::abort();
}

static bool WellFormed(const String& text) {
    static const String kTag = u"ZUMP_v2.0|";
    if (text.compare(0, kTag.size(), kTag) != 0 || text.back() != u'|') return false;
    int bars = 1;
    for (size_t i = kTag.size(); i < text.size(); ++i) {
        char16_t unit = text[i];
        if (unit == u'|')
            ++bars;
        else if (unit != u'-' && (unit < u'0' || unit > u'9'))
            return false;
    }
    return bars == ZUMP_PROFILE_FIELDS - 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte chooses how the rest becomes text: as the state-file reader
    // takes bytes (UTF-8, else 8-bit), or as raw 16-bit units.
    if (data[0] & 1) {
        state.clear();
        for (size_t i = 1; i + 1 < size; i += 2) state.push_back((char16_t)(data[i] | data[i + 1] << 8));
    } else {
        state = bbStringFromUtf8((const char*)data + 1, (int)(size - 1));
    }

    bb_flow_Init();
    bb_zump_ProfileInit();
    bb_zump_ZUMP_GameNum = 525;
    bb_zump_Load();
    bb_zump_Save();
    Require(WellFormed(state));

    String first = state;
    bb_zump_Load();
    bb_zump_Save();
    Require(state == first);
    return 0;
}
