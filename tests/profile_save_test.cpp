// The profile text: layout, checks, the partial repairs on loading, and the
// identity and name helpers.
#include <cstring>

#include "profile_test_host.h"
#include "shell/zump_screen.h"

namespace {

struct Snapshot {
    int set[201];
    int name[16];
    int idA, idB;
    int score[10000];

    static Snapshot Take() {
        Snapshot s;
        std::memcpy(s.set, bb_zump_ZUMP_Set, sizeof s.set);
        std::memcpy(s.name, bb_zump_ZUMP_Username, sizeof s.name);
        s.idA = bb_zump_ZUMP_UserIDA;
        s.idB = bb_zump_ZUMP_UserIDB;
        std::memcpy(s.score, bb_zump_ZUMP_Score, sizeof s.score);
        return s;
    }
    bool operator==(const Snapshot& o) const { return std::memcmp(this, &o, sizeof *this) == 0; }
};

// Position of the group check after scores 32g .. 32g+31.
int GroupCheckField(int group) { return 222 + 33 * group + 32; }

class ProfileSave : public ProfileTest {
protected:
    // A profile with something in every table, negatives and large values included.
    void FillProfile() {
        for (int i = 0; i < 201; ++i) bb_zump_ZUMP_Set[i] = (i * 37) % 23 - 5;
        bb_zump_ZUMP_Set[21] = 0;
        bb_zump_ZUMP_Set[23] = 0;
        bb_zump_ZUMP_Set[150] = 2147483647;
        bb_zump_ZUMP_Set[151] = -2147483647 - 1;
        const char16_t* name = u"Abc~ xyz 123";
        for (int i = 0; i < 16; ++i) bb_zump_ZUMP_Username[i] = i < 12 ? name[i] - 32 : 0;
        bb_zump_ZUMP_UserIDA = 20240131;
        bb_zump_ZUMP_UserIDB = 235959999;
        for (int m = 0; m < 10000; ++m) bb_zump_ZUMP_Score[m] = (m * 7919) % 2001 - 1000;
        bb_zump_ZUMP_Score[9999] = 2147483647;
    }
};

TEST_F(ProfileSave, CheckAOfTheDefaultSettingsIs541) {
    bb_zump_SetDefaults();
    std::vector<String> fields = Fields(bb_zump_ProfileText());
    EXPECT_EQ(fields[1 + 6], u"525");  // the game number is written on every save
    EXPECT_EQ(fields[202], u"541");
}

TEST_F(ProfileSave, FreshProfileHasDefaultsNewIdentityAndFullLayout) {
    bb_zump_Load();  // nothing stored yet
    EXPECT_EQ(bb_zump_ZUMP_Set[0], 7);
    EXPECT_EQ(bb_zump_ZUMP_Set[1], 7);
    EXPECT_EQ(bb_zump_ZUMP_Set[11], 1);
    EXPECT_EQ(bb_zump_ZUMP_Set[12], 1);
    EXPECT_EQ(bb_zump_MyName(), u"Enter Name   ");
    // Clock 0 seeds the generator whose first draw, 0.5417..., gives the tail 541.
    EXPECT_EQ(bb_zump_MyUserID(), u"20261209183045541");

    bb_zump_Save();
    ASSERT_EQ(host.saves, 1);
    std::vector<String> fields = Fields(host.state);
    ASSERT_EQ(fields.size(), (size_t)ZUMP_PROFILE_FIELDS);
    EXPECT_EQ(fields[0], u"ZUMP_v2.0");
    EXPECT_EQ(fields.back(), u"");
    EXPECT_EQ(fields[203], u"46");
    EXPECT_EQ(fields[219], u"20261209");
    EXPECT_EQ(fields[220], u"183045541");
    // Check B of the name "Name" and that identity.
    long long b = (46 + 65 + 77 + 69 + 20261209LL) % 1525;
    EXPECT_EQ(fields[221], Num((int)((b + 183045541LL) % 1525)));
    // An empty group of 32 scores starting at index m0 has the check
    // sum(m + 1 + 525) over its 32 indices, kept as a remainder of 13312.
    auto emptyGroupCheck = [](int first) {
        int c = 0;
        for (int m = first; m < first + 32; ++m) c = (m + 1 + 525 + c) % 13312;
        return c;
    };
    EXPECT_EQ(fields[GroupCheckField(0)], Num(emptyGroupCheck(0)));
    EXPECT_EQ(fields[GroupCheckField(311)], Num(emptyGroupCheck(9952)));
    for (int p = 10518; p < 10534; ++p) EXPECT_EQ(fields[p], u"0") << p;
}

TEST_F(ProfileSave, SaveThenLoadGivesTheSameProfile) {
    FillProfile();
    bb_zump_ZUMP_Set[22] = 1;
    bb_zump_Save();
    Snapshot saved = Snapshot::Take();

    Restart();
    bb_zump_Load();
    EXPECT_TRUE(Snapshot::Take() == saved);
    EXPECT_EQ(bb_zump_ZUMP_DebugMode, 1);

    // Saving the loaded profile writes the very same text.
    String first = host.state;
    bb_zump_Save();
    EXPECT_EQ(host.state, first);
}

TEST_F(ProfileSave, OneBadGroupCheckClearsThatGroupOnly) {
    FillProfile();
    bb_zump_Save();
    Snapshot saved = Snapshot::Take();
    std::vector<String> fields = Fields(host.state);
    fields[GroupCheckField(1)] = Num(bbStringToInt(fields[GroupCheckField(1)]) + 1);
    host.state = Join(fields);

    Restart();
    bb_zump_Load();
    for (int m = 0; m < 10000; ++m) {
        if (m >= 32 && m < 64)
            ASSERT_EQ(bb_zump_ZUMP_Score[m], 0) << m;
        else
            ASSERT_EQ(bb_zump_ZUMP_Score[m], saved.score[m]) << m;
    }
    EXPECT_EQ(bb_zump_ZUMP_UserIDA, saved.idA);
    EXPECT_EQ(bb_zump_ZUMP_Set[50], saved.set[50]);
}

TEST_F(ProfileSave, EditedScoreFailsItsGroupCheckButTheUncheckedTailLoads) {
    FillProfile();
    bb_zump_Save();
    Snapshot saved = Snapshot::Take();
    std::vector<String> fields = Fields(host.state);
    fields[222 + 33 * 5 + 3] = String(u"99999");  // score 163 in group 5
    fields[10533] = String(u"777");              // score 9999 has no check
    host.state = Join(fields);

    Restart();
    bb_zump_Load();
    for (int m = 160; m < 192; ++m) ASSERT_EQ(bb_zump_ZUMP_Score[m], 0) << m;
    EXPECT_EQ(bb_zump_ZUMP_Score[159], saved.score[159]);
    EXPECT_EQ(bb_zump_ZUMP_Score[192], saved.score[192]);
    EXPECT_EQ(bb_zump_ZUMP_Score[9999], 777);
}

TEST_F(ProfileSave, BadCheckAResetsOnlyTheDefaultedSettings) {
    FillProfile();
    bb_zump_Save();
    Snapshot saved = Snapshot::Take();
    std::vector<String> fields = Fields(host.state);
    fields[1 + 0] = String(u"3");   // music volume edited without fixing check A
    fields[1 + 40] = String(u"9");  // a setting the defaults do not cover
    host.state = Join(fields);

    Restart();
    bb_zump_Load();
    EXPECT_EQ(bb_zump_ZUMP_Set[0], 7);
    EXPECT_EQ(bb_zump_ZUMP_Set[1], 7);
    EXPECT_EQ(bb_zump_ZUMP_Set[11], 1);
    EXPECT_EQ(bb_zump_ZUMP_Set[22], 0);
    EXPECT_EQ(bb_zump_ZUMP_Set[40], 9);
    EXPECT_EQ(bb_zump_ZUMP_Set[150], saved.set[150]);
    // The rest of the profile is untouched by a bad check A.
    EXPECT_EQ(bb_zump_ZUMP_UserIDB, saved.idB);
    EXPECT_EQ(bb_zump_ZUMP_Score[100], saved.score[100]);
}

TEST_F(ProfileSave, BadCheckBGivesANewIdentity) {
    FillProfile();
    bb_zump_Save();
    Snapshot saved = Snapshot::Take();
    std::vector<String> fields = Fields(host.state);
    fields[220] = Num(saved.idB - 1);
    host.state = Join(fields);

    Restart();
    host.clock = 42;
    host.date[3] = 7;
    bb_zump_Load();
    EXPECT_EQ(bb_zump_MyUserID(), u"20261209073045180");
    // The new identity renames the player "Name" but keeps the rest of the codes.
    EXPECT_EQ(bb_zump_MyName(), u"Name xyz 123 ");
    EXPECT_EQ(bb_zump_ZUMP_Score[5], saved.score[5]);
}

TEST_F(ProfileSave, RejectedProfilesKeepDefaultsAndTheStartUpIdentity) {
    FillProfile();
    bb_zump_Save();
    std::vector<String> good = Fields(host.state);

    struct Case {
        const char* what;
        int field;
        const char16_t* value;
    } cases[] = {
        {"another game of the series", 1 + 6, u"524"},
        {"wrong tag", 0, u"ZUMP_v1.0"},
        {"tag with trailing space", 0, u"ZUMP_v2.0 "},
    };
    for (const Case& c : cases) {
        std::vector<String> fields = good;
        fields[c.field] = String(c.value);
        if (c.field == 7) fields[202] = Num(bbStringToInt(fields[202]) - 1);  // keep check A right
        host.state = Join(fields);

        Restart();
        bb_zump_ZUMP_Set[40] = -1;  // not covered by the defaults and not read
        bb_zump_Load();
        EXPECT_EQ(bb_zump_ZUMP_Set[0], 7) << c.what;
        EXPECT_EQ(bb_zump_ZUMP_Set[40], -1) << c.what;
        EXPECT_EQ(bb_zump_MyName(), u"Enter Name   ") << c.what;
        EXPECT_EQ(bb_zump_MyUserID(), u"20261209183045541") << c.what;
        EXPECT_EQ(bb_zump_ZUMP_Score[0], 0) << c.what;
    }
}

TEST_F(ProfileSave, LoadClearsTheScreenshotModeAndSlot21) {
    struct Case {
        int slot21, slot22;
        int want21;
    } cases[] = {{5, 1, 0}, {-4, 0, -4}, {0, 1, 0}};
    for (const Case& c : cases) {
        Restart();
        bb_zump_SetDefaults();
        bb_zump_ZUMP_Set[21] = c.slot21;
        bb_zump_ZUMP_Set[22] = c.slot22;
        bb_zump_ZUMP_Set[23] = 1;
        bb_zump_Save();
        Restart();
        bb_zump_ZUMP_ScreenshotMode = 1;
        bb_zump_Load();
        EXPECT_EQ(bb_zump_ZUMP_Set[21], c.want21);
        EXPECT_EQ(bb_zump_ZUMP_Set[23], 0);
        EXPECT_EQ(bb_zump_ZUMP_ScreenshotMode, 0);
        EXPECT_EQ(bb_zump_ZUMP_DebugMode, c.slot22);
    }
}

TEST_F(ProfileSave, StoredZeroIdentityIsReplacedAndMissingFieldsKeepValues) {
    bb_zump_SetDefaults();
    bb_zump_ZUMP_UserIDA = 0;
    bb_zump_ZUMP_UserIDB = 1000;
    bb_zump_Save();
    Restart();
    bb_zump_Load();
    // A zero date is never kept; the time part is added to the stored B.
    EXPECT_EQ(bb_zump_ZUMP_UserIDA, 20261209);
    EXPECT_EQ(bb_zump_ZUMP_UserIDB, 1000 + 183045541);

    // Cut after the name: the start-up identity stands, scores keep their values.
    std::vector<String> fields = Fields(host.state);
    fields.resize(219);
    host.state = Join(fields);
    Restart();
    bb_zump_ZUMP_Score[7] = 12;
    bb_zump_Load();
    EXPECT_EQ(bb_zump_MyUserID(), u"20261209183045541");
    EXPECT_EQ(bb_zump_ZUMP_Score[7], 12);
}

TEST_F(ProfileSave, NewUserRenamesAndAddsTheTimeToB) {
    for (int i = 0; i < 16; ++i) bb_zump_ZUMP_Username[i] = 33 + i;
    bb_zump_ZUMP_UserIDB = 5;
    host.clock = 1000;
    bb_zump_NewUser();
    EXPECT_EQ(bb_zump_ZUMP_Username[0], 46);
    EXPECT_EQ(bb_zump_ZUMP_Username[3], 69);
    EXPECT_EQ(bb_zump_ZUMP_Username[4], 37);
    EXPECT_EQ(bb_zump_ZUMP_Username[15], 48);
    EXPECT_EQ(bb_zump_ZUMP_UserIDA, 20261209);
    EXPECT_EQ(bb_zump_ZUMP_UserIDB, 5 + 183045370);
}

TEST_F(ProfileSave, MyUserIDIsEightAndNineDigits) {
    struct Case {
        int a, b;
        const char16_t* id;
    } cases[] = {
        {20261209, 183045123, u"20261209183045123"},
        {20261209, 5, u"20261209000000005"},
        {0, 0, u"00000000000000000"},
        {123456789, 1234567890, u"23456789234567890"},
        {-5, -7, u"000000-50000000-7"},
    };
    for (const Case& c : cases) {
        bb_zump_ZUMP_UserIDA = c.a;
        bb_zump_ZUMP_UserIDB = c.b;
        EXPECT_EQ(bb_zump_MyUserID(), c.id) << c.a << " " << c.b;
    }
}

TEST_F(ProfileSave, MyNameIsThirteenCharacters) {
    auto setName = [](const char16_t* text) {
        std::memset(bb_zump_ZUMP_Username, 0, sizeof bb_zump_ZUMP_Username);
        for (int i = 0; text[i]; ++i) bb_zump_ZUMP_Username[i] = text[i] - 32;
    };
    setName(u"Name");
    EXPECT_EQ(bb_zump_MyName(), u"Enter Name   ");
    setName(u"Abc");
    EXPECT_EQ(bb_zump_MyName(), u"Abc          ");
    setName(u"Name  x");
    EXPECT_EQ(bb_zump_MyName(), u"Name  x      ");
    setName(u"ABCDEFGHIJKLMNOP");  // codes 13-15 are not part of the name
    EXPECT_EQ(bb_zump_MyName(), u"ABCDEFGHIJKLM");
}

TEST_F(ProfileSave, SetSetReadsAndWritesSlots0To249Only) {
    bb_zump_ZUMP_Set[22] = 1;
    EXPECT_EQ(bb_zump_SetSet(22), 1);
    EXPECT_EQ(bb_zump_SetSet(249, 8), 8);
    EXPECT_EQ(bb_zump_ZUMP_Set[249], 8);
    EXPECT_EQ(bb_zump_SetSet(0, -3716), -3716);
    struct {
        int slot, value;
    } outside[] = {{300, 4}, {250, 4}, {-1, 4}, {255, -3717}};
    for (auto c : outside) {
        int before[256];
        std::memcpy(before, bb_zump_ZUMP_Set, sizeof before);
        EXPECT_EQ(bb_zump_SetSet(c.slot, c.value), 0) << c.slot;
        EXPECT_EQ(std::memcmp(before, bb_zump_ZUMP_Set, sizeof before), 0) << c.slot;
    }
}

}  // namespace
