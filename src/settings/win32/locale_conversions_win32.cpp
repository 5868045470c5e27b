#include "settings/locale_conversions.h"

#include "settings/run_time_conversions.h"

#include <windows.h>

#include <oleauto.h>

#include <memory>

namespace qrv {

namespace {

struct TBstrFree {
    void operator()(wchar_t* text) const { SysFreeString(text); }
};
using TUniqueBstr = std::unique_ptr<wchar_t, TBstrFree>;

std::u16string TakeBstr(BSTR text) {
    const TUniqueBstr owned(text);
    return std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

std::u16string DateText(TDateTime value, ULONG flags) {
    BSTR text = nullptr;
    if (!TryDecodeDateTime(value) ||
        FAILED(VarBstrFromDate(value, LOCALE_USER_DEFAULT, flags, &text))) {
        throw EConvertError("Invalid argument to date encode");
    }
    return TakeBstr(text);
}

// The OLE conversions take a NUL-terminated text: one with a NUL inside does not convert.
std::optional<std::u16string> Terminated(std::u16string_view text) {
    if (text.find(u'\0') != std::u16string_view::npos) {
        return std::nullopt;
    }
    return std::u16string(text);
}

std::optional<TDateTime> ParseDate(std::u16string_view text) {
    auto owned = Terminated(text);
    DATE value = 0;
    if (!owned || FAILED(VarDateFromStr(reinterpret_cast<OLECHAR*>(owned->data()),
                                        LOCALE_USER_DEFAULT, 0, &value))) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::u16string DateToStr(TDateTime value) {
    return DateText(value, VAR_DATEVALUEONLY);
}

std::u16string TimeToStr(TDateTime value) {
    return DateText(value, VAR_TIMEVALUEONLY);
}

std::u16string DateTimeToStr(TDateTime value) {
    return DateText(value, 0);
}

std::u16string FloatToStr(double value) {
    BSTR text = nullptr;
    if (FAILED(VarBstrFromR8(value, LOCALE_USER_DEFAULT, 0, &text))) {
        throw EConvertError("Invalid floating point value");
    }
    return TakeBstr(text);
}

std::optional<TDateTime> TryStrToDate(std::u16string_view text) {
    return ParseDate(text);
}

std::optional<TDateTime> TryStrToTime(std::u16string_view text) {
    return ParseDate(text);
}

std::optional<TDateTime> TryStrToDateTime(std::u16string_view text) {
    return ParseDate(text);
}

std::optional<double> TryStrToFloat(std::u16string_view text) {
    auto owned = Terminated(text);
    double value = 0;
    if (!owned || FAILED(VarR8FromStr(reinterpret_cast<OLECHAR*>(owned->data()),
                                      LOCALE_USER_DEFAULT, 0, &value))) {
        return std::nullopt;
    }
    return value;
}

} // namespace qrv
