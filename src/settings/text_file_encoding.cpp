#include "settings/text_file_encoding.h"

#include "platform/ansi.h"
#include "platform/utf.h"

namespace qrv {

namespace {

constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(bigEndian ? static_cast<char16_t>((first << 8) | second)
                                 : static_cast<char16_t>((second << 8) | first));
    }
    return text;
}

} // namespace

std::u16string DecodeTextFile(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LeBom)) {
        return DecodeUtf16(bytes.substr(kUtf16LeBom.size()), false);
    }
    if (bytes.starts_with(kUtf16BeBom)) {
        return DecodeUtf16(bytes.substr(kUtf16BeBom.size()), true);
    }
    if (bytes.starts_with(kUtf8Bom)) {
        return Utf8ToUtf16(bytes.substr(kUtf8Bom.size()));
    }
    return FromAnsi(bytes);
}

std::string EncodeUtf16LeWithBom(std::u16string_view text) {
    std::string bytes(kUtf16LeBom);
    bytes.reserve(bytes.size() + text.size() * 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

} // namespace qrv
