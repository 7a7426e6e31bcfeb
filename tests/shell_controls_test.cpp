// Unified controls: keyboard and joystick blocks, easing, dead zones,
// inversion, mixing, the pointer table and the drag stick.
#include "shell_test_host.h"

#include "game/flow_globals.h"
#include "shell/zump_controls.h"
#include "shell/zump_profile.h"

namespace {

class ControlsTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        bb_zump_FitScreen(640, 480);  // 0.8 device pixels per unit
    }

    void Update() {
        input->p_BeginUpdate();
        bb_zump_MergePointers();
        bb_zump_DoControls();
        input->p_EndUpdate();
    }

    static float Key(int block, int offset) { return bb_zump_ZUMP_Control[100 * block + offset]; }

    void Stick(int unit, float x, float y, float x2 = 0, float y2 = 0) {
        c_JoyState* s = input->m_joyStates[unit];
        s->m_joyx[0] = x;
        s->m_joyy[0] = y;
        s->m_joyx[1] = x2;
        s->m_joyy[1] = y2;
    }
};

TEST_F(ControlsTest, KeyboardAxisEasesInAndOut) {
    Press(39);  // Right arrow
    const float in[] = {0.4f, 0.8f, 1, 1};
    for (float v : in) {
        Update();
        EXPECT_FLOAT_EQ(Key(0, 21), v);
        EXPECT_EQ(Key(0, 5), 1);
    }
    Release(39);
    const float out[] = {0.75f, 0.5f, 0.25f, 0, 0};
    for (float v : out) {
        Update();
        EXPECT_NEAR(Key(0, 21), v, 1e-6);
        EXPECT_EQ(Key(0, 5), 0);
    }

    Press('W');
    Update();
    EXPECT_FLOAT_EQ(Key(0, 22), -0.4f);
    EXPECT_EQ(Key(0, 0), 1);
}

TEST_F(ControlsTest, OpposingKeysCancelAndFlagBoth) {
    Press('D');
    Update();
    Press('A');
    Update();
    EXPECT_FLOAT_EQ(Key(0, 21), 0.4f);
    EXPECT_EQ(Key(0, 3), 1);
    EXPECT_EQ(Key(0, 5), 1);
}

TEST_F(ControlsTest, KeyboardTableCoversEveryControl) {
    struct Case {
        int key, offset;
    };
    const Case cases[] = {
        {38, 0},  {'W', 0},  {104, 0},  {40, 8},   {'S', 8},   {98, 8},   {101, 8},  {37, 3},
        {'A', 3}, {100, 3},  {39, 5},   {'D', 5},  {102, 5},   {'Z', 10}, {'J', 10}, {32, 10},
        {13, 10}, {'X', 11}, {'K', 11}, {17, 11},  {'C', 12},  {'L', 12}, {16, 12},  {'V', 13},
        {'I', 13}, {'B', 14}, {'U', 14}, {'N', 15}, {'O', 15}, {27, 20},  {192, 20}, {46, 20},
        {8, 20},
    };
    for (const Case& c : cases) {
        Press(c.key);
        Update();
        EXPECT_EQ(Key(0, c.offset), 1) << "key " << c.key;
        Release(c.key);
        Update();
        EXPECT_EQ(Key(0, c.offset), 0) << "key " << c.key;
    }
}

TEST_F(ControlsTest, JoystickDeadZonesAndInversion) {
    bb_zump_ZUMP_Set[11] = 0;
    Stick(0, 0.2f, 0.25f);
    Update();
    EXPECT_EQ(Key(1, 21), 0);
    EXPECT_EQ(Key(1, 22), 0);

    Stick(0, 0.2f, 0.5f);
    Update();
    EXPECT_FLOAT_EQ(Key(1, 21), 0.2f);
    EXPECT_FLOAT_EQ(Key(1, 22), 0.5f);
    EXPECT_EQ(Key(1, 8), 1);
    EXPECT_EQ(Key(1, 0) + Key(1, 3) + Key(1, 5), 0);

    // Inverted, pushing the stick down reads as up.
    bb_zump_ZUMP_Set[11] = 1;
    Update();
    EXPECT_FLOAT_EQ(Key(1, 22), -0.5f);
    EXPECT_EQ(Key(1, 0), 1);
    EXPECT_EQ(Key(1, 8), 0);

    // Back to centre, the axis eases out as a key would.
    Stick(0, 0, 0);
    Update();
    EXPECT_FLOAT_EQ(Key(1, 22), -0.25f);
}

