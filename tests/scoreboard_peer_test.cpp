// Score submissions against a real HTTP/1.0 server on 127.0.0.1: what it
// receives, how its answer reaches the online tables, and servers that
// refuse, hang up, dawdle, talk nonsense or never answer.
#include <chrono>
#include <string>
#include <thread>

#include "game/flow_globals.h"
#include "game/mygame.h"
#include "net/http.h"
#include "scoreboard_support.h"
#include "shell/zump_profile.h"
#include "shell/zump_scoreboard.h"
#include "shell_test_host.h"
#include "support/http_test_server.h"

using namespace scoreboard_test;

namespace {

const std::string kOk = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n";

// Nine courses; place k of course g is "<g><k>" scoring 100 g + k, except
// course 1's leader, whose name is not ASCII.
std::string FullAnswer() {
    std::string text = "OnlineScores{";
    for (int g = 1; g <= 9; ++g) {
        for (int k = 0; k < 5; ++k) {
            std::string name = g == 1 && k == 0 ? "Zo\xc3\xab" : std::to_string(g) + std::to_string(k);
            text += "1{" + name + "{" + std::to_string(100 * g + k) + "{x{";
        }
        text += "a{b{";
    }
    return text;
}

std::string Name(int g, int k) {
    return bbStringToUtf8(bb_zump_ZUMP_OnName[20 * g + k]);
}

}  // namespace

// The whole road through the game's own update: creation submits, the
// update's event pass delivers the answer.
class ScorePeerGame : public ShellTest {
protected:
    HttpTestServer server;

    void SetUp() override {
        ShellTest::SetUp();
        ASSERT_TRUE(server.Start());
        ConfigureAsGolf();
        NamePlayer("Ace & Co/#?{}");
        bb_zump_ZUMP_Score[20 * 2] = 321;
        bb_zump_ZUMP_Score[20 * 2 + 10] = 4;
        host.state = bb_zump_ProfileText();
        bb_zump_ZUMP_ScoreServer = server.Url("");
    }
};

