#include "shell/zump_scoreboard.h"

#include <climits>
#include <cmath>

#include "app/app.h"
#include "game/flow_globals.h"
#include "shell/zump_screen.h"
#include "shell/zump_text.h"

// Set by the build (the BRAMBLEWICK_SCORE_SERVER cache variable).
#ifndef BRAMBLEWICK_SCORE_SERVER
#error "BRAMBLEWICK_SCORE_SERVER is not defined"
#endif

int bb_zump_ZUMP_Scramble[64];
int bb_zump_ZUMP_CanSend;
int bb_zump_ZUMP_ForceSend;
int bb_zump_ZUMP_OnlineBoard;
int bb_zump_ZUMP_OnScore[10000];
String bb_zump_ZUMP_OnName[10000];
String bb_zump_ZUMP_ScoreServer;

void bb_zump_scoreboard_Init() {
    for (int& v : bb_zump_ZUMP_Scramble) v = 0;
    bb_zump_ZUMP_CanSend = 1;
    bb_zump_ZUMP_ForceSend = 0;
    bb_zump_ZUMP_OnlineBoard = 0;
    for (int& v : bb_zump_ZUMP_OnScore) v = 0;
    for (String& s : bb_zump_ZUMP_OnName) s.clear();
    bb_zump_ZUMP_ScoreServer = bbStringFromUtf8(BRAMBLEWICK_SCORE_SERVER);
}

int bb_zump_SetGameNumber(int n) {
    // The magnitude of the most negative int does not fit; it saturates.
    bb_zump_ZUMP_GameNum = n == INT_MIN ? INT_MAX : n < 0 ? -n : n;
    return bb_zump_Rescramble();
}

int bb_zump_SetKeyword(const String& keyword) {
    bb_zump_ZUMP_Keyword = keyword;
    return bb_zump_Rescramble();
}

int bb_zump_Rescramble() {
    const String& key = bb_zump_ZUMP_Keyword;
    if (key.empty() || bb_zump_ZUMP_GameNum <= 0) return 0;
    for (int i = 0; i < 64; ++i) {
        long long sum = (long long)i + key[(size_t)i % key.size()] + bb_zump_ZUMP_GameNum;
        bb_zump_ZUMP_Scramble[i] = (int)(sum % 92);
    }
    return 0;
}

String bb_zump_Scramble(const String& text) {
    String out(text.size(), u' ');
    int a = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        a = (a + bb_zump_ZUMP_Scramble[i % 64]) % 92;
        int c = text[i];
        // Units the server cannot take back are sent as if they were spaces.
        if (c < 32 || c > 123) c = 32;
        out[i] = (char16_t)((a + c - 32) % 92 + 32);
    }
    return out;
}

bool bb_zump_IsPlaceholderHost(const String& host) {
    String name = host;
    for (char16_t& unit : name)
        if (unit >= u'A' && unit <= u'Z') unit = (char16_t)(unit + 32);
    // A fully qualified name may end in a dot.
    if (!name.empty() && name.back() == u'.') name.pop_back();
    static const String kTld = u".invalid";
    if (name.empty() || name == kTld.substr(1)) return true;
    return name.size() > kTld.size() && name.compare(name.size() - kTld.size(), kTld.size(), kTld) == 0;
}

namespace {

const float kChartColour[5][3] = {
    {255, 25.5f, 25.5f}, {255, 127.5f, 25.5f}, {255, 255, 25.5f}, {25.5f, 255, 25.5f}, {25.5f, 255, 255},
};

// The score right-aligned in 8 characters, spaces in front (a longer number
// keeps its last 8). The boards are drawn every frame of the menu, so the
// text is built in one buffer that never needs to grow.
const String& ScoreField(int score) {
    static String field(8, u' ');
    char16_t digits[12];
    int n = 0;
    long long v = score < 0 ? -(long long)score : score;
    do {
        digits[n++] = (char16_t)(u'0' + v % 10);
        v /= 10;
    } while (v > 0);
    if (score < 0) digits[n++] = u'-';
    for (int i = 0; i < 8; ++i) field[(size_t)(7 - i)] = i < n ? digits[i] : u' ';
    return field;
}

}  // namespace

void bb_zump_Draw_Scoreboard(float x, float y, int hideOnline, int hideLocal) {
    int c = bb_zump_ZUMP_MenuPos[2];
    int course = c + 1;
    // Only listed courses have lines, and only rows the tables hold.
    bool listed = c >= 0 && c < bb_zump_ZUMP_MenuPos[12] && course < ZUMP_SCORE_ROWS;
    const int* row = listed ? bb_zump_ZUMP_Score + 20 * course : nullptr;
    float ty = (float)(int)(y - 96);

    // The wobble of a highlighted entry follows the clock.
    const double kRad = 3.14159265358979323846 / 180.0;
    double ms = (double)bb_app_Millisecs();
    float wobbleX = (float)(3.0 * std::sin(ms / 3.0 * kRad));
    float wobbleY = (float)-std::cos(ms / 4.5 * kRad);

    if (hideLocal == 0) {
        bb_zump_ResetDraw();
        bb_zump_DrawImg(82, x, y, 0);
        bb_zump_SetSize(0.5f, 0.5f);
        bb_zump_Text(x - 64, ty, u"Top 5", 1, 1);
        if (listed) {
            for (int k = 0; k < 5; ++k) {
                bool wobble = course == bb_zump_ZUMP_LastPlay && k == bb_zump_ZUMP_LastRank;
                float dx = wobble ? wobbleX : 0, dy = wobble ? wobbleY : 0;
                bb_zump_Text(x - 56 + dx, ty + 40 + 28 * k + dy, ScoreField(row[k]), 1, 1);
            }
            // The last five games as stars, higher the closer they came to the best.
            bb_zump_SetSize(0.4f, 0.4f);
            float best = row[0] != 0 ? (float)row[0] : 1;
            for (int k = 0; k < 5; ++k) {
                bb_zump_SetCol(kChartColour[k][0], kChartColour[k][1], kChartColour[k][2]);
                bb_zump_SetRot(15.0f * k);
                bb_zump_DrawImg(74, x - 100 + 22 * k, (float)bb_zump_jscrh - 78 - 40 * (float)row[5 + k] / best, 0);
            }
        }
    }

    if (bb_zump_ZUMP_OnlineBoard == 1 && hideOnline == 0) {
        float mx = (float)bb_zump_jscrw - x;
        bb_zump_ResetDraw();
        bb_zump_SetSize(-1, 1);
        bb_zump_DrawImg(82, mx, y, 0);
        bb_zump_SetSize(0.45f, 0.45f);
        bb_zump_Text(mx + 64, ty, u"Online", 1, 1);
        if (listed) {
            float lx = mx + 56;
            for (int k = 0; k < 5; ++k) {
                int at = 20 * course + k;
                float h = ty + 30 + 38 * k;
                // Whoever holds the player's own best score wobbles, even another player.
                bool wobble = bb_zump_ZUMP_OnScore[at] == row[0];
                float dx = wobble ? wobbleX : 0, dy = wobble ? wobbleY : 0;
                bb_zump_Text(lx - 50 + dx, h + dy, bb_zump_ZUMP_OnName[at], 0, 1);
                bb_zump_Text(lx + dx, h + 16 + dy, ScoreField(bb_zump_ZUMP_OnScore[at]), 1, 1);
            }
        }
    }
}
