// What the score server does with a submission, for checking ours: the
// tokens turned back into characters and the scramble undone.
#pragma once

#include <string>

#include "game/flow_globals.h"
#include "shell/zump_profile.h"
#include "shell/zump_scoreboard.h"

namespace scoreboard_test {

const char16_t kKeyword[] =
    u"Our PUP saw a BIG red fox RUN by the OLD oak and HID in a box of hay SO we all had a JOY day by the bay ha.";

// The shell set up as the golf game sets it up at creation.
inline void ConfigureAsGolf() {
    bb_zump_SetGameNumber(525);
    bb_zump_SetKeyword(kKeyword);
    bb_zump_ZUMP_AllowName = 1;
    bb_zump_ZUMP_Levels = 9;
}

// A named player with a fixed identifier; name must be 13 characters.
inline void NamePlayer(const char* name) {
    for (int i = 0; i < 13; ++i) bb_zump_ZUMP_Username[i] = name[i] - 32;
    bb_zump_ZUMP_UserIDA = 20240131;
    bb_zump_ZUMP_UserIDB = 123456789;
}

inline std::string Unescape(const std::string& text) {
    static const char kTokens[] = "A&B\\C'D`E\"F/G>H#I^J{K}L<M|P%Q?R+S$T,U ";
    std::string out;
    for (size_t i = 0; i < text.size();) {
        if (text.compare(i, 2, "*!") == 0 && i + 4 < text.size() && text.compare(i + 3, 2, "!*") == 0) {
            const char* at = nullptr;
            for (const char* t = kTokens; *t; t += 2)
                if (*t == text[i + 2]) at = t;
            if (at) {
                out += at[1];
                i += 5;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

// The scramble undone with the current table.
inline std::string Unscramble(const std::string& text) {
    std::string out;
    int a = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        a = (a + bb_zump_ZUMP_Scramble[i % 64]) % 92;
        int c = (unsigned char)text[i];
        out += (char)(((c - 32 - a) % 92 + 92) % 92 + 32);
    }
    return out;
}

}  // namespace scoreboard_test
