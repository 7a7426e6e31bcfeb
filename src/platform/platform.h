// Every Linux-specific call the program makes goes through this layer.
// Paths are UTF-8 byte strings.
#pragma once

#include <cstdio>
#include <string>

// Folder of the running executable, without a trailing "/".
std::string plat_ExecutableDir();
FILE* plat_OpenFile(const std::string& path, const char* mode);
// Pushes everything written to the stream down to the disk; false on failure.
bool plat_SyncFile(FILE* file);
// Replaces `to` with `from` in one step (both in the same folder); false on failure.
bool plat_RenameFile(const std::string& from, const std::string& to);
void plat_RemoveFile(const std::string& path);
// The local date and time now: year, month 1-12, day 1-31, hour, minute, second.
void plat_LocalTime(int out[6]);
// Asks the desktop to open the URL in the user's browser; not waited for.
void plat_OpenUrl(const std::string& url);

// Blocks the calling thread for the given milliseconds.
void plat_SleepMs(int milliseconds);

// Process services: signals, locale, raw output and exit.
enum { PLAT_SIGNAL_SEGV, PLAT_SIGNAL_ILL, PLAT_SIGNAL_FPE, PLAT_SIGNAL_OTHER };
// Routes SIGSEGV, SIGILL and SIGFPE to the handler, which receives one of the
// PLAT_SIGNAL_* kinds; it runs inside the signal and must not return.
void plat_OnFatalSignal(void (*handler)(int kind));
// Character-type locale "en_US.UTF-8", or the environment's default if that fails.
void plat_SetCharLocale();
// Writes bytes to standard output without buffering; safe inside a signal handler.
void plat_WriteStdout(const char* bytes, int length);
// Ends the process at once, without running exit handlers; safe inside a signal handler.
[[noreturn]] void plat_ExitNow(int code);

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
