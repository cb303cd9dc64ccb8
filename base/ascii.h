// ascii.h - whether text is plain ASCII, which reads the same in every encoding qev uses.
#ifndef QEV_ASCII_H
#define QEV_ASCII_H

#include <cstddef>
#include <cstdint>
#include <cstring>

inline bool asciionly(const char *c, size_t n)
{
    const char *end = c + n;
    for (; end - c >= 8; c += 8) {
        uint64_t w;
        std::memcpy(&w, c, 8);
        if (w & 0x8080808080808080ull) return false;
    }
    for (; c < end; c++)
        if (*c & 0x80) return false;
    return true;
}

#endif
