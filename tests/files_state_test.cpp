// Resource paths, the text reading rule, file loading, the state file and the date.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "host/bbgame.h"
#include "host/files.h"
#include "host/glfwgame.h"

namespace fs = std::filesystem;

namespace {

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// A host whose resource folder is a scratch folder, working in that folder.
class FilesHost : public BBGame {
public:
    explicit FilesHost(const fs::path& root) : root(bbStringFromUtf8(root.string())) {}
    String PathToFilePath(const String& path) override {
        return bb_host_ResourceFilePath(path, root, root + u"/internal");
    }
    String root;
};

class Files : public ::testing::Test {
protected:
    void SetUp() override {
        oldCwd = fs::current_path();
        char pattern[] = "/tmp/bramblewick-files-XXXXXX";
        dir = mkdtemp(pattern);
        fs::current_path(dir);
    }
    void TearDown() override {
        fs::current_path(oldCwd);
        fs::permissions(dir, fs::perms::owner_all);
        fs::remove_all(dir);
    }
    // Everything in the folder except the named entries.
    std::vector<std::string> others(std::initializer_list<std::string> known) {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(dir)) {
            std::string name = entry.path().filename().string();
            if (std::find(known.begin(), known.end(), name) == known.end()) found.push_back(name);
        }
        return found;
    }
    fs::path oldCwd, dir;
};

}  // namespace

TEST(Paths, FixDataPathKeepsUrlsAndExplicitPaths) {
    struct Case {
        const char16_t* in;
        const char16_t* out;
    } cases[] = {
        {u"gfx/ball.png", u"tarvik://data/gfx/ball.png"},
        {u"pexa_font.png", u"tarvik://data/pexa_font.png"},
        {u"./x.png", u"./x.png"},
        {u"/x.png", u"/x.png"},
        {u"tarvik://internal/x.png", u"tarvik://internal/x.png"},
        {u"http://host/a", u"http://host/a"},
        // The first "/" comes before ":/", so this is no URL.
        {u"a/b:/c", u"tarvik://data/a/b:/c"},
        {u"", u"tarvik://data/"},
    };
    for (const Case& c : cases) EXPECT_EQ(bb_data_FixDataPath(c.in), c.out) << bbStringToUtf8(c.in);
}

