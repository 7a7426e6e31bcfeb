// Raw input through the GLFW callbacks into the input state: host codes,
// characters, hits, the mouse/touch alias, queue limits and joysticks.
#include <gtest/gtest.h>

#include <GLFW/glfw3.h>

#include "support/test_host.h"

namespace {

TEST(InputTranslate, GlfwKeysMapToHostCodes) {
    struct Case {
        int glfw, host;
    } cases[] = {
        {GLFW_KEY_A, 65},           {GLFW_KEY_Z, 90},          {GLFW_KEY_0, 48},          {GLFW_KEY_9, 57},
        {GLFW_KEY_SPACE, 32},       {GLFW_KEY_APOSTROPHE, 222}, {34, 222},                {126, 192},
        {GLFW_KEY_GRAVE_ACCENT, 192}, {GLFW_KEY_SEMICOLON, 186}, {GLFW_KEY_RIGHT_BRACKET, 221},
        {GLFW_KEY_ESCAPE, 27},      {GLFW_KEY_ENTER, 13},      {GLFW_KEY_BACKSPACE, 8},   {GLFW_KEY_DELETE, 46},
        {GLFW_KEY_RIGHT, 39},       {GLFW_KEY_UP, 38},         {GLFW_KEY_HOME, 36},       {GLFW_KEY_END, 35},
        {GLFW_KEY_F1, 112},         {GLFW_KEY_F12, 123},       {GLFW_KEY_KP_0, 96},       {GLFW_KEY_KP_9, 105},
        {GLFW_KEY_KP_DECIMAL, 110}, {GLFW_KEY_KP_ADD, 107},    {GLFW_KEY_LEFT_SHIFT, 16}, {GLFW_KEY_RIGHT_SHIFT, 16},
        {GLFW_KEY_LEFT_CONTROL, 17}, {GLFW_KEY_RIGHT_CONTROL, 17},
        // No event at all:
        {GLFW_KEY_RIGHT_ALT, 0},    {GLFW_KEY_KP_ENTER, 0},    {GLFW_KEY_F13, 0},         {GLFW_KEY_CAPS_LOCK, 0},
        {GLFW_KEY_MENU, 0},         {GLFW_KEY_WORLD_1, 0},     {GLFW_KEY_UNKNOWN, 0},     {31, 0},
        {346, 0},                   {GLFW_KEY_LAST, 0},        {100000, 0},               {'a', 0},
    };
    for (const Case& c : cases) EXPECT_EQ(BBGlfwGame::TransKey(c.glfw), c.host) << "GLFW key " << c.glfw;
}

TEST(InputTranslate, EditingKeysHaveCharacters) {
    struct Case {
        int host, chr;
    } cases[] = {
        {8, 8},         {9, 9},         {13, 13}, {27, 27}, {33, 0x10021}, {37, 65573},
        {40, 0x10028},  {45, 0x1002D},  {46, 127}, {32, 0},  {65, 0},       {41, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(BBGlfwGame::KeyToChar(c.host), c.chr) << "host key " << c.host;
}

TEST(InputTranslate, JoystickLayouts) {
    float axes[6] = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f};
    unsigned char buttons[16] = {};
    float x[2], y[2], z[2];
    bool host[32];

    // Pad: 5 axes, 14 buttons; its hat is GLFW buttons 10 to 13 (up, right, down, left).
    buttons[13] = GLFW_PRESS;  // hat left
    buttons[10] = GLFW_PRESS;  // hat up
    buttons[0] = GLFW_PRESS;
    BBGlfwGame::MapJoystick(axes, 5, buttons, 14, x, y, z, host);
    EXPECT_EQ(x[0], 0.1f);
    EXPECT_EQ(y[0], -0.2f);
    EXPECT_EQ(z[0], 0.3f);
    EXPECT_EQ(x[1], 0.5f);
    EXPECT_EQ(y[1], -0.4f);
    EXPECT_EQ(z[1], -0.3f);
    bool expectedPad[32] = {true, false, false, false, false, false, false, false, true, true};
    for (int m = 0; m < 32; ++m) EXPECT_EQ(host[m], expectedPad[m]) << "pad button " << m;

    // Generic: 12 buttons and a hat (GLFW 12 to 15); triggers are buttons 6 and 7.
    unsigned char generic[16] = {};
    generic[1] = GLFW_PRESS;   // host 0
    generic[6] = GLFW_PRESS;   // joyz[0]
    generic[14] = GLFW_PRESS;  // hat down -> host 11
    generic[15] = GLFW_PRESS;  // hat left -> host 8
    BBGlfwGame::MapJoystick(axes, 4, generic, 16, x, y, z, host);
    EXPECT_EQ(x[0], 0.1f);
    EXPECT_EQ(y[0], 0.2f);
    EXPECT_EQ(z[0], 1.0f);
    EXPECT_EQ(x[1], 0.3f);
    EXPECT_EQ(y[1], -0.4f);
    EXPECT_EQ(z[1], 0.0f);
    bool expectedGeneric[32] = {true, false, false, false, false, false, false, false, true, false, false, true};
    for (int m = 0; m < 32; ++m) EXPECT_EQ(host[m], expectedGeneric[m]) << "generic button " << m;

    // A small joystick: what it does not have reads as centred and released.
    unsigned char two[2] = {GLFW_PRESS, GLFW_PRESS};
    BBGlfwGame::MapJoystick(axes, 2, two, 2, x, y, z, host);
    EXPECT_EQ(x[1], 0.0f);
    EXPECT_EQ(y[1], 0.0f);
    EXPECT_EQ(z[0], 0.0f);
    EXPECT_TRUE(host[0]);   // GLFW button 1
    EXPECT_FALSE(host[1]);  // GLFW button 2 is not there
    EXPECT_TRUE(host[2]);   // GLFW button 0
}

class InputEvents : public ::testing::Test {
protected:
    TestHost host;
    InputDelegate delegate;
    c_InputDevice* in = delegate.input;

    void SetUp() override {
        host.SetDelegate(&delegate);
        host.StartGame();
    }
    static void Key(int key, int action) { BBGlfwGame::OnKey(nullptr, key, 0, action, 0); }
    static void Button(int button, int action) { BBGlfwGame::OnMouseButton(nullptr, button, action, 0); }
    std::vector<int> Chars() const { return std::vector<int>(in->m_charQueue, in->m_charQueue + in->m_charPut); }
    void Update() { host.UpdateGame(); }
};

TEST_F(InputEvents, KeyEventsBeforeStartAreIgnored) {
    TestHost fresh;
    InputDelegate idle;
    fresh.SetDelegate(&idle);
    Key(GLFW_KEY_A, GLFW_PRESS);
    EXPECT_FALSE(idle.input->p_KeyDown(65));
}

TEST_F(InputEvents, AutoRepeatRepeatsEditingCharactersButNotHits) {
    Key(GLFW_KEY_A, GLFW_PRESS);
    Key(GLFW_KEY_A, GLFW_REPEAT);
    Key(GLFW_KEY_BACKSPACE, GLFW_PRESS);
    Key(GLFW_KEY_BACKSPACE, GLFW_REPEAT);
    Key(GLFW_KEY_DELETE, GLFW_PRESS);
    Key(GLFW_KEY_LEFT, GLFW_PRESS);
    BBGlfwGame::OnChar(nullptr, 0x1F600);
    EXPECT_EQ(in->p_KeyHit(65), 1);
    EXPECT_EQ(in->p_KeyHit(8), 1);
    EXPECT_TRUE(in->p_KeyDown(46));
    EXPECT_TRUE(in->p_KeyDown(37));
    // Letters type through OnChar only; the editing keys add their characters.
    EXPECT_EQ(Chars(), std::vector<int>({8, 8, 127, 65573, 0x1F600}));
    Key(GLFW_KEY_A, GLFW_RELEASE);
    EXPECT_FALSE(in->p_KeyDown(65));
    Key(GLFW_KEY_F13, GLFW_PRESS);
    Key(GLFW_KEY_RIGHT_ALT, GLFW_PRESS);
    EXPECT_EQ(in->m_keyHitPut, 4);
}

TEST_F(InputEvents, HitsCountPressesBetweenUpdatesAndAreClearedAfterOne) {
    for (int i = 0; i < 3; ++i) {
        Key(GLFW_KEY_SPACE, GLFW_PRESS);
        Key(GLFW_KEY_SPACE, GLFW_RELEASE);
    }
    Key(GLFW_KEY_X, GLFW_PRESS);
    Key(GLFW_KEY_X, GLFW_RELEASE);
    int hitsSeen = -1, xSeen = -1;
    bool downSeen = true;
    delegate.onUpdate = [&] {
        hitsSeen = bb_input_KeyHit(32);
        xSeen = bb_input_KeyHit(88);
        downSeen = bb_input_KeyDown(88);
    };
    bb_input_SetInputDevice(in);
    Update();
    EXPECT_EQ(hitsSeen, 3);
    EXPECT_EQ(xSeen, 1);
    EXPECT_FALSE(downSeen);
    Update();
    EXPECT_EQ(hitsSeen, 0);
    bb_input_SetInputDevice(nullptr);
}

TEST_F(InputEvents, LeftButtonAndFirstFingerAreOneKey) {
    host.cursorX = 30;
    host.cursorY = 40;
    Button(GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS);
    EXPECT_TRUE(in->p_KeyDown(1));
    EXPECT_TRUE(in->p_KeyDown(384));
    EXPECT_EQ(in->p_KeyHit(384), 1);
    EXPECT_EQ(in->p_MouseX(), 30);
    EXPECT_EQ(in->p_TouchY(0), 40);

    BBGlfwGame::OnCursorPos(nullptr, 50, 60);
    EXPECT_EQ(in->p_MouseX(), 50);
    EXPECT_EQ(in->p_TouchX(0), 50);
    host.cursorX = 99;
    Button(GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE);
    EXPECT_FALSE(in->p_KeyDown(384));
    EXPECT_EQ(in->p_MouseX(), 50);  // a release does not move the recorded position

    in->p_TouchEvent(c_BBGameEvent::TouchDown, 0, 7, 8);
    EXPECT_TRUE(in->p_KeyDown(1));
    EXPECT_EQ(in->p_MouseY(), 8);
    in->p_TouchEvent(c_BBGameEvent::TouchUp, 0, 0, 0);
    EXPECT_FALSE(in->p_KeyDown(1));

    Button(GLFW_MOUSE_BUTTON_RIGHT, GLFW_PRESS);
    Button(GLFW_MOUSE_BUTTON_MIDDLE, GLFW_PRESS);
    Button(GLFW_MOUSE_BUTTON_4, GLFW_PRESS);
    EXPECT_TRUE(in->p_KeyDown(2));
    EXPECT_TRUE(in->p_KeyDown(3));
    EXPECT_FALSE(in->p_KeyDown(4));
}

TEST_F(InputEvents, ThirtyThreeHitsFitBetweenClearsTheThirtyFourthIsNotCounted) {
    // The left button takes two entries (its touch alias).
    Button(GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS);
    for (int i = 0; i < 30; ++i) {
        Key(GLFW_KEY_A, GLFW_PRESS);
        Key(GLFW_KEY_A, GLFW_RELEASE);
    }
    Key(GLFW_KEY_B, GLFW_PRESS);
    EXPECT_EQ(in->m_keyHitPut, 33);
    Key(GLFW_KEY_C, GLFW_PRESS);  // the 34th
    EXPECT_EQ(in->p_KeyHit(66), 1);
    EXPECT_EQ(in->p_KeyHit(67), 0);
    EXPECT_TRUE(in->p_KeyDown(67));
    Update();
    for (int code : {1, 384, 65, 66}) EXPECT_EQ(in->p_KeyHit(code), 0) << code;
    Key(GLFW_KEY_D, GLFW_PRESS);
    EXPECT_EQ(in->p_KeyHit(68), 1);
}

TEST_F(InputEvents, CharacterQueueHoldsThirtyTwoUntilTheUpdateEnds) {
    for (int i = 0; i < 40; ++i) BBGlfwGame::OnChar(nullptr, 'a' + i % 26);
    EXPECT_EQ(in->m_charPut, 32);
    EXPECT_EQ(in->m_charQueue[31], 'a' + 31 % 26);
    Update();
    EXPECT_EQ(in->m_charPut, 0);
}

TEST_F(InputEvents, JoystickButtonsArePolledAtEachUpdate) {
    host.joyPorts = 2;
    host.joyButtons[1][3] = true;
    host.joyAxis[1] = 0.75f;
    int hit = 0;
    delegate.onUpdate = [&] { hit = in->p_KeyHit(256 + 32 + 3); };
    Update();
    EXPECT_EQ(hit, 1);
    EXPECT_TRUE(in->p_KeyDown(256 + 32 + 3));
    EXPECT_EQ(in->p_JoyX(0, 1), 0.75f);
    EXPECT_EQ(in->p_JoyY(0, 1), -0.75f);
    Update();
    EXPECT_EQ(hit, 0);  // still held: no new hit
    // Polling stops at the first port that fails.
    EXPECT_EQ(host.joyPolls[2], 2);
    EXPECT_EQ(host.joyPolls[3], 0);

    // A port whose poll fails keeps its buttons' last state.
    host.joyPorts = 1;
    host.joyButtons[1][3] = false;
    Update();
    EXPECT_TRUE(in->p_KeyDown(256 + 32 + 3));
    host.joyPorts = 2;
    Update();
    EXPECT_FALSE(in->p_KeyDown(256 + 32 + 3));
}

TEST(InputQueries, RangeChecks) {
    c_InputDevice* in = (new c_InputDevice())->m_new();
    bb_input_SetInputDevice(in);
    for (int key : {1, 256, 383, 384, 416, 511}) in->p_KeyEvent(c_BBGameEvent::KeyDown, key);
    // Codes outside the table are ignored rather than written past it.
    for (int key : {0, -1, 512, 100000}) in->p_KeyEvent(c_BBGameEvent::KeyDown, key);
    in->p_TouchEvent(c_BBGameEvent::TouchMove, 40, 1, 1);

    EXPECT_FALSE(bb_input_KeyDown(0));
    EXPECT_FALSE(bb_input_KeyDown(512));
    EXPECT_EQ(bb_input_KeyHit(-5), 0);
    EXPECT_TRUE(bb_input_KeyDown(511));
    EXPECT_TRUE(bb_input_MouseDown(0));
    EXPECT_TRUE(bb_input_MouseDown(510));
    EXPECT_FALSE(bb_input_MouseDown(-1));
    EXPECT_FALSE(bb_input_MouseDown(511));
    EXPECT_TRUE(bb_input_TouchDown(0));
    EXPECT_TRUE(bb_input_TouchDown(-383));  // code 1, the left button
    EXPECT_FALSE(bb_input_TouchDown(-384));
    EXPECT_FALSE(bb_input_TouchDown(128));
    EXPECT_TRUE(bb_input_JoyDown(0, 0));
    EXPECT_TRUE(bb_input_JoyDown(31, 3));
    EXPECT_FALSE(bb_input_JoyDown(0, 16));  // code 768
    EXPECT_EQ(bb_input_TouchX(32), 0.0f);
    EXPECT_EQ(bb_input_JoyX(2, 0), 0.0f);
    EXPECT_EQ(bb_input_JoyY(0, 4), 0.0f);

    bb_input_SetInputDevice(nullptr);
    EXPECT_FALSE(bb_input_KeyDown(1));
}

}  // namespace
