#include "shell/zump_profile.h"

#include <cstring>

#include "app/app.h"
#include "game/flow_globals.h"
#include "shell/zump_random.h"
#include "shell/zump_screen.h"

int bb_zump_ZUMP_Set[256];
int bb_zump_ZUMP_Username[16];
int bb_zump_ZUMP_UserIDA;
int bb_zump_ZUMP_UserIDB;
int bb_zump_ZUMP_GameVersion;

namespace {

const char16_t kTag[] = u"ZUMP_v2.0";
const int kSavedSettings = 201;
const int kScores = 10000;
const int kGroup = 32;
// Scores from here on (the last 16) have no group check.
const int kCheckedScores = kScores / kGroup * kGroup;

// The checks are sums kept as remainders with the dividend's sign. Stored values
// may be anything a hand-edited file holds, so the sums are formed in 64 bits
// where no int can overflow them.
int CheckMod(long long sum, int modulus) {
    return (int)(sum % modulus);
}

int SettingsModulus() { return bb_zump_ZUMP_GameNum + 1000; }
int ScoreModulus() { return 23 * bb_zump_ZUMP_GameNum + 1237; }

int ScoreStep(int index, int value, int check) {
    return CheckMod((long long)index + 1 + value + bb_zump_ZUMP_GameNum + check, ScoreModulus());
}

// Hands out the fields of a profile text in order, never reading past its end.
class FieldReader {
public:
    explicit FieldReader(const String& text) : _text(text) {
        // Only whether a position exists matters, and nothing past the last
        // field of a full profile is ever read, so the count can stop there.
        _count = 1;
        for (char16_t unit : text) {
            if (unit == u'|' && ++_count == ZUMP_PROFILE_FIELDS) break;
        }
    }

    // Whether the text has a field at this position.
    bool Has(int position) const { return position < _count; }
    int Next() const { return _next; }

    bool NextIsTag() {
        size_t end = FieldEnd();
        bool same = _text.compare(_pos, end - _pos, kTag) == 0;
        Skip(end);
        return same;
    }

    // The next field as an integer: sign and digits of its first 63 units.
    int NextInt() {
        size_t end = FieldEnd();
        size_t length = end - _pos < 63 ? end - _pos : 63;
        int value = bbStringToInt(_text.substr(_pos, length));
        Skip(end);
        return value;
    }

private:
    size_t FieldEnd() const {
        size_t end = _text.find(u'|', _pos);
        return end == String::npos ? _text.size() : end;
    }
    void Skip(size_t end) {
        _pos = end < _text.size() ? end + 1 : _text.size();
        ++_next;
    }

    const String& _text;
    size_t _pos = 0;
    int _next = 0;
    int _count = 0;
};

void PutField(String& out, int value) {
    out += bbStringFromInt(value);
    out += u'|';
}

}  // namespace

void bb_zump_ProfileInit() {
    std::memset(bb_zump_ZUMP_Set, 0, sizeof bb_zump_ZUMP_Set);
    std::memset(bb_zump_ZUMP_Username, 0, sizeof bb_zump_ZUMP_Username);
    bb_zump_ZUMP_UserIDA = 0;
    bb_zump_ZUMP_UserIDB = 0;
    bb_zump_ZUMP_GameVersion = 1;
}

void bb_zump_SetDefaults() {
    bb_zump_ZUMP_Set[0] = 7;
    bb_zump_ZUMP_Set[1] = 7;
    bb_zump_ZUMP_Set[11] = 1;
    bb_zump_ZUMP_Set[12] = 1;
    bb_zump_ZUMP_Set[21] = 0;
    bb_zump_ZUMP_Set[22] = 0;
}

int bb_zump_SetSet(int slot, int value) {
    if (slot < 0 || slot > 249) return 0;
    if (value != -3717) bb_zump_ZUMP_Set[slot] = value;
    return bb_zump_ZUMP_Set[slot];
}

void bb_zump_NewUser() {
    static const int kName[4] = {46, 65, 77, 69};
    for (int i = 0; i < 4; ++i) bb_zump_ZUMP_Username[i] = kName[i];
    bb_zump_SeedRnd(ZUMP_SEED_FROM_CLOCK);
    Array<int> date = bb_app_GetDate2();
    bb_zump_ZUMP_UserIDA = date[0] * 10000 + date[1] * 100 + date[2];
    // The draw is exact in single precision and so is the product in double,
    // so the floor sees the true value of r x 999.99f.
    int tail = (int)((double)bb_random_Rnd() * (double)999.99f);
    int time = date[3] * 10000000 + date[4] * 100000 + date[5] * 1000 + tail;
    // B may hold anything a stored profile gave it; the sum wraps rather than
    // overflowing.
    bb_zump_ZUMP_UserIDB = (int)((unsigned)bb_zump_ZUMP_UserIDB + (unsigned)time);
}

String bb_zump_MyName() {
    String name;
    for (int i = 0; i < 13; ++i) name.push_back((char16_t)(bb_zump_ZUMP_Username[i] + 32));
    if (name == u"Name         ") return u"Enter Name   ";
    return name;
}

String bb_zump_MyUserID() {
    static const String kZeros = u"00000000000000000";
    String a = kZeros + bbStringFromInt(bb_zump_ZUMP_UserIDA);
    String b = kZeros + bbStringFromInt(bb_zump_ZUMP_UserIDB);
    return a.substr(a.size() - 8) + b.substr(b.size() - 9);
}

