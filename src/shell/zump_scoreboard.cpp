#include "shell/zump_scoreboard.h"

int bb_zump_ZUMP_CanSend;
int bb_zump_ZUMP_ForceSend;

void bb_zump_scoreboard_Init() {
    bb_zump_ZUMP_CanSend = 1;
    bb_zump_ZUMP_ForceSend = 0;
}

// The scramble table is still to be written; nothing reads it yet.
int bb_zump_Rescramble() { return 0; }

// The boards are still to be drawn; the course page already calls this.
void bb_zump_Draw_Scoreboard(float, float, int, int) {}
