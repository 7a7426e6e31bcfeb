// The drawing context: the state the game draws with, passed on to the
// graphics driver while a frame is being rendered, and images cut into frames.
#include "graphics/graphics.h"

#include <cmath>

#include "app/app.h"
#include "graphics/render_batch.h"
#include "graphics/surface.h"
#include "host/files.h"

c_GraphicsContext* bb_graphics_context = nullptr;
gxtkGraphics* bb_graphics_device = nullptr;
gxtkGraphics* bb_graphics_renderDevice = nullptr;
int c_Image::m_DefaultFlags = 0;

// Degrees to radians, in single precision.
static const float D2R = 0.0174532924f;

void bb_graphics_Init() {
    if (!bb_graphics_context) bb_graphics_context = new c_GraphicsContext();
    *bb_graphics_context = c_GraphicsContext();
    bb_graphics_context->m_matrixStack.assign(192, 0.0f);
    bb_graphics_device = nullptr;
    bb_graphics_renderDevice = nullptr;
    c_Image::m_DefaultFlags = 0;
}

int bb_graphics_SetGraphicsDevice(gxtkGraphics* device) {
    bb_graphics_device = device;
    return 0;
}

int bb_graphics_BeginRender() {
    c_GraphicsContext* ctx = bb_graphics_context;
    bb_graphics_renderDevice = bb_graphics_device;
    ctx->m_matrixSp = 0;
    bb_graphics_SetMatrix(1, 0, 0, 1, 0, 0);
    bb_graphics_SetColor(255, 255, 255);
    bb_graphics_SetAlpha(1);
    bb_graphics_SetBlend(0);
    bb_graphics_SetScissor(0, 0, (float)bb_app_DeviceWidth(), (float)bb_app_DeviceHeight());
    return 0;
}

int bb_graphics_EndRender() {
    bb_graphics_renderDevice = nullptr;
    return 0;
}

int bb_graphics_SetColor(float r, float g, float b) {
    c_GraphicsContext* ctx = bb_graphics_context;
    ctx->m_colorR = r;
    ctx->m_colorG = g;
    ctx->m_colorB = b;
    bb_graphics_renderDevice->SetColor(r, g, b);
    return 0;
}

int bb_graphics_SetAlpha(float alpha) {
    bb_graphics_context->m_alpha = alpha;
    bb_graphics_renderDevice->SetAlpha(alpha);
    return 0;
}

int bb_graphics_SetBlend(int blend) {
    bb_graphics_context->m_blend = blend;
    bb_graphics_renderDevice->SetBlend(blend);
    return 0;
}

int bb_graphics_SetScissor(float x, float y, float w, float h) {
    c_GraphicsContext* ctx = bb_graphics_context;
    ctx->m_scissorX = x;
    ctx->m_scissorY = y;
    ctx->m_scissorWidth = w;
    ctx->m_scissorHeight = h;
    bb_graphics_renderDevice->SetScissor((int)x, (int)y, (int)w, (int)h);
    return 0;
}

int bb_graphics_SetFont(c_Image* font, int firstChar) {
    c_GraphicsContext* ctx = bb_graphics_context;
    if (!font) {
        if (!ctx->m_defaultFont) ctx->m_defaultFont = bb_graphics_LoadImage(u"pexa_font.png", 96, c_Image::PadX);
        font = ctx->m_defaultFont;
        firstChar = 32;
    }
    ctx->m_font = font;
    ctx->m_firstChar = firstChar;
    return 0;
}

// Transform

// The current transform as six floats: ix, iy, jx, jy, tx, ty.
static void copyMatrix(const c_GraphicsContext* ctx, float* out) {
    out[0] = ctx->m_ix;
    out[1] = ctx->m_iy;
    out[2] = ctx->m_jx;
    out[3] = ctx->m_jy;
    out[4] = ctx->m_tx;
    out[5] = ctx->m_ty;
}

static void checkMatrixArray(const Array<float>& m) {
    if (m.size() < 6) bbError(u"Array index out of range");
}

int bb_graphics_SetMatrix(float ix, float iy, float jx, float jy, float tx, float ty) {
    c_GraphicsContext* ctx = bb_graphics_context;
    ctx->m_ix = ix;
    ctx->m_iy = iy;
    ctx->m_jx = jx;
    ctx->m_jy = jy;
    ctx->m_tx = tx;
    ctx->m_ty = ty;
    ctx->m_tformed = !(ix == 1 && iy == 0 && jx == 0 && jy == 1 && tx == 0 && ty == 0);
    ctx->m_matDirty = true;
    return 0;
}

