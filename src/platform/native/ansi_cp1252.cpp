#include "platform/ansi.h"

#include <array>

namespace qrv {

namespace {

// Windows-1252 bytes 0x80..0x9F; 0 marks the five bytes the code page leaves undefined
// (Windows maps those to the C1 control of the same value).
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t ByteToChar(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0) {
        return kHigh[b - 0x80];
    }
    return b;
}

} // namespace

std::string ToAnsi(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            ++i; // one character outside the code page, one default character
            out.push_back('?');
            continue;
        }
        char mapped = '?';
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            mapped = static_cast<char>(c);
        } else {
            for (unsigned b = 0x80; b <= 0x9F; ++b) {
                if (ByteToChar(static_cast<unsigned char>(b)) == c) {
                    mapped = static_cast<char>(b);
                    break;
                }
            }
        }
        out.push_back(mapped);
    }
    return out;
}

std::u16string FromAnsi(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char c : text) {
        out.push_back(ByteToChar(static_cast<unsigned char>(c)));
    }
    return out;
}

} // namespace qrv
