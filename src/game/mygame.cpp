#include "game/mygame.h"

c_MyGame* bb_mygame_game = nullptr;

c_MyGame* c_MyGame::m_new() {
    c_App::m_new();
    bb_mygame_game = this;
    return this;
}
