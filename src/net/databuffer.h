// Fixed-size byte blocks with copying and "utf8"/"ascii" text conversion.
#pragma once

#include "host/bb_runtime.h"

class BBDataBuffer {
public:
    BBDataBuffer() {}
    virtual ~BBDataBuffer();
    BBDataBuffer(const BBDataBuffer&) = delete;
    BBDataBuffer& operator=(const BBDataBuffer&) = delete;

    // Attaches the given block (taken over; it must come from malloc), or a new
    // uninitialised one of that length. False if a block is already held or
    // the memory cannot be had.
    bool _New(int length, unsigned char* memory = nullptr);
    // The whole file through the host's LoadData; false if a block is already
    // held or the file cannot be read.
    bool _Load(const String& path);
    void Discard();

    int Length() const { return _length; }
    unsigned char* ReadPointer(int offset) { return _data + offset; }
    const unsigned char* ReadPointer(int offset) const { return _data + offset; }

protected:
    unsigned char* _data = nullptr;
    int _length = 0;
};

// Offsets and counts are in bytes; every range is cut to what lies inside the
// buffer (and the array) before a byte moves. Bytes read out are sign-extended.
class c_DataBuffer : public BBDataBuffer {
public:
    c_DataBuffer* m_new(int length, bool direct = false);
    c_DataBuffer* m_new2();

    void p_PokeBytes(int address, const Array<int>& bytes, int offset, int count);
    void p_PeekBytes(int address, Array<int>& bytes, int offset, int count) const;
    Array<int> p_PeekBytes2(int address, int count) const;
    // Safe when source and destination overlap, also within one buffer.
    void p_CopyBytes(int address, c_DataBuffer* destination, int destinationAddress, int count) const;
    // Writes what fits; returns the whole encoded length.
    int p_PokeString(int address, const String& text, const String& encoding);
    String p_PeekString(int address, int count, const String& encoding) const;
    String p_PeekString2(int address, const String& encoding) const;
};
