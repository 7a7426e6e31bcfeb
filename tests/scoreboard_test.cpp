// The scoreboard without a server: the scramble table and scramble, reading
// online answers, the conditions and triggers of a submission, and the two
// top-five boards as queued drawing.
#include <cmath>
#include <string>
#include <vector>

#include "game/flow_globals.h"
#include "game/mygame.h"
#include "game/world.h"
#include "net/http.h"
#include "scoreboard_support.h"
#include "shell/zump_profile.h"
#include "shell/zump_scoreboard.h"
#include "shell/zump_text.h"
#include "shell_test_host.h"
#include "support/http_test_server.h"

using namespace scoreboard_test;

namespace {

String U(const std::string& text) {
    return bbStringFromUtf8(text);
}

// An online answer for a number of courses: every field a reader must skip
// holds "777" so that reading the wrong one shows.
std::string Answer(int courses) {
    std::string text = "OnlineScores{";
    for (int g = 1; g <= courses; ++g) {
        for (int k = 0; k < 5; ++k)
            text += "777{P" + std::to_string(g) + std::to_string(k) + "{" + std::to_string(100 * g + k) + "{777{";
        text += "777{777{";
    }
    return text;
}

}  // namespace

TEST(Scramble, TableFollowsKeywordAndGameNumber) {
    bbInit();
    ConfigureAsGolf();
    // (i + keyword unit + 525) mod 92 for "Our " at 0..3.
    EXPECT_EQ(bb_zump_ZUMP_Scramble[0], 52);
    EXPECT_EQ(bb_zump_ZUMP_Scramble[1], 91);
    EXPECT_EQ(bb_zump_ZUMP_Scramble[2], 89);
    EXPECT_EQ(bb_zump_ZUMP_Scramble[3], 8);
    const String key = kKeyword;
    for (int i = 0; i < 64; ++i) EXPECT_EQ(bb_zump_ZUMP_Scramble[i], (i + key[i] + 525) % 92) << i;

    // A short keyword repeats.
    bb_zump_SetKeyword(u"ab");
    EXPECT_EQ(bb_zump_ZUMP_Scramble[2], (2 + 'a' + 525) % 92);
    EXPECT_EQ(bb_zump_ZUMP_Scramble[63], (63 + 'b' + 525) % 92);

    // A negative game number counts by its size.
    std::vector<int> before(bb_zump_ZUMP_Scramble, bb_zump_ZUMP_Scramble + 64);
    bb_zump_SetGameNumber(-525);
    EXPECT_EQ(bb_zump_ZUMP_GameNum, 525);
    EXPECT_EQ(std::vector<int>(bb_zump_ZUMP_Scramble, bb_zump_ZUMP_Scramble + 64), before);

    // Without a keyword or a game number the table keeps its values.
    bb_zump_SetKeyword(u"");
    EXPECT_EQ(std::vector<int>(bb_zump_ZUMP_Scramble, bb_zump_ZUMP_Scramble + 64), before);
    bb_zump_ZUMP_Keyword = u"other";
    bb_zump_SetGameNumber(0);
    EXPECT_EQ(std::vector<int>(bb_zump_ZUMP_Scramble, bb_zump_ZUMP_Scramble + 64), before);
}

TEST(Scramble, TransformsTextUnitByUnit) {
    bbInit();
    // An all-zero table leaves the units 32..123 as they are.
    EXPECT_EQ(bb_zump_Scramble(u"ABC{"), String(u"ABC{"));
    EXPECT_EQ(bb_zump_Scramble(u"~|}"), String(u"   "));

    ConfigureAsGolf();
    EXPECT_EQ(bb_zump_Scramble(u"AB"), String(u"uu"));
    EXPECT_EQ(bb_zump_Scramble(u""), String());

    // Any unit outside 32..123 goes out as a space at its position would.
    const char16_t outside[] = {u'~', u'|', u'}', u'\n', 0, 127, u'\u00e9', 0xd83d, 0xffff};
    for (char16_t unit : outside) {
        for (int at : {0, 5, 64, 70}) {
            String text = U(std::string(80, 'q'));
            String spaced = text;
            text[at] = unit;
            spaced[at] = u' ';
            EXPECT_EQ(bb_zump_Scramble(text), bb_zump_Scramble(spaced)) << (int)unit << " at " << at;
        }
    }

    // Longer than the table: same length, units in 32..123, and the server
    // gets back exactly what was sent.
    std::string all;
    for (int round = 0; round < 3; ++round)
        for (int c = 32; c <= 123; ++c) all += (char)c;
    String scrambled = bb_zump_Scramble(U(all));
    ASSERT_EQ(scrambled.size(), all.size());
    for (char16_t unit : scrambled) {
        EXPECT_GE(unit, 32);
        EXPECT_LE(unit, 123);
    }
    EXPECT_EQ(Unscramble(bbStringToUtf8(scrambled)), all);
}

