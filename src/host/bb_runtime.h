// The runtime every module shares: text, arrays, runtime errors.
#pragma once

#include <string>
#include <vector>

// Text is a sequence of 16-bit code units with value semantics.
typedef std::u16string String;

// Fixed-length arrays; an empty array is a valid value.
template <typename T>
using Array = std::vector<T>;

// A runtime error. An empty message is the normal way to quit (exit code 0);
// any other message ends the process with exit code -1 once it reaches the host.
struct bbRuntimeError {
    String message;
};

// An application error object thrown by game code; reaching a host entry point
// it ends the process as an uncaught exception.
struct bbThrowable {
    virtual ~bbThrowable() {}
};

[[noreturn]] void bbError(const String& message);

// Integers as plain decimal: "-12", "0", "305".
String bbStringFromInt(int value);
// At most the first 63 code units, each reduced to its low 8 bits; optional
// leading white space, an optional sign and decimal digits; no digits give 0.
int bbStringToInt(const String& text);

String bbStringFromAscii(const char* text);
// UTF-8 bytes of the text, one code unit at a time (a surrogate half becomes a
// three-byte sequence of its own).
std::string bbStringToUtf8(const String& text);
// Decodes UTF-8 with one- to three-byte sequences; anything malformed makes it
// fall back to one code unit per byte.
String bbStringFromUtf8(const char* bytes, int length);
inline String bbStringFromUtf8(const std::string& bytes) {
    return bbStringFromUtf8(bytes.data(), (int)bytes.size());
}

// Prints the text as UTF-8 plus a newline on standard output and flushes it.
void bbPrint(const String& text);

// Sets every module's globals to their start-up values. Called once at start-up
// and again by tests that want a clean state.
void bbInit();
