#include "net/http.h"

static int Find(const String& text, const char16_t* what, int from) {
    size_t at = text.find(what, (size_t)from);
    return at == String::npos ? -1 : (int)at;
}

static String Slice(const String& text, int from, int to) {
    return text.substr((size_t)from, (size_t)(to - from));
}

c_Url* c_Url::m_new(const String& url, const String& defaultScheme, int defaultPort) {
    m_defaultScheme = defaultScheme;
    m_defaultPort = defaultPort;
    p_Set2(url);
    return this;
}

c_Url* c_Url::m_new2() {
    return this;
}

void c_Url::p_Set2(const String& url) {
    m_url = url;
    m_scheme = m_defaultScheme;
    m_username.clear();
    m_password.clear();
    m_domain.clear();
    m_query.clear();
    m_fragment.clear();
    m_port = m_defaultPort;
    m_path = u"/";

    int length = (int)url.size();
    int q = Find(url, u"?", 0);
    int h = Find(url, u"#", 0);
    // A "?" after the "#" belongs to the fragment.
    if (q >= 0 && h >= 0 && q > h) q = -1;
    int end = q >= 0 ? q : h >= 0 ? h : length;

    int start = 0;
    int s = Find(url, u"://", 0);
    if (s >= 0 && s < end) {
        m_scheme = Slice(url, 0, s);
        start = s + 3;
    }

    int a = Find(url, u"@", start);
    if (a >= 0 && a < end) {
        int c = Find(url, u":", start);
        if (c >= 0 && c < a) {
            m_username = Slice(url, start, c);
            m_password = Slice(url, c + 1, a);
        } else {
            m_username = Slice(url, start, a);
        }
        start = a + 1;
    }

    int colon = Find(url, u":", start);
    int slash = Find(url, u"/", start);
    bool hasColon = colon >= 0 && colon < end;
    bool hasSlash = slash >= 0 && slash < end;
    if (hasColon && (!hasSlash || colon < slash)) {
        m_domain = Slice(url, start, colon);
        m_port = bbStringToInt(Slice(url, colon + 1, hasSlash ? slash : end));
        if (hasSlash) m_path = Slice(url, slash, end);
    } else if (hasSlash) {
        // A colon after the slash belongs to the path.
        m_domain = Slice(url, start, slash);
        m_path = Slice(url, slash, end);
    } else {
        m_domain = Slice(url, start, end);
    }

    if (q >= 0) m_query = h >= 0 ? Slice(url, q + 1, h) : Slice(url, q + 1, length);
    if (h >= 0) m_fragment = Slice(url, h + 1, length);
}

String c_Url::p_FullPath() const {
    String path = m_path;
    if (!m_query.empty()) path += u"?" + m_query;
    if (!m_fragment.empty()) path += u"#" + m_fragment;
    return path;
}

c_HttpRequest::c_HttpRequest() {
    m_wbuf = (new c_DataBuffer())->m_new(WBUF_SIZE);
    m_rbuf = (new c_DataBuffer())->m_new(RBUF_SIZE);
}

c_HttpRequest::~c_HttpRequest() {
    delete m_url;
    delete m_data;
    delete m_wbuf;
    delete m_rbuf;
}

c_HttpRequest* c_HttpRequest::m_new2(const String& req, const String& url, c_IOnHttpRequestComplete* onComplete) {
    p_Open(req, url, onComplete);
    return this;
}

void c_HttpRequest::p_Open(const String& req, const String& url, c_IOnHttpRequestComplete* onComplete) {
    m_req = req;
    delete m_url;
    m_url = (new c_Url())->m_new(url, u"http", 80);
    m_onComplete = onComplete;
    delete m_data;
    m_data = nullptr;
    m_dataLength = 0;
    m_status = -1;
    m_rbody.reset();
    m_response.clear();
    m_rbytes = 0;
    m_header.clear();
    m_hbytes = 0;
    // The full path begins with a slash already, so the target goes out as
    // "//path": the score server expects exactly that.
    m_header.push_back(m_req + u" /" + m_url->p_FullPath() + u" HTTP/1.0");
    m_header.push_back(u"Host: " + m_url->m_domain);
}

void c_HttpRequest::p_Send() {
    m_socket = (new c_Socket())->m_new(u"stream");
    m_socket->p_ConnectAsync(m_url->m_domain, m_url->m_port, this);
}

void c_HttpRequest::p_Send2(const String& data, const String& mimeType, const String& encoding) {
    delete m_data;
    // Three bytes per code unit hold any encoding of the text.
    m_data = (new c_DataBuffer())->m_new((int)data.size() * 3);
    m_dataLength = m_data->p_PokeString(0, data, encoding);
    if (!mimeType.empty()) m_header.push_back(u"Content-Type: " + mimeType);
    m_header.push_back(u"Content-Length: " + bbStringFromInt(m_dataLength));
    p_Send();
}