TEST_F(ControlsTest, SecondStickOnlyOutsideTheDeadZone) {
    bb_zump_ZUMP_Set[12] = 1;
    Stick(2, 0, 0, 0.1f, 0.2f);
    Update();
    EXPECT_EQ(Key(3, 31), 0);
    EXPECT_EQ(Key(3, 32), 0);
    Stick(2, 0, 0, 0.1f, 0.6f);
    Update();
    EXPECT_FLOAT_EQ(Key(3, 31), 0.1f);
    EXPECT_FLOAT_EQ(Key(3, 32), -0.6f);
    EXPECT_FLOAT_EQ(bb_zump_ControlY(2, 1), -0.6f);
}

TEST_F(ControlsTest, JoystickButtonsAndHat) {
    struct Case {
        int button, offset;
    };
    const Case cases[] = {{0, 10}, {5, 15}, {6, 20}, {7, 20}, {14, 20}, {8, 3}, {9, 0}, {10, 5}, {11, 8}};
    for (const Case& c : cases) {
        Press(256 + 32 * 1 + c.button);
        Update();
        EXPECT_EQ(Key(2, c.offset), 1) << "button " << c.button;
        Release(256 + 32 * 1 + c.button);
        Update();
        EXPECT_EQ(Key(2, c.offset), 0) << "button " << c.button;
    }
}

TEST_F(ControlsTest, MixingAddsTheKeyboardIntoTheFirstPad) {
    bb_zump_MixControls(1);
    Press(32);
    Update();
    EXPECT_EQ(bb_zump_PlayKey(10, -2), 2);
    EXPECT_EQ(bb_zump_PlayKey(10, -1), 1);
    EXPECT_EQ(bb_zump_PlayKey(10, -3), 1);
    EXPECT_EQ(bb_zump_PlayKey(10, 1), 0);

    Press(256 + 6);  // back on pad 0
    Update();
    EXPECT_EQ(bb_zump_PlayKey(99, -2), 1);
    EXPECT_EQ(bb_zump_PlayKey(99, 0), 1);
    EXPECT_EQ(bb_zump_PlayKey(99, 7), 0);
    EXPECT_EQ(bb_zump_PlayKey(150, -2), 0);

    Press('D');
    Update();
    EXPECT_FLOAT_EQ(bb_zump_ControlX(-1, 0), 0.4f);
    Update();
    // The pad's copy eases like its own axis, then takes the keyboard's value again.
    EXPECT_FLOAT_EQ(bb_zump_ControlX(-1, 0), 0.15f + 0.8f);
    Update();
    EXPECT_FLOAT_EQ(bb_zump_ControlX(-1, 0), 1);

    bb_zump_MixControls(0);
    EXPECT_FLOAT_EQ(bb_zump_ControlX(-1, 0), 1) << "unmixed, player -1 reads the keyboard";
    EXPECT_EQ(bb_zump_ControlX(-2, 0), 0);
}

