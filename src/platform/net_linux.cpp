// Sockets and threads on Linux.
#include "platform/platform.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

static sockaddr_in ToSockaddr(const plat_Ipv4& where) {
    sockaddr_in sa;
    std::memset(&sa, 0, sizeof sa);
    sa.sin_family = AF_INET;
    sa.sin_port = htons((unsigned short)(where.port & 0xffff));
    sa.sin_addr.s_addr = htonl(where.address);
    return sa;
}

static plat_Ipv4 FromSockaddr(const sockaddr_in& sa) {
    plat_Ipv4 out;
    out.address = ntohl(sa.sin_addr.s_addr);
    out.port = ntohs(sa.sin_port);
    return out;
}

int plat_SocketOpen(bool stream) {
    int handle = stream ? socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP)
                        : socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    if (handle < 0) return -1;
    if (stream) {
        int one = 1;
        setsockopt(handle, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    }
    return handle;
}

void plat_SocketShutdown(int handle) {
    if (handle >= 0) shutdown(handle, SHUT_RDWR);
}

void plat_SocketClose(int handle) {
    if (handle >= 0) close(handle);
}

bool plat_ResolveIpv4(const char* host, unsigned int* address) {
    addrinfo hints;
    std::memset(&hints, 0, sizeof hints);
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host, nullptr, &hints, &found) != 0 || !found) return false;
    *address = ntohl(((const sockaddr_in*)found->ai_addr)->sin_addr.s_addr);
    freeaddrinfo(found);
    return true;
}

bool plat_SocketBind(int handle, const plat_Ipv4& where) {
    sockaddr_in sa = ToSockaddr(where);
    return bind(handle, (const sockaddr*)&sa, sizeof sa) == 0;
}

bool plat_SocketConnect(int handle, const plat_Ipv4& where) {
    sockaddr_in sa = ToSockaddr(where);
    int rc;
    do rc = connect(handle, (const sockaddr*)&sa, sizeof sa);
    while (rc != 0 && errno == EINTR);
    return rc == 0;
}

bool plat_SocketListen(int handle, int backlog) {
    return listen(handle, backlog) == 0;
}

int plat_SocketAccept(int handle) {
    int rc;
    do rc = accept4(handle, nullptr, nullptr, SOCK_CLOEXEC);
    while (rc < 0 && errno == EINTR);
    return rc < 0 ? -1 : rc;
}

int plat_SocketSend(int handle, const unsigned char* bytes, int count) {
    ssize_t rc;
    do rc = send(handle, bytes, (size_t)count, MSG_NOSIGNAL);
    while (rc < 0 && errno == EINTR);
    return rc < 0 ? -1 : (int)rc;
}

int plat_SocketReceive(int handle, unsigned char* bytes, int count) {
    ssize_t rc;
    do rc = recv(handle, bytes, (size_t)count, 0);
    while (rc < 0 && errno == EINTR);
    return rc < 0 ? -1 : (int)rc;
}

bool plat_SocketLocalAddress(int handle, plat_Ipv4* address) {
    sockaddr_in sa;
    std::memset(&sa, 0, sizeof sa);
    socklen_t size = sizeof sa;
    bool ok = handle >= 0 && getsockname(handle, (sockaddr*)&sa, &size) == 0 && sa.sin_family == AF_INET;
    *address = ok ? FromSockaddr(sa) : plat_Ipv4();
    return ok;
}

namespace {
struct ThreadStart {
    void (*body)(void*);
    void* arg;
};
}  // namespace

static void* ThreadMain(void* p) {
    ThreadStart start = *(ThreadStart*)p;
    delete (ThreadStart*)p;
    start.body(start.arg);
    return nullptr;
}

bool plat_StartThread(void (*body)(void*), void* arg) {
    ThreadStart* start = new ThreadStart{body, arg};
    pthread_t thread;
    if (pthread_create(&thread, nullptr, ThreadMain, start) != 0) {
        delete start;
        return false;
    }
    pthread_detach(thread);
    return true;
}
