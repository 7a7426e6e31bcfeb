// A real window with its OpenGL context for drawing tests (run under Xvfb),
// opened the way the host does: each new window counts as a new context.
#pragma once

#include <GLFW/glfw3.h>

#include "host/glfwgame.h"

inline GLFWwindow* OpenTestWindow(int width, int height) {
    if (!glfwInit()) return nullptr;
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    // Hidden, so windows of tests running side by side never overlap it.
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(width, height, "Bramblewick Run test", nullptr, nullptr);
    if (!window) return nullptr;
    glfwMakeContextCurrent(window);
    // Let the server finish mapping the window before the first frame.
    glfwPollEvents();
    glFinish();
    ++_glfwGraphicsSeq;
    return window;
}

// Replaces the window, as switching to full screen and back does: every
// texture of the old context is gone.
inline GLFWwindow* ReopenTestWindow(GLFWwindow* old, int width, int height) {
    glfwMakeContextCurrent(nullptr);
    glfwDestroyWindow(old);
    return OpenTestWindow(width, height);
}