TEST(Paths, ResourceUrlsMapBelowTheExecutableFolder) {
    struct Case {
        const char16_t* in;
        const char16_t* out;
    } cases[] = {
        {u"tarvik://data/sfx/hit.wav", u"C:/Games/Run/data/sfx/hit.wav"},
        {u"tarvik://internal/save.dat", u"C:/Games/Run/internal/save.dat"},
        {u"tarvik://external/shot.png", u"C:/Games/Run/external/shot.png"},
        {u"tarvik://cache/x", u""},
        {u"tarvik:data/x", u""},
        {u"TARVIK://data/x", u"TARVIK://data/x"},
        {u"./.tarvikstate", u"./.tarvikstate"},
        {u"notes.txt", u"notes.txt"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bb_host_ResourceFilePath(c.in, u"C:/Games/Run", u"C:/Games/Run/internal"), c.out)
            << bbStringToUtf8(c.in);
}

TEST(Paths, DesktopHostResolvesAgainstTheExecutableFolder) {
    BBGlfwGame host;
    std::string self = bbStringToUtf8(host.PathToFilePath(u"tarvik://data/../files_state_test"));
    EXPECT_EQ(self.front(), '/');
    EXPECT_TRUE(fs::is_regular_file(self)) << self;
    std::string exeDir = self.substr(0, self.size() - std::string("/data/../files_state_test").size());
    EXPECT_EQ(host.PathToFilePath(u"tarvik://internal/save.dat"), bbStringFromUtf8(exeDir + "/internal/save.dat"));
    EXPECT_EQ(host.PathToFilePath(u"tarvik://external/a.png"), bbStringFromUtf8(exeDir + "/external/a.png"));
    EXPECT_EQ(host.PathToFilePath(u"tarvik://cache/x"), u"");
    EXPECT_EQ(host.OpenFile(u"tarvik://cache/x", u"rb"), nullptr);
}

TEST(TextRule, DecodesByteOrderMarksUtf8AndEightBitText) {
    struct Case {
        const char* name;
        std::string bytes;
        String text;
    } cases[] = {
        {"empty", "", u""},
        {"utf-16 big-endian, odd byte ignored", std::string("\xFE\xFF\x00\x41\x20\xAC\x7F", 7), u"A\u20AC"},
        {"utf-16 little-endian", std::string("\xFF\xFE\x41\x00\xAC\x20", 6), u"A\u20AC"},
        {"utf-16 mark alone", "\xFF\xFE", u""},
        {"utf-8 mark alone", "\xEF\xBB\xBF", u""},
        {"utf-8 after its mark", "\xEF\xBB\xBF\xC3\xA9\xE2\x82\xAC", u"\u00E9\u20AC"},
        {"plain utf-8", "a\xC3\xA9z", u"a\u00E9z"},
        {"overlong form decoded arithmetically", "\xC0\x81", u"\u0001"},
        {"latin-1 letter before a non-continuation byte", "caf\xE9!", u"caf\u00E9!"},
        {"stray continuation byte", "a\x80", u"a\u0080"},
        {"four-byte lead", "\xF0\x9F\x98\x80", u"\u00F0\u009F\u0098\u0080"},
        {"sequence cut off by the end", "ab\xE2\x82", u"ab\u00E2\u0082"},
        {"mark skipped before the fall-back", "\xEF\xBB\xBF\xE9", u"\u00E9"},
        {"two bytes that only look like a mark", "\xEF\xBB", u"\u00EF\u00BB"},
    };
    for (const Case& c : cases) {
        String got = bb_host_DecodeText((const unsigned char*)c.bytes.data(), (int)c.bytes.size());
        EXPECT_EQ(got, c.text) << c.name;
    }
}

TEST_F(Files, LoadsTextAndBytesThroughResourcePaths) {
    FilesHost host(dir);
    fs::create_directories(dir / "data");
    writeBytes(dir / "data" / "utf16.txt", std::string("\xFF\xFE\x48\x00\x69\x00", 6));
    std::string blob(10000, '\0');
    for (size_t i = 0; i < blob.size(); ++i) blob[i] = (char)(i * 7);
    writeBytes(dir / "data" / "blob.bin", blob);
    writeBytes(dir / "data" / "empty.bin", "");

    EXPECT_EQ(host.LoadString(u"tarvik://data/utf16.txt"), u"Hi");
    EXPECT_EQ(host.LoadString(u"tarvik://data/missing.txt"), u"");
    EXPECT_EQ(host.LoadString(u"tarvik://cache/utf16.txt"), u"");

    int length = -1;
    unsigned char* data = host.LoadData(u"tarvik://data/blob.bin", &length);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::string((const char*)data, length), blob);
    std::free(data);

    data = host.LoadData(u"tarvik://data/empty.bin", &length);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(length, 0);
    std::free(data);

    EXPECT_EQ(host.LoadData(u"tarvik://data/missing.bin", &length), nullptr);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(host.OpenFile(u"tarvik://cache/blob.bin", u"rb"), nullptr);
}

TEST_F(Files, NonAsciiFileNamesOpen) {
    FilesHost host(dir);
    writeBytes(dir / "\xC3\xA9t\xC3\xA9.txt", "summer");
    EXPECT_EQ(host.LoadString(u"\u00E9t\u00E9.txt"), u"summer");
}

