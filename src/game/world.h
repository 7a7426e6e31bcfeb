// The golf world's tables and the course generator.
#pragma once

#include <string>

// 512 cells a row, ten float layers a cell: cell (x, y) starts at
// (x + 512 * y) * 10. Layer 0 terrain, 1 the generator's work layer,
// 5 creature, 6 frames since hit, 7 idle frame.
extern float bb_zump_grid[5500000];
// Numbered slots of the ball, the golfer and the hole (plr[n]).
extern float bb_zump_plr[1024];
// Cleared with the others; nothing in this game reads it.
extern float bb_zump_obj[10240];

const int WORLD_ROW = 512;
const int WORLD_LAYERS = 10;
inline int bb_world_Cell(int x, int y) { return (x + WORLD_ROW * y) * WORLD_LAYERS; }

// Terrain codes of layer 0.
enum { TERRAIN_EMPTY = 0, TERRAIN_FAIRWAY = 1, TERRAIN_ROUGH = 2, TERRAIN_GREEN = 3 };

// The creatures of the last generated hole, in placement order.
extern int bb_world_CreatureCount;
extern int bb_world_CreatureX[3];
extern int bb_world_CreatureY[3];

// A creature search gives up after this many tries; every hole of every
// course finds its cell long before.
const int WORLD_CREATURE_TRY_LIMIT = 1000000;

void bb_world_Init();

// The clearings done at the start of every game.
void bb_zump_ResetGrid();
void bb_zump_ResetPlrs();
void bb_zump_ResetObjs();
// Clears the tables whose flag is 1, always the particles and the starfield,
// and ends any end-of-game state.
void bb_zump_FlushGame(int grid, int plr, int obj);

// Writes or reads one layer of a cell; only cells 2..509 in both coordinates
// are touched, anything else is ignored or reads 0.
void bb_world_Put(int x, int y, int value, int layer);
int bb_world_Is(int x, int y, int layer);

int bb_world_HoleSeed(int course, int hole);
// Generates hole `hole` of course `course` into the tables.
void bb_world_GenerateHole(int course, int hole);

// One step of the island painter: layer 0 = value in every cell whose
// distance from (cx, cy), rounded to single precision, is below rx + ry.
void bb_world_PaintDisc(float cx, float cy, int rx, int ry, int value);
// Searches a fairway cell for creature number k (2, 3, 4) away from the ball
// and places it. Returns the tries it took, or 0 when it gave up.
int bb_world_PlaceCreature(int k);

// The text form of hole `hole` of a game on course `course`, generated from
// cleared tables through holes 1..hole: a header, the ball, the hole, the
// creatures, then layer 0 of rows 0..510 as one character a cell.
std::string bb_world_CourseReport(int course, int hole);
