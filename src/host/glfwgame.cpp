#include "host/glfwgame.h"

int _glfwGraphicsSeq = 0;

// Placeholder until the desktop host lands.
int BBTarvikGame::Main(int, const char**) { return 0; }
