#include "game/world.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "game/flow_globals.h"
#include "game/mygame.h"
#include "shell/zump_random.h"

float bb_zump_grid[5500000];
float bb_zump_plr[1024];
float bb_zump_obj[10240];

int bb_world_CreatureCount;
int bb_world_CreatureX[3];
int bb_world_CreatureY[3];

// The virtual screen and the camera belong to the screen module. Until it is
// linked in, these stand-ins (its start-up values) let the generator aim the
// camera; the screen module's own definitions replace them.
extern int bb_zump_jscrw;
extern int bb_zump_jscrh;
extern float bb_zump_scrx, bb_zump_scry, bb_zump_aimx, bb_zump_aimy;
__attribute__((weak)) int bb_zump_jscrw = 800;
__attribute__((weak)) int bb_zump_jscrh = 600;
__attribute__((weak)) float bb_zump_scrx = 0;
__attribute__((weak)) float bb_zump_scry = 0;
__attribute__((weak)) float bb_zump_aimx = 0;
__attribute__((weak)) float bb_zump_aimy = 0;

namespace {

float* const plr = bb_zump_plr;

// Single-precision constants of the generator.
const float DEG_TO_RAD = 0.017453292f;
const float HEADING_SPAN = 360.99f;
const float SCENERY_SPAN = 28.99f;

bool Paintable(int x, int y) { return x >= 2 && x <= 509 && y >= 2 && y <= 509; }

// Sine and cosine of an angle in degrees: the argument is formed in double,
// the result rounded to single before use.
float SinDeg(float a) { return (float)std::sin((double)a * (double)DEG_TO_RAD); }
float CosDeg(float a) { return (float)std::cos((double)a * (double)DEG_TO_RAD); }

// Turn step of an island or gap: 6..16 degrees, either way.
float TurnStep() {
    float d = (float)(6.0 + 10.0 * (double)bb_random_Rnd());
    if (2.0 * (double)bb_random_Rnd() < 1.0) d = -d;
    return d;
}

int Terrain(int x, int y) { return (int)bb_zump_grid[bb_world_Cell(x, y)]; }

// Empty cells after the rim pass, transposed ([x * 511 + y]) so that the
// scenery pass can walk them column by column without missing the cache on
// every cell: 0 not empty, 1 empty, 21..49 the scenery drawn for it.
unsigned char emptyCells[511 * 511];

// Layer 1 = the terrain, or rough where empty ground touches fairway or
// green. Cells outside 2..509 keep their layer 1.
void RimPass() {
    for (int y = 0; y <= 510; ++y) {
        for (int x = 0; x <= 510; ++x) {
            float* cell = &bb_zump_grid[bb_world_Cell(x, y)];
            if (Paintable(x, y)) {
                int t = (int)cell[0];
                for (int ny = y - 1; ny <= y + 1 && t == 0; ++ny) {
                    for (int nx = x - 1; nx <= x + 1; ++nx) {
                        if (!Paintable(nx, ny)) continue;
                        int n = Terrain(nx, ny);
                        if (n == TERRAIN_FAIRWAY || n == TERRAIN_GREEN) {
                            t = TERRAIN_ROUGH;
                            break;
                        }
                    }
                }
                cell[1] = (float)t;
            }
            emptyCells[x * 511 + y] = cell[1] == 0.0f;
        }
    }
}

// Layer 0 = layer 1, and scenery on about one empty cell in five. The draws
// go column by column (x outer), so that order is part of every course.
void SceneryPass() {
    for (unsigned char* cell = emptyCells; cell != emptyCells + 511 * 511; ++cell) {
        if (*cell == 0) continue;
        if (10.0 * (double)bb_random_Rnd() < 2.0) {
            *cell = (unsigned char)std::floor((double)SCENERY_SPAN * (double)bb_random_Rnd() + 21.0);
        }
    }
    for (int y = 0; y <= 510; ++y) {
        float* row = &bb_zump_grid[bb_world_Cell(0, y)];
        for (int x = 0; x <= 510; ++x) {
            float* cell = &row[x * WORLD_LAYERS];
            unsigned char code = emptyCells[x * 511 + y];
            cell[0] = code > 1 ? (float)code : cell[1];
        }
    }
}

}  // namespace

void bb_world_Init() {
    std::memset(bb_zump_grid, 0, sizeof bb_zump_grid);
    std::memset(bb_zump_plr, 0, sizeof bb_zump_plr);
    std::memset(bb_zump_obj, 0, sizeof bb_zump_obj);
    bb_world_CreatureCount = 0;
    std::memset(bb_world_CreatureX, 0, sizeof bb_world_CreatureX);
    std::memset(bb_world_CreatureY, 0, sizeof bb_world_CreatureY);
}

