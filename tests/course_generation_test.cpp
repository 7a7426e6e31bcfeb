// Whole holes, generated the way a game does: tables cleared, then holes
// 1, 2, ... of one course in order.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "game/world.h"
#include "host/bb_runtime.h"
#include "shell/zump_random.h"

// Counts every allocation through operator new in this test program.
static int allocations = 0;
void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

float Layer(int x, int y, int layer) { return bb_zump_grid[bb_world_Cell(x, y) + layer]; }
int Terrain(int x, int y) { return (int)Layer(x, y, 0); }
bool Painted(int t) { return t == TERRAIN_FAIRWAY || t == TERRAIN_GREEN; }

// What a hole leaves behind that play depends on.
struct HoleState {
    std::vector<float> grid;
    std::vector<float> plr;
    std::vector<int> creatures;

    static HoleState Take() {
        HoleState s;
        s.grid.assign(bb_zump_grid, bb_zump_grid + bb_world_Cell(0, 511));
        s.plr.assign(bb_zump_plr, bb_zump_plr + 100);
        for (int c = 0; c < bb_world_CreatureCount; ++c) {
            s.creatures.push_back(bb_world_CreatureX[c]);
            s.creatures.push_back(bb_world_CreatureY[c]);
        }
        return s;
    }
    bool operator==(const HoleState& o) const { return grid == o.grid && plr == o.plr && creatures == o.creatures; }
};

class Course : public ::testing::Test {
protected:
    void SetUp() override { bbInit(); }

    // Clears the tables as a game start does and generates holes 1..hole.
    static void PlayTo(int course, int hole) {
        bb_zump_ResetGrid();
        bb_zump_ResetPlrs();
        bb_zump_ResetObjs();
        for (int h = 1; h <= hole; ++h) bb_world_GenerateHole(course, h);
    }

    // 8-connected patches of fairway and green.
    static int Islands() {
        static int label[511 * 511];
        std::memset(label, 0, sizeof label);
        std::vector<int> stack;
        int count = 0;
        for (int start = 0; start < 511 * 511; ++start) {
            if (label[start] || !Painted(Terrain(start % 511, start / 511))) continue;
            label[start] = ++count;
            stack.push_back(start);
            while (!stack.empty()) {
                int c = stack.back();
                stack.pop_back();
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        int x = c % 511 + dx, y = c / 511 + dy;
                        if (x < 0 || y < 0 || x > 510 || y > 510 || label[x + 511 * y]) continue;
                        if (!Painted(Terrain(x, y))) continue;
                        label[x + 511 * y] = count;
                        stack.push_back(x + 511 * y);
                    }
                }
            }
        }
        return count;
    }

    static uint64_t Digest(const std::string& text) {
        uint64_t h = 14695981039346656037ull;
        for (unsigned char c : text) h = (h ^ c) * 1099511628211ull;
        return h;
    }
};

TEST_F(Course, EachHoleIsSeededFromCourseAndHole) {
    const struct {
        int course, hole, seed;
    } cases[] = {{1, 1, 1235}, {1, 9, 1243}, {9, 1, 11107}, {9, 9, 11115}};
    for (const auto& c : cases) {
        EXPECT_EQ(bb_world_HoleSeed(c.course, c.hole), c.seed);
        bb_zump_SeedRnd(c.seed);
        float ballX = (float)bb_zump_Rand(200, 300), ballY = (float)bb_zump_Rand(200, 300);
        bb_world_GenerateHole(c.course, c.hole);
        EXPECT_EQ(bb_zump_plr[1], ballX) << c.course << "/" << c.hole;
        EXPECT_EQ(bb_zump_plr[2], ballY) << c.course << "/" << c.hole;
    }
}

TEST_F(Course, SameGameGivesTheSameHoles) {
    const int games[][2] = {{1, 1}, {4, 6}, {9, 9}};
    for (const auto& g : games) {
        PlayTo(g[0], g[1]);
        HoleState first = HoleState::Take();
        bb_zump_SeedRnd(555);  // whatever the generator did in between
        PlayTo(g[0], g[1]);
        EXPECT_TRUE(HoleState::Take() == first) << "course " << g[0] << " hole " << g[1];
    }
}

