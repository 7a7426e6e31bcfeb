// Sends the host's window what the X server and a window manager would: the
// close request and key presses. Xlib is already loaded by GLFW; the few calls
// needed are looked up at run time.
#pragma once

#include <dlfcn.h>

#include <GLFW/glfw3.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include "host/glfwgame.h"

// From GLFW's native access (its header also wants the XRandR headers).
extern "C" {
Display* glfwGetX11Display(void);
Window glfwGetX11Window(GLFWwindow* window);
}

template <typename F>
F XCall(const char* name) {
    F f = (F)dlsym(RTLD_DEFAULT, name);
    if (!f) bbError(bbStringFromAscii(name));
    return f;
}

inline GLFWwindow* HostWindow() { return BBGlfwGame::_glfwGame->GetGLFWwindow(); }

inline void SendToHostWindow(XEvent& event, long mask) {
    Display* display = glfwGetX11Display();
    Window window = glfwGetX11Window(HostWindow());
    event.xany.window = window;
    XCall<Status (*)(Display*, Window, Bool, long, XEvent*)>("XSendEvent")(display, window, False, mask, &event);
    XCall<int (*)(Display*)>("XFlush")(display);
}

// What the window manager sends when the user clicks the close button.
inline void PressCloseButton() {
    auto internAtom = XCall<Atom (*)(Display*, const char*, Bool)>("XInternAtom");
    Display* display = glfwGetX11Display();
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.message_type = internAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)internAtom(display, "WM_DELETE_WINDOW", False);
    SendToHostWindow(event, 0);
}

inline void PressKey(KeySym sym) {
    Display* display = glfwGetX11Display();
    XEvent event = {};
    event.xkey.type = KeyPress;
    event.xkey.display = display;
    event.xkey.root = DefaultRootWindow(display);
    event.xkey.keycode = XCall<KeyCode (*)(Display*, KeySym)>("XKeysymToKeycode")(display, sym);
    event.xkey.same_screen = True;
    SendToHostWindow(event, KeyPressMask);
}

inline String WindowTitle() {
    char* name = nullptr;
    XCall<Status (*)(Display*, Window, char**)>("XFetchName")(glfwGetX11Display(), glfwGetX11Window(HostWindow()),
                                                             &name);
    String title = name ? bbStringFromAscii(name) : String();
    if (name) XCall<int (*)(void*)>("XFree")(name);
    return title;
}