TEST(PlaceholderHost, OnlyReservedNamesAreHeldBack) {
    const std::pair<const char*, bool> cases[] = {
        {"scores.bramblewick.invalid", true}, {"X.INVALID", true},      {"invalid", true},
        {"a.invalid.", true},                 {"", true},               {"invalid.example.org", false},
        {"myinvalid", false},                 {"127.0.0.1", false},     {"scores.example.com", false},
    };
    for (const auto& c : cases) EXPECT_EQ(bb_zump_IsPlaceholderHost(U(c.first)), c.second) << c.first;
}

class OnlineAnswer : public ::testing::Test {
protected:
    c_MyGame game;

    void SetUp() override {
        bbInit();
        ConfigureAsGolf();
    }

    std::string Name(int g, int k) { return bbStringToUtf8(bb_zump_ZUMP_OnName[20 * g + k]); }
    int Score(int g, int k) { return bb_zump_ZUMP_OnScore[20 * g + k]; }
};

TEST_F(OnlineAnswer, FillsEveryCourseFromItsBlock) {
    bb_zump_ZUMP_CanSend = 0;
    // Fields past the ninth course are ignored.
    game.p_ManageOnline(U(Answer(12)));
    EXPECT_EQ(bb_zump_ZUMP_OnlineBoard, 1);
    EXPECT_EQ(bb_zump_ZUMP_CanSend, 1);
    for (int g = 1; g <= 9; ++g) {
        for (int k = 0; k < 5; ++k) {
            EXPECT_EQ(Name(g, k), "P" + std::to_string(g) + std::to_string(k));
            EXPECT_EQ(Score(g, k), 100 * g + k);
        }
    }
    EXPECT_EQ(Name(10, 0), "");
    EXPECT_EQ(Score(10, 0), 0);
    EXPECT_EQ(Score(0, 0), 0);
}

TEST_F(OnlineAnswer, ShortAnswerReadsMissingFieldsAsEmpty) {
    game.p_ManageOnline(U(Answer(9)));
    // Course 1 complete, course 2 cut inside place 1's name.
    std::string answer = Answer(1) + "777{P20{200{777{777{P2";
    game.p_ManageOnline(U(answer));
    EXPECT_EQ(bb_zump_ZUMP_OnlineBoard, 1);
    EXPECT_EQ(Name(1, 4), "P14");
    EXPECT_EQ(Score(2, 0), 200);
    EXPECT_EQ(Name(2, 1), "P2");
    EXPECT_EQ(Score(2, 1), 0);
    for (int g = 3; g <= 9; ++g) {
        EXPECT_EQ(Name(g, 0), "") << g;
        EXPECT_EQ(Score(g, 4), 0) << g;
    }

    game.p_ManageOnline(u"OnlineScores");
    EXPECT_EQ(bb_zump_ZUMP_OnlineBoard, 1);
    EXPECT_EQ(Name(1, 0), "");
}

TEST_F(OnlineAnswer, ScoresReadAsLeadingIntegers) {
    const std::pair<const char*, int> cases[] = {
        {"42", 42}, {"  -17", -17}, {"+8x", 8}, {"", 0}, {"abc", 0}, {"12 34", 12},
    };
    for (const auto& c : cases) {
        game.p_ManageOnline(U(std::string("OnlineScores{x{name{") + c.first + "{"));
        EXPECT_EQ(Score(1, 0), c.second) << c.first;
    }
}

