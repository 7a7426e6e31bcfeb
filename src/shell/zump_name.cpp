#include "shell/zump_name.h"

// Still to be written: the screen shows nothing yet.
void bb_zump_EnterName() {}
