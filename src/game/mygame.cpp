#include "game/mygame.h"

c_MyGame* bb_mygame_game = nullptr;

c_MyGame* c_MyGame::m_new() {
    c_App::m_new();
    bb_mygame_game = this;
    return this;
}

// Placeholders until the game's flow lands.
int c_MyGame::p_OnCreate() { return 0; }
int c_MyGame::p_OnResume() { return 0; }
int c_MyGame::p_OnUpdate() { return 0; }
int c_MyGame::p_OnRender() { return 0; }
void c_MyGame::p_OnHttpRequestComplete(c_HttpRequest*) {}
