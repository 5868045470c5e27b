#pragma once
// A control's place in a window's 96-DPI design, and the lookup in a window's layout.

#include "platform/dpi_scale.h"

#include <span>
#include <stdexcept>

namespace qrv {

struct TControlPlace {
    int id = 0;
    TDesignRect rect;
};

// The design place of a control; a control the layout does not have is a programming error.
constexpr TDesignRect PlaceOf(std::span<const TControlPlace> layout, int id) {
    for (const TControlPlace& place : layout) {
        if (place.id == id) {
            return place.rect;
        }
    }
    throw std::logic_error("A control has no place in its window's layout.");
}

} // namespace qrv