TEST_F(ScorePeerGame, SubmissionReachesTheServerAndItsAnswerTheBoard) {
    server.SetAnswer(HttpTestServer::ANSWER, kOk + FullAnswer());
    c_MyGame* game = (new c_MyGame())->m_new();
    game->p_OnCreate();
    bb_zump_ZUMP_Loader = 0;

    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (bb_zump_ZUMP_OnlineBoard == 0 && std::chrono::steady_clock::now() < until) {
        input->p_BeginUpdate();
        game->p_OnUpdate();
        input->p_EndUpdate();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_EQ(bb_zump_ZUMP_OnlineBoard, 1);
    EXPECT_EQ(bb_zump_ZUMP_CanSend, 1);
    EXPECT_EQ(Name(1, 0), "Zo\xc3\xab");
    EXPECT_EQ(Name(9, 4), "94");
    EXPECT_EQ(bb_zump_ZUMP_OnScore[20 * 5 + 3], 503);

    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    const std::string& request = requests[0];
    std::string head = "GET //Scores.php?Game=0525&Score=";
    std::string tail = " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
    ASSERT_EQ(request.compare(0, head.size(), head), 0) << request;
    ASSERT_GT(request.size(), head.size() + tail.size());
    ASSERT_EQ(request.substr(request.size() - tail.size()), tail) << request;
    std::string score = request.substr(head.size(), request.size() - head.size() - tail.size());
    EXPECT_EQ(score.find_first_of("{}&?# /\\%+\r\n"), std::string::npos) << score;
    // The closing curly bracket is beyond what the scramble carries: it
    // arrives as a space.
    EXPECT_EQ(Unscramble(Unescape(score)),
              "20240131123456789{Ace & Co/#?{ {0525{0001{0000{0{0{321{4{0{0{0{0{0{0{0{0{0{0{0{0{0{0{ZUMP{");
}

// Submissions pumped directly, one server per test.
class ScorePeer : public ::testing::Test {
protected:
    HttpTestServer server;
    c_MyGame game;

    void SetUp() override {
        bbInit();
        ConfigureAsGolf();
        NamePlayer("Bramble Ace  ");
        ASSERT_TRUE(server.Start());
        bb_zump_ZUMP_ScoreServer = server.Url("");
        // A board from an earlier answer, which failures must leave alone.
        game.p_ManageOnline(bbStringFromUtf8(FullAnswer()));
    }

    // Starts a submission and waits (bounded) for its completion.
    bool Submit() {
        bb_zump_ZUMP_CanSend = 1;
        game.p_SendScores(0);
        if (bb_zump_ZUMP_CanSend != 0) return false;
        return PumpUntil([] { return bb_zump_ZUMP_CanSend == 1; }, 5000);
    }
};

TEST_F(ScorePeer, MisbehavingServersOnlyReenableSending) {
    struct Case {
        const char* what;
        HttpTestServer::Mode mode;
        std::string answer;
        int board;          // the online board afterwards
        const char* name;   // course 1's leader afterwards
    } cases[] = {
        {"refuses", HttpTestServer::ANSWER, "", 1, "Zo\xc3\xab"},
        {"closes at once", HttpTestServer::CLOSE_AT_ONCE, "", 1, "Zo\xc3\xab"},
        {"garbage", HttpTestServer::ANSWER, std::string("\x01\xff\xfe\x00 gar\rbage\n\n\n", 16), 1, "Zo\xc3\xab"},
        {"no header end", HttpTestServer::ANSWER, "HTTP/1.0 200 OK\r\nOnlineScores{1{X{2{", 1, "Zo\xc3\xab"},
        {"status without reason", HttpTestServer::ANSWER, "HTTP/1.0 200\r\n\r\nOnlineScores{1{Intruder{9{", 1,
         "Zo\xc3\xab"},
        {"error page", HttpTestServer::ANSWER, "HTTP/1.0 404 Not Found\r\n\r\n<html>OnlineScores{1{X{2{", 1,
         "Zo\xc3\xab"},
        {"first field too long", HttpTestServer::ANSWER, kOk + "OnlineScoresJunk{1{X{2{", 0, "Zo\xc3\xab"},
        {"one byte at a time", HttpTestServer::SLOW_BYTES, kOk + "OnlineScores{1{Slow{4321{", 1, "Slow"},
        {"larger than a response may be", HttpTestServer::ANSWER,
         kOk + "OnlineScores{1{Big{77{" + std::string(2 << 20, 'x'), 1, "Big"},
    };
    int refusing = HttpTestServer::RefusingPort();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        game.p_ManageOnline(bbStringFromUtf8(FullAnswer()));
        bb_zump_ZUMP_ScoreServer = c.answer.empty() && c.mode == HttpTestServer::ANSWER
                                       ? u"http://127.0.0.1:" + bbStringFromInt(refusing)
                                       : server.Url("");
        server.SetAnswer(c.mode, c.answer, 1);
        ASSERT_TRUE(Submit());
        EXPECT_EQ(bb_zump_ZUMP_OnlineBoard, c.board);
        EXPECT_EQ(Name(1, 0), c.name);
    }
    // Every case but the refused one reached the server.
    EXPECT_EQ(server.Connections(), 8);
}

TEST_F(ScorePeer, SilentServerLeavesOnlyAForcedSubmission) {
    server.SetAnswer(HttpTestServer::NEVER_ANSWER, "");
    bb_zump_ZUMP_CanSend = 1;
    game.p_SendScores(0);
    c_HttpRequest* waiting = game.m_http;
    ASSERT_NE(waiting, nullptr);
    // The pass keeps returning while the server holds the connection.
    EXPECT_FALSE(PumpUntil([] { return bb_zump_ZUMP_CanSend == 1; }, 200));
    ASSERT_TRUE(PumpUntil([&] { return server.Requests().size() == 1; }));

    // A triggered submission waits for the first; a forced one goes ahead.
    game.p_SendScores(0);
    EXPECT_EQ(game.m_http, waiting);
    HttpTestServer other;
    ASSERT_TRUE(other.Start());
    other.SetAnswer(HttpTestServer::ANSWER, kOk + "OnlineScores{1{Second{55{");
    bb_zump_ZUMP_ScoreServer = other.Url("");
    ASSERT_TRUE(Submit());
    EXPECT_NE(game.m_http, waiting);
    EXPECT_EQ(Name(1, 0), "Second");

    // The silent server hangs up at last: the first request ends quietly.
    bb_zump_ZUMP_CanSend = 0;
    server.Stop();
    EXPECT_TRUE(PumpUntil([] { return bb_zump_ZUMP_CanSend == 1; }, 5000));
    EXPECT_EQ(bb_zump_ZUMP_OnlineBoard, 1);
    EXPECT_EQ(Name(1, 0), "Second");
}
