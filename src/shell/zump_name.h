// Name entry for the scoreboard, run by the flow while open: thirteen letter
// boxes cycled with up and down (with auto-repeat), a cursor moved with left
// and right, arrows and a finish button for the pointer. The cursor is menu
// slot 47; lock flag 0 guards single steps, 1 is the repeat countdown and 2
// the repeat interval.
#pragma once

// One update of the screen.
void bb_zump_EnterName();
// Whether the game offers name entry.
void bb_zump_AllowName(int allow);

// The character cycles on name codes (character code - 32, 0 a space). Up
// runs A..Z, [..`, a..z, {..~ and back to A; down runs 9..0, /..!, ~..A, @
// and a space. Codes outside 0-94 count as a space.
int bb_zump_NameCodeUp(int code);
int bb_zump_NameCodeDown(int code);
