// The menu items that open one window from another: each opens the right
// window, the games only after a name was given, and an erase in the results
// window redraws an open test graph.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTimer>

#include "AppContext.h"
#include "FakeApp.h"
#include "Fakes.h"
#include "FormsRegistry.h"
#include "TestFiles.h"
#include "basMain.h"
#include "basParam.h"
#include "basResults.h"
#include "frmBalloon.h"
#include "frmConf.h"
#include "frmGraph.h"
#include "frmGraph2.h"
#include "frmGraphText.h"
#include "frmMain.h"
#include "frmResults.h"
#include "frmScore.h"
#include "frmText.h"

namespace {

struct WiringRig : FakeAppT<SeededRandom> {
    frmMain* window = nullptr;

    WiringRig() {
        window = new frmMain(ctx);
        window->show();
    }
    ~WiringRig() {
        window->close();
        delete window;
    }
    static void trigger(QWidget* w, const char* name) {
        QAction* a = w->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(a, nullptr) << name;
        a->trigger();
    }
    // Closes the modal window of class T as soon as it is shown, and records
    // that it was.
    template <typename T>
    void closeModalWhenShown(bool* seen) {
        QTimer::singleShot(0, [this, seen] {
            if (T* w = forms.find<T>()) {
                *seen = true;
                w->close();
            }
        });
    }
};

TEST(MenuWiring, ModelessWindowsOpenOnceFromTheirItems) {
    WiringRig rig;
    WiringRig::trigger(rig.window, "mnuViewResults");
    frmResults* resultsWindow = rig.forms.find<frmResults>();
    ASSERT_NE(resultsWindow, nullptr);
    WiringRig::trigger(resultsWindow, "mnuViewGraph");
    EXPECT_NE(rig.forms.find<frmGraph>(), nullptr);

    WiringRig::trigger(rig.window, "mnuViewBefore");
    frmConf* conf = rig.forms.find<frmConf>();
    ASSERT_NE(conf, nullptr);
    WiringRig::trigger(conf, "mnuViewGraph");
    EXPECT_NE(rig.forms.find<frmGraph2>(), nullptr);

    // A second choice brings the loaded window forward instead of a new one.
    WiringRig::trigger(rig.window, "mnuViewResults");
    int count = 0;
    for (QWidget* w : rig.forms.forms()) count += qobject_cast<frmResults*>(w) ? 1 : 0;
    EXPECT_EQ(count, 1);
}

TEST(MenuWiring, ClosingTheMainWindowClosesTheOthersAndSavesTheSettings) {
    WiringRig rig;
    WiringRig::trigger(rig.window, "mnuViewResults");
    WiringRig::trigger(rig.forms.find<frmResults>(), "mnuViewGraph");
    ASSERT_EQ(rig.forms.forms().size(), 3);
    rig.window->close();
    QApplication::processEvents();
    EXPECT_EQ(rig.forms.find<frmGraph>(), nullptr);
    EXPECT_EQ(rig.forms.find<frmResults>(), nullptr);
    EXPECT_TRUE(rig.folder.exists("Lumbra.ini"));
}

TEST(MenuWiring, TextPracticeOpensModalAndItsGraphFromItsMenu) {
    WiringRig rig;
    bool textSeen = false, graphSeen = false;
    QTimer::singleShot(0, [&] {
        frmText* text = rig.forms.find<frmText>();
        if (!text) return;
        textSeen = true;
        rig.closeModalWhenShown<frmGraphText>(&graphSeen);
        WiringRig::trigger(text, "mnuViewGraph");
        text->close();
    });
    WiringRig::trigger(rig.window, "mnuViewText");
    EXPECT_TRUE(textSeen);
    EXPECT_TRUE(graphSeen);
}

TEST(MenuWiring, GamesOpenOnlyAfterANameIsGiven) {
    WiringRig rig;
    rig.dialogs.inputAnswers = {std::nullopt};
    WiringRig::trigger(rig.window, "mnuViewGameBalloon");  // cancelled prompt
    ASSERT_EQ(rig.dialogs.inputs.size(), 1u);
    EXPECT_EQ(rig.dialogs.inputs[0].prompt, QStringLiteral("名前を入力してください。"));
    EXPECT_EQ(rig.dialogs.inputs[0].title, QStringLiteral("名前入力"));
    EXPECT_EQ(rig.forms.find<frmBalloon>(), nullptr);

    rig.dialogs.inputAnswers = {QStringLiteral("ABCDEFGHIJKL")};
    bool balloonSeen = false;
    rig.closeModalWhenShown<frmBalloon>(&balloonSeen);
    WiringRig::trigger(rig.window, "mnuViewGameBalloon");
    EXPECT_TRUE(balloonSeen);
    EXPECT_EQ(rig.param.PlayerName(), QStringLiteral("ABCDEFGHIJ"));
}

// Each game opens modal with its own high-score table chosen for the score
// dialog; the balloon and target games open centred on the main window (within
// the few pixels the frames differ by).
TEST(MenuWiring, EachGameOpensModal) {
    WiringRig rig;
    rig.window->move(40, 40);
    struct Row {
        const char* item;
        const char* game;
        bool centred;
    };
    for (const Row& row : {Row{"mnuViewGameBalloon", "frmBalloon", true}, Row{"mnuViewGameTarget", "frmTarget", true},
                           Row{"mnuViewGameSpeed", "frmSpeed", false}}) {
        rig.dialogs.inputAnswers = {QStringLiteral("NAME")};
        bool shown = false;
        QString opened;
        QPoint offCentre;
        QTimer::singleShot(0, [&] {
            QWidget* game = QApplication::activeModalWidget();
            if (!game) return;
            shown = true;
            opened = game->objectName();
            offCentre = game->frameGeometry().center() - rig.window->frameGeometry().center();
            game->close();
        });
        WiringRig::trigger(rig.window, row.item);
        ASSERT_TRUE(shown) << row.item;
        EXPECT_EQ(opened, QLatin1String(row.game)) << row.item;
        if (row.centred) {
            EXPECT_LE(offCentre.manhattanLength(), 6)
                << row.item << " off by " << offCentre.x() << "," << offCentre.y();
        }
    }
}

}  // namespace
