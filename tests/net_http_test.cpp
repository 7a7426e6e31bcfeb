#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "net/http.h"
#include "support/http_test_server.h"

namespace {

String U(const std::string& utf8) {
    return bbStringFromUtf8(utf8);
}

std::string Utf8(const String& text) {
    return bbStringToUtf8(text);
}

// Counts the completions of requests.
struct Done : c_IOnHttpRequestComplete {
    int calls = 0;
    int status = 0;
    String response;
    void p_OnHttpRequestComplete(c_HttpRequest* request) override {
        ++calls;
        status = request->m_status;
        response = request->p_ResponseText();
    }
};

}  // namespace

TEST(Url, SplitsIntoItsParts) {
    struct Case {
        const char* url;
        const char *scheme, *user, *password, *domain;
        int port;
        const char *path, *query, *fragment;
    } cases[] = {
        {"http://host:8080/a/b?x=1#y", "http", "", "", "host", 8080, "/a/b", "x=1", "y"},
        {"host/p?q#f?g", "http", "", "", "host", 80, "/p", "q", "f?g"},
        {"host#f?g", "http", "", "", "host", 80, "/", "", "f?g"},
        {"u:p@host", "http", "u", "p", "host", 80, "/", "", ""},
        {"host/a:b", "http", "", "", "host", 80, "/a:b", "", ""},
        {"https://host", "https", "", "", "host", 80, "/", "", ""},  // the scheme never picks a port
        {"ftp://me@host:21/x", "ftp", "me", "", "host", 21, "/x", "", ""},
        {"host:abc/x", "http", "", "", "host", 0, "/x", "", ""},
        {"host: 12z", "http", "", "", "host", 12, "/", "", ""},
        {"h?a@b:c/d://e", "http", "", "", "h", 80, "/", "a@b:c/d://e", ""},  // all of it after "?"
        {"http://a@b@c", "http", "a", "", "b@c", 80, "/", "", ""},
        {"", "http", "", "", "", 80, "/", "", ""},
        {"?#", "http", "", "", "", 80, "/", "", ""},
    };
    for (const Case& c : cases) {
        c_Url url;
        url.m_new(U(c.url), u"http", 80);
        EXPECT_EQ(url.m_url, U(c.url));
        EXPECT_EQ(Utf8(url.m_scheme), c.scheme) << c.url;
        EXPECT_EQ(Utf8(url.m_username), c.user) << c.url;
        EXPECT_EQ(Utf8(url.m_password), c.password) << c.url;
        EXPECT_EQ(Utf8(url.p_Domain()), c.domain) << c.url;
        EXPECT_EQ(url.p_Port(), c.port) << c.url;
        EXPECT_EQ(Utf8(url.m_path), c.path) << c.url;
        EXPECT_EQ(Utf8(url.m_query), c.query) << c.url;
        EXPECT_EQ(Utf8(url.m_fragment), c.fragment) << c.url;
    }
}

TEST(Url, ReparsingResetsAndFullPathCarriesQueryAndFragment) {
    c_Url url;
    url.m_new(u"u:p@host:9/p?q#f?g", u"http", 80);
    EXPECT_EQ(url.p_FullPath(), String(u"/p?q#f?g"));
    url.p_Set2(u"other");
    EXPECT_EQ(url.m_username, String());
    EXPECT_EQ(url.m_port, 80);
    EXPECT_EQ(url.p_FullPath(), String(u"/"));
    url.p_Set2(u"h/x#frag");
    EXPECT_EQ(url.p_FullPath(), String(u"/x#frag"));
    c_Url bare;
    bare.m_new2();
    EXPECT_EQ(bare.m_port, 0);
    EXPECT_EQ(bare.m_path, String());
}

namespace {

// A connected socket that only records the work it is given, so responses can
// be fed to a request piece by piece with no network at all.
struct FakeSocket : c_Socket {
    int receiveOffset = -1, receiveCount = -1, receives = 0;
    std::string sent;
    FakeSocket() { m_state = 7; }
    void p_SendAsync(c_DataBuffer* data, int offset, int count, c_IOnSendComplete*) override {
        sent.append((const char*)data->ReadPointer(offset), (size_t)count);
    }
    void p_ReceiveAsync(c_DataBuffer*, int offset, int count, c_IOnReceiveComplete*) override {
        receiveOffset = offset;
        receiveCount = count;
        ++receives;
    }
};

struct FedRequest {
    c_HttpRequest request;
    FakeSocket socket;
    Done done;
    explicit FedRequest(const char16_t* url = u"http://score.invalid/s.php?x=1") {
        request.m_new2(u"GET", url, &done);
        request.m_socket = &socket;
        request.p_OnConnectComplete(true, &socket);
    }
    // Delivers bytes into the room the request asked for; false if it asked
    // for nothing more.
    bool Feed(const std::string& bytes) {
        if (socket.receives == 0 || (int)bytes.size() > socket.receiveCount) return false;
        socket.receives = 0;
        std::memcpy(request.m_rbuf->ReadPointer(socket.receiveOffset), bytes.data(), bytes.size());
        request.p_OnReceiveComplete(request.m_rbuf, socket.receiveOffset, (int)bytes.size(), &socket);
        return true;
    }
    void End(int count = 0) {
        ASSERT_EQ(socket.receives, 1);
        socket.receives = 0;
        request.p_OnReceiveComplete(request.m_rbuf, socket.receiveOffset, count, &socket);
    }
};

}  // namespace

