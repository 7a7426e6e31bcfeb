#include "host/glfwgame.h"

int main(int argc, const char** argv) {
    BBTarvikGame::Main(argc, argv);
    return 0;
}
