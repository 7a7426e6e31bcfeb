// A small HTTP/1.0 server on 127.0.0.1 for tests. It serves one connection at
// a time on its own thread, answers every connection the way the test chose
// (also misbehaving on purpose) and keeps the requests it read.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "host/bb_runtime.h"

class BBSocket;

class HttpTestServer {
public:
    enum Mode {
        ANSWER,         // read the request, send the answer, close
        CLOSE_AT_ONCE,  // accept and close without reading or answering
        SLOW_BYTES,     // read the request, send the answer one byte at a time, close
        NEVER_ANSWER,   // read the request, then hold the connection silently until Stop
    };

    HttpTestServer() {}
    ~HttpTestServer() { Stop(); }
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    // Listens at a free port of 127.0.0.1; false if that fails.
    bool Start();
    // Ends the server thread and any connection it holds; safe to call twice.
    void Stop();

    // How the next connections are served: the raw answer bytes (status line,
    // header and body exactly as sent) and, for SLOW_BYTES, the pause after
    // each byte.
    void SetAnswer(Mode mode, const std::string& bytes, int pauseMs = 2);

    int Port() const { return m_port; }
    // "http://127.0.0.1:<port>" followed by the given path and query.
    String Url(const std::string& pathAndQuery) const;
    // The requests read so far, raw: header lines and any body announced by
    // Content-Length.
    std::vector<std::string> Requests();
    int Connections() const { return m_connections.load(); }

    // A port of 127.0.0.1 on which nothing listens, so a connect is refused.
    static int RefusingPort();

private:
    void Serve();
    void ServeOne(BBSocket* connection);
    std::string ReadRequest(BBSocket* connection);
    bool SendAll(BBSocket* connection, const std::string& bytes);

    BBSocket* m_listener = nullptr;
    int m_port = 0;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_connections{0};

    std::mutex m_lock;  // guards everything below
    Mode m_mode = ANSWER;
    std::string m_answer = "HTTP/1.0 200 OK\r\n\r\n";
    int m_pauseMs = 2;
    std::vector<std::string> m_requests;
    BBSocket* m_current = nullptr;  // the connection being served
};

// Runs the asynchronous event pass every millisecond until done() holds or
// the time is up; true when done() held. Never waits longer than timeoutMs.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);
