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
