// Resource paths and the text reading rule behind the host's file operations.
#pragma once

#include "host/bb_runtime.h"

// A bare name means the data folder ("gfx/ball.png" becomes
// "tarvik://data/gfx/ball.png"); URLs with a scheme, "./x" and "/x" stay as they are.
String bb_data_FixDataPath(const String& path);

// Maps "tarvik://data/", "tarvik://internal/" and "tarvik://external/" onto
// real folders; other "tarvik:" texts name nothing (empty result) and anything
// else is a plain path, returned unchanged.
String bb_host_ResourceFilePath(const String& path, const String& exeDir, const String& internalDir);

// A whole text file's bytes as text: UTF-16 after a byte-order mark, else
// UTF-8 (a UTF-8 byte-order mark skipped), else one 8-bit character per byte.
String bb_host_DecodeText(const unsigned char* bytes, int length);
