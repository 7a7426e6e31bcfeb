// The online scoreboard: the send state the flow drives and the score scramble.
#pragma once

extern int bb_zump_ZUMP_CanSend;    // 1 when a new submission may start
extern int bb_zump_ZUMP_ForceSend;  // 1 asks the next update to submit

void bb_zump_scoreboard_Init();

int bb_zump_Rescramble();
// The local and the mirrored online top five of the selected course, drawn
// beside the course list; each flag hides its board.
void bb_zump_Draw_Scoreboard(float x, float y, int hideOnline, int hideLocal);