TEST(HttpRequest, SendsTheRequestLineWithItsDoubledSlashAndTheHostLine) {
    FedRequest fed(u"http://score.invalid:8080/Scores.php?Game=1#top");
    EXPECT_EQ(fed.socket.sent, "GET //Scores.php?Game=1#top HTTP/1.0\r\nHost: score.invalid\r\n\r\n");
    EXPECT_EQ(fed.socket.receiveOffset, 0);
    EXPECT_EQ(fed.socket.receiveCount, 16384);
    EXPECT_TRUE(fed.request.m_header.empty());
}

TEST(HttpRequest, HeaderLinesAreAssembledAcrossReceives) {
    FedRequest fed;
    ASSERT_TRUE(fed.Feed("HTTP/1.0 2"));
    EXPECT_EQ(fed.socket.receiveOffset, 10);  // the unfinished line stays in front
    EXPECT_EQ(fed.socket.receiveCount, 16384 - 10);
    ASSERT_TRUE(fed.Feed("00 OK\r"));
    ASSERT_TRUE(fed.Feed("\nContent-Type: text/plain\r\n"));
    EXPECT_EQ(fed.socket.receiveOffset, 0);
    ASSERT_TRUE(fed.Feed("\r"));
    ASSERT_TRUE(fed.Feed("\nab"));
    EXPECT_EQ(fed.request.m_status, 200);
    ASSERT_TRUE(fed.Feed("c"));
    EXPECT_EQ(fed.done.calls, 0);
    fed.End();
    EXPECT_EQ(fed.done.calls, 1);
    EXPECT_EQ(fed.done.status, 200);
    EXPECT_EQ(fed.done.response, String(u"abc"));
    EXPECT_EQ(fed.request.m_rbytes, 3);
    ASSERT_EQ(fed.request.m_header.size(), 2u);
    EXPECT_EQ(fed.request.m_header[1], String(u"Content-Type: text/plain"));
    EXPECT_EQ(fed.socket.m_state, 0);  // closed
}

TEST(HttpRequest, UnrecognisedStatusLinesEndTheRequestAtTheEndOfTheHeader) {
    struct Case {
        const char* bytes;
        int status;
    } cases[] = {
        {"HTTP/1.0 200\r\n\r\nbody follows", -1},  // no reason phrase
        {"\r\n\r\nHTTP/1.0 200 OK\r\n\r\nx", -1},   // empty first line
        {"ICY 200 OK\r\n\r\nx", -1},
        {"garbage\x01\xff\nmore\n\n", -1},
    };
    for (const Case& c : cases) {
        FedRequest fed;
        ASSERT_TRUE(fed.Feed(c.bytes));
        EXPECT_EQ(fed.done.calls, 1) << c.bytes;
        EXPECT_EQ(fed.done.status, c.status) << c.bytes;
        EXPECT_EQ(fed.done.response, String()) << c.bytes;
        EXPECT_EQ(fed.socket.receives, 0) << c.bytes;
    }
    FedRequest lower;
    ASSERT_TRUE(lower.Feed("http/1.1 404 not found\n\nnope"));
    lower.End();
    EXPECT_EQ(lower.done.status, 404);
    EXPECT_EQ(lower.done.response, String(u"nope"));
}

TEST(HttpRequest, BodyIsDecodedOneReceiveAtATime) {
    FedRequest fed;
    ASSERT_TRUE(fed.Feed("HTTP/1.0 200 OK\r\n\r\n"));
    ASSERT_TRUE(fed.Feed("h\xC3"));
    ASSERT_TRUE(fed.Feed("\xA9!"));
    ASSERT_TRUE(fed.Feed("\xC3\xA9"));
    fed.End();
    String expected = u"h";
    expected += (char16_t)0xFFC3;
    expected += (char16_t)0xFFA9;
    expected += u"!\u00e9";
    EXPECT_EQ(fed.done.response, expected);
    EXPECT_EQ(fed.request.m_rbytes, 6);
}

