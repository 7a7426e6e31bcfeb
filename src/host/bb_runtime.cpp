#include "host/bb_runtime.h"

#include <cstdio>

void bbError(const String& message) {
    throw bbRuntimeError{message};
}

String bbStringFromInt(int value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%i", value);
    return bbStringFromAscii(buf);
}

int bbStringToInt(const String& text) {
    char buf[64];
    size_t n = text.size() < 63 ? text.size() : 63;
    for (size_t i = 0; i < n; ++i) buf[i] = (char)(text[i] & 0xff);
    buf[n] = 0;
    size_t i = 0;
    while (i < n && (buf[i] == ' ' || (buf[i] >= '\t' && buf[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < n && (buf[i] == '+' || buf[i] == '-')) negative = buf[i++] == '-';
    unsigned int value = 0;
    for (; i < n && buf[i] >= '0' && buf[i] <= '9'; ++i) value = value * 10u + (unsigned)(buf[i] - '0');
    return negative ? (int)(0u - value) : (int)value;
}

String bbStringFromAscii(const char* text) {
    String out;
    for (; *text; ++text) out.push_back((char16_t)(unsigned char)*text);
    return out;
}

std::string bbStringToUtf8(const String& text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t unit : text) {
        unsigned c = unit;
        if (c < 0x80) {
            out.push_back((char)c);
        } else if (c < 0x800) {
            out.push_back((char)(0xC0 | c >> 6));
            out.push_back((char)(0x80 | (c & 0x3F)));
        } else {
            out.push_back((char)(0xE0 | c >> 12));
            out.push_back((char)(0x80 | ((c >> 6) & 0x3F)));
            out.push_back((char)(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

String bbStringFromUtf8(const char* bytes, int length) {
    const unsigned char* p = (const unsigned char*)bytes;
    String out;
    out.reserve(length);
    int i = 0;
    while (i < length) {
        unsigned c = p[i];
        if (c < 0x80) {
            out.push_back((char16_t)c);
            i += 1;
        } else if (c >= 0xC0 && c <= 0xDF && i + 1 < length && (p[i + 1] & 0xC0) == 0x80) {
            out.push_back((char16_t)((c & 0x1F) << 6 | (p[i + 1] & 0x3F)));
            i += 2;
        } else if (c >= 0xE0 && c <= 0xEF && i + 2 < length && (p[i + 1] & 0xC0) == 0x80 &&
                   (p[i + 2] & 0xC0) == 0x80) {
            out.push_back((char16_t)((c & 0x0F) << 12 | (p[i + 1] & 0x3F) << 6 | (p[i + 2] & 0x3F)));
            i += 3;
        } else {
            // Not UTF-8 after all: take every byte as one 8-bit character.
            String latin;
            latin.reserve(length);
            for (int k = 0; k < length; ++k) latin.push_back((char16_t)p[k]);
            return latin;
        }
    }
    return out;
}

void bbPrint(const String& text) {
    std::string bytes = bbStringToUtf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
