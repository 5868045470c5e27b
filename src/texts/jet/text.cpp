#include "texts/jet/text.h"

namespace qrv::jet {

namespace {

constexpr std::uint8_t kCompressedMarker0 = 0xFF;
constexpr std::uint8_t kCompressedMarker1 = 0xFE;

bool IsCompressed(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 2 && bytes[0] == kCompressedMarker0 && bytes[1] == kCompressedMarker1;
}

// Calls sink(unit) for every UTF-16 unit of the value; stops early when sink returns false.
// Returns false when it stopped early.
template <typename Sink> bool ForEachUnit(const TSlice& raw, Sink&& sink) {
    const auto bytes = raw.Bytes();
    if (!IsCompressed(bytes)) {
        if (bytes.size() % 2 != 0) {
            raw.Fail("a text value has an odd number of bytes (" + std::to_string(bytes.size()) +
                     ")");
        }
        for (std::size_t i = 0; i < bytes.size(); i += 2) {
            if (!sink(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)))) {
                return false;
            }
        }
        return true;
    }
    bool oneByte = true;
    std::size_t i = 2;
    while (i < bytes.size()) {
        if (bytes[i] == 0) {
            oneByte = !oneByte;
            ++i;
        } else if (oneByte) {
            if (!sink(static_cast<char16_t>(bytes[i]))) {
                return false;
            }
            ++i;
        } else {
            if (i + 1 >= bytes.size()) {
                raw.Fail("a compressed text value ends in the middle of a character");
            }
            if (!sink(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)))) {
                return false;
            }
            i += 2;
        }
    }
    return true;
}

} // namespace

std::u16string DecodeText(const TSlice& raw) {
    std::u16string text;
    text.reserve(raw.Size() / 2 + 1);
    ForEachUnit(raw, [&](char16_t unit) {
        text.push_back(unit);
        return true;
    });
    return text;
}

char16_t FoldCase(char16_t c) {
    if (c < 0x80) {
        return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
    }
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F)) {
        return static_cast<char16_t>(c + 32);
    }
    if (c >= 0x400 && c <= 0x40F) {
        return static_cast<char16_t>(c + 80);
    }
    if (c == 0x178) {
        return 0xFF;
    }
    // Latin Extended-A: upper and lower case alternate, in two phases.
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) {
        return static_cast<char16_t>(c | 1);
    }
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
        return (c % 2 == 1) ? static_cast<char16_t>(c + 1) : c;
    }
    return c;
}

std::u16string FoldCase(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& c : folded) {
        c = FoldCase(c);
    }
    return folded;
}

bool TextEqualsFolded(const TSlice& raw, std::u16string_view folded) {
    std::size_t position = 0;
    const bool complete = ForEachUnit(raw, [&](char16_t unit) {
        if (position >= folded.size() || FoldCase(unit) != folded[position]) {
            return false;
        }
        ++position;
        return true;
    });
    return complete && position == folded.size();
}

} // namespace qrv::jet
