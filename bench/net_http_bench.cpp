// Main-thread costs of the networking: the event pass over idle sockets (every
// request leaves one registered for the rest of the run) and the parsing of a
// response fed in receive-sized pieces.
#include <benchmark/benchmark.h>

#include <cstring>

#include "net/http.h"

static void BM_EventPassOverIdleSockets(benchmark::State& state) {
    bbInit();
    for (int i = 0; i < state.range(0); ++i) (new c_Socket())->m_new2(new BBSocket(), 1, 0);
    for (auto _ : state) bb_asyncevent_UpdateAsyncEvents();
    bbInit();
}
BENCHMARK(BM_EventPassOverIdleSockets)->Arg(1)->Arg(16)->Arg(256);

namespace {
struct Done : c_IOnHttpRequestComplete {
    void p_OnHttpRequestComplete(c_HttpRequest*) override {}
};
struct FakeSocket : c_Socket {
    int offset = 0, count = 0;
    FakeSocket() { m_state = 7; }
    void p_SendAsync(c_DataBuffer*, int, int, c_IOnSendComplete*) override {}
    void p_ReceiveAsync(c_DataBuffer*, int o, int c, c_IOnReceiveComplete*) override {
        offset = o;
        count = c;
    }
};
}  // namespace

// A scoreboard-sized answer (about 2 KB) arriving in pieces of the given size.
static void BM_ParseResponse(benchmark::State& state) {
    std::string answer = "HTTP/1.0 200 OK\r\nServer: bench\r\nContent-Type: text/plain\r\n\r\nOnlineScores{";
    while (answer.size() < 2048) answer += "x{Player Name{1234{y{";
    int piece = (int)state.range(0);
    c_HttpRequest request;
    Done done;
    for (auto _ : state) {
        FakeSocket socket;
        request.m_new2(u"GET", u"http://score.invalid/Scores.php?Game=0525", &done);
        request.m_socket = &socket;
        request.p_OnConnectComplete(true, &socket);
        for (size_t at = 0; at < answer.size() && socket.m_state;) {
            int n = (int)std::min<size_t>((size_t)piece, answer.size() - at);
            if (n > socket.count) n = socket.count;
            std::memcpy(request.m_rbuf->ReadPointer(socket.offset), answer.data() + at, (size_t)n);
            at += (size_t)n;
            request.p_OnReceiveComplete(request.m_rbuf, socket.offset, n, &socket);
        }
        if (socket.m_state) request.p_OnReceiveComplete(request.m_rbuf, socket.offset, 0, &socket);
        benchmark::DoNotOptimize(request.p_ResponseText().size());
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)answer.size());
}
BENCHMARK(BM_ParseResponse)->Arg(1)->Arg(64)->Arg(16384);