TEST_F(Course, FirstHoleHasTwoIslandsAndSecondThree) {
    for (int course = 1; course <= 9; ++course) {
        PlayTo(course, 1);
        EXPECT_EQ(Islands(), 2) << course;
        EXPECT_EQ(bb_world_CreatureCount, 0);
        for (int y = 0; y < 511; ++y)
            for (int x = 0; x < 511; ++x) ASSERT_EQ(Layer(x, y, 5), 0.0f);

        bb_world_GenerateHole(course, 2);
        // Course 9's first two islands touch; every other course shows all three apart.
        EXPECT_EQ(Islands(), course == 9 ? 2 : 3) << course;
    }
}

// Checks every hole of every course against the rules a hole must obey.
TEST_F(Course, EveryHoleKeepsItsRules) {
    for (int course = 1; course <= 9; ++course) {
        PlayTo(course, 0);
        for (int hole = 1; hole <= 9; ++hole) {
            bb_world_GenerateHole(course, hole);
            SCOPED_TRACE("course " + std::to_string(course) + " hole " + std::to_string(hole));
            const float* plr = bb_zump_plr;
            ASSERT_EQ(plr[21], plr[1] - 2);
            ASSERT_EQ(plr[22], plr[2] - 2);
            ASSERT_EQ(plr[51], 9.0f);
            ASSERT_EQ(plr[47], 1.0f);
            ASSERT_EQ(plr[8], 20 * plr[1]);
            // The hole lies on the green painted round the walker's last point.
            ASSERT_EQ(Terrain((int)std::lround(plr[11]), (int)std::lround(plr[12])), TERRAIN_GREEN);
            ASSERT_NE(plr[11], std::floor(plr[11]));

            int creatureCells = 0;
            for (int y = 0; y <= 511; ++y) {
                for (int x = 0; x <= 511; ++x) {
                    int t = Terrain(x, y), work = (int)Layer(x, y, 1);
                    bool border = x <= 1 || y <= 1 || x >= 510 || y >= 510;
                    if (x == 511 || y == 511) {
                        ASSERT_EQ(t, 0) << x << "," << y;  // never written
                        continue;
                    }
                    ASSERT_TRUE(t == 0 || t == 1 || t == 2 || t == 3 || (t >= 21 && t <= 49)) << t;
                    if (border) {
                        ASSERT_FALSE(t >= 1 && t <= 3) << x << "," << y;
                    }
                    creatureCells += Layer(x, y, 5) != 0;
                    if (x > 499 || y > 499) continue;  // the band may hold the last hole's cells
                    // Layer 0 is the work layer, or scenery where that is empty.
                    ASSERT_EQ(work, t >= 21 ? 0 : t);
                    if (border) continue;
                    bool touchesPainted = false;
                    for (int ny = y - 1; ny <= y + 1; ++ny)
                        for (int nx = x - 1; nx <= x + 1; ++nx)
                            touchesPainted |= nx >= 2 && ny >= 2 && Painted(Terrain(nx, ny));
                    // Rough is exactly the empty ground touching fairway or green.
                    if (!Painted(work)) {
                        ASSERT_EQ(work == TERRAIN_ROUGH, touchesPainted) << x << "," << y;
                    }
                }
            }

            if (hole == 1) {
                ASSERT_EQ(bb_world_CreatureCount, 0);
                ASSERT_EQ(creatureCells, 0);
                continue;
            }
            ASSERT_EQ(bb_world_CreatureCount, 3);
            ASSERT_EQ(creatureCells, 3);
            const float kinds[] = {1, 2, 2};
            for (int c = 0; c < 3; ++c) {
                int x = bb_world_CreatureX[c], y = bb_world_CreatureY[c];
                EXPECT_EQ(Layer(x, y, 5), kinds[c]);
                EXPECT_EQ(Terrain(x, y), TERRAIN_FAIRWAY);
                EXPECT_TRUE(std::fabs(plr[1] - x) >= 5 || std::fabs(plr[2] - y) >= 5) << x << "," << y;
            }
        }
    }
}