TEST_F(OnlineAnswer, CompletionParsesOnlyOnlineScoresAnswers) {
    game.p_ManageOnline(U(Answer(9)));
    c_HttpRequest request;
    const std::pair<const char*, int> cases[] = {
        // The board stays as it was for anything else.
        {"", 1},
        {"Not scores{", 1},
        {" OnlineScores{", 1},
        // A first field longer than the tag hides the board.
        {"OnlineScoresX{a{b{c{", 0},
    };
    for (const auto& c : cases) {
        bb_zump_ZUMP_OnlineBoard = 1;
        bb_zump_ZUMP_CanSend = 0;
        request.m_response = U(c.first);
        game.p_OnHttpRequestComplete(&request);
        EXPECT_EQ(bb_zump_ZUMP_CanSend, 1) << c.first;
        EXPECT_EQ(bb_zump_ZUMP_OnlineBoard, c.second) << c.first;
        EXPECT_EQ(Name(3, 2), "P32") << c.first;
    }

    request.m_response = u"OnlineScores{1{Newcomer{5000{";
    game.p_OnHttpRequestComplete(&request);
    EXPECT_EQ(bb_zump_ZUMP_OnlineBoard, 1);
    EXPECT_EQ(Name(1, 0), "Newcomer");
    EXPECT_EQ(Score(1, 0), 5000);
}

TEST_F(OnlineAnswer, CourseCountBeyondTheTablesStaysInside) {
    bb_zump_ZUMP_Levels = 100000;
    game.p_ManageOnline(U(Answer(3)));
    EXPECT_EQ(Score(3, 4), 304);
    EXPECT_EQ(Score(499, 4), 0);
}

// Submissions that must not start, and the one that starts without a server.
class SubmissionRules : public OnlineAnswer {
protected:
    void SetUp() override {
        OnlineAnswer::SetUp();
        NamePlayer("Bramble Ace  ");
        bb_zump_ZUMP_ScoreServer = u"http://127.0.0.1:" + bbStringFromInt(HttpTestServer::RefusingPort());
    }
};

TEST_F(SubmissionRules, HeldBackWithoutNamePermissionOrServer) {
    struct Case {
        const char* what;
        int allowName, canSend;
        const char* name;
        const char* server;
        int canSendAfter;
    } cases[] = {
        {"names not allowed", 0, 1, "Bramble Ace  ", nullptr, 1},
        {"a submission in flight", 1, 0, "Bramble Ace  ", nullptr, 0},
        {"no name yet", 1, 1, "Name         ", nullptr, 1},
        {"placeholder server", 1, 1, "Bramble Ace  ", "http://scores.bramblewick.invalid", 1},
        {"no host at all", 1, 1, "Bramble Ace  ", "http://", 1},
    };
    for (const Case& c : cases) {
        bb_zump_ZUMP_AllowName = c.allowName;
        bb_zump_ZUMP_CanSend = c.canSend;
        NamePlayer(c.name);
        String server = bb_zump_ZUMP_ScoreServer;
        if (c.server) bb_zump_ZUMP_ScoreServer = U(c.server);
        game.m_http = nullptr;
        game.p_SendScores(0);
        EXPECT_EQ(game.m_http, nullptr) << c.what;
        EXPECT_EQ(bb_zump_ZUMP_CanSend, c.canSendAfter) << c.what;
        bb_zump_ZUMP_ScoreServer = server;
    }
}

