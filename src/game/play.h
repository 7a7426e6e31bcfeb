// Ball play and the picture of the hole: the pieces c_MyGame::p_Game runs in
// order. play.cpp advances the state; world_render.cpp only records drawing.
#pragma once

// One cell is 19.9 pixels wide and high in play.
const float PLAY_CELL = 19.9f;
const float PLAY_DEG = 0.017453292f;
const float PLAY_RAD = 57.29578f;
const int PLAY_THWACKS = 9;
// Squared golfer-ball distance, in cells, below which the golfer addresses the ball.
const float PLAY_NEAR = 3.75f;
// plr[54] is set to this when the thwacks ran out; anything above 90 means missed.
const int PLAY_MISSED = 99;
const int PLAY_HOLE_END_UPDATES = 180;

// Image slots the world is drawn from.
enum { PLAY_IMG_GOLFER = 2, PLAY_IMG_BANNER = 11, PLAY_IMG_BUTTON = 12, PLAY_IMG_BACKGROUND = 68 };

// Sine and cosine of an angle in degrees.
float bb_play_Sin(float degrees);
float bb_play_Cos(float degrees);

// The tile set image and the background frame of the current course.
int bb_play_TileSet();
int bb_play_BackgroundFrame();

// Frame setup: black clear colour, style reset, the tiled background.
void bb_play_DrawBackground();
// Cells of the scan. sx, sy are the cell's screen position; cell points at
// its ten layers.
void bb_play_DrawFlyingCreature(float sx, float sy, const float* cell);
// Draws a waiting creature (kind 1 or 2) and lets it blink, which takes a
// number from the shared generator.
void bb_play_DrawWaitingCreature(float sx, float sy, float* cell);
void bb_play_DrawGround(float sx, float sy, const float* cell);
void bb_play_DrawBall();
void bb_play_DrawGolfer(int frame);
void bb_play_DrawAimDots();
void bb_play_DrawMeter();
void bb_play_DrawHole();
void bb_play_DrawHoleEnd(int score);
void bb_play_DrawCreatureBanner();
// The ring of balls pointing the way back to a ball at rest; ms is read from
// the host clock.
void bb_play_DrawBallFinder();
void bb_play_DrawHud(const int holeScore[10], int hole);
