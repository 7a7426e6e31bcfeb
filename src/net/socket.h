// IPv4 sockets whose blocking calls run on worker threads and whose
// completions are delivered on the main thread during the event pass.
#pragma once

#include <atomic>

#include "host/bb_runtime.h"
#include "net/asyncevent.h"
#include "net/databuffer.h"
#include "platform/platform.h"

class c_Socket;

// An IPv4 address with its dotted text and port, filled in on demand.
class BBSocketAddress {
public:
    // Looks the host up (blocking) and stores address and port.
    void Set(const String& host, int port);
    void Set(const BBSocketAddress& other);
    void Set(const plat_Ipv4& raw);
    // Makes _host and _port match _addr.
    void Validate();

    String Host() {
        Validate();
        return _host;
    }
    int Port() {
        Validate();
        return _port;
    }

    plat_Ipv4 _addr;
    bool _valid = false;
    String _host;
    int _port = 0;
};

// Address building: port as given, host looked up; 0.0.0.0 when the host is
// empty, longer than 1023 characters or not found.
plat_Ipv4 setsockaddr(const String& host, int port);

class BBSocket {
public:
    BBSocket() {}
    // Adopts an open handle (an accepted connection).
    explicit BBSocket(int handle, int proto) : _sock(handle), _proto(proto) {}
    virtual ~BBSocket();
    BBSocket(const BBSocket&) = delete;
    BBSocket& operator=(const BBSocket&) = delete;

    // 1 stream, 2 server (both TCP), 3 datagram (UDP).
    bool Open(int proto);
    void Close();
    // Shuts the connection down so that calls blocked on it in workers return,
    // keeping the handle number taken until Close.
    void Shutdown();
    bool Bind(const String& host, int port);
    bool Connect(const String& host, int port);
    bool Listen(int backlog);
    bool Accept();
    // A new socket on the last accepted handle, or null; the caller owns it.
    BBSocket* Accepted();
    // Count cut to the buffer; bytes moved, 0 when the peer closed, -1 on error.
    int Send(const BBDataBuffer* data, int offset, int count);
    int Receive(BBDataBuffer* data, int offset, int count);
    void GetLocalAddress(BBSocketAddress* address);

    bool IsOpen() const { return _sock.load(std::memory_order_acquire) >= 0; }

    // Read by workers while the main thread may close it.
    std::atomic<int> _sock{-1};
    int _proto = 0;
    int _accepted = -1;
};

class c_IOnConnectComplete {
public:
    virtual ~c_IOnConnectComplete() {}
    virtual void p_OnConnectComplete(bool connected, c_Socket* source) = 0;
};

class c_IOnSendComplete {
public:
    virtual ~c_IOnSendComplete() {}
    virtual void p_OnSendComplete(c_DataBuffer* data, int offset, int count, c_Socket* source) = 0;
};

class c_IOnReceiveComplete {
public:
    virtual ~c_IOnReceiveComplete() {}
    virtual void p_OnReceiveComplete(c_DataBuffer* data, int offset, int count, c_Socket* source) = 0;
};

// A queued operation: executed on a worker, completed on the main thread.
class c_AsyncOp {
public:
    virtual ~c_AsyncOp() {}
    virtual void p_Complete(c_Socket* source) = 0;
    virtual void p_Execute__UNSAFE__(c_Socket* source) = 0;
};

class c_AsyncConnectOp : public c_AsyncOp {
public:
    c_AsyncConnectOp* m_new(BBSocket* socket, const String& host, int port, c_IOnConnectComplete* onComplete);
    void p_Complete(c_Socket* source) override;
    void p_Execute__UNSAFE__(c_Socket* source) override;

    BBSocket* m_source = nullptr;
    String m_host;
    int m_port = 0;
    c_IOnConnectComplete* m_onComplete = nullptr;
    bool m_connected = false;
};

class c_AsyncSocketIoOp : public c_AsyncOp {
public:
    c_AsyncSocketIoOp* m_new(BBSocket* socket, c_DataBuffer* data, int offset, int count);