int bb_graphics_SetMatrix2(const Array<float>& m) {
    checkMatrixArray(m);
    return bb_graphics_SetMatrix(m[0], m[1], m[2], m[3], m[4], m[5]);
}

Array<float> bb_graphics_GetMatrix() {
    Array<float> m(6);
    bb_graphics_GetMatrix2(m);
    return m;
}

int bb_graphics_GetMatrix2(Array<float>& m) {
    checkMatrixArray(m);
    copyMatrix(bb_graphics_context, m.data());
    return 0;
}

// The given matrix applies first, then the current one.
int bb_graphics_Transform(float a, float b, float c, float d, float e, float f) {
    const c_GraphicsContext* ctx = bb_graphics_context;
    float ix = ctx->m_ix, iy = ctx->m_iy, jx = ctx->m_jx, jy = ctx->m_jy;
    return bb_graphics_SetMatrix(a * ix + b * jx, a * iy + b * jy, c * ix + d * jx, c * iy + d * jy,
                                 e * ix + f * jx + ctx->m_tx, e * iy + f * jy + ctx->m_ty);
}

int bb_graphics_Transform2(const Array<float>& m) {
    checkMatrixArray(m);
    return bb_graphics_Transform(m[0], m[1], m[2], m[3], m[4], m[5]);
}

int bb_graphics_Translate(float x, float y) {
    return bb_graphics_Transform(1, 0, 0, 1, x, y);
}

int bb_graphics_Scale(float x, float y) {
    return bb_graphics_Transform(x, 0, 0, y, 0, 0);
}

int bb_graphics_Rotate(float degrees) {
    float r = degrees * D2R;
    float c = (float)std::cos((double)r);
    float s = (float)std::sin((double)r);
    return bb_graphics_Transform(c, -s, s, c, 0, 0);
}

int bb_graphics_PushMatrix() {
    c_GraphicsContext* ctx = bb_graphics_context;
    Array<float>& stack = ctx->m_matrixStack;
    if ((size_t)ctx->m_matrixSp + 6 > stack.size()) stack.resize(stack.size() < 6 ? 192 : stack.size() * 2);
    copyMatrix(ctx, stack.data() + ctx->m_matrixSp);
    ctx->m_matrixSp += 6;
    return 0;
}

int bb_graphics_PopMatrix() {
    c_GraphicsContext* ctx = bb_graphics_context;
    if (ctx->m_matrixSp < 6) bbError(u"Array index out of range");
    ctx->m_matrixSp -= 6;
    const float* top = ctx->m_matrixStack.data() + ctx->m_matrixSp;
    return bb_graphics_SetMatrix(top[0], top[1], top[2], top[3], top[4], top[5]);
}

// Drawing

// The driver hears of a transform change only right before something is drawn.
static void validateMatrix() {
    c_GraphicsContext* ctx = bb_graphics_context;
    if (!ctx->m_matDirty) return;
    bb_graphics_renderDevice->SetMatrix(ctx->m_ix, ctx->m_iy, ctx->m_jx, ctx->m_jy, ctx->m_tx, ctx->m_ty);
    ctx->m_matDirty = false;
}

static const c_Frame& frameOf(const c_Image* image, int frame) {
    if (frame < 0 || frame >= (int)image->m_frames.size()) bbError(u"Array index out of range");
    return image->m_frames[frame];
}

// Draws one frame with its top-left corner at (x, y) in the current transform.
static void drawFrame(const c_Image* image, float x, float y, const c_Frame& f) {
    if (image->m_flags & c_Image::FullSurface)
        bb_graphics_renderDevice->DrawSurface(image->m_surface, x, y);
    else
        bb_graphics_renderDevice->DrawSurface2(image->m_surface, x, y, f.m_x, f.m_y, image->m_width, image->m_height);
}

int bb_graphics_DrawRect(float x, float y, float w, float h) {
    validateMatrix();
    bb_graphics_renderDevice->DrawRect(x, y, w, h);
    return 0;
}

int bb_graphics_DrawLine(float x0, float y0, float x1, float y1) {
    validateMatrix();
    bb_graphics_renderDevice->DrawLine(x0, y0, x1, y1);
    return 0;
}

int bb_graphics_DrawOval(float x, float y, float w, float h) {
    validateMatrix();
    bb_graphics_renderDevice->DrawOval(x, y, w, h);
    return 0;
}

int bb_graphics_DrawPoly(const Array<float>& verts) {
    validateMatrix();
    bb_graphics_renderDevice->DrawPoly(verts);
    return 0;
}

