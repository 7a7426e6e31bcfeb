// libFuzzer target: an HTTP response, delivered to a request in pieces of
// fuzzer-chosen sizes, with failed receives and early closes mixed in.
// Checks that the request never reads or writes outside its receive buffer
// (AddressSanitizer), asks only for room that exists, finishes exactly once,
// and keeps the response within its limit.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "net/http.h"

namespace {

struct Done : c_IOnHttpRequestComplete {
    int calls = 0;
    void p_OnHttpRequestComplete(c_HttpRequest*) override { ++calls; }
};

// A connected socket that records the receive asked for instead of running it.
struct FakeSocket : c_Socket {
    int offset = -1, count = -1;
    bool asked = false;
    FakeSocket() { m_state = 7; }
    void p_SendAsync(c_DataBuffer*, int, int, c_IOnSendComplete*) override {}
    void p_ReceiveAsync(c_DataBuffer* data, int o, int c, c_IOnReceiveComplete*) override {
        if (o < 0 || c <= 0 || o + c > data->Length()) std::abort();
        offset = o;
        count = c;
        asked = true;
    }
};

struct Reader {
    const uint8_t* p;
    size_t left;
    int Byte() {
        if (!left) return -1;
        --left;
        return *p++;
    }
    int Length() {
        int lo = Byte(), hi = Byte();
        return lo < 0 || hi < 0 ? 0 : lo | hi << 8;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // One request object serves every input, as the game reuses its buffers.
    static c_HttpRequest request;
    static FakeSocket socket;
    Done done;
    socket.m_state = 7;
    request.m_new2(u"GET", u"http://score.invalid/Scores.php?Game=0525", &done);
    request.m_socket = &socket;
    request.p_OnConnectComplete(true, &socket);

    Reader in{data, size};
    unsigned char* rbuf = request.m_rbuf->ReadPointer(0);
    while (socket.asked) {
        socket.asked = false;
        int op = in.Byte();
        int count = 0;
        if (op < 0) {
            count = 0;  // the server closes
        } else if ((op & 3) == 0) {
            // Literal bytes from the input.
            count = in.Length();
            if (count > socket.count) count = socket.count;
            if ((size_t)count > in.left) count = (int)in.left;
            std::memcpy(rbuf + socket.offset, in.p, (size_t)count);
            in.p += count;
            in.left -= (size_t)count;
            if (count == 0) count = 1, rbuf[socket.offset] = '\n';
        } else if ((op & 3) == 1) {
            // A run of one byte value, for long lines and bodies; kept short
            // so that most inputs stay cheap and the limits are still reached.
            int runs = in.Byte();
            count = (runs < 0 ? 0 : runs) * 16 + 1;
            if (count > socket.count) count = socket.count;
            std::memset(rbuf + socket.offset, in.Byte() & 0xff, (size_t)count);
        } else if ((op & 3) == 2) {
            count = -1;  // a failed receive
        } else {
            count = 0;
        }
        request.p_OnReceiveComplete(request.m_rbuf, socket.offset, count, &socket);
        if (done.calls > 0 && socket.asked) std::abort();  // work after the finish
    }
    if (done.calls != 1) std::abort();
    if (request.m_rbytes > c_HttpRequest::MAX_BODY) std::abort();
    if (request.p_ResponseText().size() > (size_t)c_HttpRequest::MAX_BODY) std::abort();
    return 0;
}
