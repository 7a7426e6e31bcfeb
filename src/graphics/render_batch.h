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

    // (Implementation fields are private to the render batch.)
};