// A missing image (a file that failed to load) draws nothing.
int bb_graphics_DrawPoly2(const Array<float>& verts, c_Image* image, int frame) {
    if (!image) return 0;
    const c_Frame& f = frameOf(image, frame);
    validateMatrix();
    bb_graphics_renderDevice->DrawPoly2(verts, image->m_surface, f.m_x, f.m_y);
    return 0;
}

int bb_graphics_DrawImage(c_Image* image, float x, float y, int frame) {
    if (!image) return 0;
    const c_Frame& f = frameOf(image, frame);
    validateMatrix();
    drawFrame(image, x - image->m_tx, y - image->m_ty, f);
    return 0;
}

int bb_graphics_DrawImage2(c_Image* image, float x, float y, float rotation, float scaleX, float scaleY, int frame) {
    if (!image) return 0;
    const c_Frame& f = frameOf(image, frame);
    bb_graphics_PushMatrix();
    bb_graphics_Translate(x, y);
    bb_graphics_Rotate(rotation);
    bb_graphics_Scale(scaleX, scaleY);
    bb_graphics_Translate(-image->m_tx, -image->m_ty);
    validateMatrix();
    drawFrame(image, 0, 0, f);
    bb_graphics_PopMatrix();
    return 0;
}

// Images

c_Image* bb_graphics_LoadImage(const String& path, int frameCount, int flags) {
    if (!bb_graphics_device) return nullptr;
    gxtkSurface* surface = bb_graphics_device->LoadSurface(bb_data_FixDataPath(path));
    if (!surface) return nullptr;
    return (new c_Image())->p_Init(surface, frameCount, flags);
}

c_Image* bb_graphics_LoadImage2(const String& path, int frameWidth, int frameHeight, int frameCount, int flags) {
    if (!bb_graphics_device) return nullptr;
    gxtkSurface* surface = bb_graphics_device->LoadSurface(bb_data_FixDataPath(path));
    if (!surface) return nullptr;
    return (new c_Image())->p_Init2(surface, 0, 0, frameWidth, frameHeight, frameCount, flags, nullptr, 0, 0,
                                   surface->Width(), surface->Height());
}

c_Image* c_Image::p_Init(gxtkSurface* surface, int frameCount, int flags) {
    if (m_surface) bbError(u"Image already initialized");
    if (frameCount < 1) bbError(u"Image frame outside surface");
    m_surface = surface;
    m_width = surface->Width() / frameCount;
    m_height = surface->Height();
    m_frames.assign(frameCount, c_Frame());
    for (int i = 0; i < frameCount; ++i) m_frames[i].m_x = i * m_width;
    p_ApplyFlags(flags);
    return this;
}

c_Image* c_Image::p_Init2(gxtkSurface* surface, int x, int y, int frameWidth, int frameHeight, int frameCount,
                          int flags, c_Image* source, int srcx, int srcy, int srcw, int srch) {
    if (m_surface) bbError(u"Image already initialized");
    m_surface = surface;
    m_source = source;
    m_width = frameWidth;
    m_height = frameHeight;
    m_frames.assign(frameCount > 0 ? frameCount : 0, c_Frame());
    for (c_Frame& f : m_frames) {
        if (x + frameWidth > srcw) {
            if (frameWidth > srcw) bbError(u"Image frame outside surface");
            x = 0;
            y += frameHeight;
        }
        if (y + frameHeight > srch) bbError(u"Image frame outside surface");
        f.m_x = srcx + x;
        f.m_y = srcy + y;
        x += frameWidth;
    }
    p_ApplyFlags(flags);
    return this;
}

void c_Image::p_ApplyFlags(int flags) {
    m_flags = flags;
    if (m_flags & PadX) {
        for (c_Frame& f : m_frames) f.m_x += 1;
        m_width -= 2;
    }
    if (m_flags & PadY) {
        for (c_Frame& f : m_frames) f.m_y += 1;
        m_height -= 2;
    }
    if (m_flags & CenterHandle) {
        m_tx = (float)m_width * 0.5f;
        m_ty = (float)m_height * 0.5f;
        m_flags &= ~CenterHandle;
    }
    if (m_frames.size() == 1 && m_frames[0].m_x == 0 && m_frames[0].m_y == 0 && m_width == m_surface->Width() &&
        m_height == m_surface->Height())
        m_flags |= FullSurface;
}

void c_Image::p_SetHandle(float tx, float ty) {
    m_tx = tx;
    m_ty = ty;
    m_flags &= ~CenterHandle;
}