TEST(HttpRequest, AFailedReceiveFinishesLikeAClosedConnection) {
    FedRequest header;
    ASSERT_TRUE(header.Feed("HTTP/1.0 200 O"));
    header.End(-1);
    EXPECT_EQ(header.done.calls, 1);
    EXPECT_EQ(header.done.status, -1);

    FedRequest body;
    ASSERT_TRUE(body.Feed("HTTP/1.0 200 OK\r\n\r\nab"));
    body.End(-1);
    EXPECT_EQ(body.done.calls, 1);
    EXPECT_EQ(body.done.status, 200);
    EXPECT_EQ(body.done.response, String(u"ab"));
}

TEST(HttpRequest, AHeaderLineFillingTheReceiveBufferEndsTheRequest) {
    for (int first : {16384, 10000}) {
        FedRequest fed;
        ASSERT_TRUE(fed.Feed(std::string((size_t)first, 'a')));
        if (first < 16384) {
            ASSERT_TRUE(fed.Feed(std::string((size_t)(16384 - first), 'b')));
        }
        EXPECT_EQ(fed.done.calls, 1) << first;
        EXPECT_EQ(fed.done.status, -1) << first;
        EXPECT_EQ(fed.socket.receives, 0) << first;  // no receive into no room
    }
    // A long line that does end in time is fine.
    FedRequest fits;
    ASSERT_TRUE(fits.Feed("HTTP/1.0 200 OK\r\nX: " + std::string(16000, 'x')));
    ASSERT_TRUE(fits.Feed("\r\n\r\nok"));
    fits.End();
    EXPECT_EQ(fits.done.response, String(u"ok"));
}

TEST(HttpRequest, EndlessResponsesAreCutAtOneMebibyte) {
    FedRequest body;
    ASSERT_TRUE(body.Feed("HTTP/1.0 200 OK\r\n\r\n" + std::string(100, 'x')));
    std::string piece(16384, 'y');
    int pieces = 0;
    while (body.Feed(piece)) ++pieces;
    EXPECT_EQ(pieces, 64);  // 100 + 64 pieces pass the limit
    EXPECT_EQ(body.done.calls, 1);
    EXPECT_EQ(body.request.m_rbytes, 1 << 20);
    EXPECT_EQ(body.done.response.size(), (size_t)(1 << 20));

    FedRequest header;
    ASSERT_TRUE(header.Feed("HTTP/1.0 200 OK\r\n"));
    std::string lines;
    for (int i = 0; i < 900; ++i) lines += "X-Pad: " + std::string(8, 'p') + "\r\n";
    int fed = 0;
    while (header.Feed(lines)) ++fed;
    EXPECT_EQ(header.done.calls, 1);
    EXPECT_EQ(header.done.status, -1);
    EXPECT_LT(fed, 200);
}

TEST(HttpRequest, ARequestHeaderTooLongForItsBufferIsNotSent) {
    String url = u"http://score.invalid/" + String(5000, u'a');
    FedRequest fed(url.c_str());
    EXPECT_EQ(fed.socket.sent, "");
    EXPECT_EQ(fed.done.calls, 1);
    EXPECT_EQ(fed.done.status, -1);
}

TEST(HttpRequest, ReopeningResetsEverything) {
    FedRequest fed;
    ASSERT_TRUE(fed.Feed("HTTP/1.0 200 OK\r\n\r\nfirst"));
    fed.End();
    fed.request.p_Open(u"GET", u"other.invalid/x", &fed.done);
    EXPECT_EQ(fed.request.m_status, -1);
    EXPECT_EQ(fed.request.p_ResponseText(), String());
    EXPECT_EQ(fed.request.m_rbytes, 0);
    EXPECT_FALSE(fed.request.m_rbody);
    ASSERT_EQ(fed.request.m_header.size(), 2u);
    EXPECT_EQ(fed.request.m_header[0], String(u"GET //x HTTP/1.0"));
    EXPECT_EQ(fed.request.m_header[1], String(u"Host: other.invalid"));
}

