// Standard output of a death-test child, caught in a file the parent reads.
#pragma once

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

inline std::string CapturePath(const char* name) { return std::string("capture_") + name + ".txt"; }

// Called inside the child: everything printed from here on goes to the file.
inline void RedirectStdout(const std::string& path) {
    std::fflush(stdout);
    if (!std::freopen(path.c_str(), "w", stdout)) std::abort();
}

inline std::string ReadCapture(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    std::remove(path.c_str());
    return text.str();
}
