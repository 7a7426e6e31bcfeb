// File reading, the state file and the local date.
#include <cstdlib>
#include <cstring>

#include "host/bbgame.h"
#include "host/files.h"
#include "platform/platform.h"

// The state file lives in the working directory. It is never written in
// place: the new text goes to a temporary file beside it, which replaces it
// only once it is complete on disk, so a crash or a full disk mid-save keeps
// the previous profile.
static const char16_t kStatePath[] = u"./.tarvikstate";
static const char16_t kStateTempPath[] = u"./.tarvikstate.tmp";

static void readAll(FILE* file, std::string& out) {
    char chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) out.append(chunk, n);
}

static String loadText(FILE* file) {
    std::string bytes;
    readAll(file, bytes);
    std::fclose(file);
    return bb_host_DecodeText((const unsigned char*)bytes.data(), (int)bytes.size());
}

String bb_host_DecodeText(const unsigned char* bytes, int length) {
    if (length <= 0) return String();
    bool bigEndian = length >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF;
    bool littleEndian = length >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
    if (bigEndian || littleEndian) {
        String out;
        out.reserve((length - 2) / 2);
        for (int i = 2; i + 1 < length; i += 2) {
            unsigned hi = bigEndian ? bytes[i] : bytes[i + 1];
            unsigned lo = bigEndian ? bytes[i + 1] : bytes[i];
            out.push_back((char16_t)(hi << 8 | lo));
        }
        return out;
    }
    int start = length > 2 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF ? 3 : 0;
    return bbStringFromUtf8((const char*)bytes + start, length - start);
}

FILE* BBGame::OpenFile(const String& path, const String& mode) {
    String real = PathToFilePath(path);
    if (real.empty()) return nullptr;
    return plat_OpenFile(bbStringToUtf8(real), bbStringToUtf8(mode).c_str());
}

String BBGame::LoadString(const String& path) {
    FILE* file = OpenFile(path, u"rb");
    return file ? loadText(file) : String();
}

unsigned char* BBGame::LoadData(const String& path, int* length) {
    *length = 0;
    FILE* file = OpenFile(path, u"rb");
    if (!file) return nullptr;
    std::string bytes;
    readAll(file, bytes);
    std::fclose(file);
    // One byte more than needed so an empty file still gives a block.
    unsigned char* data = (unsigned char*)std::malloc(bytes.size() + 1);
    if (!data) return nullptr;
    std::memcpy(data, bytes.data(), bytes.size());
    *length = (int)bytes.size();
    return data;
}

int BBGame::SaveState(const String& state) {
    std::string temp = bbStringToUtf8(kStateTempPath);
    FILE* file = OpenFile(kStateTempPath, u"wb");
    if (!file) return -1;
    std::string bytes = bbStringToUtf8(state);
    bool complete = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    // A full disk may only show when the buffered bytes are pushed out.
    complete = plat_SyncFile(file) && complete;
    complete = std::fclose(file) == 0 && complete;
    if (!complete) {
        plat_RemoveFile(temp);
        return -2;
    }
    if (!plat_RenameFile(temp, bbStringToUtf8(kStatePath))) {
        plat_RemoveFile(temp);
        return -1;
    }
    return 0;
}

String BBGame::LoadState() {
    FILE* file = OpenFile(kStatePath, u"rb");
    return file ? loadText(file) : String();
}

void BBGame::GetDate(Array<int>& date) {
    if (date.empty()) return;
    int now[6];
    plat_LocalTime(now);
    size_t n = date.size() < 7 ? date.size() : 7;
    for (size_t i = 0; i < n; ++i) date[i] = i < 6 ? now[i] : 0;
}