TEST_F(SubmissionRules, RequestLineCarriesTheEscapedQuery) {
    // The escaping alone, on a text of every special character.
    String base = bb_zump_ZUMP_ScoreServer + u"/Scores.php?Game=0525&Score=";
    game.p_GetURL(base, u"&\\'`\"/>#^{}<|%?+$, *!=@[]:;NO", 1);
    ASSERT_NE(game.m_http, nullptr);
    EXPECT_EQ(bbStringToUtf8(game.m_http->m_url->m_query),
              "Game=0525&Score=*!A!**!B!**!C!**!D!**!E!**!F!**!G!**!H!**!I!**!J!**!K!**!L!**!M!**!P!**!Q!**!R!*"
              "*!S!**!T!**!U!**!=@[]:;NO");
    EXPECT_EQ(game.m_http->m_url->m_fragment, String());
    EXPECT_TRUE(PumpUntil([] { return bb_zump_ZUMP_CanSend == 1; }));

    // Unescaped data goes out as given.
    game.p_GetURL(base, u"a{b", 0);
    EXPECT_EQ(game.m_http->m_url->m_query, String(u"Game=0525&Score=a{b"));
    EXPECT_TRUE(PumpUntil([] { return bb_zump_ZUMP_CanSend == 1; }));

    // A whole submission: the scrambled message of id, name, numbers and the
    // nine courses, escaped into one query with no fragment.
    bb_zump_ZUMP_Score[20 * 1] = 1234;
    bb_zump_ZUMP_Score[20 * 9] = -5;
    bb_zump_ZUMP_Score[20 * 9 + 10] = 7;
    game.p_SendScores(0);
    EXPECT_EQ(bb_zump_ZUMP_CanSend, 0);
    const String& line = game.m_http->m_header[0];
    std::string request = bbStringToUtf8(line);
    std::string prefix = "GET //Scores.php?Game=0525&Score=";
    ASSERT_EQ(request.compare(0, prefix.size(), prefix), 0) << request;
    std::string suffix = " HTTP/1.0";
    ASSERT_EQ(request.compare(request.size() - suffix.size(), suffix.size(), suffix), 0) << request;
    std::string score = request.substr(prefix.size(), request.size() - prefix.size() - suffix.size());
    EXPECT_EQ(score.find_first_of("{}&?# "), std::string::npos) << score;
    EXPECT_EQ(Unscramble(Unescape(score)),
              "20240131123456789{Bramble Ace  {0525{0001{0000{1234{0{0{0{0{0{0{0{0{0{0{0{0{0{0{0{-5{7{ZUMP{");
    EXPECT_TRUE(PumpUntil([] { return bb_zump_ZUMP_CanSend == 1; }));
}

// The triggers of the game's flow, seen as submissions opened towards a
// port that refuses them.
class SubmissionTriggers : public ShellTest {
protected:
    c_MyGame* game = nullptr;

    void SetUp() override {
        ShellTest::SetUp();
        ConfigureAsGolf();
        NamePlayer("Bramble Ace  ");
        // Creation loads the named player from the state.
        host.state = bb_zump_ProfileText();
        bb_zump_ZUMP_ScoreServer = u"http://127.0.0.1:" + bbStringFromInt(HttpTestServer::RefusingPort());
        game = (new c_MyGame())->m_new();
    }

    void Settle() { ASSERT_TRUE(PumpUntil([] { return bb_zump_ZUMP_CanSend == 1; })); }

    // Records a game on course 1 with the given total.
    bool RecordSends(int total) {
        bb_zump_ZUMP_GameType = 1;
        bb_zump_plr[50] = (float)total;
        bb_zump_ZUMP_CanSend = 1;
        game->p_GotoMenu();
        bool sent = bb_zump_ZUMP_CanSend == 0;
        Settle();
        return sent;
    }
};

TEST_F(SubmissionTriggers, CreationSendsTheStoredScores) {
    game->p_OnCreate();
    EXPECT_EQ(bb_zump_MyName(), String(u"Bramble Ace  "));
    EXPECT_EQ(bb_zump_ZUMP_CanSend, 0);
    ASSERT_NE(game->m_http, nullptr);
    EXPECT_EQ(game->m_http->m_url->m_port, HttpTestServer::RefusingPort());
    Settle();
    EXPECT_EQ(bb_zump_ZUMP_OnlineBoard, 0) << "a refused connection shows no board";
}

TEST_F(SubmissionTriggers, RecordedGamesSendEveryFifthAndOnFirstPlace) {
    game->p_OnCreate();
    Settle();
    bb_zump_ZUMP_Set[5] = 0;
    bb_zump_ZUMP_Score[20] = 1000;  // a best that the totals below do not beat
    const std::pair<int, bool> games[] = {
        {10, true},    // first game recorded
        {10, false},   {10, false}, {10, false}, {10, false},
        {10, true},    // sixth
        {2000, true},  // first place
        {1500, false}, // second place
    };
    int n = 0;
    for (const auto& g : games) EXPECT_EQ(RecordSends(g.first), g.second) << "game " << ++n;
}

