// Files, local time and the browser on Linux.
#include "platform/platform.h"

#include <spawn.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

FILE* plat_OpenFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

bool plat_SyncFile(FILE* file) {
    if (std::fflush(file) != 0) return false;
    int fd = fileno(file);
    while (fsync(fd) != 0) {
        if (errno != EINTR) return false;
    }
    return true;
}

bool plat_RenameFile(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

void plat_RemoveFile(const std::string& path) {
    unlink(path.c_str());
}

void plat_LocalTime(int out[6]) {
    time_t now = time(nullptr);
    struct tm local;
    if (!localtime_r(&now, &local)) {
        for (int i = 0; i < 6; ++i) out[i] = 0;
        return;
    }
    out[0] = local.tm_year + 1900;
    out[1] = local.tm_mon + 1;
    out[2] = local.tm_mday;
    out[3] = local.tm_hour;
    out[4] = local.tm_min;
    out[5] = local.tm_sec;
}

void plat_OpenUrl(const std::string& url) {
    // Not waited for: xdg-open hands the URL to the browser and ends; its
    // finished process lingers until the game exits, harmless for a call
    // made a handful of times at most.
    char prog[] = "xdg-open";
    std::string arg = url;
    char* argv[] = {prog, &arg[0], nullptr};
    pid_t pid;
    posix_spawnp(&pid, prog, nullptr, nullptr, argv, environ);
}
