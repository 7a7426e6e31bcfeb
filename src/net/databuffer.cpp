#include "net/databuffer.h"

#include <cstdlib>
#include <cstring>

#include "host/bbgame.h"

BBDataBuffer::~BBDataBuffer() {
    std::free(_data);
}

bool BBDataBuffer::_New(int length, unsigned char* memory) {
    if (_data || length < 0) return false;
    if (!memory) {
        // malloc(0) may give null, so ask for at least one byte.
        memory = (unsigned char*)std::malloc(length > 0 ? (size_t)length : 1);
        if (!memory) return false;
    }
    _data = memory;
    _length = length;
    return true;
}

bool BBDataBuffer::_Load(const String& path) {
    if (_data || !BBGame::_game) return false;
    int length = 0;
    unsigned char* memory = BBGame::_game->LoadData(path, &length);
    if (!memory) return false;
    _data = memory;
    _length = length;
    return true;
}

void BBDataBuffer::Discard() {
    if (!_data) return;
    std::free(_data);
    _data = nullptr;
    _length = 0;
}

c_DataBuffer* c_DataBuffer::m_new(int length, bool) {
    if (!_New(length)) bbError(u"Allocate DataBuffer failed");
    return this;
}

c_DataBuffer* c_DataBuffer::m_new2() {
    return this;
}

// Cuts a byte range [address, address + count) to the buffer; false when
// nothing is left to move.
static bool CutRange(int length, int address, int& count) {
    if (address < 0 || address > length) return false;
    if (count > length - address) count = length - address;
    return count > 0;
}

// The same for a range of an array starting at offset.
static bool CutArray(size_t size, int offset, int& count) {
    if (offset < 0 || (size_t)offset > size) return false;
    if ((size_t)count > size - (size_t)offset) count = (int)(size - (size_t)offset);
    return count > 0;
}

void c_DataBuffer::p_PokeBytes(int address, const Array<int>& bytes, int offset, int count) {
    if (!CutRange(_length, address, count) || !CutArray(bytes.size(), offset, count)) return;
    for (int i = 0; i < count; ++i) _data[address + i] = (unsigned char)bytes[offset + i];
}

void c_DataBuffer::p_PeekBytes(int address, Array<int>& bytes, int offset, int count) const {
    if (!CutRange(_length, address, count) || !CutArray(bytes.size(), offset, count)) return;
    for (int i = 0; i < count; ++i) bytes[offset + i] = (signed char)_data[address + i];
}

Array<int> c_DataBuffer::p_PeekBytes2(int address, int count) const {
    if (!CutRange(_length, address, count)) return Array<int>();
    Array<int> bytes(count);
    for (int i = 0; i < count; ++i) bytes[i] = (signed char)_data[address + i];
    return bytes;
}

void c_DataBuffer::p_CopyBytes(int address, c_DataBuffer* destination, int destinationAddress, int count) const {
    if (!CutRange(_length, address, count) || !CutRange(destination->_length, destinationAddress, count)) return;
    std::memmove(destination->_data + destinationAddress, _data + address, (size_t)count);
}

enum { ENC_UTF8, ENC_ASCII };

static int EncodingOf(const String& encoding) {
    if (encoding == u"utf8") return ENC_UTF8;
    if (encoding == u"ascii") return ENC_ASCII;
    bbError(u"Invalid string encoding:" + encoding);
}

int c_DataBuffer::p_PokeString(int address, const String& text, const String& encoding) {
    std::string bytes;
    if (EncodingOf(encoding) == ENC_UTF8) {
        bytes = bbStringToUtf8(text);
    } else {
        bytes.resize(text.size());
        for (size_t i = 0; i < text.size(); ++i) bytes[i] = (char)(text[i] & 0xff);
    }
    int count = (int)bytes.size();
    if (CutRange(_length, address, count)) std::memcpy(_data + address, bytes.data(), (size_t)count);
    return (int)bytes.size();
}

String c_DataBuffer::p_PeekString(int address, int count, const String& encoding) const {
    int encoding_ = EncodingOf(encoding);
    if (!CutRange(_length, address, count)) return String();
    const unsigned char* p = _data + address;
    if (encoding_ == ENC_ASCII) {
        String text(count, u'\0');
        for (int i = 0; i < count; ++i) text[i] = p[i];
        return text;
    }
    String text = bbStringFromUtf8((const char*)p, count);
    // Valid UTF-8 with any byte above 0x7F decodes to fewer units than bytes,
    // so as many units as bytes means plain ASCII or the byte-wise fall-back;
    // the fall-back here reads bytes sign-extended (0xE9 gives 0xFFE9).
    if ((int)text.size() == count)
        for (char16_t& unit : text)
            if (unit >= 0x80) unit = (char16_t)(unit | 0xFF00);
    return text;
}

String c_DataBuffer::p_PeekString2(int address, const String& encoding) const {
    return p_PeekString(address, _length - address, encoding);
}
