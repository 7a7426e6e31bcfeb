// The player's profile: settings, name, identifier and scores, kept between
// runs as one text of decimal fields separated by "|" with check values.
#pragma once

#include "host/bb_runtime.h"

// Settings; slots 0-200 are saved. 0 music volume, 1 effects volume, 5 games
// played, 6 game number, 11 and 12 stick inversion, 21 kept at 0, 22 frame-rate
// line, 23 screenshot mode, 99 scratch of option rows, 100 font loaded.
extern int bb_zump_ZUMP_Set[256];
// The name as character codes minus 32 (0 is a space); the first 13 are used.
extern int bb_zump_ZUMP_Username[16];
// The player identifier: the creation date as yyyymmdd, and the time of day as
// hhmmss followed by three random digits.
extern int bb_zump_ZUMP_UserIDA;
extern int bb_zump_ZUMP_UserIDB;
// Version number sent with scores.
extern int bb_zump_ZUMP_GameVersion;

// Fields in a complete profile text, counting the empty one after the last "|".
enum { ZUMP_PROFILE_FIELDS = 10535 };

void bb_zump_ProfileInit();

// Writes the profile text into the host's state file.
void bb_zump_Save();
// Fills the profile from the host's state file.
void bb_zump_Load();
// The text Save stores; sets setting 6 to the game number first.
String bb_zump_ProfileText();
// Load's work on a given text: whatever the text holds, the profile ends up
// usable (defaults and a new identity where the checks fail).
void bb_zump_LoadProfileText(const String& text);

void bb_zump_SetDefaults();
// Reads a setting when value is the sentinel -3717, else stores it. Slots
// outside 0-249 read as 0 and are never written.
int bb_zump_SetSet(int slot, int value = -3717);
// Names the player "Name" and draws a fresh identifier from the date and clock.
void bb_zump_NewUser();
// The name as 13 characters; the untouched default reads "Enter Name".
String bb_zump_MyName();
// The identifier as 8 + 9 digits.
String bb_zump_MyUserID();