    BBSocket* m_source = nullptr;
    c_DataBuffer* m_data = nullptr;
    int m_offset = 0;
    int m_count = 0;
};

class c_AsyncSendOp : public c_AsyncSocketIoOp {
public:
    c_AsyncSendOp* m_new(BBSocket* socket, c_DataBuffer* data, int offset, int count, c_IOnSendComplete* onComplete);
    void p_Complete(c_Socket* source) override;
    void p_Execute__UNSAFE__(c_Socket* source) override;

    c_IOnSendComplete* m_onComplete = nullptr;
};

class c_AsyncReceiveOp : public c_AsyncSocketIoOp {
public:
    c_AsyncReceiveOp* m_new(BBSocket* socket, c_DataBuffer* data, int offset, int count,
                            c_IOnReceiveComplete* onComplete);
    void p_Complete(c_Socket* source) override;
    void p_Execute__UNSAFE__(c_Socket* source) override;

    c_IOnReceiveComplete* m_onComplete = nullptr;
};

// A ring of 256 operation slots, one always free, served in order by at most
// one worker at a time. Each index has one writer: m_put and m_get the main
// thread, m_run the worker; slot contents are published by the index stores.
class c_AsyncQueue : public c_Thread, public c_IAsyncEventSource {
public:
    enum { SLOTS = 256 };

    ~c_AsyncQueue() override;
    c_AsyncQueue* m_new(c_Socket* socket);
    // Main thread. Takes the operation over; raises "AsyncQueue queue
    // overflow!" (leaving the queue as it was) when 255 are outstanding.
    void p_Enqueue(c_AsyncOp* op);
    void Run__UNSAFE__() override;
    // Main thread: restarts a worker that missed work, then completes every
    // finished operation in order.
    void p_UpdateAsyncEvents() override;
    // Every enqueued operation has been executed (none is running).
    bool p_Idle() const;

    c_Socket* m_socket = nullptr;
    c_AsyncOp* m_queue[SLOTS] = {};
    std::atomic<int> m_put{0};
    int m_get = 0;
    std::atomic<int> m_run{0};
};

class c_Socket : public c_IAsyncEventSource {
public:
    enum { STATE_OPEN = 1, STATE_BOUND = 2, STATE_CONNECTED = 4, STATE_LISTENING = 8 };

    ~c_Socket() override;
    // "stream", "server" or "datagram"; raises "Illegal socket protocol" or
    // "Socket open failed".
    c_Socket* m_new(const String& protocol);
    // Wraps an existing socket (taken over).
    c_Socket* m_new2(BBSocket* sock, int proto, int state);
    void p_Start();

    // Each does nothing (and never completes) in the wrong state. Buffers must
    // stay untouched and alive until their operation completes.
    virtual void p_ConnectAsync(const String& host, int port, c_IOnConnectComplete* onComplete);
    virtual void p_SendAsync(c_DataBuffer* data, int offset, int count, c_IOnSendComplete* onComplete);
    virtual void p_ReceiveAsync(c_DataBuffer* data, int offset, int count, c_IOnReceiveComplete* onComplete);
    virtual void p_Close();

    bool p_IsOpen() const { return (m_state & STATE_OPEN) != 0; }
    bool p_IsConnected() const { return (m_state & STATE_CONNECTED) != 0; }
    bool p_IsListening() const { return (m_state & STATE_LISTENING) != 0; }

    void p_UpdateAsyncEvents() override;

    BBSocket* m_sock = nullptr;
    int m_proto = 0;
    int m_state = 0;
    c_AsyncQueue* m_rqueue = nullptr;
    c_AsyncQueue* m_wqueue = nullptr;

private:
    // Closed by the user while a worker may still be inside a call on the
    // handle: the handle is shut down at once and given back once both queues
    // are idle, so its number cannot be reused under a running operation.
    bool m_closing = false;
    void FinishClose();
};
