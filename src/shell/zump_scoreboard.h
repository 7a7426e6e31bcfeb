// The online scoreboard: the score scramble, the send state the flow drives,
// the online best-score tables and the drawing of both top-five boards.
#pragma once

#include "host/bb_runtime.h"

// Rows of the score tables: 20 ints per course, courses 1..499.
enum { ZUMP_SCORE_ROWS = 500 };

extern int bb_zump_ZUMP_Scramble[64];  // the scramble table, values 0..91
extern int bb_zump_ZUMP_CanSend;       // 1 when a new submission may start
extern int bb_zump_ZUMP_ForceSend;     // 1 asks the next update to submit
extern int bb_zump_ZUMP_OnlineBoard;   // 1 once a valid online answer has been read
// Online best five per course, laid out as the local table: 20 * course + place.
extern int bb_zump_ZUMP_OnScore[10000];
extern String bb_zump_ZUMP_OnName[10000];
// Base address of the score server, "http://host" or "http://host:port", set
// when the game is built. A host under the reserved ".invalid" domain (the
// default) means there is no server: nothing is ever sent.
extern String bb_zump_ZUMP_ScoreServer;

void bb_zump_scoreboard_Init();

int bb_zump_SetGameNumber(int n);
int bb_zump_SetKeyword(const String& keyword);
// Rebuilds the table from the keyword and the game number; keeps it as it
// is while either is missing.
int bb_zump_Rescramble();
// Same length as text, every unit in 32..123.
String bb_zump_Scramble(const String& text);
// True when the host is empty or under ".invalid": such an address names no
// server, and nothing may be sent to it.
bool bb_zump_IsPlaceholderHost(const String& host);

// Queues the local board at (x, y) and the mirrored online board at
// (jscrw - x, y) for the course selected in the menu.
void bb_zump_Draw_Scoreboard(float x, float y, int hideOnline, int hideLocal);
