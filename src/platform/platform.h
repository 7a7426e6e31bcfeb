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