// Row 976 and beyond are never reached by the game, so a game start clears
// only the first 5,000,000 values.
void bb_zump_ResetGrid() { std::memset(bb_zump_grid, 0, 5000000 * sizeof(float)); }
void bb_zump_ResetPlrs() { std::memset(bb_zump_plr, 0, sizeof bb_zump_plr); }
void bb_zump_ResetObjs() { std::memset(bb_zump_obj, 0, 5100 * sizeof(float)); }

void bb_zump_FlushGame(int grid, int plrs, int obj) {
    if (grid == 1) bb_zump_ResetGrid();
    if (plrs == 1) bb_zump_ResetPlrs();
    if (obj == 1) bb_zump_ResetObjs();
    bb_zump_ResetParticles();
    bb_zump_ResetStars();
    bb_zump_ZUMP_EndofGame = 0;
    bb_zump_ZUMP_EndReason = 0;
}

void bb_world_Put(int x, int y, int value, int layer) {
    if (Paintable(x, y)) bb_zump_grid[bb_world_Cell(x, y) + layer] = (float)value;
}

int bb_world_Is(int x, int y, int layer) {
    return Paintable(x, y) ? (int)bb_zump_grid[bb_world_Cell(x, y) + layer] : 0;
}

int c_MyGame::p_Put(int x, int y, int value, int layer) {
    bb_world_Put(x, y, value, layer);
    return 0;
}

int c_MyGame::p_is(int x, int y, int layer) { return bb_world_Is(x, y, layer); }

int bb_world_HoleSeed(int course, int hole) { return course * 1234 + hole; }

void bb_world_PaintDisc(float cx, float cy, int rx, int ry, int value) {
    const float reach = (float)(rx + ry);
    // The box of +-4 radii always holds the disc; clip it to the paintable cells.
    int x0 = (int)(cx - 4.0f * rx), y0 = (int)(cy - 4.0f * ry);
    if (x0 < 2) x0 = 2;
    if (y0 < 2) y0 = 2;
    for (int y = y0; y <= 509 && y <= cy + 4.0f * ry; ++y) {
        double dy = (double)y - (double)cy;
        for (int x = x0; x <= 509 && x <= cx + 4.0f * rx; ++x) {
            double dx = (double)x - (double)cx;
            if ((float)std::sqrt(dx * dx + dy * dy) < reach) bb_zump_grid[bb_world_Cell(x, y)] = (float)value;
        }
    }
}

int bb_world_PlaceCreature(int k) {
    int tx = 0, ty = 0;
    for (int tries = 1; tries <= WORLD_CREATURE_TRY_LIMIT; ++tries) {
        int attempts = tries - 1;
        tx = bb_zump_Rand(10, 490);
        ty = bb_zump_Rand(10, 490);
        float dx = std::fabs(plr[1] - (float)tx), dy = std::fabs(plr[2] - (float)ty);
        // The exclusion zone round the ball narrows after 1,000 and 2,500 tries.
        if (attempts <= 999 && dx < 30 && dy < 30) tx = 0;
        else if (attempts <= 2499 && dx < 15 && dy < 15) tx = 0;
        else if (dx < 5 && dy < 5) tx = 0;
        // A rejected try looks at column 0, which never holds fairway.
        const float* cell = &bb_zump_grid[bb_world_Cell(tx, ty)];
        if (cell[0] != 1.0f || cell[5] != 0.0f) continue;
        bb_world_Put(tx, ty, k - 1, 5);
        bb_world_Put(tx, ty, 0, 7);
        if (k - 1 != 1) bb_world_Put(tx, ty, 2, 5);
        if (bb_world_CreatureCount < 3) {
            bb_world_CreatureX[bb_world_CreatureCount] = tx;
            bb_world_CreatureY[bb_world_CreatureCount] = ty;
            ++bb_world_CreatureCount;
        }
        return tries;
    }
    return 0;
}

