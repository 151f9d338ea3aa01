// Lead-byte rules of two code pages, for the tests of the path rules: the
// game itself asks Windows of the code page it runs in.
#pragma once

// Code page 932's lead bytes.
inline bool IsCp932LeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// A code page without double-byte characters, such as 1252.
inline bool HasNoLeadBytes(unsigned char) {
    return false;
}
