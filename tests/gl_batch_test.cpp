// The batching renderer and surfaces on a real OpenGL context, read back with ReadPixels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "gl_window.h"
#include "graphics/render_batch.h"
#include "graphics/surface.h"

namespace {

const int W = 320, H = 240;

class Batch : public ::testing::Test {
protected:
    static void SetUpTestSuite() { window = OpenTestWindow(W, H); }
    static void TearDownTestSuite() {
        if (window) glfwDestroyWindow(window);
        window = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(window, nullptr) << "no window: run under Xvfb";
        gfx = new gxtkGraphics();
        BeginFrame();
    }
    void TearDown() override { delete gfx; }

    // What the drawing context does at every frame start.
    void BeginFrame() {
        gfx->BeginRender();
        gfx->SetMatrix(1, 0, 0, 1, 0, 0);
        gfx->SetColor(255, 255, 255);
        gfx->SetAlpha(1);
        gfx->SetBlend(0);
        gfx->SetScissor(0, 0, gfx->Width(), gfx->Height());
        gfx->Cls(0, 0, 0);
        gfx->ResetCounters();
    }

    unsigned Pixel(int x, int y) {
        Array<int> px(1);
        gfx->ReadPixels(px, x, y, 1, 1, 0, 1);
        return (unsigned)px[0];
    }

    // A w x h RGBA surface filled from 0xAARRGGBB values.
    gxtkSurface* MakeSurface(int w, int h, const Array<int>& argb) {
        gxtkSurface* s = gfx->CreateSurface(w, h);
        gfx->WritePixels2(s, argb, 0, 0, w, h, 0, w);
        return s;
    }

    static GLFWwindow* window;
    gxtkGraphics* gfx = nullptr;
};

GLFWwindow* Batch::window = nullptr;

}  // namespace

TEST_F(Batch, FlushesOnlyWhenKindTextureOrRoomChange) {
    // 300 rectangles: the 257th finds the 1024 vertices used up.
    for (int i = 0; i < 300; ++i) gfx->DrawRect((float)i, 0, 1, 1);
    EXPECT_EQ(gfx->FlushCount(), 1);
    gfx->EndRender();
    EXPECT_EQ(gfx->FlushCount(), 2);
    EXPECT_EQ(gfx->DrawCallCount(), 2);

    BeginFrame();
    gfx->DrawRect(0, 0, 1, 1);
    gfx->DrawLine(0, 0, 5, 5);
    gfx->DrawRect(0, 0, 1, 1);
    EXPECT_EQ(gfx->FlushCount(), 2);
    gfx->EndRender();
    EXPECT_EQ(gfx->FlushCount(), 3);

    // Colour, alpha and transform go into the vertices and never flush.
    BeginFrame();
    gfx->DrawRect(0, 0, 1, 1);
    gfx->SetColor(10, 20, 30);
    gfx->SetAlpha(0.5f);
    gfx->SetMatrix(2, 0, 0, 2, 5, 5);
    gfx->DrawRect(0, 0, 1, 1);
    EXPECT_EQ(gfx->FlushCount(), 0);
    gfx->SetBlend(1);
    EXPECT_EQ(gfx->FlushCount(), 1);
    gfx->SetBlend(0);
    EXPECT_EQ(gfx->FlushCount(), 1) << "nothing batched, nothing to flush";
    gfx->EndRender();
}

TEST_F(Batch, OvalsShareABatchOnlyWithTheirVertexCount) {
    // Untransformed 20 x 20 ovals estimate 20 segments, 40 x 40 ones 40.
    gfx->DrawOval(0, 0, 20, 20);
    gfx->DrawOval(30, 0, 20, 20);
    EXPECT_EQ(gfx->FlushCount(), 0);
    gfx->DrawOval(60, 0, 40, 40);
    EXPECT_EQ(gfx->FlushCount(), 1);
    EXPECT_EQ(gfx->DrawCallCount(), 2) << "one fan per polygon";
    gfx->EndRender();
    EXPECT_EQ(gfx->DrawCallCount(), 3);

    // The estimate follows the transformed radii: scaled by 2, a 20 x 20 oval has 40.
    BeginFrame();
    gfx->DrawOval(60, 0, 40, 40);
    gfx->SetMatrix(2, 0, 0, 2, 0, 0);
    gfx->DrawOval(0, 0, 20, 20);
    gfx->EndRender();
    EXPECT_EQ(gfx->FlushCount(), 1);

    // Tiny and degenerate ovals still get 12 vertices and batch with each other.
    BeginFrame();
    gfx->DrawOval(5, 5, 0, 0);
    gfx->DrawOval(5, 5, 3, 3);
    gfx->DrawPoly(Array<float>(24, 1.0f));
    gfx->EndRender();
    EXPECT_EQ(gfx->FlushCount(), 1);
    EXPECT_EQ(gfx->DrawCallCount(), 3);
}

