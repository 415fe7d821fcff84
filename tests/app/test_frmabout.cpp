#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <cstddef>

#include "AppContext.h"
#include "Fakes.h"
#include "FormsRegistry.h"
#include "basMain.h"
#include "basParam.h"
#include "basResults.h"
#include "frmAbout.h"

namespace {

struct AboutFixture : ::testing::Test {
    FakeClock clock;
    FakeRandom random;
    FakeDialogs dialogs;
    FakeBeeper beeper;
    FakeShell shell;
    FormsRegistry forms;
    basMain main{QStringLiteral("/prog")};
    basParam param{QStringLiteral("/prog"), QStringLiteral("Lumbra"), dialogs};
    basResults results{param, dialogs};
    AppContext ctx{main, param, results, clock, random, dialogs, beeper, shell, &forms};
};

// Presses and releases a key on the widget that has the focus, as the keyboard would.
void pressKey(QWidget* window, int key) {
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

QRect twipsRect(int l, int t, int w, int h) { return QRect(l / 15, t / 15, w / 15, h / 15); }

TEST_F(AboutFixture, ControlsSitWhereDesigned) {
    frmAbout dlg(ctx);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("バージョン情報"));
    EXPECT_EQ(dlg.size(), QSize(241, 169));
    EXPECT_EQ(dlg.lblTitle->geometry(), twipsRect(1080, 240, 2235, 345));
    EXPECT_EQ(dlg.lblVersion->geometry(), twipsRect(1080, 600, 2205, 225));
    EXPECT_EQ(dlg.lblCopyright->geometry(), twipsRect(240, 1080, 3135, 735));
    EXPECT_EQ(dlg.cmdOK->geometry(), twipsRect(1080, 2040, 1310, 345));
    EXPECT_EQ(dlg.lblTitle->text(), QStringLiteral("タッチタイプ練習"));
    EXPECT_EQ(dlg.lblVersion->text(), basMain::VersionLine());
    EXPECT_EQ(dlg.lblCopyright->text().count(u'\n'), 2);  // three lines
    EXPECT_EQ(dlg.lblTitle->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    EXPECT_EQ(dlg.lblCopyright->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    EXPECT_TRUE(dlg.lblTitle->font().bold());
    EXPECT_EQ(dlg.cmdOK->text(), QStringLiteral("OK"));
    EXPECT_TRUE(dlg.cmdOK->isDefault());
    EXPECT_EQ(forms.find<frmAbout>(), &dlg);
}

class AboutKeys : public AboutFixture, public ::testing::WithParamInterface<int> {};
TEST_P(AboutKeys, EnterAndEscCloseTheBox) {
    frmAbout dlg(ctx);
    const int key = GetParam();
    QTimer::singleShot(0, &dlg, [&] { pressKey(&dlg, key); });
    QTimer::singleShot(2000, &dlg, [&] { dlg.done(99); });  // a safety net, not a timing
    const int result = dlg.exec();
    EXPECT_NE(result, 99);
    EXPECT_FALSE(dlg.isVisible());
}
INSTANTIATE_TEST_SUITE_P(Keys, AboutKeys, ::testing::Values(int(Qt::Key_Return), int(Qt::Key_Escape)),
                         [](const auto& info) { return std::string(info.param == Qt::Key_Return ? "Enter" : "Esc"); });

}  // namespace
