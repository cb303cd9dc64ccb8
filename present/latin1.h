// latin1.h - text between the engine's byte alphabet (ISO-8859-1) and UTF-8.
#ifndef QEV_LATIN1_H
#define QEV_LATIN1_H

#include <string>

// Appends Latin-1 text to 'out' as UTF-8.
inline void latin1toutf8(const std::string &text, std::string &out)
{
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += (char)c;
        } else {
            out += (char)(0xC0 | c >> 6);
            out += (char)(0x80 | (c & 0x3F));
        }
    }
}

// UTF-8 text as Latin-1; false when it holds a character beyond Latin-1 or is not UTF-8.
inline bool utf8tolatin1(const std::string &text, std::string &out)
{
    out.clear();
    for (size_t k = 0; k < text.size(); k++) {
        unsigned char c = (unsigned char)text[k];
        if (c < 0x80) {
            out += (char)c;
        } else if ((c == 0xC2 || c == 0xC3) && k + 1 < text.size() && ((unsigned char)text[k + 1] & 0xC0) == 0x80) {
            out += (char)(((c & 0x03) << 6) | ((unsigned char)text[++k] & 0x3F));
        } else {
            return false;
        }
    }
    return true;
}

#endif
