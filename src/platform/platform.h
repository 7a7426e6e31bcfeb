// Every Linux-specific call the program makes goes through this layer.
// Paths are UTF-8 byte strings.
#pragma once

#include <cstdio>
#include <string>

// Folder of the running executable, without a trailing "/".
std::string plat_ExecutableDir();
FILE* plat_OpenFile(const std::string& path, const char* mode);
// Blocks the calling thread for the given milliseconds.
void plat_SleepMs(int milliseconds);

// Sockets: IPv4 only, blocking calls. A handle is -1 when there is none.
// Addresses and ports travel in host byte order.
struct plat_Ipv4 {
    unsigned int address = 0;  // 0.0.0.0
    int port = 0;
};
// A TCP socket with TCP_NODELAY, or a UDP socket; -1 on failure.
int plat_SocketOpen(bool stream);
// Shuts both directions, which wakes calls blocked on the handle in other
// threads, without giving up the handle number.
void plat_SocketShutdown(int handle);
void plat_SocketClose(int handle);
// First IPv4 address of a host name or dotted number; false when none.
bool plat_ResolveIpv4(const char* host, unsigned int* address);
bool plat_SocketBind(int handle, const plat_Ipv4& where);
bool plat_SocketConnect(int handle, const plat_Ipv4& where);
bool plat_SocketListen(int handle, int backlog);
// The accepted connection's handle, or -1.
int plat_SocketAccept(int handle);
// Bytes moved, 0 when the peer has closed (receive), -1 on an error. A send
// to a closed peer reports -1 and never raises a signal.
int plat_SocketSend(int handle, const unsigned char* bytes, int count);
int plat_SocketReceive(int handle, unsigned char* bytes, int count);
// False (and a zero address) when the handle has no such address.
bool plat_SocketLocalAddress(int handle, plat_Ipv4* address);

// Runs body(arg) on a new detached thread; false when no thread could be made.
bool plat_StartThread(void (*body)(void*), void* arg);
