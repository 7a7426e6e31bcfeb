// Score submission to the score server and the reading of its answer into the
// online best-score tables.
#include <vector>

#include "game/flow_globals.h"
#include "game/mygame.h"
#include "net/http.h"
#include "net/socket.h"
#include "shell/zump_profile.h"
#include "shell/zump_scoreboard.h"

namespace {

const String kPlaceholderName = u"Enter Name   ";
const String kAnswerTag = u"OnlineScores";

// The last four characters of "0000" and the number: 525 gives "0525".
String FourDigits(int n) {
    String text = u"0000" + bbStringFromInt(n);
    return text.substr(text.size() - 4);
}

// The server reads these characters back from their tokens. No token holds
// a character that has a token, so one pass does what a replacement per
// character in turn would.
const char16_t* EscapeToken(char16_t unit) {
    switch (unit) {
    case u'&': return u"*!A!*";
    case u'\\': return u"*!B!*";
    case u'\'': return u"*!C!*";
    case u'`': return u"*!D!*";
    case u'"': return u"*!E!*";
    case u'/': return u"*!F!*";
    case u'>': return u"*!G!*";
    case u'#': return u"*!H!*";
    case u'^': return u"*!I!*";
    case u'{': return u"*!J!*";
    case u'}': return u"*!K!*";
    case u'<': return u"*!L!*";
    case u'|': return u"*!M!*";
    case u'%': return u"*!P!*";
    case u'?': return u"*!Q!*";
    case u'+': return u"*!R!*";
    case u'$': return u"*!S!*";
    case u',': return u"*!T!*";
    case u' ': return u"*!U!*";
    default: return nullptr;
    }
}

String Escape(const String& data) {
    String out;
    out.reserve(data.size() * 2);
    for (char16_t unit : data) {
        const char16_t* token = EscapeToken(unit);
        if (token)
            out += token;
        else
            out += unit;
    }
    return out;
}

bool Delivered(const c_AsyncQueue* queue) {
    return queue->m_get == queue->m_put.load(std::memory_order_relaxed);
}

// Requests are never freed: a socket worker may still write into a request's
// buffers, and a completion still to come would reach it. A request whose
// socket has had every operation completed is done with and is reused; a new
// one is made only while all the others still wait on their servers. The list
// outlives bbInit, which forgets the sockets but cannot stop their workers.
std::vector<c_HttpRequest*> g_requests;

c_HttpRequest* IdleRequest() {
    for (c_HttpRequest* request : g_requests) {
        c_Socket* socket = request->m_socket;
        if (!socket || (Delivered(socket->m_rqueue) && Delivered(socket->m_wqueue))) return request;
    }
    g_requests.push_back(new c_HttpRequest());
    return g_requests.back();
}

}  // namespace

int c_MyGame::p_SendScores(int mode) {
    if (bb_zump_ZUMP_AllowName == 0 || bb_zump_ZUMP_CanSend != 1) return 0;
    String name = bb_zump_MyName();
    if (name == kPlaceholderName) return 0;
    bb_zump_ZUMP_CanSend = 0;

    String message = bb_zump_MyUserID() + u"{" + name + u"{" + FourDigits(bb_zump_ZUMP_GameNum) + u"{" +
                     FourDigits(bb_zump_ZUMP_GameVersion) + u"{" + FourDigits(mode) + u"{";
    if (mode == 0) {
        for (int g = 1; g <= bb_zump_ZUMP_Levels && g < ZUMP_SCORE_ROWS; ++g) {
            const int* row = bb_zump_ZUMP_Score + 20 * g;
            message += bbStringFromInt(row[0]) + u"{" + bbStringFromInt(row[10]) + u"{";
        }
    }
    message += u"ZUMP{";

    String base = bb_zump_ZUMP_ScoreServer + u"/Scores.php?Game=" + FourDigits(bb_zump_ZUMP_GameNum) + u"&Score=";
    p_GetURL(base, bb_zump_Scramble(message), 1);
    return 0;
}

int c_MyGame::p_GetURL(const String& base, const String& data, int escape) {
    String url = base + (escape == 1 ? Escape(data) : data);
    c_Url where;
    where.m_new(url, u"http", 80);
    // No server configured: the submission ends at once, as one that could
    // not connect would.
    if (bb_zump_IsPlaceholderHost(where.m_domain)) {
        bb_zump_ZUMP_CanSend = 1;
        return 0;
    }

    c_HttpRequest* request = IdleRequest();
    request->m_new2(u"GET", url, this);
    m_http = request;
    try {
        request->p_Send();
    } catch (const bbRuntimeError&) {
        // No socket to be had (the process is out of handles): the scores
        // wait for the next trigger instead of ending the game.
        bb_zump_ZUMP_CanSend = 1;
    }
    return 0;
}

void c_MyGame::p_OnHttpRequestComplete(c_HttpRequest* request) {
    bb_zump_ZUMP_CanSend = 1;
    const String& response = request->m_response;
    if (response.compare(0, kAnswerTag.size(), kAnswerTag) == 0) p_ManageOnline(response);
}

int c_MyGame::p_ManageOnline(const String& answer) {
    bb_zump_ZUMP_CanSend = 1;
    bb_zump_ZUMP_OnlineBoard = 1;

    size_t end = answer.find(u'{');
    if (answer.compare(0, end, kAnswerTag) != 0) {
        bb_zump_ZUMP_OnlineBoard = 0;
        return 0;
    }

    int levels = bb_zump_ZUMP_Levels < ZUMP_SCORE_ROWS ? bb_zump_ZUMP_Levels : ZUMP_SCORE_ROWS - 1;
    // Fields the answer does not hold read as empty.
    for (int g = 1; g <= levels; ++g) {
        for (int k = 0; k < 5; ++k) {
            bb_zump_ZUMP_OnName[20 * g + k].clear();
            bb_zump_ZUMP_OnScore[20 * g + k] = 0;
        }
    }

    // Walk the fields after the first one; each course has a block of 22, of
    // which the name and score of five places are read.
    int field = 0;
    while (end != String::npos) {
        size_t start = end + 1;
        end = answer.find(u'{', start);
        ++field;
        int g = 1 + (field - 1) / 22;
        if (g > levels) break;
        int within = (field - 1) % 22;
        if (within >= 20 || within % 4 == 0 || within % 4 == 3) continue;
        int at = 20 * g + within / 4;
        String text = answer.substr(start, end == String::npos ? String::npos : end - start);
        if (within % 4 == 1)
            bb_zump_ZUMP_OnName[at] = text;
        else
            bb_zump_ZUMP_OnScore[at] = bbStringToInt(text);
    }
    return 0;
}
