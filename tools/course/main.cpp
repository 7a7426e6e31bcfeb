// bramblewick-course COURSE HOLE: prints a hole exactly as a game on that
// course generates it, in a form meant for diffing.
#include <cstdio>
#include <cstring>
#include <string>

#include "game/world.h"
#include "host/bb_runtime.h"

namespace {

// A course or hole number: decimal digits only, 1 to 9. Anything else gives 0.
int ParseNumber(const char* text) {
    size_t length = std::strlen(text);
    if (length == 0 || length > 9) return 0;
    int value = 0;
    for (size_t i = 0; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9') return 0;
        value = value * 10 + (text[i] - '0');
    }
    return value <= 9 ? value : 0;
}

}  // namespace

int main(int argc, char** argv) {
    int course = argc == 3 ? ParseNumber(argv[1]) : 0;
    int hole = argc == 3 ? ParseNumber(argv[2]) : 0;
    if (course == 0 || hole == 0) {
        std::fprintf(stderr, "usage: bramblewick-course COURSE HOLE (both 1 to 9)\n");
        return 2;
    }
    bbInit();
    std::string report = bb_world_CourseReport(course, hole);
    std::fwrite(report.data(), 1, report.size(), stdout);
    return 0;
}
