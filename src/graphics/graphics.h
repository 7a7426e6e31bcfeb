// The drawing interface the game uses: the graphics context with its matrix
// stack, colour, alpha, blend, scissor and font, and images cut into frames.
#pragma once

#include "host/bb_runtime.h"

class gxtkGraphics;
class gxtkSurface;

class c_Frame {
public:
    int m_x = 0;
    int m_y = 0;
};

class c_Image {
public:
    enum { CenterHandle = 1, PadX = 2, PadY = 4, FullSurface = 65536 };
    static int m_DefaultFlags;

    gxtkSurface* m_surface = nullptr;
    int m_width = 0;
    int m_height = 0;
    Array<c_Frame> m_frames;
    int m_flags = 0;
    float m_tx = 0;
    float m_ty = 0;
    c_Image* m_source = nullptr;

    c_Image* p_Init(gxtkSurface* surface, int frameCount, int flags);
    c_Image* p_Init2(gxtkSurface* surface, int x, int y, int frameWidth, int frameHeight, int frameCount, int flags,
                     c_Image* source, int srcx, int srcy, int srcw, int srch);
    void p_ApplyFlags(int flags);
    void p_SetHandle(float tx, float ty);
    int p_Width() const { return m_width; }
    int p_Height() const { return m_height; }
    int p_Frames() const { return (int)m_frames.size(); }
};

class c_GraphicsContext {
public:
    c_Image* m_defaultFont = nullptr;
    c_Image* m_font = nullptr;
    int m_firstChar = 0;
    int m_matrixSp = 0;
    float m_ix = 1, m_iy = 0, m_jx = 0, m_jy = 1, m_tx = 0, m_ty = 0;
    bool m_tformed = false;
    bool m_matDirty = false;
    float m_colorR = 0, m_colorG = 0, m_colorB = 0;
    float m_alpha = 0;
    int m_blend = 0;
    float m_scissorX = 0, m_scissorY = 0, m_scissorWidth = 0, m_scissorHeight = 0;
    Array<float> m_matrixStack;
};

extern c_GraphicsContext* bb_graphics_context;
extern gxtkGraphics* bb_graphics_device;
extern gxtkGraphics* bb_graphics_renderDevice;

void bb_graphics_Init();

int bb_graphics_SetGraphicsDevice(gxtkGraphics* device);
int bb_graphics_BeginRender();
int bb_graphics_EndRender();

int bb_graphics_SetColor(float r, float g, float b);
int bb_graphics_SetAlpha(float alpha);
int bb_graphics_SetBlend(int blend);
int bb_graphics_SetScissor(float x, float y, float w, float h);
int bb_graphics_SetFont(c_Image* font, int firstChar);

int bb_graphics_SetMatrix(float ix, float iy, float jx, float jy, float tx, float ty);
int bb_graphics_SetMatrix2(const Array<float>& m);
Array<float> bb_graphics_GetMatrix();
int bb_graphics_GetMatrix2(Array<float>& m);
int bb_graphics_Transform(float a, float b, float c, float d, float e, float f);
int bb_graphics_Transform2(const Array<float>& m);
int bb_graphics_Translate(float x, float y);
int bb_graphics_Scale(float x, float y);
int bb_graphics_Rotate(float degrees);
int bb_graphics_PushMatrix();
int bb_graphics_PopMatrix();

int bb_graphics_DrawRect(float x, float y, float w, float h);
int bb_graphics_DrawLine(float x0, float y0, float x1, float y1);
int bb_graphics_DrawOval(float x, float y, float w, float h);
int bb_graphics_DrawPoly(const Array<float>& verts);
int bb_graphics_DrawPoly2(const Array<float>& verts, c_Image* image, int frame);
int bb_graphics_DrawImage(c_Image* image, float x, float y, int frame);
int bb_graphics_DrawImage2(c_Image* image, float x, float y, float rotation, float scaleX, float scaleY, int frame);

c_Image* bb_graphics_LoadImage(const String& path, int frameCount, int flags);
c_Image* bb_graphics_LoadImage2(const String& path, int frameWidth, int frameHeight, int frameCount, int flags);
