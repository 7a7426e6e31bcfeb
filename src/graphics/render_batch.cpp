// The batching renderer: every primitive becomes vertices in one buffer that
// goes to OpenGL only when the kind of primitive or the texture changes, the
// buffer is full, blend or scissor change, pixels are read, or the frame ends.
#include "graphics/render_batch.h"

#include <GLFW/glfw3.h>

#include <cmath>

#include "graphics/surface.h"
#include "host/glfwgame.h"

gxtkGraphics::gxtkGraphics() {
    if (GLFWwindow* window = glfwGetCurrentContext()) glfwGetWindowSize(window, &width, &height);
    for (int q = 0; q < MAX_QUADS; ++q) {
        unsigned short* idx = quadIndices + q * 6;
        unsigned short first = (unsigned short)(q * 4);
        idx[0] = first;
        idx[1] = (unsigned short)(first + 1);
        idx[2] = (unsigned short)(first + 2);
        idx[3] = first;
        idx[4] = (unsigned short)(first + 2);
        idx[5] = (unsigned short)(first + 3);
    }
}

gxtkGraphics::~gxtkGraphics() {}

int gxtkGraphics::Width() { return width; }
int gxtkGraphics::Height() { return height; }

int gxtkGraphics::BeginRender() {
    if (GLFWwindow* window = glfwGetCurrentContext()) glfwGetWindowSize(window, &width, &height);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, sizeof(Vertex), &vertices[0].x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), &vertices[0].u);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Vertex), &vertices[0].color);

    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_TEXTURE_2D);
    primCount = 0;
    return 1;
}

void gxtkGraphics::EndRender() {
    if (primCount > 0) Flush();
}

void gxtkGraphics::DiscardGraphics() {}

gxtkGraphics::Vertex* gxtkGraphics::Reserve(int kind, int count, gxtkSurface* surface) {
    if (kind != primType || surface != primSurf || primCount + count > MAX_VERTICES) {
        if (primCount > 0) Flush();
        primType = kind;
        primSurf = surface;
    }
    Vertex* out = vertices + primCount;
    primCount += count;
    return out;
}

void gxtkGraphics::Flush() {
    if (primCount == 0) return;
    if (primSurf) {
        glEnable(GL_TEXTURE_2D);
        primSurf->Bind();
    }
    switch (primType) {
    case 1:
        glDrawArrays(GL_POINTS, 0, primCount);
        ++_drawCalls;
        break;
    case 2:
        glDrawArrays(GL_LINES, 0, primCount);
        ++_drawCalls;
        break;
    case 3:
        glDrawArrays(GL_TRIANGLES, 0, primCount);
        ++_drawCalls;
        break;
    case 4:
        glDrawElements(GL_TRIANGLES, primCount / 4 * 6, GL_UNSIGNED_SHORT, quadIndices);
        ++_drawCalls;
        break;
    default:
        for (int first = 0; first < primCount; first += primType) {
            glDrawArrays(GL_TRIANGLE_FAN, first, primType);
            ++_drawCalls;
        }
        break;
    }
    if (primSurf) glDisable(GL_TEXTURE_2D);
    primCount = 0;
    ++_flushes;
}

void gxtkGraphics::UpdateColor() {
    // Premultiplied by alpha, which the blend functions assume.
    unsigned red = (unsigned)(int)(r * alpha) & 0xff;
    unsigned green = (unsigned)(int)(g * alpha) & 0xff;
    unsigned blue = (unsigned)(int)(b * alpha) & 0xff;
    unsigned a = (unsigned)(int)(alpha * 255.0f) & 0xff;
    color = a << 24 | blue << 16 | green << 8 | red;
}

void gxtkGraphics::Put(Vertex* out, float x, float y, float u, float v) const {
    if (tformed) {
        out->x = x * ix + y * jx + tx;
        out->y = x * iy + y * jy + ty;
    } else {
        out->x = x;
        out->y = y;
    }
    out->u = u;
    out->v = v;
    out->color = color;
}

