// Process services on Linux: the executable's folder, sleeping, fatal signals,
// the character-type locale and raw standard output.
#include "platform/platform.h"

#include <cerrno>
#include <clocale>
#include <csignal>
#include <ctime>
#include <unistd.h>

std::string plat_ExecutableDir() {
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return std::string();
    std::string path(buf, (size_t)n);
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

void plat_SleepMs(int milliseconds) {
    if (milliseconds <= 0) return;
    timespec left = {milliseconds / 1000, (long)(milliseconds % 1000) * 1000000L};
    // A signal may cut the sleep short; sleep on for what is left.
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

static void (*fatalHandler)(int kind) = nullptr;

static void OnSignal(int sig) {
    int kind = sig == SIGSEGV ? PLAT_SIGNAL_SEGV
             : sig == SIGILL  ? PLAT_SIGNAL_ILL
             : sig == SIGFPE  ? PLAT_SIGNAL_FPE
                              : PLAT_SIGNAL_OTHER;
    fatalHandler(kind);
    _exit(255);
}

void plat_OnFatalSignal(void (*handler)(int kind)) {
    fatalHandler = handler;
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGSEGV, &action, nullptr);
    sigaction(SIGILL, &action, nullptr);
    sigaction(SIGFPE, &action, nullptr);
}

void plat_SetCharLocale() {
    if (!std::setlocale(LC_CTYPE, "en_US.UTF-8")) std::setlocale(LC_CTYPE, "");
}

void plat_WriteStdout(const char* bytes, int length) {
    while (length > 0) {
        ssize_t n = write(STDOUT_FILENO, bytes, (size_t)length);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        bytes += n;
        length -= (int)n;
    }
}

void plat_ExitNow(int code) {
    _exit(code);
}
