// libFuzzer target: a score server's answer, received by the game's HTTP
// request in pieces and handed to the game's completion, which reads it into
// the online tables. The tables are compared with a plain split of the
// answer at every "{", so a field read from the wrong place, a missing field
// not read as empty or a row written outside the course count shows; reading
// past the answer shows under AddressSanitizer.
//
// Input: byte 0 picks the course count (low 4 bits; 15 means far more than
// the tables hold) and, with its high bit, hands the rest as 16-bit units
// straight to the answer reader; byte 1 the size of the received pieces;
// the rest is what the server sends, status line and header included.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "game/flow_globals.h"
#include "game/mygame.h"
#include "net/http.h"
#include "shell/zump_scoreboard.h"

namespace {

const String kTag = u"OnlineScores";
const String kOldName = u"old";
const int kOldScore = -777;

struct Game : c_MyGame {
    int completions = 0;
    void p_OnHttpRequestComplete(c_HttpRequest* request) override {
        ++completions;
        c_MyGame::p_OnHttpRequestComplete(request);
    }
};

// A connected socket that records the receive asked for instead of running it.
struct StandInSocket : c_Socket {
    int offset = -1, count = -1;
    bool asked = false;
    void p_SendAsync(c_DataBuffer*, int, int, c_IOnSendComplete*) override {}
    void p_ReceiveAsync(c_DataBuffer* data, int o, int c, c_IOnReceiveComplete*) override {
        if (o < 0 || c < 0 || o + c > data->Length()) std::abort();
        offset = o;
        count = c;
        asked = true;
    }
    void p_Close() override { m_state = 0; }
};

int RowsRead(int levels) {
    return levels < ZUMP_SCORE_ROWS ? levels : ZUMP_SCORE_ROWS - 1;
}

void MarkTables(int rows) {
    for (int g = 1; g <= rows + 1 && g < ZUMP_SCORE_ROWS; ++g) {
        for (int k = 0; k < 5; ++k) {
            bb_zump_ZUMP_OnName[20 * g + k] = kOldName;
            bb_zump_ZUMP_OnScore[20 * g + k] = kOldScore;
        }
    }
}

// The tables as a plain split of the answer says they must be.
void Check(const String& answer, int rows, bool parsed) {
    std::vector<String> fields;
    size_t from = 0;
    for (;;) {
        size_t at = answer.find(u'{', from);
        fields.push_back(answer.substr(from, at == String::npos ? String::npos : at - from));
        if (at == String::npos) break;
        from = at + 1;
    }
    bool valid = parsed && fields[0] == kTag;
    if (parsed && bb_zump_ZUMP_OnlineBoard != (valid ? 1 : 0)) std::abort();
    for (int g = 1; g <= rows + 1 && g < ZUMP_SCORE_ROWS; ++g) {
        for (int k = 0; k < 5; ++k) {
            String name = kOldName;
            int score = kOldScore;
            if (valid && g <= rows) {
                size_t base = 1 + 22 * (size_t)(g - 1) + 4 * (size_t)k;
                name = base + 1 < fields.size() ? fields[base + 1] : String();
                score = base + 2 < fields.size() ? bbStringToInt(fields[base + 2]) : 0;
            }
            if (bb_zump_ZUMP_OnName[20 * g + k] != name || bb_zump_ZUMP_OnScore[20 * g + k] != score) std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // One request serves every input, as the game reuses its requests.
    static Game game;
    static c_HttpRequest request;
    static StandInSocket socket;
    if (size < 2) return 0;

    int levels = data[0] & 15;
    if (levels == 15) levels = 100000;
    bb_zump_ZUMP_Levels = levels;
    int rows = RowsRead(levels);
    MarkTables(rows);
    bb_zump_ZUMP_OnlineBoard = 1;
    bb_zump_ZUMP_CanSend = 0;

    if (data[0] & 0x80) {
        // Any units at all after the tag, not only what UTF-8 decoding gives.
        String answer = kTag;
        for (size_t i = 2; i + 1 < size; i += 2) answer.push_back((char16_t)(data[i] | data[i + 1] << 8));
        game.p_ManageOnline(answer);
        Check(answer, rows, true);
        if (bb_zump_ZUMP_CanSend != 1) std::abort();
        return 0;
    }

    int piece = 1 + data[1] * 67;
    game.completions = 0;
    socket.m_state = c_Socket::STATE_OPEN | c_Socket::STATE_BOUND | c_Socket::STATE_CONNECTED;
    socket.asked = false;
    request.m_new2(u"GET", u"http://scores.invalid/Scores.php?Game=0525&Score=x", &game);
    request.m_socket = &socket;
    request.p_OnConnectComplete(true, &socket);

    const uint8_t* p = data + 2;
    size_t left = size - 2;
    unsigned char* rbuf = request.m_rbuf->ReadPointer(0);
    while (socket.asked) {
        socket.asked = false;
        int count = piece < socket.count ? piece : socket.count;
        if ((size_t)count > left) count = (int)left;
        std::memcpy(rbuf + socket.offset, p, (size_t)count);
        p += count;
        left -= (size_t)count;
        // Nothing left: the server closes.
        request.p_OnReceiveComplete(request.m_rbuf, socket.offset, count, &socket);
        if (game.completions > 0 && socket.asked) std::abort();
    }
    if (game.completions != 1 || bb_zump_ZUMP_CanSend != 1) std::abort();

    const String& response = request.p_ResponseText();
    bool parsed = response.compare(0, kTag.size(), kTag) == 0;
    if (!parsed && bb_zump_ZUMP_OnlineBoard != 1) std::abort();
    Check(response, rows, parsed);
    return 0;
}
