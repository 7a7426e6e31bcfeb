// URL parsing and a minimal HTTP/1.0 client: one request per connection,
// the response collected until the server closes.
#pragma once

#include <memory>

#include "host/bb_runtime.h"
#include "net/databuffer.h"
#include "net/http_complete.h"
#include "net/socket.h"

class c_Url {
public:
    c_Url* m_new(const String& url, const String& defaultScheme, int defaultPort);
    c_Url* m_new2();
    void p_Set2(const String& url);
    // Path, then "?query" and "#fragment" when they are not empty.
    String p_FullPath() const;
    String p_Domain() const { return m_domain; }
    int p_Port() const { return m_port; }

    String m_defaultScheme;
    int m_defaultPort = 0;
    String m_url;
    String m_scheme;
    String m_username;
    String m_password;
    String m_domain;
    int m_port = 0;
    String m_path;
    String m_query;
    String m_fragment;
};

// The handler is called exactly once per request, on the main thread. A
// request must stay alive until then: its buffers are in use by the socket.
class c_HttpRequest : public c_IOnConnectComplete, public c_IOnSendComplete, public c_IOnReceiveComplete {
public:
    enum {
        WBUF_SIZE = 4096,
        RBUF_SIZE = 16384,
        // A larger body is cut here and the request finished, and a longer
        // response header ends the request, so a hostile server cannot make
        // us hold on to unbounded memory.
        MAX_BODY = 1 << 20,
        MAX_HEADER = 1 << 20
    };

    c_HttpRequest();
    ~c_HttpRequest() override;
    c_HttpRequest(const c_HttpRequest&) = delete;
    c_HttpRequest& operator=(const c_HttpRequest&) = delete;

    c_HttpRequest* m_new2(const String& req, const String& url, c_IOnHttpRequestComplete* onComplete);
    void p_Open(const String& req, const String& url, c_IOnHttpRequestComplete* onComplete);
    // Connects on a new socket; returns at once.
    void p_Send();
    // Sends a body after the header, with its Content-Type (when not empty)
    // and Content-Length lines.
    void p_Send2(const String& data, const String& mimeType, const String& encoding);
    String p_ResponseText() const { return m_response; }
    int p_Status() const { return m_status; }
    void p_Finish();

    void p_OnConnectComplete(bool connected, c_Socket* source) override;
    void p_OnSendComplete(c_DataBuffer* data, int offset, int count, c_Socket* source) override;
    void p_OnReceiveComplete(c_DataBuffer* data, int offset, int count, c_Socket* source) override;

    String m_req;
    c_Url* m_url = nullptr;
    c_IOnHttpRequestComplete* m_onComplete = nullptr;
    c_DataBuffer* m_data = nullptr;
    int m_dataLength = 0;
    int m_status = -1;
    // Null while the response header is being read.
    std::unique_ptr<Array<String>> m_rbody;
    String m_response;
    int m_rbytes = 0;
    Array<String> m_header;
    // Sockets stay registered as event sources for the whole run, so they are
    // never freed; the request only uses them.
    c_Socket* m_socket = nullptr;
    c_DataBuffer* m_wbuf = nullptr;
    c_DataBuffer* m_rbuf = nullptr;

private:
    int m_hbytes = 0;  // response header bytes kept in m_header
    void AppendBody(int offset, int count);
};
