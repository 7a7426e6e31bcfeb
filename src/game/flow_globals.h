// The state of the game's flow, kept in the shell's globals.
#pragma once

#include "host/bb_runtime.h"

extern int bb_zump_ZUMP_Loader;       // loading-screen step; 0 = loading finished
extern int bb_zump_ZUMP_GameMode;     // 0 main menu, 1 return to menu, 10 in game, 11 start game
extern int bb_zump_ZUMP_OptCred;      // overlay: 0 none, 1 options, 2 credits, 3 name entry
extern int bb_zump_ZUMP_EndofGame;    // end-of-game frame counter; 0 = no game is ending
extern int bb_zump_ZUMP_EndReason;    // caption of the end-of-game curtain
extern int bb_zump_ZUMP_Paused;       // 1 while the game is paused
extern int bb_zump_ZUMP_GameType;     // selected course, 1..9
extern int bb_zump_ZUMP_LastPlay;     // course of the last recorded game
extern int bb_zump_ZUMP_LastRank;     // place 0..4 of the last recorded game, -1 if none
extern int bb_zump_ZUMP_MusicPlaying; // 0 no tune, 1 playing, 2 paused
// 20 ints per course: best five, last five, companions of the best five.
extern int bb_zump_ZUMP_Score[10000];
// Menu state shared by the shell's screens and the game's menus.
extern int bb_zump_ZUMP_MenuPos[50];

extern int bb_zump_ZUMP_GameNum;
extern String bb_zump_ZUMP_Keyword;
extern int bb_zump_ZUMP_Levels;
extern int bb_zump_ZUMP_AllowName;
extern int bb_zump_isOuya;
extern int bb_zump_ZUMP_AllowMouseControl;
extern int bb_zump_ZUMP_MixControls;
extern int bb_zump_HasQuit;

void bb_flow_Init();

// The curtain and pause handling of the flow.
void bb_zump_InGame();
void bb_zump_GameOver();
// Starts the end-of-game curtain unless one is running: the first reason wins.
void bb_zump_EndGame(int reason);