TEST_F(SubmissionTriggers, ConfirmedNameForcesASendPastOneInFlight) {
    game->p_OnCreate();
    bb_zump_ZUMP_Loader = 0;
    c_HttpRequest* first = game->m_http;
    ASSERT_EQ(bb_zump_ZUMP_CanSend, 0);
    bb_zump_ZUMP_ForceSend = 1;
    input->p_BeginUpdate();
    game->p_OnUpdate();
    input->p_EndUpdate();
    EXPECT_EQ(bb_zump_ZUMP_ForceSend, 0);
    EXPECT_NE(game->m_http, first) << "the first request is still waiting: a second one is made";
    c_HttpRequest* second = game->m_http;
    auto finished = [](c_HttpRequest* r) {
        for (c_AsyncQueue* q : {r->m_socket->m_rqueue, r->m_socket->m_wqueue})
            if (q->m_get != q->m_put) return false;
        return true;
    };
    ASSERT_TRUE(PumpUntil([&] { return finished(first) && finished(second); }));
    EXPECT_EQ(bb_zump_ZUMP_CanSend, 1);

    // Finished requests are reused rather than new ones made.
    game->p_SendScores(0);
    c_HttpRequest* reused = game->m_http;
    Settle();
    ASSERT_TRUE(PumpUntil([&] { return finished(reused); }));
    game->p_SendScores(0);
    EXPECT_EQ(game->m_http, reused);
    Settle();
}

// The boards as queued records.
class ScoreboardDrawing : public ShellTest {
protected:
    const float x = 400, y = 400;

    void SetUp() override {
        ShellTest::SetUp();
        PutImage(99, 128, 64);
        bb_zump_ZUMP_Font = 99;
        PutImage(82, 1, 256);
        PutImage(74, 16, 32);
        bb_zump_ZUMP_MenuPos[2] = 2;  // course 3
        bb_zump_ZUMP_MenuPos[12] = 9;
        int* row = bb_zump_ZUMP_Score + 60;
        const int best[5] = {50, 40, 30, 20, 10}, recent[5] = {25, 50, 0, -10, 40};
        for (int k = 0; k < 5; ++k) row[k] = best[k], row[5 + k] = recent[k];
        for (int k = 0; k < 5; ++k) {
            bb_zump_ZUMP_OnName[60 + k] = u"P" + bbStringFromInt(k);
            bb_zump_ZUMP_OnScore[60 + k] = 90 - 20 * k;  // 90 70 50 30 10
        }
        bb_zump_ZUMP_LastPlay = 0;
    }

    struct Glyph {
        char c;
        float x, y;
    };

    std::vector<Glyph> Draw(int hideOnline = 0, int hideLocal = 0) {
        bb_zump_Sprtup = 0;
        bb_zump_Draw_Scoreboard(x, y, hideOnline, hideLocal);
        std::vector<Glyph> glyphs;
        for (int n = 0; n < bb_zump_Sprtup; ++n)
            if (Record(n)[9] == 1 && Record(n)[10] == 99)
                glyphs.push_back({(char)(Record(n)[13] + 32), Record(n)[11], Record(n)[12]});
        return glyphs;
    }

    static std::string Text(const std::vector<Glyph>& glyphs) {
        std::string text;
        for (const Glyph& g : glyphs) text += g.c;
        return text;
    }

    std::vector<const float*> Images(int slot) {
        std::vector<const float*> out;
        for (int n = 0; n < bb_zump_Sprtup; ++n)
            if (Record(n)[9] == 1 && Record(n)[10] == slot) out.push_back(Record(n));
        return out;
    }
};

