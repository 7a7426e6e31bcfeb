// Resource paths, file reading and the persistent state file.
#include "host/bbgame.h"

// Placeholders until file support lands.
void BBGame::GetDate(Array<int>&) {}
int BBGame::SaveState(const String&) { return -1; }
String BBGame::LoadState() { return String(); }
String BBGame::LoadString(const String&) { return String(); }
FILE* BBGame::OpenFile(const String&, const String&) { return nullptr; }
unsigned char* BBGame::LoadData(const String&, int* length) {
    *length = 0;
    return nullptr;
}
