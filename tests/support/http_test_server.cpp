#include "support/http_test_server.h"

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <cstring>

#include "net/asyncevent.h"
#include "net/socket.h"

bool HttpTestServer::Start() {
    m_listener = new BBSocket();
    BBSocketAddress local;
    if (!m_listener->Open(2) || !m_listener->Bind(u"127.0.0.1", 0) || !m_listener->Listen(16)) {
        delete m_listener;
        m_listener = nullptr;
        return false;
    }
    m_listener->GetLocalAddress(&local);
    m_port = local.Port();
    m_stop = false;
    m_thread = std::thread(&HttpTestServer::Serve, this);
    return true;
}

void HttpTestServer::Stop() {
    if (!m_listener) return;
    m_stop = true;
    {
        // Wakes a read of a connection that never sends anything.
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_current) m_current->Shutdown();
    }
    // Wakes the accept.
    BBSocket wake;
    if (wake.Open(1)) wake.Connect(u"127.0.0.1", m_port);
    m_thread.join();
    wake.Close();
    delete m_listener;
    m_listener = nullptr;
}

void HttpTestServer::SetAnswer(Mode mode, const std::string& bytes, int pauseMs) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_mode = mode;
    m_answer = bytes;
    m_pauseMs = pauseMs;
}

String HttpTestServer::Url(const std::string& pathAndQuery) const {
    return u"http://127.0.0.1:" + bbStringFromInt(m_port) + bbStringFromUtf8(pathAndQuery);
}

std::vector<std::string> HttpTestServer::Requests() {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_requests;
}

int HttpTestServer::RefusingPort() {
    // Bound but never listening: the kernel refuses connections to it, and no
    // one else can take the port while the socket lives.
    static BBSocket* holder = nullptr;
    static int port = 0;
    if (!holder) {
        holder = new BBSocket();
        holder->Open(1);
        holder->Bind(u"127.0.0.1", 0);
        BBSocketAddress local;
        holder->GetLocalAddress(&local);
        port = local.Port();
    }
    return port;
}

void HttpTestServer::Serve() {
    while (!m_stop) {
        if (!m_listener->Accept()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            continue;
        }
        BBSocket* connection = m_listener->Accepted();
        if (m_stop) {
            delete connection;
            break;
        }
        ++m_connections;
        {
            std::lock_guard<std::mutex> hold(m_lock);
            m_current = connection;
        }
        ServeOne(connection);
        {
            std::lock_guard<std::mutex> hold(m_lock);
            m_current = nullptr;
        }
        delete connection;
    }
}

void HttpTestServer::ServeOne(BBSocket* connection) {
    Mode mode;
    std::string answer;
    int pauseMs;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        mode = m_mode;
        answer = m_answer;
        pauseMs = m_pauseMs;
    }
    if (mode == CLOSE_AT_ONCE) return;

    std::string request = ReadRequest(connection);
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_requests.push_back(request);
    }

    switch (mode) {
    case ANSWER:
        SendAll(connection, answer);
        break;
    case SLOW_BYTES:
        for (size_t i = 0; i < answer.size() && !m_stop; ++i) {
            if (!SendAll(connection, answer.substr(i, 1))) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
        }
        break;
    case NEVER_ANSWER:
        while (!m_stop) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        break;
    case CLOSE_AT_ONCE:
        break;
    }
}

// Reads up to the empty line ending the header, then the body its
// Content-Length announces; stops early when the client closes.
std::string HttpTestServer::ReadRequest(BBSocket* connection) {
    enum { LIMIT = 1 << 16 };
    c_DataBuffer buffer;
    buffer.m_new(4096);
    std::string text;
    size_t wanted = std::string::npos;
    while (text.size() < LIMIT && !m_stop) {
        if (wanted == std::string::npos) {
            size_t end = text.find("\r\n\r\n");
            if (end != std::string::npos) {
                wanted = end + 4;
                std::string lower = text.substr(0, end);
                for (char& c : lower) c = (char)std::tolower((unsigned char)c);
                size_t at = lower.find("\r\ncontent-length:");
                if (at != std::string::npos) wanted += (size_t)std::atoi(lower.c_str() + at + 17);
            }
        }
        if (wanted != std::string::npos && text.size() >= wanted) break;
        int n = connection->Receive(&buffer, 0, buffer.Length());
        if (n <= 0) break;
        text.append((const char*)buffer.ReadPointer(0), (size_t)n);
    }
    return text;
}

bool HttpTestServer::SendAll(BBSocket* connection, const std::string& bytes) {
    c_DataBuffer buffer;
    buffer.m_new((int)bytes.size());
    if (!bytes.empty()) std::memcpy(buffer.ReadPointer(0), bytes.data(), bytes.size());
    int sent = 0;
    while (sent < (int)bytes.size()) {
        int n = connection->Send(&buffer, sent, (int)bytes.size() - sent);
        if (n <= 0) return false;
        sent += n;
    }
    return true;
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        bb_asyncevent_UpdateAsyncEvents();
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}
