// Texture surfaces: a premultiplied CPU copy of an image's pixels and the
// OpenGL texture made from it, rebuilt whenever the window is re-created.
#pragma once

#include <cstdio>

#include "host/bb_runtime.h"

class BBGame;

class gxtkSurface {
public:
    gxtkSurface() {}
    virtual ~gxtkSurface();
    gxtkSurface(const gxtkSurface&) = delete;
    gxtkSurface& operator=(const gxtkSurface&) = delete;

    virtual int Discard();
    virtual int Width() { return width; }
    virtual int Height() { return height; }
    virtual bool Loaded() { return true; }
    virtual void OnUnsafeLoadComplete() { Bind(); }

    // Takes ownership of pixels (from malloc) and premultiplies them in place.
    void SetData(unsigned char* pixels, int width, int height, int depth);
    // Writes a block of 0xAARRGGBB ints into an RGBA surface, premultiplied.
    void SetSubData(int x, int y, int w, int h, const int* src, int pitch);
    void Bind();

    unsigned char* data = nullptr;
    int width = 0;
    int height = 0;
    int depth = 0;
    int format = 0;
    int seq = -1;
    unsigned int texture = 0;
    float uscale = 0;
    float vscale = 0;
};

// Decodes an image file at its own channel count (1 grey, 2 grey and alpha,
// 3 RGB, 4 RGBA). The file is opened through the host, so resource paths work;
// null when it cannot be opened or decoded. Pixels come from malloc.
unsigned char* bb_graphics_LoadImageFile(BBGame* host, const String& path, int* width, int* height, int* depth);