void bb_world_GenerateHole(int course, int hole) {
    bb_zump_SeedRnd(bb_world_HoleSeed(course, hole));
    std::memset(plr, 0, 100 * sizeof(float));
    bb_world_CreatureCount = 0;

    plr[1] = (float)bb_zump_Rand(200, 300);
    plr[2] = (float)bb_zump_Rand(200, 300);
    plr[11] = plr[1];
    plr[12] = plr[2];
    plr[21] = plr[1] - 2;
    plr[22] = plr[2] - 2;

    // Cells beyond 500 keep what the previous hole left there.
    for (int y = 0; y <= 500; ++y) std::memset(&bb_zump_grid[bb_world_Cell(0, y)], 0, 501 * WORLD_LAYERS * sizeof(float));

    int n = bb_zump_Rand(1, 3);
    if (hole == 1) n = 1;
    if (hole == 2) n = 2;
    float heading = (float)std::floor((double)bb_random_Rnd() * (double)HEADING_SPAN);

    for (int i = 0; i <= n; ++i) {
        int rx = bb_zump_Rand(3, 6);
        int ry = bb_zump_Rand(3, 6);
        int paint = i == n ? TERRAIN_GREEN : TERRAIN_FAIRWAY;
        bb_random_Rnd();  // drawn and never used
        float turn = TurnStep();
        int step = bb_zump_Rand(1, 6);
        if (i == n) step = bb_zump_Rand(1, 3);
        for (int s = 0; s < 5; ++s) {
            heading = (float)((double)heading + (double)turn);
            plr[11] = (float)((double)plr[11] + (double)SinDeg(heading) * step);
            plr[12] = (float)((double)plr[12] - (double)CosDeg(heading) * step);
            bb_world_PaintDisc(plr[11], plr[12], rx, ry, paint);
        }
        if (i < n) {
            heading = (float)((double)heading + (double)TurnStep());
            int halfSteps = bb_zump_Rand(32, 58) + 1;
            bb_zump_Rand(1, 4);  // drawn and never used
            double sx = SinDeg(heading), cx = CosDeg(heading);
            double wx = plr[11], wy = plr[12];
            for (int s = 0; s < halfSteps; ++s) {
                wx += 0.5 * sx;
                wy -= 0.5 * cx;
            }
            plr[11] = (float)wx;
            plr[12] = (float)wy;
        }
    }

    RimPass();
    SceneryPass();

    plr[47] = 1;
    double holeDx = 6.0 * (double)bb_random_Rnd() - 3.0;
    double holeDy = 6.0 * (double)bb_random_Rnd() - 3.0;
    plr[11] = (float)((double)plr[11] + holeDx);
    plr[12] = (float)((double)plr[12] + holeDy);

    plr[8] = 20 * plr[1];
    plr[9] = 20 * plr[2];
    bb_zump_aimx = bb_zump_scrx = 20 * plr[1] - bb_zump_jscrw / 2;
    bb_zump_aimy = bb_zump_scry = 20 * plr[2] - bb_zump_jscrh / 2;

    if (hole >= 2) {
        for (int k = 2; k <= 4; ++k) bb_world_PlaceCreature(k);
    }

    plr[51] = 9;
    plr[54] = 0;
}

int c_MyGame::p_NewLevel() {
    m_hole = m_hole + 1;
    bb_world_GenerateHole(bb_zump_ZUMP_GameType, m_hole);
    return 0;
}

namespace {

char TerrainChar(float value) {
    int t = (int)value;
    switch (t) {
        case TERRAIN_EMPTY: return '.';
        case TERRAIN_FAIRWAY: return '#';
        case TERRAIN_ROUGH: return ',';
        case TERRAIN_GREEN: return 'o';
    }
    if (t >= 21 && t <= 46) return (char)('a' + (t - 21));
    if (t >= 47 && t <= 49) return (char)('A' + (t - 47));
    return '?';
}

}  // namespace

std::string bb_world_CourseReport(int course, int hole) {
    bb_zump_ResetGrid();
    bb_zump_ResetPlrs();
    bb_zump_ResetObjs();
    for (int h = 1; h <= hole; ++h) bb_world_GenerateHole(course, h);

    std::string out;
    out.reserve(512 * 512 + 256);
    char line[128];
    std::snprintf(line, sizeof line, "course %d hole %d seed %d\n", course, hole, bb_world_HoleSeed(course, hole));
    out += line;
    std::snprintf(line, sizeof line, "ball %d %d\n", (int)plr[1], (int)plr[2]);
    out += line;
    std::snprintf(line, sizeof line, "hole %.9g %.9g\n", (double)plr[11], (double)plr[12]);
    out += line;
    for (int c = 0; c < bb_world_CreatureCount; ++c) {
        int x = bb_world_CreatureX[c], y = bb_world_CreatureY[c];
        std::snprintf(line, sizeof line, "creature %d %d %d\n", x, y, bb_world_Is(x, y, 5));
        out += line;
    }
    for (int y = 0; y <= 510; ++y) {
        for (int x = 0; x <= 510; ++x) out += TerrainChar(bb_zump_grid[bb_world_Cell(x, y)]);
        out += '\n';
    }
    return out;
}
