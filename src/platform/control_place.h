#pragma once
// A control's place in a window's 96-DPI design, how it follows a window that the user makes
// larger or smaller, and the lookup in a window's layout.

#include "platform/dpi_scale.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <stdexcept>

namespace qrv {

// How a control follows, along one axis, a client area that is larger or smaller than the
// design's: it stays where it is, its far edge keeps its distance to the far edge of the client
// area (stretch), or the whole control does (move).
enum class TFollow : uint8_t { none, stretch, move };

struct TControlPlace {
    int id = 0;
    TDesignRect rect;
    TFollow horizontal = TFollow::none;
    TFollow vertical = TFollow::none;
};

// Where the control lies at the DPI in a client area of clientWidth by clientHeight, for a
// design whose client area is designWidth by designHeight at 96 DPI.
constexpr TDesignRect PlaceInClient(const TControlPlace& place, int designWidth, int designHeight,
                                    int clientWidth, int clientHeight, unsigned dpi) {
    TDesignRect at = ScaleToDpi(place.rect, dpi);
    const auto follow = [](TFollow how, int grown, int& position, int& size) {
        if (how == TFollow::stretch) {
            size = std::max(0, size + grown);
        } else if (how == TFollow::move) {
            position += grown;
        }
    };
    follow(place.horizontal, clientWidth - ScaleToDpi(designWidth, dpi), at.x, at.width);
    follow(place.vertical, clientHeight - ScaleToDpi(designHeight, dpi), at.y, at.height);
    return at;
}

// The place of a control; a control the layout does not have is a programming error.
constexpr const TControlPlace& ControlPlaceOf(std::span<const TControlPlace> layout, int id) {
    for (const TControlPlace& place : layout) {
        if (place.id == id) {
            return place;
        }
    }
    throw std::logic_error("A control has no place in its window's layout.");
}

} // namespace qrv
