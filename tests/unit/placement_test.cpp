// Where a dialog opens over the game's window.
#include "dialogs/placement.h"

#include <gtest/gtest.h>

namespace {

const ScreenBox kWorkArea = {0, 0, 1280, 984};

TEST(PlacementTest, ADialogSitsCentredOverItsOwner) {
    const ScreenPoint at = CentredOver({100, 50, 740, 574}, 200, 100, kWorkArea);
    EXPECT_EQ(320, at.x);
    EXPECT_EQ(262, at.y);
}

TEST(PlacementTest, AnOwnerAtTheEdgeOfTheScreenKeepsItsDialogOnTheScreen) {
    const ScreenPoint right = CentredOver({1200, 900, 1840, 1424}, 300, 200, kWorkArea);
    EXPECT_EQ(980, right.x) << "its right edge on the work area's";
    EXPECT_EQ(784, right.y) << "above the taskbar";
    const ScreenPoint left = CentredOver({-600, -400, 40, 124}, 300, 200, kWorkArea);
    EXPECT_EQ(0, left.x);
    EXPECT_EQ(0, left.y);
}

TEST(PlacementTest, ADialogLargerThanTheWorkAreaShowsItsCaption) {
    const ScreenPoint at = CentredOver({100, 100, 740, 624}, 1400, 1000, {0, 40, 1280, 1024});
    EXPECT_EQ(0, at.x);
    EXPECT_EQ(40, at.y) << "the caption below the top taskbar";
}

TEST(PlacementTest, ASecondMonitorLeftOfThePrimaryHasNegativeCoordinates) {
    const ScreenPoint at = CentredOver({-1500, 100, -860, 624}, 200, 100, {-1920, 0, 0, 1040});
    EXPECT_EQ(-1280, at.x);
    EXPECT_EQ(312, at.y);
}

}  // namespace
