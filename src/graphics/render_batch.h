// The graphics driver: a batching renderer on the OpenGL 1.x fixed-function
// pipeline with client-side vertex arrays.
#pragma once

#include "host/bb_runtime.h"

class gxtkSurface;

class gxtkGraphics {
public:
    gxtkGraphics();
    virtual ~gxtkGraphics();

    virtual int Width();
    virtual int Height();
    virtual int BeginRender();
    virtual void EndRender();
    virtual void DiscardGraphics();
    virtual gxtkSurface* LoadSurface(const String& path);
    virtual gxtkSurface* CreateSurface(int width, int height);
    virtual bool LoadSurface__UNSAFE__(gxtkSurface* surface, const String& path);
    virtual int Cls(float r, float g, float b);
    virtual int SetAlpha(float alpha);
    virtual int SetColor(float r, float g, float b);
    virtual int SetBlend(int blend);
    virtual int SetScissor(int x, int y, int w, int h);
    virtual int SetMatrix(float ix, float iy, float jx, float jy, float tx, float ty);
    virtual int DrawPoint(float x, float y);
    virtual int DrawRect(float x, float y, float w, float h);
    virtual int DrawLine(float x0, float y0, float x1, float y1);
    virtual int DrawOval(float x, float y, float w, float h);
    virtual int DrawPoly(const Array<float>& verts);
    virtual int DrawPoly2(const Array<float>& verts, gxtkSurface* surface, int srcx, int srcy);
    virtual int DrawSurface(gxtkSurface* surface, float x, float y);
    virtual int DrawSurface2(gxtkSurface* surface, float x, float y, int srcx, int srcy, int srcw, int srch);
    virtual int ReadPixels(Array<int>& pixels, int x, int y, int w, int h, int offset, int pitch);
    virtual int WritePixels2(gxtkSurface* surface, const Array<int>& pixels, int x, int y, int w, int h, int offset,
                             int pitch);

    // Counters for tests and benchmarks: batches sent to OpenGL and the GL
    // draw calls they took (a batch of polygons takes one call per polygon).
    int FlushCount() const { return _flushes; }
    int DrawCallCount() const { return _drawCalls; }
    void ResetCounters() { _flushes = _drawCalls = 0; }

    enum { MAX_VERTICES = 1024, MAX_QUADS = MAX_VERTICES / 4 };

private:
    struct Vertex {
        float x, y, u, v;
        unsigned int color;  // bytes in memory: red, green, blue, alpha
    };

    Vertex* Reserve(int kind, int count, gxtkSurface* surface);
    void Flush();
    void UpdateColor();
    void Put(Vertex* out, float x, float y, float u, float v) const;

    int width = 0;
    int height = 0;
    unsigned int color = 0;
    float r = 0, g = 0, b = 0;
    float alpha = 0;
    float ix = 1, iy = 0, jx = 0, jy = 1, tx = 0, ty = 0;
    bool tformed = false;
    Vertex vertices[MAX_VERTICES];
    unsigned short quadIndices[MAX_QUADS * 6];
    int primType = 0;
    int primCount = 0;
    gxtkSurface* primSurf = nullptr;
    int _flushes = 0;
    int _drawCalls = 0;
};
