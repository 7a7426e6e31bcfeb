#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "net/asyncevent.h"
#include "net/socket.h"
#include "support/http_test_server.h"

namespace {

// Records every completion it is given, in order.
struct Recorder : c_IOnConnectComplete, c_IOnSendComplete, c_IOnReceiveComplete {
    std::vector<std::string> events;
    std::vector<int> counts;  // receive counts
    std::function<void()> onReceive;

    void p_OnConnectComplete(bool connected, c_Socket*) override {
        events.push_back(connected ? "connected" : "not connected");
    }
    void p_OnSendComplete(c_DataBuffer*, int, int count, c_Socket*) override {
        events.push_back("sent " + std::to_string(count));
    }
    void p_OnReceiveComplete(c_DataBuffer*, int, int count, c_Socket*) override {
        events.push_back("received");
        counts.push_back(count);
        if (onReceive) onReceive();
    }
};

// Waits (bounded) until both of the socket's workers have run everything
// queued, without delivering any completion.
bool WorkersDone(c_Socket* socket) {
    for (int i = 0; i < 3000; ++i) {
        if (socket->m_rqueue->p_Idle() && socket->m_wqueue->p_Idle()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

class SocketTest : public ::testing::Test {
protected:
    void SetUp() override {
        bbInit();
        ASSERT_TRUE(server.Start());
    }
    c_Socket* Connected() {
        c_Socket* socket = (new c_Socket())->m_new(u"stream");
        socket->p_ConnectAsync(u"127.0.0.1", server.Port(), &recorder);
        EXPECT_TRUE(PumpUntil([&] { return !recorder.events.empty(); }));
        EXPECT_EQ(socket->m_state, 7);
        recorder.events.clear();
        return socket;
    }
    HttpTestServer server;
    Recorder recorder;
};

}  // namespace

TEST(Socket, ProtocolIsCheckedAndSocketRegistersItself) {
    bbInit();
    for (const char16_t* bad : {u"Stream", u"tcp", u""}) {
        try {
            (new c_Socket())->m_new(bad);
            ADD_FAILURE() << "no error";
        } catch (const bbRuntimeError& e) {
            EXPECT_EQ(e.message, String(u"Illegal socket protocol"));
        }
    }
    c_Socket* socket = (new c_Socket())->m_new(u"stream");
    EXPECT_EQ(socket->m_state, 1);
    EXPECT_TRUE(socket->p_IsOpen());
    EXPECT_FALSE(socket->p_IsConnected());
    ASSERT_EQ(bb_asyncevent__sources.size(), 1u);
    EXPECT_EQ(bb_asyncevent__sources[0], socket);
    try {
        bb_asyncevent_AddAsyncEventSource(socket);
        ADD_FAILURE() << "no error";
    } catch (const bbRuntimeError& e) {
        EXPECT_EQ(e.message, String(u"Async event source is already active"));
    }
    EXPECT_EQ((new c_Socket())->m_new(u"datagram")->m_proto, 3);
}

TEST_F(SocketTest, CompletionsArriveOnlyDuringTheEventPass) {
    c_Socket* socket = (new c_Socket())->m_new(u"stream");
    socket->p_ConnectAsync(u"127.0.0.1", server.Port(), &recorder);
    ASSERT_TRUE(WorkersDone(socket));
    EXPECT_TRUE(recorder.events.empty());
    EXPECT_EQ(socket->m_state, 1);
    bb_asyncevent_UpdateAsyncEvents();
    EXPECT_EQ(recorder.events, std::vector<std::string>{"connected"});
    EXPECT_EQ(socket->m_state, 7);
    // Connecting again is ignored once connected.
    socket->p_ConnectAsync(u"127.0.0.1", server.Port(), &recorder);
    EXPECT_TRUE(socket->m_rqueue->p_Idle());
}

TEST_F(SocketTest, SendAndReceiveBeforeConnectingAreIgnored) {
    c_Socket* socket = (new c_Socket())->m_new(u"stream");
    c_DataBuffer buffer;
    buffer.m_new(16);
    socket->p_ConnectAsync(u"127.0.0.1", server.Port(), &recorder);
    socket->p_SendAsync(&buffer, 0, 16, &recorder);
    socket->p_ReceiveAsync(&buffer, 0, 16, &recorder);
    EXPECT_EQ(socket->m_wqueue->m_put.load(), 0);
    EXPECT_EQ(socket->m_rqueue->m_put.load(), 1);  // the connect only
    ASSERT_TRUE(PumpUntil([&] { return !recorder.events.empty(); }));
    EXPECT_EQ(recorder.events, std::vector<std::string>{"connected"});
}

TEST_F(SocketTest, ExchangesBytesAndReportsTheServerClosingAsZero) {
    server.SetAnswer(HttpTestServer::ANSWER, "HTTP/1.0 200 OK\r\n\r\nhello");
    c_Socket* socket = Connected();
    c_DataBuffer request, answer;
    request.m_new(32);
    int length = request.p_PokeString(0, u"GET / HTTP/1.0\r\n\r\n", u"ascii");
    answer.m_new(4096);
    int received = 0;
    // Each completion reads on behind what arrived until the server closes.
    recorder.onReceive = [&] {
        int count = recorder.counts.back();
        if (count > 0) {
            received += count;
            socket->p_ReceiveAsync(&answer, received, answer.Length() - received, &recorder);
        }
    };
    socket->p_SendAsync(&request, 0, length, &recorder);
    socket->p_ReceiveAsync(&answer, 0, answer.Length(), &recorder);
    ASSERT_TRUE(PumpUntil([&] { return !recorder.counts.empty() && recorder.counts.back() == 0; }));
    EXPECT_NE(std::find(recorder.events.begin(), recorder.events.end(), "sent 18"), recorder.events.end());
    EXPECT_EQ(answer.p_PeekString(0, received, u"ascii"), String(u"HTTP/1.0 200 OK\r\n\r\nhello"));
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0], "GET / HTTP/1.0\r\n\r\n");
}

TEST_F(SocketTest, FailedConnectsCompleteNotConnectedAtALaterUpdate) {
    struct Case {
        const char* what;
        String host;
        int port;
    } cases[] = {
        {"refused", u"127.0.0.1", HttpTestServer::RefusingPort()},
        // Too long to look up: the address stays 0.0.0.0 and the connect
        // fails instead of reaching this machine's listener.
        {"no address", String(1024, u'a'), server.Port()},
        {"empty host", String(), server.Port()},
    };
    for (const Case& c : cases) {
        Recorder r;
        c_Socket* socket = (new c_Socket())->m_new(u"stream");
        socket->p_ConnectAsync(c.host, c.port, &r);
        EXPECT_TRUE(r.events.empty()) << c.what;
        ASSERT_TRUE(PumpUntil([&] { return !r.events.empty(); })) << c.what;
        EXPECT_EQ(r.events, std::vector<std::string>{"not connected"}) << c.what;
        EXPECT_EQ(socket->m_state, 1) << c.what;
    }
    EXPECT_EQ(server.Connections(), 0);
}

TEST_F(SocketTest, HostNamesAreLookedUp) {
    c_Socket* socket = (new c_Socket())->m_new(u"stream");
    socket->p_ConnectAsync(u"localhost", server.Port(), &recorder);
    ASSERT_TRUE(PumpUntil([&] { return !recorder.events.empty(); }));
    EXPECT_EQ(recorder.events, std::vector<std::string>{"connected"});
    BBSocketAddress address;
    address.Set(u"127.0.0.1", 8080);
    EXPECT_EQ(address.Host(), String(u"127.0.0.1"));
    EXPECT_EQ(address.Port(), 8080);
}

TEST(Socket, HandlersMayEnqueueAndNestedPassesDoNothing) {
    bbInit();
    // Receives on no handle fail at once on the worker, so every queued one is
    // finished and waiting by the time the pass runs.
    c_Socket* socket = (new c_Socket())->m_new2(new BBSocket(), 1, 7);
    Recorder r;
    c_DataBuffer buffer;
    buffer.m_new(8);
    std::vector<size_t> seenInside;
    r.onReceive = [&] {
        size_t before = r.counts.size();
        EXPECT_EQ(bb_asyncevent_UpdateAsyncEvents(), 0);
        seenInside.push_back(r.counts.size() - before);
        if (r.counts.size() < 5) socket->p_ReceiveAsync(&buffer, 0, 8, &r);
    };
    socket->p_ReceiveAsync(&buffer, 0, 8, &r);
    socket->p_ReceiveAsync(&buffer, 0, 8, &r);
    ASSERT_TRUE(WorkersDone(socket));
    bb_asyncevent_UpdateAsyncEvents();
    // Both finished ones complete in this pass (and, if their workers were
    // quick, what the handlers enqueued), none inside the nested calls.
    EXPECT_GE(r.counts.size(), 2u);
    EXPECT_EQ(bb_asyncevent__current, nullptr);
    // What the handlers enqueued is run and completed, by later updates at
    // the latest.
    ASSERT_TRUE(PumpUntil([&] { return r.counts.size() == 6; }));
    EXPECT_EQ(seenInside, std::vector<size_t>(6, 0));
}

TEST(Socket, TheQueueHolds255OutstandingOperations) {
    bbInit();
    // A socket that claims to be connected on no handle: every receive fails
    // at once on the worker, yet stays outstanding until completed.
    c_Socket* socket = (new c_Socket())->m_new2(new BBSocket(), 1, 7);
    Recorder r;
    c_DataBuffer buffer;
    buffer.m_new(8);
    for (int i = 0; i < 255; ++i) socket->p_ReceiveAsync(&buffer, 0, 8, &r);
    try {
        socket->p_ReceiveAsync(&buffer, 0, 8, &r);
        ADD_FAILURE() << "no error";
    } catch (const bbRuntimeError& e) {
        EXPECT_EQ(e.message, String(u"AsyncQueue queue overflow!"));
    }
    ASSERT_TRUE(PumpUntil([&] { return r.counts.size() == 255; }));
    for (int count : r.counts) ASSERT_EQ(count, -1);
    // The ring is whole again after the overflow.
    for (int i = 0; i < 255; ++i) socket->p_ReceiveAsync(&buffer, 0, 8, &r);
    ASSERT_TRUE(PumpUntil([&] { return r.counts.size() == 510; }));
}

namespace {
// A queue whose worker can be made to look busy, to replay the end of a burst:
// the worker has left its loop but not yet marked itself finished.
struct LingeringQueue : c_AsyncQueue {
    void SetRunning(int state) { _running.store(state); }
};
}  // namespace

TEST(Socket, WorkMissedAtTheEndOfABurstStartsAtTheNextUpdate) {
    bbInit();
    c_Socket* socket = (new c_Socket())->m_new2(new BBSocket(), 1, 7);
    LingeringQueue* queue = new LingeringQueue();
    queue->m_new(socket);
    delete socket->m_rqueue;
    socket->m_rqueue = queue;
    Recorder r;
    c_DataBuffer buffer;
    buffer.m_new(8);
    queue->SetRunning(1);
    socket->p_ReceiveAsync(&buffer, 0, 8, &r);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(queue->p_Idle());  // Start saw a running worker and did nothing
    queue->SetRunning(2);           // that worker ends
    ASSERT_TRUE(PumpUntil([&] { return !r.counts.empty(); }));
    EXPECT_EQ(r.counts, std::vector<int>{-1});
}

TEST_F(SocketTest, CloseWakesAPendingReceiveAndReleasesTheHandleWhenIdle) {
    server.SetAnswer(HttpTestServer::NEVER_ANSWER, "");
    c_Socket* socket = Connected();
    c_DataBuffer request, answer;
    request.m_new(4);
    request.p_PokeString(0, u"\r\n\r\n", u"ascii");
    answer.m_new(64);
    socket->p_SendAsync(&request, 0, 4, &recorder);
    socket->p_ReceiveAsync(&answer, 0, 64, &recorder);
    ASSERT_TRUE(PumpUntil([&] { return server.Requests().size() == 1; }));
    EXPECT_TRUE(recorder.counts.empty());
    socket->p_Close();
    EXPECT_EQ(socket->m_state, 0);
    ASSERT_TRUE(PumpUntil([&] { return !recorder.counts.empty(); }));
    EXPECT_LE(recorder.counts[0], 0);
    PumpUntil([&] { return !socket->m_sock->IsOpen(); });
    EXPECT_FALSE(socket->m_sock->IsOpen());
    // A closed socket ignores further work.
    socket->p_ReceiveAsync(&answer, 0, 64, &recorder);
    EXPECT_TRUE(socket->m_rqueue->p_Idle());
    EXPECT_EQ(socket->m_rqueue->m_put.load(), socket->m_rqueue->m_get);
}
