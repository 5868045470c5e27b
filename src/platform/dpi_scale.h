#pragma once
// The windows are designed at 96 DPI, as the form designer that laid them out worked. At any
// other DPI every position, size and font height is the design's scaled by dpi / 96.

namespace qrv {

inline constexpr unsigned kDesignDpi = 96;

// A length of the design at a DPI, rounded half away from zero as MulDiv rounds. Negative
// lengths (font heights given as character heights) scale the same way.
constexpr int ScaleToDpi(int design, unsigned dpi) {
    const long long product = static_cast<long long>(design) * dpi;
    const long long half = kDesignDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kDesignDpi
                                         : -((-product + half) / kDesignDpi));
}

struct TDesignRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    friend constexpr bool operator==(const TDesignRect&, const TDesignRect&) = default;
};

// The place and size scale each on their own, so that equal controls stay equal.
constexpr TDesignRect ScaleToDpi(const TDesignRect& design, unsigned dpi) {
    return {ScaleToDpi(design.x, dpi), ScaleToDpi(design.y, dpi), ScaleToDpi(design.width, dpi),
            ScaleToDpi(design.height, dpi)};
}

} // namespace qrv