// Against a real server on this machine.
class HttpServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        bbInit();
        ASSERT_TRUE(server.Start());
    }
    // The request is freed after the test: let its socket deliver everything
    // still queued (a send may outlast the finish) before that.
    void TearDown() override {
        server.Stop();
        c_Socket* socket = request.m_socket;
        if (!socket) return;
        EXPECT_TRUE(PumpUntil([&] {
            return socket->m_rqueue->m_get == socket->m_rqueue->m_put.load() &&
                   socket->m_wqueue->m_get == socket->m_wqueue->m_put.load();
        }));
    }
    // Sends a GET and pumps until it finishes; then pumps a little more to
    // see that the handler is not called again.
    void Get(const String& url) {
        request.m_new2(u"GET", url, &done);
        request.p_Send();
        ASSERT_TRUE(PumpUntil([&] { return done.calls > 0; }));
        PumpUntil([] { return false; }, 20);
        EXPECT_EQ(done.calls, 1);
    }
    HttpTestServer server;
    c_HttpRequest request;
    Done done;
};

TEST_F(HttpServerTest, ServerAnswersAndMisbehaviour) {
    struct Case {
        const char* what;
        HttpTestServer::Mode mode;
        std::string answer;
        int status;
        const char* response;
    } cases[] = {
        {"plain", HttpTestServer::ANSWER, "HTTP/1.0 200 OK\r\n\r\nabc", 200, "abc"},
        {"header lines", HttpTestServer::ANSWER,
         "HTTP/1.1 200 OK\r\nServer: test\r\nContent-Length: 12\r\n\r\nOnlineScores", 200, "OnlineScores"},
        {"no reason", HttpTestServer::ANSWER, "HTTP/1.0 200\r\n\r\nabc", -1, ""},
        {"garbage", HttpTestServer::ANSWER, std::string("\x00\xff\x13garbage\r\n\x7f\n\n", 15), -1, ""},
        {"garbage without line ends", HttpTestServer::ANSWER, "zzzzzzzz", -1, ""},
        {"nothing", HttpTestServer::ANSWER, "", -1, ""},
        {"close at once", HttpTestServer::CLOSE_AT_ONCE, "", -1, ""},
        {"one byte at a time", HttpTestServer::SLOW_BYTES, "HTTP/1.0 200 OK\r\nA: b\r\n\r\nslow", 200, "slow"},
    };
    for (const Case& c : cases) {
        server.SetAnswer(c.mode, c.answer, 1);
        done = Done();
        Get(server.Url("/Scores.php?Game=0525&Score=x"));
        EXPECT_EQ(done.status, c.status) << c.what;
        EXPECT_EQ(Utf8(done.response), c.response) << c.what;
    }
    std::vector<std::string> requests = server.Requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests[0], "GET //Scores.php?Game=0525&Score=x HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
}

TEST_F(HttpServerTest, RefusedConnectionFinishesWithNoStatus) {
    Get(u"http://127.0.0.1:" + bbStringFromInt(HttpTestServer::RefusingPort()) + u"/x");
    EXPECT_EQ(done.status, -1);
    EXPECT_EQ(done.response, String());
}

TEST_F(HttpServerTest, AServerThatNeverAnswersLeavesTheRequestPending) {
    server.SetAnswer(HttpTestServer::NEVER_ANSWER, "");
    request.m_new2(u"GET", server.Url("/"), &done);
    request.p_Send();
    ASSERT_TRUE(PumpUntil([&] { return server.Requests().size() == 1; }));
    // Updates keep running and nothing completes while the server is silent.
    EXPECT_FALSE(PumpUntil([&] { return done.calls > 0; }, 100));
    server.Stop();
    ASSERT_TRUE(PumpUntil([&] { return done.calls > 0; }));
    EXPECT_EQ(done.status, -1);
    EXPECT_EQ(done.calls, 1);
}

TEST_F(HttpServerTest, BodySentAfterTheHeader) {
    server.SetAnswer(HttpTestServer::ANSWER, "HTTP/1.0 201 Created\r\n\r\n");
    request.m_new2(u"POST", server.Url("/post"), &done);
    request.p_Send2(u"a=1&b=\u00e9", u"application/x-www-form-urlencoded", u"utf8");
    ASSERT_TRUE(PumpUntil([&] { return done.calls > 0; }));
    EXPECT_EQ(done.status, 201);
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0],
              "POST //post HTTP/1.0\r\nHost: 127.0.0.1\r\nContent-Type: application/x-www-form-urlencoded\r\n"
              "Content-Length: 8\r\n\r\na=1&b=\xC3\xA9");
}

TEST_F(HttpServerTest, OneRequestObjectServesRequestsInTurn) {
    for (const char* body : {"one", "two"}) {
        server.SetAnswer(HttpTestServer::ANSWER, std::string("HTTP/1.0 200 OK\r\n\r\n") + body);
        done = Done();
        Get(server.Url("/"));
        EXPECT_EQ(Utf8(done.response), body);
    }
    EXPECT_EQ(server.Connections(), 2);
}
