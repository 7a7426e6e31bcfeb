#include "net/socket.h"

#include <string>

plat_Ipv4 setsockaddr(const String& host, int port) {
    plat_Ipv4 addr;
    addr.port = port & 0xffff;
    if (host.empty() || host.size() > 1023) return addr;
    std::string name(host.size(), '\0');
    for (size_t i = 0; i < host.size(); ++i) name[i] = (char)(host[i] & 0xff);
    unsigned int found;
    // A name with a zero byte inside would be cut short; it names nothing.
    if (name.find('\0') == std::string::npos && plat_ResolveIpv4(name.c_str(), &found)) addr.address = found;
    return addr;
}

void BBSocketAddress::Set(const String& host, int port) {
    _addr = setsockaddr(host, port);
    _valid = false;
}

void BBSocketAddress::Set(const BBSocketAddress& other) {
    _addr = other._addr;
    _valid = false;
}

void BBSocketAddress::Set(const plat_Ipv4& raw) {
    _addr = raw;
    _valid = false;
}

void BBSocketAddress::Validate() {
    if (_valid) return;
    unsigned int a = _addr.address;
    _host = bbStringFromInt((int)(a >> 24)) + u"." + bbStringFromInt((int)((a >> 16) & 255)) + u"." +
            bbStringFromInt((int)((a >> 8) & 255)) + u"." + bbStringFromInt((int)(a & 255));
    _port = _addr.port;
    _valid = true;
}

BBSocket::~BBSocket() {
    Close();
    plat_SocketClose(_accepted);
}

bool BBSocket::Open(int proto) {
    if (IsOpen() || proto <= 0 || proto > 3) return false;
    int handle = plat_SocketOpen(proto != 3);
    if (handle < 0) return false;
    _sock.store(handle, std::memory_order_release);
    _proto = proto;
    return true;
}

void BBSocket::Close() {
    int handle = _sock.exchange(-1, std::memory_order_acq_rel);
    if (handle < 0) return;
    plat_SocketShutdown(handle);
    plat_SocketClose(handle);
}

void BBSocket::Shutdown() {
    plat_SocketShutdown(_sock.load(std::memory_order_acquire));
}

bool BBSocket::Bind(const String& host, int port) {
    return plat_SocketBind(_sock.load(std::memory_order_acquire), setsockaddr(host, port));
}

bool BBSocket::Connect(const String& host, int port) {
    plat_Ipv4 where = setsockaddr(host, port);
    // A host that could not be looked up leaves 0.0.0.0, which Linux would
    // take for this machine; such a connect fails instead.
    if (where.address == 0) return false;
    return plat_SocketConnect(_sock.load(std::memory_order_acquire), where);
}

bool BBSocket::Listen(int backlog) {
    return plat_SocketListen(_sock.load(std::memory_order_acquire), backlog);
}

bool BBSocket::Accept() {
    // A connection accepted earlier and never taken is given back.
    plat_SocketClose(_accepted);
    _accepted = plat_SocketAccept(_sock.load(std::memory_order_acquire));
    return _accepted >= 0;
}

BBSocket* BBSocket::Accepted() {
    if (_accepted < 0) return nullptr;
    BBSocket* socket = new BBSocket(_accepted, 1);
    _accepted = -1;
    return socket;
}

// Cuts [offset, offset + count) to the buffer; false when nothing is left.
static bool CutIo(const BBDataBuffer* data, int offset, int& count) {
    if (!data || offset < 0 || offset > data->Length() || count < 0) return false;
    if (count > data->Length() - offset) count = data->Length() - offset;
    return true;
}

int BBSocket::Send(const BBDataBuffer* data, int offset, int count) {
    if (!CutIo(data, offset, count)) return -1;
    return plat_SocketSend(_sock.load(std::memory_order_acquire), data->ReadPointer(offset), count);
}

int BBSocket::Receive(BBDataBuffer* data, int offset, int count) {
    if (!CutIo(data, offset, count)) return -1;
    return plat_SocketReceive(_sock.load(std::memory_order_acquire), data->ReadPointer(offset), count);
}

void BBSocket::GetLocalAddress(BBSocketAddress* address) {
    plat_Ipv4 raw;
    plat_SocketLocalAddress(_sock.load(std::memory_order_acquire), &raw);
    address->Set(raw);
}

// Operations

c_AsyncConnectOp* c_AsyncConnectOp::m_new(BBSocket* socket, const String& host, int port,
                                          c_IOnConnectComplete* onComplete) {
    m_source = socket;
    m_host = host;
    m_port = port;
    m_onComplete = onComplete;
    return this;
}

void c_AsyncConnectOp::p_Execute__UNSAFE__(c_Socket*) {
    // The host text is this operation's own copy, so the lookup can block here.
    m_connected = m_source->Connect(m_host, m_port);
}

void c_AsyncConnectOp::p_Complete(c_Socket* source) {
    // A socket closed while its connect was under way stays closed.
    if (!source->p_IsOpen()) m_connected = false;
    if (m_connected) source->m_state |= c_Socket::STATE_BOUND | c_Socket::STATE_CONNECTED;
    m_onComplete->p_OnConnectComplete(m_connected, source);
}

c_AsyncSocketIoOp* c_AsyncSocketIoOp::m_new(BBSocket* socket, c_DataBuffer* data, int offset, int count) {
    m_source = socket;
    m_data = data;
    m_offset = offset;
    m_count = count;
    return this;
}

c_AsyncSendOp* c_AsyncSendOp::m_new(BBSocket* socket, c_DataBuffer* data, int offset, int count,
                                    c_IOnSendComplete* onComplete) {
    c_AsyncSocketIoOp::m_new(socket, data, offset, count);
    m_onComplete = onComplete;
    return this;
}