TEST_F(Batch, PolygonsAreDrawnByTheirVertexCount) {
    gfx->SetColor(0, 255, 0);
    gfx->DrawPoly({10, 10, 30, 10, 10, 30});  // one triangle
    gfx->DrawPoly(Array<float>(2 * 1025, 5.0f));  // too many points: nothing
    gfx->DrawPoly({});
    gfx->EndRender();
    EXPECT_EQ(gfx->FlushCount(), 1);
    EXPECT_EQ(Pixel(12, 12), 0xFF00FF00u);
    EXPECT_EQ(Pixel(28, 28), 0xFF000000u);
}

TEST_F(Batch, ColoursArePremultipliedAndBlended) {
    struct Case {
        const char* name;
        float bg[3];
        float rgb[3];
        float alpha;
        int blend;
        unsigned expect;
    } cases[] = {
        {"opaque", {0, 0, 0}, {255, 0, 0}, 1.0f, 0, 0xFFFF0000u},
        {"white at half alpha over black", {0, 0, 0}, {255, 255, 255}, 0.5f, 0, 0xFF7F7F7Fu},
        {"alpha blend over blue", {0, 0, 255}, {255, 0, 0}, 0.5f, 0, 0xFF7F0080u},
        {"additive over blue", {0, 0, 255}, {255, 0, 0}, 0.5f, 1, 0xFF7F00FFu},
        {"invisible", {0, 0, 255}, {255, 255, 255}, 0.0f, 0, 0xFF0000FFu},
    };
    for (const Case& c : cases) {
        BeginFrame();
        gfx->Cls(c.bg[0], c.bg[1], c.bg[2]);
        gfx->SetBlend(c.blend);
        gfx->SetColor(c.rgb[0], c.rgb[1], c.rgb[2]);
        gfx->SetAlpha(c.alpha);
        gfx->DrawRect(10, 10, 20, 20);
        EXPECT_EQ(Pixel(15, 15), c.expect) << c.name;
        EXPECT_EQ(Pixel(40, 40), Pixel(0, 0)) << c.name;
        gfx->EndRender();
    }
}

TEST_F(Batch, OnlyPointsAndLinesMoveHalfAPixel) {
    // Coordinates just short of a pixel centre tell a shifted vertex from one
    // left in place.
    gfx->SetColor(255, 255, 255);
    gfx->DrawRect(10.2f, 10.2f, 0.4f, 0.4f);
    gfx->DrawLine(40, 49.6f, 60, 49.6f);
    gfx->DrawPoint(5, 6.6f);
    gfx->EndRender();
    const unsigned white = 0xFFFFFFFFu, black = 0xFF000000u;
    struct Case {
        const char* what;
        int x, y;
        unsigned expect;
    } cases[] = {
        {"rectangle", 10, 10, white}, {"rectangle", 11, 11, black}, {"line", 50, 50, white},
        {"line", 50, 49, black},      {"point", 5, 7, white},       {"point", 5, 6, black},
    };
    for (const Case& c : cases) EXPECT_EQ(Pixel(c.x, c.y), c.expect) << c.what << " " << c.x << "," << c.y;
}

TEST_F(Batch, ScissorCountsRowsFromTheTop) {
    gfx->SetScissor(10, 20, 30, 40);
    gfx->Cls(255, 0, 0);
    gfx->SetScissor(0, 0, W, H);
    const unsigned red = 0xFFFF0000u, black = 0xFF000000u;
    struct Case {
        int x, y;
        unsigned expect;
    } cases[] = {{10, 20, red}, {39, 59, red}, {9, 20, black}, {10, 19, black}, {40, 59, black}, {39, 60, black}};
    for (const Case& c : cases) EXPECT_EQ(Pixel(c.x, c.y), c.expect) << c.x << "," << c.y;

    // The full window turns scissoring off again.
    gfx->Cls(0, 255, 0);
    EXPECT_EQ(Pixel(0, 0), 0xFF00FF00u);
    EXPECT_EQ(Pixel(W - 1, H - 1), 0xFF00FF00u);
}