TEST_F(ControlsTest, PointerTableInVirtualUnits) {
    MouseDown(80, 40);
    Update();
    EXPECT_EQ(bb_zump_ZUMP_Touch[0], 1);
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_Touch[1], 100);
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_Touch[2], 50);
    EXPECT_EQ(bb_zump_ZUMP_Touch[100], 1);
    EXPECT_EQ(bb_zump_mdAll, 1);
    EXPECT_EQ(bb_zump_mx, 100);
    EXPECT_EQ(bb_zump_my, 50);

    EXPECT_EQ(bb_zump_MouseIn(90, 40, 10, 10), 1) << "edges count";
    EXPECT_EQ(bb_zump_MouseIn(90, 40, 9.9f, 10), 0);
    EXPECT_EQ(bb_zump_MouseIn_Centered(95, 45, 10, 10), 1);
    EXPECT_EQ(bb_zump_MouseIn_Centered(95, 45, 9, 9), 0);
    EXPECT_EQ(bb_zump_MouseIn_Radius(103, 54, 5), 1);
    EXPECT_EQ(bb_zump_MouseIn_Radius(103, 54, 4.9f), 0);

    MouseUp();
    bb_zump_mdis[0] = 1;
    Update();
    EXPECT_EQ(bb_zump_mdAll, 0);
    EXPECT_EQ(bb_zump_MouseIn(0, 0, 800, 600), 0);
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_Touch[1], 100) << "the last position is kept";
    EXPECT_EQ(bb_zump_mdis[0], 0) << "no pointer down frees the first mouse latch";
    EXPECT_EQ(bb_zump_mwx, -100);
}

TEST_F(ControlsTest, DragStickSaturatesAndTheAnchorFollows) {
    bb_zump_AllowMouseAnalogue(1);
    Update();  // with the pointer up there is no anchor yet
    MouseDown(80, 80);  // (100, 100) in virtual units
    Update();
    EXPECT_EQ(bb_zump_mPadcx, 100);
    EXPECT_FLOAT_EQ(bb_zump_mPadx, 0);

    MouseMove(160, 80);  // 100 units right
    Update();
    EXPECT_FLOAT_EQ(bb_zump_mPadx, 1);
    EXPECT_EQ(bb_zump_mPadcx, 108);
    EXPECT_EQ(bb_zump_msx, 100);
    EXPECT_FLOAT_EQ(bb_zump_ControlX(0, 0), 1) << "a held pointer overrides the stick";
    EXPECT_FLOAT_EQ(bb_zump_ControlX(-2, 0), 1);

    const int anchors[] = {116, 124, 132, 140, 140};
    for (int a : anchors) {
        Update();
        EXPECT_EQ(bb_zump_mPadcx, a);
    }
    EXPECT_FLOAT_EQ(bb_zump_mPadx, 60.0f / 64) << "within 64 units the stick reads the distance again";
    EXPECT_EQ(bb_zump_msx, 0);

    MouseMove(80, 80);
    Update();
    EXPECT_FLOAT_EQ(bb_zump_mPadx, -40.0f / 64);

    MouseUp();
    Update();
    EXPECT_EQ(bb_zump_mPadcx, -100);
    EXPECT_FLOAT_EQ(bb_zump_mPadx, -40.0f / 64) << "the stick keeps its last value";
    EXPECT_FLOAT_EQ(bb_zump_ControlX(0, 0), 0) << "released, the block is read again";
}

TEST_F(ControlsTest, ButtonHitBoxFollowsTheScaledFrame) {
    PutImage(80, 16, 64);
    MouseDown(80, 80);  // (100, 100)
    Update();
    bb_zump_SetSize(0.5f);
    EXPECT_EQ(bb_zump_Button(80, 115, 115, 3), 1);
    EXPECT_EQ(bb_zump_Button(80, 117, 100, 3), 0);
    EXPECT_EQ(bb_zump_Sprtup, 2);
    EXPECT_EQ(bb_zump_Button(100, 100, 100, 0), 0);
    EXPECT_EQ(bb_zump_Sprtup, 2);
}

TEST_F(ControlsTest, GuessControlMethodAndLocks) {
    Update();
    bb_zump_GuessControlMethod();
    EXPECT_EQ(bb_zump_KeyPadMouse, 1);
    Press('J');
    Update();
    bb_zump_GuessControlMethod();
    EXPECT_EQ(bb_zump_KeyPadMouse, 0);
    MouseDown(10, 10);
    Update();
    bb_zump_GuessControlMethod();
    EXPECT_EQ(bb_zump_KeyPadMouse, 2);

    bb_zump_LockKeys();
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(bb_zump_kdis[i], 1);
        EXPECT_EQ(bb_zump_mdis[i], 1);
    }
}

}  // namespace
