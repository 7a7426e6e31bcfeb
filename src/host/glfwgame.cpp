#include "host/glfwgame.h"

// Placeholder until the desktop host lands.
int BBTarvikGame::Main(int, const char**) { return 0; }
