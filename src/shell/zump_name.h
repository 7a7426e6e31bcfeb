// Name entry for the scoreboard, run by the flow while open.
#pragma once

void bb_zump_EnterName();
