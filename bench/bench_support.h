// Helpers shared by the benchmarks.
#pragma once

#include <AL/al.h>
#include <GLFW/glfw3.h>

#include <chrono>

#include "host/glfwgame.h"

// One hidden 1280 x 720 window and context for the renderer, opened on first
// use and counted as a new context; null when there is no display.
inline GLFWwindow* OpenBenchWindow() {
    static GLFWwindow* window = nullptr;
    if (window || !glfwInit()) return window;
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    window = glfwCreateWindow(1280, 720, "bench", nullptr, nullptr);
    if (!window) return nullptr;
    glfwMakeContextCurrent(window);
    ++_glfwGraphicsSeq;
    return window;
}

// Seconds from `start` until the mixer has begun playing the source (or it
// has stopped without ever moving).
inline double SecondsUntilMixed(ALuint source, std::chrono::steady_clock::time_point start) {
    ALint offset = 0, st = AL_PLAYING;
    while (offset == 0 && st == AL_PLAYING) {
        alGetSourcei(source, AL_SAMPLE_OFFSET, &offset);
        alGetSourcei(source, AL_SOURCE_STATE, &st);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
