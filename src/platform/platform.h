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