int gxtkGraphics::Cls(float r, float g, float b) {
    // Whatever is batched is dropped, not drawn.
    primCount = 0;
    glClearColor(r / 255.0f, g / 255.0f, b / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    return 0;
}

int gxtkGraphics::SetAlpha(float alpha) {
    this->alpha = alpha;
    UpdateColor();
    return 0;
}

int gxtkGraphics::SetColor(float r, float g, float b) {
    this->r = r;
    this->g = g;
    this->b = b;
    UpdateColor();
    return 0;
}

int gxtkGraphics::SetBlend(int blend) {
    if (primCount > 0) Flush();
    if (blend == 1)
        glBlendFunc(GL_ONE, GL_ONE);
    else
        glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    return 0;
}

int gxtkGraphics::SetScissor(int x, int y, int w, int h) {
    if (primCount > 0) Flush();
    if (x == 0 && y == 0 && w == Width() && h == Height()) {
        glDisable(GL_SCISSOR_TEST);
    } else {
        // OpenGL counts window rows from the bottom.
        if (w < 0) w = 0;
        if (h < 0) h = 0;
        glEnable(GL_SCISSOR_TEST);
        glScissor(x, Height() - y - h, w, h);
    }
    return 0;
}

int gxtkGraphics::SetMatrix(float ix, float iy, float jx, float jy, float tx, float ty) {
    this->ix = ix;
    this->iy = iy;
    this->jx = jx;
    this->jy = jy;
    this->tx = tx;
    this->ty = ty;
    tformed = !(ix == 1 && iy == 0 && jx == 0 && jy == 1 && tx == 0 && ty == 0);
    return 0;
}

// Points and lines land on pixel centres; filled shapes do not need it.
int gxtkGraphics::DrawPoint(float x, float y) {
    Vertex* out = Reserve(1, 1, nullptr);
    Put(out, x, y, 0, 0);
    out->x += 0.5f;
    out->y += 0.5f;
    return 0;
}

int gxtkGraphics::DrawRect(float x, float y, float w, float h) {
    Vertex* out = Reserve(4, 4, nullptr);
    Put(out + 0, x, y, 0, 0);
    Put(out + 1, x + w, y, 0, 0);
    Put(out + 2, x + w, y + h, 0, 0);
    Put(out + 3, x, y + h, 0, 0);
    return 0;
}

int gxtkGraphics::DrawLine(float x0, float y0, float x1, float y1) {
    Vertex* out = Reserve(2, 2, nullptr);
    Put(out + 0, x0, y0, 0, 0);
    Put(out + 1, x1, y1, 0, 0);
    for (int i = 0; i < 2; ++i) {
        out[i].x += 0.5f;
        out[i].y += 0.5f;
    }
    return 0;
}

int gxtkGraphics::DrawOval(float x, float y, float w, float h) {
    float xr = w / 2, yr = h / 2;
    float cx = x + xr, cy = y + yr;
    // As many segments as the transformed radii are long, at least 12.
    float estimate = tformed ? std::sqrt((xr * ix) * (xr * ix) + (xr * iy) * (xr * iy)) +
                                   std::sqrt((yr * jx) * (yr * jx) + (yr * jy) * (yr * jy))
                             : std::fabs(xr) + std::fabs(yr);
    int n;
    if (estimate > (float)MAX_VERTICES)
        n = MAX_VERTICES;
    else if (!(estimate >= 12.0f))  // also catches NaN
        n = 12;
    else
        n = (int)estimate & ~3;
    Vertex* out = Reserve(n, n, nullptr);
    for (int i = 0; i < n; ++i) {
        float angle = (float)i * 6.2831855f / (float)n;
        Put(out + i, cx + std::cos(angle) * xr, cy - std::sin(angle) * yr, 0, 0);
    }
    return 0;
}

int gxtkGraphics::DrawPoly(const Array<float>& verts) {
    int n = (int)(verts.size() / 2);
    if (n == 0 || n > MAX_VERTICES) return 0;
    Vertex* out = Reserve(n, n, nullptr);
    for (int i = 0; i < n; ++i) Put(out + i, verts[i * 2], verts[i * 2 + 1], 0, 0);
    return 0;
}

int gxtkGraphics::DrawPoly2(const Array<float>& verts, gxtkSurface* surface, int srcx, int srcy) {
    int n = (int)(verts.size() / 4);
    if (n < 1 || n > MAX_VERTICES) return 0;
    // The scales are known once the texture exists (a surface loaded before
    // the window, or one from an older window, gets it here).
    if (surface->seq != _glfwGraphicsSeq) surface->Bind();
    Vertex* out = Reserve(n, n, surface);
    for (int i = 0; i < n; ++i) {
        const float* p = &verts[i * 4];
        Put(out + i, p[0], p[1], ((float)srcx + p[2]) * surface->uscale, ((float)srcy + p[3]) * surface->vscale);
    }
    return 0;
}

int gxtkGraphics::DrawSurface(gxtkSurface* surface, float x, float y) {
    if (surface->seq != _glfwGraphicsSeq) surface->Bind();
    float w = (float)surface->Width(), h = (float)surface->Height();
    float u = w * surface->uscale, v = h * surface->vscale;
    Vertex* out = Reserve(4, 4, surface);
    Put(out + 0, x, y, 0, 0);
    Put(out + 1, x + w, y, u, 0);
    Put(out + 2, x + w, y + h, u, v);
    Put(out + 3, x, y + h, 0, v);
    return 0;
}

int gxtkGraphics::DrawSurface2(gxtkSurface* surface, float x, float y, int srcx, int srcy, int srcw, int srch) {
    if (surface->seq != _glfwGraphicsSeq) surface->Bind();
    float w = (float)srcw, h = (float)srch;
    float u0 = (float)srcx * surface->uscale, v0 = (float)srcy * surface->vscale;
    float u1 = (float)(srcx + srcw) * surface->uscale, v1 = (float)(srcy + srch) * surface->vscale;
    Vertex* out = Reserve(4, 4, surface);
    Put(out + 0, x, y, u0, v0);
    Put(out + 1, x + w, y, u1, v0);
    Put(out + 2, x + w, y + h, u1, v1);
    Put(out + 3, x, y + h, u0, v1);
    return 0;
}

int gxtkGraphics::ReadPixels(Array<int>& pixels, int x, int y, int w, int h, int offset, int pitch) {
    if (primCount > 0) Flush();
    if (w <= 0 || h <= 0) return 0;
    // Every destination row must lie inside the array.
    long long first = offset, last = (long long)offset + (long long)(h - 1) * pitch;
    if (first < 0 || last < 0 || (first > last ? first : last) + w > (long long)pixels.size()) return 0;
    Array<int> block((size_t)w * h);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(x, height - y - h, w, h, GL_BGRA, GL_UNSIGNED_BYTE, block.data());
    // OpenGL gives rows bottom-up; the caller wants them top-down.
    for (int i = 0; i < h; ++i) {
        const int* src = block.data() + (size_t)(h - 1 - i) * w;
        int* dst = pixels.data() + offset + (long long)i * pitch;
        for (int j = 0; j < w; ++j) dst[j] = src[j];
    }
    return 0;
}
