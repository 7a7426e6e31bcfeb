// The shell's drawing model: the virtual screen fitted to the window, the
// drawing style, the draw-record queue filled during the update and replayed
// by the render, the image table, the camera scroll and the frame statistics.
#pragma once

#include "host/bb_runtime.h"

class c_Image;

// A draw record is 20 floats: 0-8 a copy of the record style, 9 the command
// code, 10-16 its operands, 17-19 unused.
enum { ZUMP_RECORD = 20 };
// The queue holds 7500 records, but helpers stop writing once more than 5000
// are queued, and the render draws at most 4999.
enum { ZUMP_QUEUE_FLOATS = 150000, ZUMP_QUEUE_LIMIT = 5000, ZUMP_DRAW_LIMIT = 4999 };
enum { ZUMP_IMAGE_SLOTS = 150 };

// Virtual screen.
extern int bb_zump_RealW, bb_zump_RealH;
extern int bb_zump_ZUMP_TargetSize;
extern float bb_zump_ZUMP_Scale;
extern int bb_zump_jscrw, bb_zump_jscrh;
extern int bb_zump_ZUMP_Orientation;
extern int bb_zump_ZUMP_Fullscreen;
extern int bb_zump_ZUMP_DebugMode;
extern int bb_zump_ZUMP_ScreenshotMode;

// Camera scroll: the game sets aim, the render eases scr towards it.
extern float bb_zump_scrx, bb_zump_scry;
extern float bb_zump_aimx, bb_zump_aimy;
extern float bb_zump_ZUMP_ScrollSpeedX, bb_zump_ZUMP_ScrollSpeedY;
extern float bb_zump_ZUMP_ScrollX, bb_zump_ZUMP_ScrollY;

// Style slots: 0 alpha, 1-3 colour, 4-5 scale, 6 rotation, 7-8 reserved;
// 11-13 background colour, 14 background alpha, 15-17 background target.
extern float bb_zump_ZUMP_DrawStyle[50];

extern float bb_zump_ZUMP_Draw[ZUMP_QUEUE_FLOATS];
extern int bb_zump_Sprtup;
extern float bb_zump_ZUMP_Buffer[ZUMP_QUEUE_FLOATS];
extern int bb_zump_Bufferup;

extern c_Image* bb_zump_ZUMP_Img[ZUMP_IMAGE_SLOTS];
extern float bb_zump_ZUMP_ImgW[ZUMP_IMAGE_SLOTS];
extern int bb_zump_ZUMP_ImgD[ZUMP_IMAGE_SLOTS];

// Frame statistics: 1 updates and 2 renders in the last second, 3 records
// drawn by the last render, 6 and 7 window start times, 8 and 9 the counts of
// the current window.
extern float bb_zump_ZUMP_Data[50];

void bb_zump_screen_Init();

// Style setters.
void bb_zump_SetCol(float r, float g, float b, float a = -100);
void bb_zump_Alpha(float a);
void bb_zump_SetSize(float sx, float sy = -37171);
void bb_zump_SetRot(float degrees);
void bb_zump_Ink(int colour, float brightness);
void bb_zump_InkRot(float hue, float saturation, float brightness);
void bb_zump_BGRot(float hue, float saturation, float brightness);
void bb_zump_SetCLSCol(int r, int g, int b, float a);
void bb_zump_ResetDraw();

// Queuing helpers.
void bb_zump_Rect(float x, float y, float w, float h, float hx = 0, float hy = 0);
void bb_zump_Oval(float x, float y, float w, float h, float hx = 0, float hy = 0);
void bb_zump_Line(float x1, float y1, float x2, float y2);
void bb_zump_Triangle(float x1, float y1, float x2, float y2, float x3, float y3);
void bb_zump_DrawImg(int slot, float x, float y, int frame);

// Loads "common/<name>.png" for slots above 69, else "<game number>/<name>.png".
void bb_zump_LoadImg(int slot, const String& name, int frameW, int frameH, int frames);
// The image path of a slot, shared with the font loader.
String bb_zump_ImagePath(int slot, const String& name);

float bb_zump_Dist(float x1, float y1, float x2, float y2);

// Frame entry points.
void bb_zump_UpdateWorld();
void bb_zump_Buffer();
void bb_zump_RenderWorld();
void bb_zump_SetScrollSpeed(float sx = -3717, float sy = -3717);
void bb_zump_FullscreenFlip();
// The fitting step of the render: scale and virtual size for a window of
// w x h pixels, worked out in extended precision.
void bb_zump_FitScreen(int w, int h);
