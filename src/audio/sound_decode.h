// Sound file decoding: RIFF/WAVE integer PCM and Ogg Vorbis into one block of
// interleaved PCM for the audio driver.
#pragma once

#include <cstdio>

#include "host/bb_runtime.h"

// A 4-byte little-endian signed integer, or -1 if the 4 bytes are not there.
int readInt(FILE* file);
// A 4-byte chunk tag as 4 characters, or the empty text if the bytes are not there.
String readTag(FILE* file);

// Both decoders read from the stream's current position, which must be
// seekable, and leave the stream open. On success they return a block from
// malloc holding length x channels x format bytes (format = bytes per sample)
// and fill the four results; on failure they return null and leave the
// results alone.
unsigned char* LoadWAV(FILE* file, int* length, int* channels, int* format, int* hertz);
unsigned char* LoadOGG(FILE* file, int* length, int* channels, int* format, int* hertz);

// Decodes an already opened file by the extension of path, ignoring case
// (".wav" or ".ogg"; anything else gives null), and closes the file. A null
// file gives null. This is the host's LoadAudioData once the file is open.
unsigned char* LoadAudioFile(FILE* file, const String& path, int* length, int* channels, int* format,
                             int* hertz);