void c_HttpRequest::p_Finish() {
    if (m_socket) m_socket->p_Close();
    if (m_rbody) {
        size_t total = 0;
        for (const String& piece : *m_rbody) total += piece.size();
        m_response.reserve(total);
        for (const String& piece : *m_rbody) m_response += piece;
    }
    m_onComplete->p_OnHttpRequestComplete(this);
}

void c_HttpRequest::p_OnConnectComplete(bool connected, c_Socket* source) {
    if (!connected) {
        p_Finish();
        return;
    }
    m_header.push_back(String());
    m_header.push_back(String());
    String text;
    for (size_t i = 0; i < m_header.size(); ++i) {
        if (i > 0) text += u"\r\n";
        text += m_header[i];
    }
    m_header.clear();
    int length = m_wbuf->p_PokeString(0, text, u"ascii");
    // A header that does not fit would go out cut short, which no server can
    // read: the request ends instead, as one that could not connect.
    if (length > m_wbuf->Length()) {
        p_Finish();
        return;
    }
    if (source->p_IsConnected()) {
        source->p_SendAsync(m_wbuf, 0, length, this);
        source->p_ReceiveAsync(m_rbuf, 0, RBUF_SIZE, this);
    }
}

void c_HttpRequest::p_OnSendComplete(c_DataBuffer*, int, int, c_Socket* source) {
    if (m_dataLength != 0 && source->p_IsConnected()) {
        source->p_SendAsync(m_data, 0, m_dataLength, this);
        m_dataLength = 0;
    }
}

void c_HttpRequest::AppendBody(int offset, int count) {
    if (count > MAX_BODY - m_rbytes) count = MAX_BODY - m_rbytes;
    m_rbytes += count;
    m_rbody->push_back(m_rbuf->p_PeekString(offset, count, u"utf8"));
}

static String TrimControls(const String& text) {
    size_t from = 0, to = text.size();
    while (from < to && text[from] <= 32) ++from;
    while (to > from && text[to - 1] <= 32) --to;
    return text.substr(from, to - from);
}

static Array<String> SplitAtSpaces(const String& text) {
    Array<String> pieces;
    size_t from = 0;
    for (;;) {
        size_t at = text.find(u' ', from);
        if (at == String::npos) break;
        pieces.push_back(text.substr(from, at - from));
        from = at + 1;
    }
    pieces.push_back(text.substr(from));
    return pieces;
}

void c_HttpRequest::p_OnReceiveComplete(c_DataBuffer*, int offset, int count, c_Socket* source) {
    // A failed receive ends the request as a closed connection does.
    if (count <= 0) {
        p_Finish();
        return;
    }

    if (m_rbody) {
        AppendBody(offset, count);
        if (m_rbytes >= MAX_BODY) {
            p_Finish();
            return;
        }
        if (source->p_IsConnected()) source->p_ReceiveAsync(m_rbuf, 0, RBUF_SIZE, this);
        return;
    }

    // Header: the buffer holds an unfinished line from earlier receives at 0,
    // then the new bytes.
    const unsigned char* bytes = m_rbuf->ReadPointer(0);
    int end = offset + count;
    int start = 0;
    for (int i = offset; i < end; ++i) {
        if (bytes[i] != 10) continue;
        String line = TrimControls(m_rbuf->p_PeekString(start, i - start, u"ascii"));
        if (!line.empty()) {
            m_hbytes += i - start;
            if (m_hbytes > MAX_HEADER) break;
            m_header.push_back(line);
            start = i + 1;
            continue;
        }
        // The empty line ends the header.
        if (!m_header.empty()) {
            String status = m_header[0];
            for (char16_t& unit : status)
                if (unit >= u'a' && unit <= u'z') unit = (char16_t)(unit - 32);
            Array<String> pieces = SplitAtSpaces(status);
            if (pieces.size() > 2 && pieces[0].compare(0, 5, u"HTTP/") == 0) {
                m_status = bbStringToInt(pieces[1]);
                m_rbody.reset(new Array<String>());
                if (i + 1 < end) AppendBody(i + 1, end - (i + 1));
                if (source->p_IsConnected()) source->p_ReceiveAsync(m_rbuf, 0, RBUF_SIZE, this);
                return;
            }
        }
        p_Finish();
        return;
    }

    // The scan ended inside a line: keep its bytes at the start and read on
    // behind them. A line filling the whole buffer can never end, so the
    // request ends here instead of asking for zero bytes.
    int rest = end - start;
    if (start > 0) m_rbuf->p_CopyBytes(start, m_rbuf, 0, rest);
    if (rest >= RBUF_SIZE || m_hbytes > MAX_HEADER) {
        p_Finish();
        return;
    }
    if (source->p_IsConnected()) source->p_ReceiveAsync(m_rbuf, rest, RBUF_SIZE - rest, this);
}
