// The process entry and the creation of the game's application.
#include "game/mygame.h"
#include "host/glfwgame.h"

void bb_std_main(int argc, const char** argv) {
    bbStartRuntime(argc, argv);
    (new c_MyGame())->m_new();
}

int main(int argc, const char** argv) {
    BBTarvikGame::Main(argc, argv);
    return 0;
}
