// wordhash.h - a quick hash for the short words of the engine's tables and libraries.
#ifndef QEV_WORDHASH_H
#define QEV_WORDHASH_H

#include <cstddef>
#include <cstdint>
#include <string_view>

struct wordhash {
    size_t operator()(std::string_view w) const noexcept
    {
        uint64_t h = 0xcbf29ce484222325ull ^ w.size();
        for (unsigned char c : w) h = (h ^ c) * 0x100000001b3ull;
        return (size_t)(h ^ (h >> 32));
    }
};

#endif
