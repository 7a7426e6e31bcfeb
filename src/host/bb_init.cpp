#include "host/bb_runtime.h"

// Every module's start-up values, in dependency order.
void bbInit() {
}
