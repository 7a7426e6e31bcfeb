// Bitmap text: one font image of 128 cells drawn as ordinary image records,
// with alignment, a per-glyph wave, "\n" line breaks and "¬" button icons.
#pragma once

#include "host/bb_runtime.h"

extern int bb_zump_ZUMP_Font;           // image slot of the font; 0 = no font
extern int bb_zump_ZUMP_FontKern[112];  // advance of character codes 32-143

void bb_zump_text_Init();

void bb_zump_LoadFont(int slot, const String& name);
// Queues the glyphs of text and returns the pen's final x. alignX 0 starts
// at x, 1 centres on x, 2 ends at x; alignY 0 below y, 1 centred, 2 above.
int bb_zump_Text(float x, float y, const String& text, float alignX = 0, float alignY = 0, float wavePhase = 0,
                 float waveAmp = 0);

String bb_zump_Left(const String& s, int n);
String bb_zump_Right(const String& s, int n);
// s right-aligned in a field of n characters filled with pad.
String bb_zump_rstr(const String& s, int n, const String& pad);
