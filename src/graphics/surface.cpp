// Texture surfaces and image file decoding.
#include "graphics/surface.h"

#include <GL/gl.h>
#include <stb/stb_image.h>

#include <cstdlib>

#include "graphics/render_batch.h"
#include "host/glfwgame.h"

static const int kFormatByDepth[5] = {0, GL_LUMINANCE, GL_LUMINANCE_ALPHA, GL_RGB, GL_RGBA};

static int nextPowerOfTwo(int n) {
    int p = 1;
    while (p < n && p < (1 << 30)) p <<= 1;
    return p;
}

gxtkSurface::~gxtkSurface() {
    Discard();
}

int gxtkSurface::Discard() {
    if (seq != -1 && seq == _glfwGraphicsSeq) {
        glDeleteTextures(1, &texture);
        seq = -1;
    }
    std::free(data);
    data = nullptr;
    return 0;
}

void gxtkSurface::SetData(unsigned char* pixels, int width, int height, int depth) {
    std::free(data);
    data = pixels;
    this->width = width;
    this->height = height;
    this->depth = depth;
    format = depth >= 1 && depth <= 4 ? kFormatByDepth[depth] : 0;
    // Premultiplied once here, so every blend can assume it.
    int n = width * height;
    if (depth == 2) {
        for (unsigned char* p = pixels; n > 0; --n, p += 2) p[0] = (unsigned char)(p[0] * p[1] / 255);
    } else if (depth == 4) {
        for (unsigned char* p = pixels; n > 0; --n, p += 4) {
            unsigned a = p[3];
            p[0] = (unsigned char)(p[0] * a / 255);
            p[1] = (unsigned char)(p[1] * a / 255);
            p[2] = (unsigned char)(p[2] * a / 255);
        }
    }
}

void gxtkSurface::SetSubData(int x, int y, int w, int h, const int* src, int pitch) {
    if (format != GL_RGBA) return;
    if (x < 0 || y < 0 || w <= 0 || h <= 0 || x + w > width || y + h > height) return;
    if (!data) data = (unsigned char*)std::calloc((size_t)width * height, 4);
    if (!data) return;
    for (int i = 0; i < h; ++i) {
        const unsigned* row = (const unsigned*)src + (size_t)i * pitch;
        unsigned char* out = data + ((size_t)(y + i) * width + x) * 4;
        for (int j = 0; j < w; ++j, out += 4) {
            unsigned argb = row[j];
            unsigned a = argb >> 24;
            out[0] = (unsigned char)(((argb >> 16) & 0xff) * a / 255);
            out[1] = (unsigned char)(((argb >> 8) & 0xff) * a / 255);
            out[2] = (unsigned char)((argb & 0xff) * a / 255);
            out[3] = (unsigned char)a;
        }
    }
    // A texture of an older context is rebuilt from the copy by the next Bind.
    if (seq == -1 || seq != _glfwGraphicsSeq) return;
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (w == width) {
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, y, w, h, format, GL_UNSIGNED_BYTE, data + (size_t)y * width * 4);
    } else {
        for (int i = 0; i < h; ++i)
            glTexSubImage2D(GL_TEXTURE_2D, 0, x, y + i, w, 1, format, GL_UNSIGNED_BYTE,
                            data + ((size_t)(y + i) * width + x) * 4);
    }
}

void gxtkSurface::Bind() {
    if (_glfwGraphicsSeq == 0) return;
    if (seq == _glfwGraphicsSeq) {
        glBindTexture(GL_TEXTURE_2D, texture);
        return;
    }
    // No texture yet, or one of a context that no longer exists: that name
    // died with its context, so it is abandoned, not deleted.
    seq = _glfwGraphicsSeq;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    // Only the allocation's own error may decide the retry, not one left
    // over from an earlier call.
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
    int tw = width, th = height;
    glTexImage2D(GL_TEXTURE_2D, 0, format, tw, th, 0, format, GL_UNSIGNED_BYTE, nullptr);
    if (glGetError() != GL_NO_ERROR) {
        // A driver without non-power-of-two textures: pixel coordinates stay
        // right because the scales follow the size actually allocated.
        tw = nextPowerOfTwo(width);
        th = nextPowerOfTwo(height);
        glTexImage2D(GL_TEXTURE_2D, 0, format, tw, th, 0, format, GL_UNSIGNED_BYTE, nullptr);
    }
    uscale = 1.0f / (float)tw;
    vscale = 1.0f / (float)th;
    if (data) {
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, format, GL_UNSIGNED_BYTE, data);
    }
}

unsigned char* bb_graphics_LoadImageFile(BBGame* host, const String& path, int* width, int* height, int* depth) {
    FILE* file = host->OpenFile(path, u"rb");
    if (!file) return nullptr;
    int w = 0, h = 0, channels = 0;
    unsigned char* pixels = stbi_load_from_file(file, &w, &h, &channels, 0);
    std::fclose(file);
    if (!pixels) return nullptr;
    *width = w;
    *height = h;
    *depth = channels;
    return pixels;
}

unsigned char* BBGlfwGame::LoadImageData(const String& path, int* width, int* height, int* depth) {
    return bb_graphics_LoadImageFile(this, path, width, height, depth);
}

// Surface operations of the driver.

gxtkSurface* gxtkGraphics::LoadSurface(const String& path) {
    gxtkSurface* surface = new gxtkSurface();
    if (!LoadSurface__UNSAFE__(surface, path)) {
        delete surface;
        return nullptr;
    }
    surface->Bind();
    return surface;
}

bool gxtkGraphics::LoadSurface__UNSAFE__(gxtkSurface* surface, const String& path) {
    if (!BBGame::_game) return false;
    int w = 0, h = 0, depth = 0;
    unsigned char* pixels = BBGame::_game->LoadImageData(path, &w, &h, &depth);
    if (!pixels) return false;
    surface->SetData(pixels, w, h, depth);
    return true;
}

gxtkSurface* gxtkGraphics::CreateSurface(int width, int height) {
    gxtkSurface* surface = new gxtkSurface();
    surface->width = width > 0 ? width : 0;
    surface->height = height > 0 ? height : 0;
    surface->depth = 4;
    surface->format = GL_RGBA;
    surface->Bind();
    return surface;
}

int gxtkGraphics::WritePixels2(gxtkSurface* surface, const Array<int>& pixels, int x, int y, int w, int h,
                               int offset, int pitch) {
    if (surface->format != GL_RGBA || w <= 0 || h <= 0) return 0;
    // Every source row must lie inside the array.
    long long first = offset, last = (long long)offset + (long long)(h - 1) * pitch;
    if (first < 0 || last < 0 || (first > last ? first : last) + w > (long long)pixels.size()) return 0;
    surface->SetSubData(x, y, w, h, pixels.data() + offset, pitch);
    return 0;
}
