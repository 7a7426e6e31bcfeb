#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "host/bbgame.h"
#include "net/databuffer.h"

namespace {

// A buffer holding the given bytes.
struct Bytes {
    c_DataBuffer buffer;
    explicit Bytes(std::initializer_list<int> bytes) {
        buffer.m_new((int)bytes.size());
        int i = 0;
        for (int b : bytes) buffer.ReadPointer(0)[i++] = (unsigned char)b;
    }
};

std::string Hex(const c_DataBuffer& buffer) {
    std::string out;
    char cell[4];
    for (int i = 0; i < buffer.Length(); ++i) {
        std::snprintf(cell, sizeof cell, "%02X", buffer.ReadPointer(0)[i]);
        out += cell;
    }
    return out;
}

String Units(std::initializer_list<int> units) {
    String text;
    for (int u : units) text.push_back((char16_t)u);
    return text;
}

}  // namespace

TEST(DataBuffer, BytesReadBackSignExtended) {
    Bytes b{0x01, 0xE9, 0x7F, 0x80};
    EXPECT_EQ(b.buffer.p_PeekBytes2(0, 4), (Array<int>{1, -23, 127, -128}));
    Array<int> out(6, 99);
    b.buffer.p_PeekBytes(1, out, 2, 10);
    EXPECT_EQ(out, (Array<int>{99, 99, -23, 127, -128, 99}));
}

TEST(DataBuffer, RangesAreCutToBufferAndArray) {
    struct Case {
        int address, offset, count;
        const char* after;
    } cases[] = {
        {0, 0, 3, "010203EE"},       // plain
        {2, 0, 9, "EEEE0102"},       // cut by the buffer
        {0, 1, 9, "02030405"},       // four left in the array after offset 1
        {1, 4, 9, "EE05EEEE"},       // cut by the array: one left
        {1, 5, 9, "EEEEEEEE"},       // nothing left in the array
        {4, 0, 2, "EEEEEEEE"},       // address at the end
        {0, 0, -3, "EEEEEEEE"},      // negative count
        {-1, 0, 2, "EEEEEEEE"},      // address before the start
    };
    for (const Case& c : cases) {
        Bytes b{0xEE, 0xEE, 0xEE, 0xEE};
        b.buffer.p_PokeBytes(c.address, Array<int>{1, 2, 3, 4, 0x105}, c.offset, c.count);
        EXPECT_EQ(Hex(b.buffer), c.after) << c.address << " " << c.offset << " " << c.count;
    }
    Bytes b{1, 2, 3};
    EXPECT_TRUE(b.buffer.p_PeekBytes2(3, 5).empty());
    EXPECT_EQ(b.buffer.p_PeekBytes2(1, 5).size(), 2u);
}

TEST(DataBuffer, PokeKeepsLow8Bits) {
    Bytes b{0, 0};
    b.buffer.p_PokeBytes(0, Array<int>{0x1FF, -1}, 0, 2);
    EXPECT_EQ(Hex(b.buffer), "FFFF");
}

TEST(DataBuffer, CopyWithinOneBufferDoesNotSmear) {
    Bytes up{1, 2, 3, 4, 5};
    up.buffer.p_CopyBytes(0, &up.buffer, 1, 3);
    EXPECT_EQ(Hex(up.buffer), "0101020305");
    Bytes down{1, 2, 3, 4, 5};
    down.buffer.p_CopyBytes(1, &down.buffer, 0, 4);
    EXPECT_EQ(Hex(down.buffer), "0203040505");
    // Cut to the destination's room.
    Bytes from{7, 8, 9};
    Bytes to{0, 0};
    from.buffer.p_CopyBytes(0, &to.buffer, 1, 3);
    EXPECT_EQ(Hex(to.buffer), "0007");
}

TEST(DataBuffer, PokeStringWritesWhatFitsAndReturnsFullLength) {
    c_DataBuffer b;
    b.m_new(4);
    EXPECT_EQ(b.p_PokeString(0, Units({0x68, 0xE9, 0x6C, 0x6C, 0x6F}), u"utf8"), 6);
    EXPECT_EQ(Hex(b), "68C3A96C");
    EXPECT_EQ(b.p_PokeString(1, Units({0x20AC}), u"utf8"), 3);
    EXPECT_EQ(Hex(b), "68E282AC");
    // ascii keeps the low 8 bits of each unit.
    EXPECT_EQ(b.p_PokeString(0, Units({0x41, 0x1E9, 0x20AC}), u"ascii"), 3);
    EXPECT_EQ(Hex(b), "41E9ACAC");
}

