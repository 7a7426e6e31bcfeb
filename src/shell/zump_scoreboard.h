// The online scoreboard: the send state the flow drives and the score scramble.
#pragma once

extern int bb_zump_ZUMP_CanSend;    // 1 when a new submission may start
extern int bb_zump_ZUMP_ForceSend;  // 1 asks the next update to submit

void bb_zump_scoreboard_Init();

int bb_zump_Rescramble();
