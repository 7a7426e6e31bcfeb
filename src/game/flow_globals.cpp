#include "game/flow_globals.h"

#include <cstring>

int bb_zump_ZUMP_Loader;
int bb_zump_ZUMP_GameMode;
int bb_zump_ZUMP_OptCred;
int bb_zump_ZUMP_EndofGame;
int bb_zump_ZUMP_EndReason;
int bb_zump_ZUMP_Paused;
int bb_zump_ZUMP_GameType;
int bb_zump_ZUMP_LastPlay;
int bb_zump_ZUMP_LastRank;
int bb_zump_ZUMP_MusicPlaying;
int bb_zump_ZUMP_Score[10000];
int bb_zump_ZUMP_MenuPos[50];

int bb_zump_ZUMP_GameNum;
String bb_zump_ZUMP_Keyword;
int bb_zump_ZUMP_Levels;
int bb_zump_ZUMP_AllowName;
int bb_zump_isOuya;
int bb_zump_ZUMP_AllowMouseControl;
int bb_zump_ZUMP_MixControls;
int bb_zump_HasQuit;

void bb_flow_Init() {
    bb_zump_ZUMP_Loader = 1;
    bb_zump_ZUMP_GameMode = 0;
    bb_zump_ZUMP_OptCred = 0;
    bb_zump_ZUMP_EndofGame = 0;
    bb_zump_ZUMP_EndReason = 0;
    bb_zump_ZUMP_Paused = 0;
    bb_zump_ZUMP_GameType = 0;
    bb_zump_ZUMP_LastPlay = 0;
    bb_zump_ZUMP_LastRank = 0;
    bb_zump_ZUMP_MusicPlaying = 0;
    std::memset(bb_zump_ZUMP_Score, 0, sizeof bb_zump_ZUMP_Score);
    std::memset(bb_zump_ZUMP_MenuPos, 0, sizeof bb_zump_ZUMP_MenuPos);
    bb_zump_ZUMP_GameNum = 0;
    bb_zump_ZUMP_Keyword = u"Keyword";
    bb_zump_ZUMP_Levels = 3;
    bb_zump_ZUMP_AllowName = 0;
    bb_zump_isOuya = 0;
    bb_zump_ZUMP_AllowMouseControl = 0;
    bb_zump_ZUMP_MixControls = 0;
    bb_zump_HasQuit = 0;
}