TEST_F(Files, StateIsStoredUnitByUnitAsUtf8) {
    FilesHost host(dir);
    EXPECT_EQ(host.LoadState(), u"") << "no file yet";

    ASSERT_EQ(host.SaveState(u"\u00E9\u20AC"), 0);
    EXPECT_EQ(readBytes(dir / ".tarvikstate"), "\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(host.LoadState(), u"\u00E9\u20AC");

    String withSurrogates = u"ZUMP_v2.0|";
    withSurrogates.push_back((char16_t)0xD83D);
    withSurrogates.push_back((char16_t)0xDE00);
    ASSERT_EQ(host.SaveState(withSurrogates), 0);
    EXPECT_EQ(readBytes(dir / ".tarvikstate").size(), 10u + 6u);
    EXPECT_EQ(host.LoadState(), withSurrogates);

    ASSERT_EQ(host.SaveState(u""), 0);
    EXPECT_TRUE(fs::exists(dir / ".tarvikstate"));
    EXPECT_EQ(fs::file_size(dir / ".tarvikstate"), 0u);
    EXPECT_EQ(others({".tarvikstate"}), std::vector<std::string>()) << "temporary file left behind";
}

TEST_F(Files, StateWrittenByOtherToolsStillLoads) {
    FilesHost host(dir);
    writeBytes(dir / ".tarvikstate", std::string("\xFE\xFF\x00\x5A\x00\xE9", 6));
    EXPECT_EQ(host.LoadState(), u"Z\u00E9");
    writeBytes(dir / ".tarvikstate", "Z\xE9|1");
    EXPECT_EQ(host.LoadState(), u"Z\u00E9|1");
}

// Every failed save keeps the previous profile byte for byte and leaves no
// temporary file.
TEST_F(Files, FailedSaveKeepsThePreviousProfile) {
    FilesHost host(dir);
    const std::string old = "ZUMP_v2.0|old profile";

    // The temporary file cannot be created.
    writeBytes(dir / ".tarvikstate", old);
    fs::create_directory(dir / ".tarvikstate.tmp");
    EXPECT_EQ(host.SaveState(u"ZUMP_v2.0|new profile"), -1);
    EXPECT_EQ(readBytes(dir / ".tarvikstate"), old);
    EXPECT_TRUE(fs::is_directory(dir / ".tarvikstate.tmp"));
    fs::remove(dir / ".tarvikstate.tmp");

    // The complete new file cannot take the old one's place.
    fs::remove(dir / ".tarvikstate");
    fs::create_directories(dir / ".tarvikstate" / "keep");
    EXPECT_EQ(host.SaveState(u"ZUMP_v2.0|new profile"), -1);
    EXPECT_TRUE(fs::is_directory(dir / ".tarvikstate" / "keep"));
    EXPECT_EQ(others({".tarvikstate"}), std::vector<std::string>());
    fs::remove_all(dir / ".tarvikstate");

    // The disk fills up half-way: the process may not grow files past 8 bytes.
    writeBytes(dir / ".tarvikstate", old);
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = 8;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    int result = host.SaveState(u"ZUMP_v2.0|a much longer new profile");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(result, -2);
    EXPECT_EQ(readBytes(dir / ".tarvikstate"), old);
    EXPECT_EQ(others({".tarvikstate"}), std::vector<std::string>());
    EXPECT_EQ(host.LoadState(), bbStringFromUtf8(old));
}

TEST_F(Files, SaveIntoReadOnlyFolderFails) {
    FilesHost host(dir);
    writeBytes(dir / ".tarvikstate", "ZUMP_v2.0|old");
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream(dir / "probe").is_open()) GTEST_SKIP() << "folder permissions do not bind this user";
    EXPECT_EQ(host.SaveState(u"ZUMP_v2.0|new"), -1);
    EXPECT_EQ(readBytes(dir / ".tarvikstate"), "ZUMP_v2.0|old");
}

TEST(Date, FillsAsFarAsTheArrayReaches) {
    BBGame host;
    Array<int> empty;
    host.GetDate(empty);
    EXPECT_TRUE(empty.empty());

    Array<int> six(6, -1);
    host.GetDate(six);
    EXPECT_GE(six[0], 2024);
    EXPECT_TRUE(six[1] >= 1 && six[1] <= 12);
    EXPECT_TRUE(six[2] >= 1 && six[2] <= 31);
    EXPECT_TRUE(six[3] >= 0 && six[3] <= 23);
    EXPECT_TRUE(six[4] >= 0 && six[4] <= 59);
    EXPECT_TRUE(six[5] >= 0 && six[5] <= 60);

    Array<int> ten(10, 77);
    host.GetDate(ten);
    EXPECT_EQ(ten[0], six[0]);
    EXPECT_EQ(ten[6], 0);
    for (int i = 7; i < 10; ++i) EXPECT_EQ(ten[i], 77);
}