void c_AsyncSendOp::p_Execute__UNSAFE__(c_Socket*) {
    m_count = m_source->Send(m_data, m_offset, m_count);
}

void c_AsyncSendOp::p_Complete(c_Socket* source) {
    m_onComplete->p_OnSendComplete(m_data, m_offset, m_count, source);
}

c_AsyncReceiveOp* c_AsyncReceiveOp::m_new(BBSocket* socket, c_DataBuffer* data, int offset, int count,
                                          c_IOnReceiveComplete* onComplete) {
    c_AsyncSocketIoOp::m_new(socket, data, offset, count);
    m_onComplete = onComplete;
    return this;
}

void c_AsyncReceiveOp::p_Execute__UNSAFE__(c_Socket*) {
    m_count = m_source->Receive(m_data, m_offset, m_count);
}

void c_AsyncReceiveOp::p_Complete(c_Socket* source) {
    m_onComplete->p_OnReceiveComplete(m_data, m_offset, m_count, source);
}

// The queue

c_AsyncQueue::~c_AsyncQueue() {
    for (c_AsyncOp* op : m_queue) delete op;
}

c_AsyncQueue* c_AsyncQueue::m_new(c_Socket* socket) {
    m_socket = socket;
    return this;
}

void c_AsyncQueue::p_Enqueue(c_AsyncOp* op) {
    int put = m_put.load(std::memory_order_relaxed);
    int next = (put + 1) % SLOTS;
    if (next == m_get) {
        delete op;
        bbError(u"AsyncQueue queue overflow!");
    }
    m_queue[put] = op;
    // The slot is written before the worker can see m_put move past it.
    m_put.store(next, std::memory_order_release);
    Start();
}

void c_AsyncQueue::Run__UNSAFE__() {
    int run = m_run.load(std::memory_order_relaxed);
    while (run != m_put.load(std::memory_order_acquire)) {
        m_queue[run]->p_Execute__UNSAFE__(m_socket);
        run = (run + 1) % SLOTS;
        // The results are written before the main thread sees m_run move on.
        m_run.store(run, std::memory_order_release);
    }
}

void c_AsyncQueue::p_UpdateAsyncEvents() {
    // A worker that left its loop just before the last enqueue missed the new
    // work and Start found it still running: start another now.
    if (m_run.load(std::memory_order_acquire) != m_put.load(std::memory_order_relaxed)) Start();
    while (m_get != m_run.load(std::memory_order_acquire)) {
        c_AsyncOp* op = m_queue[m_get];
        m_queue[m_get] = nullptr;
        m_get = (m_get + 1) % SLOTS;
        // Freed even if the handler raises a runtime error.
        struct Owner {
            c_AsyncOp* op;
            ~Owner() { delete op; }
        } owner{op};
        op->p_Complete(m_socket);
    }
}

bool c_AsyncQueue::p_Idle() const {
    return m_run.load(std::memory_order_acquire) == m_put.load(std::memory_order_relaxed);
}

// The socket

c_Socket::~c_Socket() {
    delete m_rqueue;
    delete m_wqueue;
    delete m_sock;
}

c_Socket* c_Socket::m_new(const String& protocol) {
    int proto = 0;
    if (protocol == u"stream") {
        proto = 1;
    } else if (protocol == u"server") {
        proto = 2;
    } else if (protocol == u"datagram") {
        proto = 3;
    } else {
        bbError(u"Illegal socket protocol");
    }
    m_sock = new BBSocket();
    if (!m_sock->Open(proto)) bbError(u"Socket open failed");
    m_proto = proto;
    m_state = STATE_OPEN;
    p_Start();
    return this;
}

c_Socket* c_Socket::m_new2(BBSocket* sock, int proto, int state) {
    m_sock = sock;
    m_proto = proto;
    m_state = state;
    p_Start();
    return this;
}

void c_Socket::p_Start() {
    m_rqueue = (new c_AsyncQueue())->m_new(this);
    m_wqueue = (new c_AsyncQueue())->m_new(this);
    if (!bb_asyncevent_IsAsyncEventSource(this)) bb_asyncevent_AddAsyncEventSource(this);
}

void c_Socket::p_ConnectAsync(const String& host, int port, c_IOnConnectComplete* onComplete) {
    if (!p_IsOpen() || p_IsConnected() || p_IsListening()) return;
    m_rqueue->p_Enqueue((new c_AsyncConnectOp())->m_new(m_sock, host, port, onComplete));
}

void c_Socket::p_SendAsync(c_DataBuffer* data, int offset, int count, c_IOnSendComplete* onComplete) {
    if (!p_IsConnected()) return;
    m_wqueue->p_Enqueue((new c_AsyncSendOp())->m_new(m_sock, data, offset, count, onComplete));
}

void c_Socket::p_ReceiveAsync(c_DataBuffer* data, int offset, int count, c_IOnReceiveComplete* onComplete) {
    if (!p_IsConnected()) return;
    m_rqueue->p_Enqueue((new c_AsyncReceiveOp())->m_new(m_sock, data, offset, count, onComplete));
}

void c_Socket::p_Close() {
    if (m_sock && m_sock->IsOpen()) {
        if (m_rqueue->p_Idle() && m_wqueue->p_Idle()) {
            m_sock->Close();
        } else {
            m_sock->Shutdown();
            m_closing = true;
        }
    }
    m_state = 0;
}

void c_Socket::FinishClose() {
    if (m_closing && m_rqueue->p_Idle() && m_wqueue->p_Idle()) {
        m_sock->Close();
        m_closing = false;
    }
}

void c_Socket::p_UpdateAsyncEvents() {
    m_rqueue->p_UpdateAsyncEvents();
    m_wqueue->p_UpdateAsyncEvents();
    FinishClose();
}