TEST_F(ScoreboardDrawing, LocalBoardWithRecentScoresChart) {
    EXPECT_EQ(Text(Draw()), "Top55040302010") << "no online board before an answer";
    auto boards = Images(82);
    ASSERT_EQ(boards.size(), 1u);
    EXPECT_FLOAT_EQ(boards[0][11], x);
    EXPECT_FLOAT_EQ(boards[0][12], y);
    EXPECT_FLOAT_EQ(boards[0][4], 1);

    const float colours[5][3] = {{255, 25.5f, 25.5f}, {255, 127.5f, 25.5f}, {255, 255, 25.5f},
                                 {25.5f, 255, 25.5f}, {25.5f, 255, 255}};
    const float recent[5] = {25, 50, 0, -10, 40};
    auto stars = Images(74);
    ASSERT_EQ(stars.size(), 5u);
    for (int k = 0; k < 5; ++k) {
        EXPECT_FLOAT_EQ(stars[k][11], x - 100 + 22 * k);
        EXPECT_FLOAT_EQ(stars[k][12], bb_zump_jscrh - 78 - 40 * recent[k] / 50) << k;
        EXPECT_FLOAT_EQ(stars[k][13], 0);
        EXPECT_FLOAT_EQ(stars[k][6], 15.0f * k);
        EXPECT_FLOAT_EQ(stars[k][4], 0.4f);
        for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(stars[k][1 + i], colours[k][i]);
    }

    // A best of 0 charts against 1.
    bb_zump_ZUMP_Score[60] = 0;
    bb_zump_ZUMP_Score[65] = 2;
    Draw();
    EXPECT_FLOAT_EQ(Images(74)[0][12], bb_zump_jscrh - 78 - 80);
}

TEST_F(ScoreboardDrawing, OnlineBoardIsMirroredAndHidesOnRequest) {
    bb_zump_ZUMP_OnlineBoard = 1;
    EXPECT_EQ(Text(Draw()), "Top55040302010OnlineP090P170P250P330P410");
    auto boards = Images(82);
    ASSERT_EQ(boards.size(), 2u);
    EXPECT_FLOAT_EQ(boards[1][11], bb_zump_jscrw - x);
    EXPECT_FLOAT_EQ(boards[1][4], -1);
    EXPECT_FLOAT_EQ(boards[1][5], 1);

    EXPECT_EQ(Text(Draw(1, 0)), "Top55040302010");
    EXPECT_EQ(Text(Draw(0, 1)), "OnlineP090P170P250P330P410");
    EXPECT_EQ(Text(Draw(1, 1)), "");

    // A course outside the list shows the headings only.
    for (int c : {-1, 9, 600}) {
        bb_zump_ZUMP_MenuPos[2] = c;
        EXPECT_EQ(Text(Draw()), "Top5Online") << c;
        EXPECT_TRUE(Images(74).empty());
    }
}

TEST_F(ScoreboardDrawing, ScoresKeepTheirLastEightCharacters) {
    for (int score : {0, 7, -5, 12345678, 123456789, -1234567, -2147483647 - 1}) {
        bb_zump_ZUMP_Score[60] = score;
        std::string expected;
        for (char16_t unit : bb_zump_rstr(bbStringFromInt(score), 8, u" "))
            if (unit != u' ') expected += (char)unit;
        EXPECT_EQ(Text(Draw(1, 0)), "Top5" + expected + "40302010") << score;
    }
}

TEST_F(ScoreboardDrawing, PlaceJustTakenAndOnlineEqualToOwnBestWobble) {
    bb_zump_ZUMP_OnlineBoard = 1;
    bb_zump_ZUMP_LastPlay = 3;
    bb_zump_ZUMP_LastRank = 1;
    // At 0 ms the wobble is (0, -1); at 270 ms it is (3, -0.5).
    host.clock = 0;
    std::vector<Glyph> early = Draw();
    host.clock = 270;
    std::vector<Glyph> late = Draw();
    ASSERT_EQ(early.size(), late.size());
    std::string moved;
    for (size_t i = 0; i < early.size(); ++i) {
        float dx = late[i].x - early[i].x, dy = late[i].y - early[i].y;
        if (dx == 0 && dy == 0) continue;
        EXPECT_NEAR(dx, 3, 1e-3) << late[i].c;
        EXPECT_NEAR(dy, 0.5f, 1e-3) << late[i].c;
        moved += late[i].c;
    }
    // Local place 1 (40) and the online entry scoring 50, the local best,
    // though it is another player's.
    EXPECT_EQ(moved, "40P250");
}
