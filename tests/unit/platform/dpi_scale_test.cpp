#include "app/main_window_layout.h"
#include "export/export_window_layout.h"
#include "platform/dpi_scale.h"

#include <gtest/gtest.h>

#include <set>
#include <span>

namespace qrv {
namespace {

TEST(DpiScaleTest, TheDesignDpiKeepsEveryLength) {
    for (int length = -700; length <= 700; ++length) {
        ASSERT_EQ(ScaleToDpi(length, kDesignDpi), length);
    }
    EXPECT_EQ(ScaleToDpi(TDesignRect{552, 424, 100, 28}, kDesignDpi),
              (TDesignRect{552, 424, 100, 28}));
}

TEST(DpiScaleTest, HalvesRoundAwayFromZeroAsMulDivDoes) {
    // 125 %, 150 %, 200 %, 175 %: the scales Windows offers.
    EXPECT_EQ(ScaleToDpi(11, 120), 14);    // 13.75
    EXPECT_EQ(ScaleToDpi(11, 144), 17);    // 16.5
    EXPECT_EQ(ScaleToDpi(-11, 144), -17);  // a font's character height
    EXPECT_EQ(ScaleToDpi(1, 144), 2);      // 1.5
    EXPECT_EQ(ScaleToDpi(1, 120), 1);      // 1.25
    EXPECT_EQ(ScaleToDpi(13, 120), 16);    // 16.25
    EXPECT_EQ(ScaleToDpi(23, 120), 29);    // 28.75
    EXPECT_EQ(ScaleToDpi(609, 168), 1066); // 1065.75
    EXPECT_EQ(ScaleToDpi(664, 192), 1328);
    EXPECT_EQ(ScaleToDpi(0, 288), 0);
}

TEST(DpiScaleTest, ARectScalesItsPlaceAndSizeEachOnItsOwn) {
    // Two controls of one size keep one size wherever they lie.
    EXPECT_EQ(ScaleToDpi(TDesignRect{624, 88, 23, 22}, 120), (TDesignRect{780, 110, 29, 28}));
    EXPECT_EQ(ScaleToDpi(TDesignRect{624, 120, 23, 22}, 120), (TDesignRect{780, 150, 29, 28}));
}

// A layout at a DPI: each control once, and every control inside the scaled client area
// (rounding the place and the size each up by half a pixel may not push one out of it).
void ExpectLayoutFits(std::span<const TControlPlace> layout, int clientWidth, int clientHeight) {
    std::set<int> ids;
    for (const TControlPlace& place : layout) {
        EXPECT_TRUE(ids.insert(place.id).second) << "twice in the layout: " << place.id;
    }
    for (unsigned dpi = kDesignDpi; dpi <= 4 * kDesignDpi; dpi += 12) {
        const int width = ScaleToDpi(clientWidth, dpi);
        const int height = ScaleToDpi(clientHeight, dpi);
        for (const TControlPlace& place : layout) {
            const TDesignRect at = ScaleToDpi(place.rect, dpi);
            EXPECT_LE(at.x + at.width, width) << "control " << place.id << " at " << dpi;
            EXPECT_LE(at.y + at.height, height) << "control " << place.id << " at " << dpi;
        }
    }
}

TEST(DpiScaleTest, TheWindowsLayoutsFitTheirClientAreasAtEveryScale) {
    ExpectLayoutFits(kMainWindowLayout, kMainClientWidth, kMainClientHeight);
    ExpectLayoutFits(kExportDetailsLayout, kDetailsClientWidth, kDetailsClientHeight);
    ExpectLayoutFits(kAboutLayout, kAboutClientWidth, kAboutClientHeight);
    ExpectLayoutFits(kEventLogLayout, kEventLogClientWidth, kEventLogClientHeight);
}

TEST(DpiScaleTest, AControlWithoutAPlaceIsAProgrammingError) {
    EXPECT_EQ(ControlPlaceOf(kMainWindowLayout, ids::btnExport).rect,
              (TDesignRect{552, 424, 100, 28}));
    EXPECT_THROW(ControlPlaceOf(kMainWindowLayout, ids::btnAbort), std::logic_error);
}

} // namespace
} // namespace qrv