TEST_F(Course, GeneratingAHoleAllocatesNothing) {
    PlayTo(7, 0);
    int before = allocations;
    for (int hole = 1; hole <= 9; ++hole) bb_world_GenerateHole(7, hole);
    EXPECT_EQ(allocations, before);
}

TEST_F(Course, EdgeBandCarriesOverToTheNextHole) {
    // Cells with x or y in 501..509 are not cleared between holes, so what
    // the last hole left there stays; only the empty ones may get scenery.
    PlayTo(3, 1);
    std::vector<float> band;
    for (int y = 2; y <= 509; ++y)
        for (int x = 501; x <= 509; ++x) band.push_back(Layer(x, y, 0)), band.push_back(Layer(y, x, 0));
    int carriedScenery = 0;
    for (float v : band) carriedScenery += v >= 21;
    ASSERT_GT(carriedScenery, 0);

    bb_world_GenerateHole(3, 2);
    size_t i = 0;
    for (int y = 2; y <= 509; ++y) {
        for (int x = 501; x <= 509; ++x) {
            float across = band[i++], down = band[i++];
            if (across != 0) {
                ASSERT_EQ(Layer(x, y, 0), across) << x << "," << y;
            }
            if (down != 0) {
                ASSERT_EQ(Layer(y, x, 0), down) << y << "," << x;
            }
        }
    }

    // So a hole depends on the holes before it.
    HoleState inGame = HoleState::Take();
    PlayTo(3, 0);
    bb_world_GenerateHole(3, 2);
    EXPECT_FALSE(HoleState::Take() == inGame);
}

TEST_F(Course, ReportShowsTheHoleAsText) {
    std::string report = bb_world_CourseReport(1, 2);
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = report.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(report.substr(at, end - at));
    ASSERT_EQ(lines.size(), 6u + 511u);
    EXPECT_EQ(lines[0], "course 1 hole 2 seed 1236");
    char expected[64];
    std::snprintf(expected, sizeof expected, "ball %d %d", (int)bb_zump_plr[1], (int)bb_zump_plr[2]);
    EXPECT_EQ(lines[1], expected);
    std::snprintf(expected, sizeof expected, "hole %.9g %.9g", bb_zump_plr[11], bb_zump_plr[12]);
    EXPECT_EQ(lines[2], expected);
    const char kinds[] = {'1', '2', '2'};
    for (int c = 0; c < 3; ++c) {
        std::snprintf(expected, sizeof expected, "creature %d %d %c", bb_world_CreatureX[c], bb_world_CreatureY[c], kinds[c]);
        EXPECT_EQ(lines[3 + c], expected);
    }
    const std::string codes = ".#,o";
    for (int y = 0; y <= 510; ++y) {
        const std::string& row = lines[6 + y];
        ASSERT_EQ(row.size(), 511u);
        for (int x = 0; x <= 510; ++x) {
            int t = Terrain(x, y);
            char want = t < 4 ? codes[t] : t <= 46 ? (char)('a' + t - 21) : (char)('A' + t - 47);
            ASSERT_EQ(row[x], want) << x << "," << y;
        }
    }
}

// Regression guard: digests of a few holes' reports. Between them they show
// every rounding rule of the walker that changes a hole of this game.
TEST_F(Course, ReportsMatchRecordedDigests) {
    const struct {
        int course, hole;
        uint64_t digest;
    } holes[] = {
        {1, 1, 0x3d7dedcfb65ca4cdull}, {2, 5, 0x4cac75461ec2fdf5ull}, {6, 4, 0xdb69716cde1f94d2ull},
        {8, 8, 0x8310ce14aa11735dull}, {9, 9, 0x5790735568acae23ull},
    };
    for (const auto& h : holes) {
        std::string report = bb_world_CourseReport(h.course, h.hole);
        EXPECT_EQ(Digest(report), h.digest) << "course " << h.course << " hole " << h.hole << "\n"
                                            << report.substr(0, report.find("\n.") + 1);
    }
}

}  // namespace