TEST(DataBuffer, PeekStringDecodesOrFallsBackPerRange) {
    struct Case {
        std::initializer_list<int> bytes;
        const char16_t* encoding;
        String text;
    } cases[] = {
        {{0x61, 0xE9, 0x62}, u"utf8", Units({0x61, 0xFFE9, 0x62})},        // bad lead: whole range byte-wise
        {{0x61, 0xE9, 0x62}, u"ascii", Units({0x61, 0xE9, 0x62})},
        {{0x68, 0xC3, 0xA9}, u"utf8", Units({0x68, 0xE9})},
        {{0xE2, 0x82, 0xAC}, u"utf8", Units({0x20AC})},
        {{0xC0, 0x80}, u"utf8", Units({0x00})},                             // overlong accepted
        {{0xE2, 0x82}, u"utf8", Units({0xFFE2, 0xFF82})},                   // cut off at the end
        {{0x80, 0x41}, u"utf8", Units({0xFF80, 0x41})},                     // stray continuation
        {{0xF0, 0x9F, 0x98, 0x80}, u"utf8", Units({0xFFF0, 0xFF9F, 0xFF98, 0xFF80})},  // four-byte lead
        {{0xC3, 0x41}, u"utf8", Units({0xFFC3, 0x41})},                     // bad continuation
    };
    for (const Case& c : cases) {
        c_DataBuffer b;
        b.m_new((int)c.bytes.size());
        int i = 0;
        for (int v : c.bytes) b.ReadPointer(0)[i++] = (unsigned char)v;
        EXPECT_EQ(b.p_PeekString(0, (int)c.bytes.size(), c.encoding), c.text) << Hex(b);
        EXPECT_EQ(b.p_PeekString2(0, c.encoding), c.text) << Hex(b);
    }
}

TEST(DataBuffer, PeekStringRangeIsCut) {
    Bytes b{0x61, 0x62, 0x63};
    EXPECT_EQ(b.buffer.p_PeekString(1, 0, u"utf8"), String());
    EXPECT_EQ(b.buffer.p_PeekString(1, 50, u"ascii"), String(u"bc"));
    EXPECT_EQ(b.buffer.p_PeekString2(3, u"utf8"), String());
}

TEST(DataBuffer, UnknownEncodingIsARuntimeError) {
    c_DataBuffer b;
    b.m_new(4);
    for (const char16_t* encoding : {u"UTF8", u"utf-8", u""}) {
        try {
            b.p_PeekString(0, 1, encoding);
            ADD_FAILURE() << "no error";
        } catch (const bbRuntimeError& e) {
            EXPECT_EQ(e.message, u"Invalid string encoding:" + String(encoding));
        }
        EXPECT_THROW(b.p_PokeString(0, u"x", encoding), bbRuntimeError);
    }
}

TEST(DataBuffer, BlockIsAttachedOnceAndDiscarded) {
    c_DataBuffer b;
    b.m_new2();
    EXPECT_EQ(b.Length(), 0);
    unsigned char* memory = (unsigned char*)std::malloc(8);
    EXPECT_TRUE(b._New(8, memory));
    EXPECT_EQ(b.Length(), 8);
    EXPECT_FALSE(b._New(4));
    EXPECT_EQ(b.Length(), 8);
    b.Discard();
    EXPECT_EQ(b.Length(), 0);
    b.Discard();
    EXPECT_TRUE(b._New(0));
    EXPECT_EQ(b.p_PeekString2(0, u"utf8"), String());
}

TEST(DataBuffer, ImpossibleSizeIsARuntimeError) {
    c_DataBuffer b;
    try {
        b.m_new(-1);
        ADD_FAILURE() << "no error";
    } catch (const bbRuntimeError& e) {
        EXPECT_EQ(e.message, String(u"Allocate DataBuffer failed"));
    }
}

namespace {
// A host whose LoadData serves one fixed file.
class FileHost : public BBGame {
public:
    unsigned char* LoadData(const String& path, int* length) override {
        if (path != u"data/blob.bin") {
            *length = 0;
            return nullptr;
        }
        unsigned char* block = (unsigned char*)std::malloc(3);
        std::memcpy(block, "\x01\xFE\x7F", 3);
        *length = 3;
        return block;
    }
};
}  // namespace

TEST(DataBuffer, LoadTakesTheHostsWholeFile) {
    FileHost host;
    c_DataBuffer missing;
    EXPECT_FALSE(missing._Load(u"data/none.bin"));
    EXPECT_EQ(missing.Length(), 0);
    c_DataBuffer b;
    ASSERT_TRUE(b._Load(u"data/blob.bin"));
    EXPECT_EQ(b.p_PeekBytes2(0, 3), (Array<int>{1, -2, 127}));
    EXPECT_FALSE(b._Load(u"data/blob.bin"));  // already holds a block
    BBGame::_game = nullptr;
}
