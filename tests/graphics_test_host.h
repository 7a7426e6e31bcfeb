// Helpers shared by the drawing-context tests: a host that loads images from
// a scratch data folder, and PNG fixtures.
#pragma once

#include <stb/stb_image_write.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/app.h"
#include "graphics/surface.h"
#include "host/bbgame.h"
#include "host/files.h"

class ImageHost : public BBGame {
public:
    ImageHost() {
        char pattern[] = "/tmp/bramblewick-images-XXXXXX";
        root = mkdtemp(pattern);
        std::filesystem::create_directories(root / "data");
    }
    ~ImageHost() override { std::filesystem::remove_all(root); }
    String PathToFilePath(const String& path) override {
        String dir = bbStringFromUtf8(root.string());
        return bb_host_ResourceFilePath(path, dir, dir + u"/internal");
    }
    unsigned char* LoadImageData(const String& path, int* width, int* height, int* depth) override {
        return bb_graphics_LoadImageFile(this, path, width, height, depth);
    }
    // A PNG in the data folder; pixel (x, y) channel c holds fill(x, y, c).
    template <typename Fill>
    void WritePng(const std::string& name, int w, int h, int channels, Fill fill) {
        std::string px((size_t)w * h * channels, '\0');
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < channels; ++c) px[((size_t)y * w + x) * channels + c] = (char)fill(x, y, c);
        stbi_write_png((root / "data" / name).string().c_str(), w, h, channels, px.data(), w * channels);
    }
    void WritePng(const std::string& name, int w, int h) {
        WritePng(name, w, h, 4, [](int, int, int) { return 255; });
    }
    std::filesystem::path root;
};
