// A host that keeps the state text in memory and lets the test set the clock
// and the date, for the profile tests.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "game/flow_globals.h"
#include "host/bbgame.h"
#include "shell/zump_profile.h"

class ProfileHost : public BBGame {
public:
    String state;
    int saves = 0;
    int clock = 0;
    int date[7] = {2026, 12, 9, 18, 30, 45, 0};

    String LoadState() override { return state; }
    int SaveState(const String& text) override {
        state = text;
        ++saves;
        return 0;
    }
    void GetDate(Array<int>& out) override {
        for (size_t i = 0; i < out.size() && i < 7; ++i) out[i] = date[i];
    }
    int Millisecs() override { return clock; }
};

// A fresh start-up state with this game's number, as the game sets it before
// it loads the profile.
class ProfileTest : public ::testing::Test {
protected:
    ProfileHost host;

    void SetUp() override { Restart(); }

    void Restart() {
        bbInit();
        bb_zump_ZUMP_GameNum = 525;
    }

    static std::vector<String> Fields(const String& text) {
        std::vector<String> fields(1);
        for (char16_t unit : text) {
            if (unit == u'|')
                fields.emplace_back();
            else
                fields.back().push_back(unit);
        }
        return fields;
    }

    static String Join(const std::vector<String>& fields) {
        String text;
        for (size_t i = 0; i < fields.size(); ++i) {
            if (i) text += u'|';
            text += fields[i];
        }
        return text;
    }

    static String Num(int value) { return bbStringFromInt(value); }
};
