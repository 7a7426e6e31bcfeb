// The golf game's application object.
#pragma once

#include "app/app.h"
#include "net/http_complete.h"

class c_MyGame : public c_App, public c_IOnHttpRequestComplete {
public:
    c_HttpRequest* m_http = nullptr;
    int m_holeScore[10] = {};
    int m_hole = 0;

    c_MyGame* m_new();

    int p_OnCreate() override;
    int p_OnResume() override;
    int p_OnUpdate() override;
    int p_OnRender() override;
    void p_OnHttpRequestComplete(c_HttpRequest* request) override;

    // Game states and flow
    int p_LoadScreen();
    int p_GotoGame();
    int p_GotoMenu();

    // World tables and course generation
    int p_NewLevel();
    int p_Put(int x, int y, int value, int layer);
    int p_is(int x, int y, int layer);

    // Ball play and scoring
    // One update of the hole in play, recording its picture as it goes.
    int p_Game();

    // Main menu and course selection
    int p_MainMenu();
    // A text button at (x, y), left-aligned and vertically centred, "> " in
    // front when selected; 1 while a touch is down on it.
    int p_TBut(float x, float y, const String& text, int selected, int height);
    int p_Menu_A();
    int p_Menu_A_Plus();
    // The wrapping course list; the chosen item's index plus 1, else -1.
    int p_Menu_Basic(const Array<String>& items);

    // Online scoreboard
    int p_SendScores(int mode);
    int p_GetURL(const String& base, const String& data, int escape);
    int p_ManageOnline(const String& answer);
};

extern c_MyGame* bb_mygame_game;