TEST_F(Batch, ClsDropsWhatIsBatched) {
    gfx->SetScissor(0, 0, 10, 10);
    gfx->SetColor(255, 0, 0);
    gfx->DrawRect(0, 0, W, H);
    gfx->Cls(0, 0, 255);
    gfx->EndRender();
    EXPECT_EQ(gfx->FlushCount(), 0);
    EXPECT_EQ(Pixel(5, 5), 0xFF0000FFu);
    gfx->SetScissor(0, 0, W, H);
}

TEST_F(Batch, ReadPixelsFillsRowsTopDownAtOffsetAndPitch) {
    gfx->SetColor(255, 0, 0);
    gfx->DrawRect(0, 0, 3, 1);
    gfx->SetColor(0, 255, 0);
    gfx->DrawRect(0, 1, 3, 1);
    Array<int> px(3 + 2 * 5, 7);
    gfx->ReadPixels(px, 0, 0, 3, 2, 3, 5);
    EXPECT_EQ(gfx->FlushCount(), 1) << "reading flushes first";
    Array<int> expect = {7, 7, 7, (int)0xFFFF0000u, (int)0xFFFF0000u, (int)0xFFFF0000u, 7, 7,
                         (int)0xFF00FF00u, (int)0xFF00FF00u, (int)0xFF00FF00u, 7, 7};
    EXPECT_EQ(px, expect);

    // A block that does not fit the array is refused, not written past its end.
    Array<int> small(4, 7);
    gfx->ReadPixels(small, 0, 0, 3, 2, 0, 3);
    EXPECT_EQ(small, Array<int>(4, 7));
}

TEST_F(Batch, SurfacesDrawTheirPremultipliedPixels) {
    // Top row opaque red and half-transparent orange, bottom row green and blue.
    Array<int> argb = {(int)0xFFFF0000u, (int)0x80FF8000u, (int)0xFF00FF00u, (int)0xFF0000FFu};
    gxtkSurface* s = MakeSurface(2, 2, argb);
    EXPECT_EQ(std::memcmp(s->data + 4, "\x80\x40\x00\x80", 4), 0);
    EXPECT_FLOAT_EQ(s->uscale, 1.0f / 2);

    gfx->DrawSurface(s, 10, 10);
    gfx->DrawSurface2(s, 20, 10, 1, 1, 1, 1);  // the blue texel alone
    gfx->EndRender();
    EXPECT_EQ(gfx->FlushCount(), 1) << "one surface, one batch";
    EXPECT_EQ(Pixel(10, 10), 0xFFFF0000u);
    EXPECT_EQ(Pixel(11, 10), 0xFF804000u);
    EXPECT_EQ(Pixel(10, 11), 0xFF00FF00u);
    EXPECT_EQ(Pixel(11, 11), 0xFF0000FFu);
    EXPECT_EQ(Pixel(20, 10), 0xFF0000FFu);
    EXPECT_EQ(Pixel(21, 10), 0xFF000000u);

    // A block narrower than the surface goes up row by row.
    BeginFrame();
    gfx->WritePixels2(s, {(int)0xFFFFFFFFu, (int)0xFFFFFF00u}, 1, 0, 1, 2, 0, 1);
    gfx->DrawSurface(s, 10, 10);
    gfx->EndRender();
    EXPECT_EQ(Pixel(10, 10), 0xFFFF0000u);
    EXPECT_EQ(Pixel(11, 10), 0xFFFFFFFFu);
    EXPECT_EQ(Pixel(11, 11), 0xFFFFFF00u);
    delete s;
}

TEST_F(Batch, TexturedPolygonsUseFramePixelOffsets) {
    Array<int> argb(16, (int)0xFF000000u);
    argb[2 * 4 + 3] = (int)0xFFFFFFFFu;  // one white texel at (3, 2)
    gxtkSurface* s = MakeSurface(4, 4, argb);
    // A 10 x 10 quad showing only the texel at (2, 1) + (1, 1).
    gfx->DrawPoly2({50, 50, 1, 1, 60, 50, 2, 1, 60, 60, 2, 2, 50, 60, 1, 2}, s, 2, 1);
    gfx->EndRender();
    EXPECT_EQ(Pixel(55, 55), 0xFFFFFFFFu);
    EXPECT_EQ(Pixel(61, 55), 0xFF000000u);
    delete s;
}