String bb_zump_ProfileText() {
    const int settingsModulus = SettingsModulus();
    bb_zump_ZUMP_Set[6] = bb_zump_ZUMP_GameNum;

    String out;
    out.reserve(ZUMP_PROFILE_FIELDS * 3);
    out += kTag;
    out += u'|';

    int a = 0;
    for (int i = 0; i < kSavedSettings; ++i) {
        PutField(out, bb_zump_ZUMP_Set[i]);
        a = CheckMod((long long)a + bb_zump_ZUMP_Set[i], settingsModulus);
    }
    PutField(out, a);

    int b = 0;
    for (int i = 0; i < 16; ++i) {
        PutField(out, bb_zump_ZUMP_Username[i]);
        b = CheckMod((long long)b + bb_zump_ZUMP_Username[i], settingsModulus);
    }
    b = CheckMod((long long)b + bb_zump_ZUMP_UserIDA, settingsModulus);
    b = CheckMod((long long)b + bb_zump_ZUMP_UserIDB, settingsModulus);
    PutField(out, bb_zump_ZUMP_UserIDA);
    PutField(out, bb_zump_ZUMP_UserIDB);
    PutField(out, b);

    int c = 0;
    for (int m = 0; m < kScores; ++m) {
        PutField(out, bb_zump_ZUMP_Score[m]);
        c = ScoreStep(m, bb_zump_ZUMP_Score[m], c);
        if (m < kCheckedScores && m % kGroup == kGroup - 1) {
            PutField(out, c);
            c = 0;
        }
    }
    return out;
}

void bb_zump_Save() {
    bb_app_SaveState(bb_zump_ProfileText());
}

void bb_zump_LoadProfileText(const String& text) {
    const int settingsModulus = SettingsModulus();

    bb_zump_SetDefaults();
    bb_zump_ZUMP_UserIDA = 0;
    bb_zump_NewUser();

    FieldReader fields(text);
    if (!fields.NextIsTag()) return;

    // Settings and check A. The settings read are only kept once the game
    // number among them says the profile is this game's.
    int before[kSavedSettings];
    std::memcpy(before, bb_zump_ZUMP_Set, sizeof before);
    int a = 0;
    for (int slot = 0; slot < kSavedSettings && fields.Has(fields.Next()); ++slot) {
        bb_zump_ZUMP_Set[slot] = fields.NextInt();
        a = CheckMod((long long)a + bb_zump_ZUMP_Set[slot], settingsModulus);
    }
    // A bad check A resets only what the defaults cover; other settings stand.
    if (fields.Has(kSavedSettings + 1) && fields.NextInt() != a) bb_zump_SetDefaults();
    // A profile of another game of the series, or one whose game number was
    // damaged, is ignored as a whole: none of its settings stay behind.
    if (bb_zump_ZUMP_Set[6] != bb_zump_ZUMP_GameNum) {
        std::memcpy(bb_zump_ZUMP_Set, before, sizeof before);
        bb_zump_SetDefaults();
        return;
    }

    // Name and identity with check B.
    int b = 0;
    for (int i = 0; i < 16 && fields.Has(fields.Next()); ++i) {
        bb_zump_ZUMP_Username[i] = fields.NextInt();
        b = CheckMod((long long)b + bb_zump_ZUMP_Username[i], settingsModulus);
    }
    bool identityBroken = false;
    if (fields.Has(219)) {
        bb_zump_ZUMP_UserIDA = fields.NextInt();
        b = CheckMod((long long)b + bb_zump_ZUMP_UserIDA, settingsModulus);
        if (fields.Has(220)) {
            bb_zump_ZUMP_UserIDB = fields.NextInt();
            b = CheckMod((long long)b + bb_zump_ZUMP_UserIDB, settingsModulus);
            if (fields.Has(221) && fields.NextInt() != b) {
                bb_zump_ZUMP_UserIDA = 0;
                bb_zump_ZUMP_UserIDB = 0;
                bb_zump_NewUser();
                identityBroken = true;
            }
        }
    }
    if (!identityBroken && bb_zump_ZUMP_UserIDA == 0) bb_zump_NewUser();

    if (bb_zump_ZUMP_Set[21] > 0) bb_zump_ZUMP_Set[21] = 0;
    bb_zump_ZUMP_Set[23] = 0;
    bb_zump_ZUMP_ScreenshotMode = 0;
    bb_zump_ZUMP_DebugMode = bb_zump_ZUMP_Set[22];

    // Scores in groups of 32, each followed by its check; a group whose check
    // fails is cleared. Scores not in the text keep their values but still
    // count towards their group's check.
    int c = 0;
    for (int m = 0; m < kScores; ++m) {
        if (fields.Has(fields.Next())) bb_zump_ZUMP_Score[m] = fields.NextInt();
        c = ScoreStep(m, bb_zump_ZUMP_Score[m], c);
        if (m < kCheckedScores && m % kGroup == kGroup - 1 && fields.Has(fields.Next())) {
            if (fields.NextInt() != c) std::memset(&bb_zump_ZUMP_Score[m - 31], 0, kGroup * sizeof(int));
            c = 0;
        }
    }
}

void bb_zump_Load() {
    bb_zump_LoadProfileText(bb_app_LoadState());
}
