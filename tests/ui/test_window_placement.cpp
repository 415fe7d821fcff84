// Windows the program places stay reachable: inside the screen's available
// area, shrunk when larger, the top-left corner (title and menu) first.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "Widgets.h"

namespace {

struct FitRow {
    const char* name;
    QRect frame;
    QRect expected;
};

class FitInside : public ::testing::TestWithParam<FitRow> {};

TEST_P(FitInside, MovesAndShrinksIntoTheArea) {
    const QRect area(0, 30, 1280, 994);  // a panel across the top
    EXPECT_EQ(ui::fitInside(GetParam().frame, area), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, FitInside,
    ::testing::Values(FitRow{"InsideStays", QRect(100, 100, 400, 300), QRect(100, 100, 400, 300)},
                      FitRow{"TitleAboveTheAreaComesDown", QRect(100, 0, 400, 300), QRect(100, 30, 400, 300)},
                      FitRow{"OffTheLeft", QRect(-500, 200, 400, 300), QRect(0, 200, 400, 300)},
                      FitRow{"OffTheBottomRight", QRect(1200, 900, 400, 300), QRect(880, 724, 400, 300)},
                      FitRow{"LargerThanTheAreaShrinks", QRect(-50, -50, 3000, 2000), QRect(0, 30, 1280, 994)},
                      FitRow{"WiderOnly", QRect(300, 100, 2000, 300), QRect(0, 100, 1280, 300)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KeepOnScreen, WindowLargerThanTheScreenAndOffItComesBackWhole) {
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QRect area = screen->availableGeometry();
    QWidget w;
    w.resize(area.width() + 500, area.height() + 400);
    w.move(area.right() + 100, area.top() - 300);
    ui::keepOnScreen(&w, screen);
    EXPECT_TRUE(area.contains(w.frameGeometry())) << w.frameGeometry().x() << "," << w.frameGeometry().y();
    EXPECT_EQ(w.frameGeometry().topLeft(), area.topLeft());
}

TEST(CentreOver, OwnerInACornerKeepsTheWindowOnItsScreen) {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen->availableGeometry();
    QWidget owner;
    owner.setGeometry(area.right() - 60, area.bottom() - 40, 50, 30);
    QWidget w;
    w.resize(300, 200);
    ui::centreOver(&w, &owner);
    EXPECT_TRUE(area.contains(w.frameGeometry()));
    EXPECT_EQ(w.frameGeometry().bottomRight(), area.bottomRight());

    owner.setGeometry(area.center().x() - 200, area.center().y() - 150, 400, 300);
    ui::centreOver(&w, &owner);
    EXPECT_EQ(w.frameGeometry().center(), owner.frameGeometry().center());
}

}  // namespace
