// The asset generator: writes every image, both fonts, the sound effects and
// the tune into the data folder, and the contact sheets into docs/sheets.
// Usage: assetgen <data folder> <sheets folder> <DejaVuSans-Bold.ttf>
#include <cstdio>

#include "gen.h"

namespace ag {

std::vector<SheetInfo> gSheets;

void SaveSheet(const Out& o, const std::string& rel, const Canvas& sheet, int fw, int fh, int count, bool alpha) {
    if (!WritePng(o.data + "/" + rel, sheet, alpha)) {
        std::fprintf(stderr, "cannot write %s\n", rel.c_str());
        std::exit(1);
    }
    gSheets.push_back(SheetInfo{rel, fw, fh, count});
    std::printf("  %s\n", rel.c_str());
}

}  // namespace ag

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <data folder> <sheets folder> <DejaVuSans-Bold.ttf>\n", argv[0]);
        return 2;
    }
    ag::Out o{argv[1], argv[2]};
    if (!ag::FontInit(argv[3])) {
        std::fprintf(stderr, "cannot read the font %s\n", argv[3]);
        return 1;
    }
    std::printf("fonts\n");
    ag::MakeFonts(o);
    std::printf("world\n");
    ag::MakeWorld(o);
    std::printf("interface\n");
    ag::MakeInterface(o);
    std::printf("backdrops\n");
    ag::MakeBackdrops(o);
    std::printf("sounds\n");
    ag::MakeSounds(o);
    std::printf("contact sheets\n");
    ag::MakeContactSheets(o);
    return 0;
}