TEST_F(Batch, WritePixelsTouchesOnlyRgbaSurfaces) {
    for (int depth : {1, 2, 3}) {
        gxtkSurface s;
        unsigned char* px = (unsigned char*)std::malloc(2 * 2 * depth);
        for (int i = 0; i < 2 * 2 * depth; ++i) px[i] = (unsigned char)(40 + i);
        s.SetData(px, 2, 2, depth);
        std::string before((const char*)s.data, 2 * 2 * depth);
        gfx->WritePixels2(&s, Array<int>(4, -1), 0, 0, 2, 2, 0, 2);
        EXPECT_EQ(std::string((const char*)s.data, 2 * 2 * depth), before) << "depth " << depth;
    }
    // Rectangles outside an RGBA surface are refused too.
    gxtkSurface* s = gfx->CreateSurface(2, 2);
    gfx->WritePixels2(s, Array<int>(9, -1), 1, 1, 2, 2, 0, 2);
    EXPECT_EQ(s->data, nullptr);
    delete s;
}

TEST_F(Batch, LoadedPixelsArePremultiplied) {
    struct Case {
        int depth;
        std::string in, out;
    } cases[] = {
        {4, std::string("\xFF\x80\x00\x80", 4), std::string("\x80\x40\x00\x80", 4)},
        {2, std::string("\xC8\x80", 2), std::string("\x64\x80", 2)},
        {3, std::string("\xFF\x80\x00", 3), std::string("\xFF\x80\x00", 3)},
        {1, std::string("\x80", 1), std::string("\x80", 1)},
    };
    for (const Case& c : cases) {
        gxtkSurface s;
        unsigned char* px = (unsigned char*)std::malloc(c.in.size());
        std::memcpy(px, c.in.data(), c.in.size());
        s.SetData(px, 1, 1, c.depth);
        EXPECT_EQ(std::string((const char*)s.data, c.out.size()), c.out) << "depth " << c.depth;
    }
}

TEST_F(Batch, SurfacesComeBackAfterTheWindowIsReplaced) {
    // Made before the window, as images loaded at start-up may be.
    gxtkSurface* s = new gxtkSurface();
    unsigned char* px = (unsigned char*)std::malloc(100 * 50 * 4);
    for (int i = 0; i < 100 * 50; ++i) std::memcpy(px + i * 4, i % 2 ? "\x00\xFF\x00\xFF" : "\xFF\x00\xFF\xFF", 4);
    s->SetData(px, 100, 50, 4);
    EXPECT_EQ(s->seq, -1);

    Array<int> first(100 * 50), second(100 * 50);
    gfx->DrawSurface(s, 7, 9);
    gfx->ReadPixels(first, 7, 9, 100, 50, 0, 100);
    gfx->EndRender();
    EXPECT_EQ(s->seq, _glfwGraphicsSeq);
    EXPECT_FLOAT_EQ(s->uscale, 1.0f / 100);
    EXPECT_FLOAT_EQ(s->vscale, 1.0f / 50);
    EXPECT_EQ((unsigned)first[0], 0xFFFF00FFu);
    EXPECT_EQ((unsigned)first[1], 0xFF00FF00u);

    delete gfx;
    window = ReopenTestWindow(window, W, H);
    ASSERT_NE(window, nullptr);
    gfx = new gxtkGraphics();
    BeginFrame();
    EXPECT_NE(s->seq, _glfwGraphicsSeq);
    gfx->DrawSurface(s, 7, 9);
    gfx->ReadPixels(second, 7, 9, 100, 50, 0, 100);
    gfx->EndRender();
    EXPECT_EQ(s->seq, _glfwGraphicsSeq);
    EXPECT_EQ(first, second);
    delete s;
}

TEST_F(Batch, DiscardFreesTheTextureAndThePixels) {
    gxtkSurface* s = MakeSurface(2, 2, Array<int>(4, -1));
    GLuint name = s->texture;
    ASSERT_EQ(glIsTexture(name), GL_TRUE);
    ASSERT_NE(s->data, nullptr);
    s->Discard();
    EXPECT_EQ(glIsTexture(name), GL_FALSE);
    EXPECT_EQ(s->data, nullptr);
    EXPECT_EQ(s->seq, -1);
    delete s;
}
