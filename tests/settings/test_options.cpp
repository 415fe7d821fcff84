#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <cstddef>

#include "AppContext.h"
#include "Fakes.h"
#include "FormsRegistry.h"
#include "OptionsValues.h"
#include "ParamNames.h"
#include "TestFiles.h"
#include "basMain.h"
#include "basParam.h"
#include "basResults.h"
#include "frmOptions.h"

namespace {

// ---- the logic, without the dialog ----

struct CountRow {
    const char* text;
    std::optional<int32_t> value;
};
class NeedCountText : public ::testing::TestWithParam<CountRow> {};
TEST_P(NeedCountText, MustBeAWholeNumberOfAtLeastTwo) {
    EXPECT_EQ(OptionsValues::parseNeedCount(QString::fromUtf8(GetParam().text)), GetParam().value);
}
INSTANTIATE_TEST_SUITE_P(Rows, NeedCountText,
                         ::testing::Values(CountRow{"", std::nullopt}, CountRow{"0", std::nullopt},
                                           CountRow{"1", std::nullopt}, CountRow{"2", 2}, CountRow{"0002", 2},
                                           CountRow{"9999", 9999}, CountRow{"12a", std::nullopt},
                                           CountRow{"-5", std::nullopt}, CountRow{" 5", std::nullopt},
                                           CountRow{"５", std::nullopt}, CountRow{"2.5", std::nullopt}),
                         [](const auto& info) { return testnames::spelled(info.param.text); });

struct ParamFixture : ::testing::Test {
    ScratchFolder dir;
    FakeDialogs dialogs;
    basParam param{dir.path(), QStringLiteral("Lumbra"), dialogs};
    void SetUp() override { param.LoadSettings(); }
};

TEST_F(ParamFixture, ValuesMirrorTheSettings) {
    param.BindKey6(3);
    param.LetterType(1);
    param.NeedCount(75);
    param.MissBeep(1);
    param.MissNext(0);
    param.MissKeyDisp(1);
    param.KeyBoard(0);
    param.KeyBoardSize(1);
    param.KeyBoardType(1);
    param.TextRomaji(0);
    const OptionsValues v = OptionsValues::fromSettings(param);
    EXPECT_EQ(v.fontName, QStringLiteral("ＭＳ ゴシック"));
    EXPECT_TRUE(v.bindKey6Left);
    EXPECT_TRUE(v.letterLower);
    EXPECT_EQ(v.needCount, QStringLiteral("75"));
    EXPECT_TRUE(v.missBeep);
    EXPECT_FALSE(v.missNext);
    EXPECT_TRUE(v.missDisp);
    EXPECT_FALSE(v.keyBoard);
    EXPECT_EQ(v.keySize, 1);
    EXPECT_EQ(v.keyType, 1);
    EXPECT_FALSE(v.textRomaji);
}

TEST_F(ParamFixture, StoreWritesEverySettingOrNothing) {
    OptionsValues v = OptionsValues::fromSettings(param);
    v.fontName = QStringLiteral("IPAGothic");
    v.bindKey6Left = true;
    v.letterLower = true;
    v.needCount = QStringLiteral("120");
    v.missBeep = v.missNext = true;
    v.missDisp = false;
    v.keyBoard = false;
    v.keySize = 1;
    v.keyType = 1;
    v.textRomaji = false;
    v.courseAccuracy = 90;
    v.courseWeakness = 400;
    OptionsValues bad = v;
    bad.needCount = QStringLiteral("1");
    const QByteArray before = param.SettingsFileBytes();
    EXPECT_FALSE(bad.store(param));
    EXPECT_EQ(param.SettingsFileBytes(), before);
    ASSERT_TRUE(v.store(param));
    EXPECT_EQ(param.FontName(), QStringLiteral("IPAGothic"));
    EXPECT_EQ(param.BindKey6(), 3);
    EXPECT_EQ(param.LetterType(), 1);
    EXPECT_EQ(param.NeedCount(), 120);
    EXPECT_EQ(param.MissBeep(), 1);
    EXPECT_EQ(param.MissNext(), 1);
    EXPECT_EQ(param.MissKeyDisp(), 0);
    EXPECT_EQ(param.KeyBoard(), 0);
    EXPECT_EQ(param.KeyBoardSize(), 1);
    EXPECT_EQ(param.KeyBoardType(), 1);
    EXPECT_EQ(param.TextRomaji(), 0);
    EXPECT_EQ(param.CourseAccuracy(), 90);
    EXPECT_EQ(param.CourseWeakness(), 300);  // brought into its range
}

// ---- the dialog ----

void sendKey(QWidget* target, int key, const QString& text = QString(), Qt::KeyboardModifiers mods = {}) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(target, &release);
}

struct DialogFixture : ParamFixture {
    FakeClock clock;
    FakeRandom random;
    FakeBeeper beeper;
    FakeShell shell;
    FormsRegistry forms;
    basMain main{dir.path()};
    basResults results{param, dialogs};
    AppContext ctx{main, param, results, clock, random, dialogs, beeper, shell, &forms};
    std::unique_ptr<frmOptions> dlg;

    frmOptions& open() {
        dlg = std::make_unique<frmOptions>(ctx);
        dlg->show();
        dlg->activateWindow();
        QApplication::setActiveWindow(dlg.get());
        QApplication::processEvents();
        return *dlg;
    }
    template <typename W>
    W* child(const char* name) {
        W* w = dlg->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // The panel whose area is on top at the middle of the panels.
    int panelInFront() {
        QWidget* w = dlg->childAt(twipsToPx(480 + 4215 / 2), twipsToPx(720 + 2535 - 60));
        for (; w && w != dlg.get(); w = w->parentWidget())
            for (int i = 0; i < 3; ++i)
                if (w->objectName() == QStringLiteral("fraMainPanel_%1").arg(i)) return i;
        return -1;
    }
    static int twipsToPx(int tw) { return tw / 15; }
    void typeInto(QWidget* w, const QString& keys) {
        for (QChar c : keys) sendKey(w, c.toUpper().unicode(), QString(c));
    }
};

QRect tw(int l, int t, int w, int h) { return QRect(l / 15, t / 15, w / 15, h / 15); }

TEST_F(DialogFixture, ControlsAndPanelsWhereDesigned) {
    frmOptions& d = open();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("オプション設定"));
    EXPECT_EQ(d.size(), QSize(346, 281));
    auto* tab = child<QTabBar>("tabMainPanel");
    ASSERT_EQ(tab->count(), 4);
    EXPECT_EQ(tab->tabText(0), QStringLiteral("全般"));
    EXPECT_EQ(tab->tabText(1), QStringLiteral("練習"));
    EXPECT_EQ(tab->tabText(2), QStringLiteral("キーボード"));
    EXPECT_EQ(tab->tabText(3), QStringLiteral("段階練習"));
    EXPECT_EQ(tab->geometry(), tw(240, 240, 4695, 3255));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(child<QWidget>(QStringLiteral("fraMainPanel_%1").arg(i).toLatin1())->geometry(),
                  tw(480, 720, 4215, 2535));
    struct Row {
        const char* name;
        const char* caption;
        QRect rect;
        const char* panel;
    };
    const Row rows[] = {
        {"lblFontNameTitle", "フォント名", tw(360, 360, 975, 255), "fraMainPanel_0"},
        {"cmdFontName", "変更(&F)...", tw(2880, 600, 975, 375), "fraMainPanel_0"},
        {"chkBindKey6", "数字の『６』を左手人差し指で入力する。", tw(360, 1320, 3375, 255), "fraMainPanel_0"},
        {"chkLetterType", "英語を小文字で表示する。", tw(360, 1920, 2415, 255), "fraMainPanel_0"},
        {"chkWordKanaOnly", "単語練習でかなだけを表示する。", tw(360, 2280, 3015, 255), "fraMainPanel_0"},
        {"lblNeedCount", "練習文字数", tw(360, 360, 1095, 255), "fraMainPanel_1"},
        {"chkMissBeep", "ミスタイプのときビープ音を鳴らす。", tw(360, 1200, 3015, 255), "fraMainPanel_1"},
        {"chkMissNext", "ミスタイプのとき次の文字に進む。", tw(360, 1560, 2895, 255), "fraMainPanel_1"},
        {"chkMissDisp", "ミスタイプキーを表示する。", tw(360, 1920, 2415, 255), "fraMainPanel_1"},
        {"chkTextRomaji", "テキスト練習で別のつづりも正解にする。", tw(360, 2280, 3255, 255), "fraMainPanel_1"},
        {"chkKeyBoard", "画面にキーボードを表示する。", tw(360, 360, 2655, 255), "fraMainPanel_2"},
        {"optKeySize_0", "標準サイズ", tw(240, 240, 1215, 255), "fraKeySize"},
        {"optKeySize_1", "拡大サイズ", tw(1680, 240, 1215, 255), "fraKeySize"},
        {"optKeyType_0", "日本語(106)", tw(240, 240, 1335, 255), "fraKeyType"},
        {"optKeyType_1", "英語(101)", tw(1680, 240, 1095, 255), "fraKeyType"},
        {"lblCourseAccuracy", "正確さの目標(&A)", tw(360, 390, 1575, 255), "fraMainPanel_3"},
        {"lblCourseWeakness", "苦手度の目標(&W)", tw(360, 870, 1575, 255), "fraMainPanel_3"},
        {"cmdOK", "設定(&S)", tw(2520, 3720, 1095, 375), "frmOptions"},
        {"cmdCancel", "中止(&C)", tw(3840, 3720, 1095, 375), "frmOptions"},
    };
    for (const Row& r : rows) {
        QWidget* w = child<QWidget>(r.name);
        ASSERT_NE(w, nullptr);
        // Captions may widen a check box or option button; place and height are fixed.
        const bool widens = qobject_cast<QAbstractButton*>(w) && !qobject_cast<QPushButton*>(w);
        EXPECT_EQ(w->pos(), r.rect.topLeft()) << r.name;
        EXPECT_EQ(w->height(), r.rect.height()) << r.name;
        if (widens)
            EXPECT_GE(w->width(), r.rect.width()) << r.name;
        else
            EXPECT_EQ(w->width(), r.rect.width()) << r.name;
        if (widens) {
            EXPECT_GE(w->width(), w->sizeHint().width()) << r.name << ": caption cut off";
        }
        EXPECT_EQ(w->property("text").toString(), QString::fromUtf8(r.caption)) << r.name;
        EXPECT_EQ(w->parentWidget()->objectName(), QString::fromLatin1(r.panel)) << r.name;
    }
    EXPECT_EQ(child<QLabel>("lblFontName")->geometry().topLeft(), tw(360, 600, 0, 0).topLeft());
    EXPECT_EQ(child<QLabel>("lblFontName")->width(), 2295 / 15);
    EXPECT_EQ(child<QLineEdit>("txtNeedCount")->geometry(), tw(360, 600, 1095, 270));
    EXPECT_EQ(child<QGroupBox>("fraKeySize")->title(), QStringLiteral("表示サイズ"));
    EXPECT_EQ(child<QGroupBox>("fraKeySize")->geometry(), tw(600, 720, 3135, 615));
    EXPECT_EQ(child<QGroupBox>("fraKeyType")->title(), QStringLiteral("キーボード種類"));
    EXPECT_EQ(child<QGroupBox>("fraKeyType")->geometry(), tw(600, 1560, 3135, 615));
    EXPECT_TRUE(child<QPushButton>("cmdOK")->isDefault());
    EXPECT_EQ(d.currentPanel(), 0);
    EXPECT_EQ(panelInFront(), 0);
    EXPECT_FALSE(d.isStatusOk());
}

TEST_F(DialogFixture, ControlsShowTheSettings) {
    param.FontName(QStringLiteral("IPAGothic"));
    param.LetterType(1);
    param.NeedCount(80);
    param.MissNext(1);
    param.KeyBoardSize(1);
    param.KeyBoardType(1);
    open();
    EXPECT_EQ(child<QLabel>("lblFontName")->text(), QStringLiteral("IPAGothic"));
    EXPECT_FALSE(child<QCheckBox>("chkBindKey6")->isChecked());
    EXPECT_TRUE(child<QCheckBox>("chkLetterType")->isChecked());
    EXPECT_EQ(child<QLineEdit>("txtNeedCount")->text(), QStringLiteral("80"));
    EXPECT_FALSE(child<QCheckBox>("chkMissBeep")->isChecked());
    EXPECT_TRUE(child<QCheckBox>("chkMissNext")->isChecked());
    EXPECT_TRUE(child<QCheckBox>("chkMissDisp")->isChecked());
    EXPECT_TRUE(child<QCheckBox>("chkTextRomaji")->isChecked());  // on unless turned off
    EXPECT_TRUE(child<QCheckBox>("chkKeyBoard")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("optKeySize_1")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("optKeyType_1")->isChecked());
}

class RejectedCount : public DialogFixture, public ::testing::WithParamInterface<const char*> {};
TEST_P(RejectedCount, ShowsTheErrorAndStaysOpen) {
    open();
    auto* txt = child<QLineEdit>("txtNeedCount");
    txt->setText(QString::fromLatin1(GetParam()));
    child<QWidget>("chkLetterType")->setFocus();
    child<QPushButton>("cmdOK")->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("『練習文字数』には、２以上の数字を入力してください。"));
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("エラー"));
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::OK);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_FALSE(dlg->isStatusOk());
    EXPECT_EQ(param.NeedCount(), 50);
    EXPECT_EQ(dlg->focusWidget(), txt);
    EXPECT_EQ(dlg->currentPanel(), 1);
}
INSTANTIATE_TEST_SUITE_P(Texts, RejectedCount, ::testing::Values("1", "", "0"),
                         [](const auto& info) { return testnames::spelled(info.param); });

TEST_F(DialogFixture, TwoIsAcceptedAndClosesTheDialog) {
    open();
    child<QLineEdit>("txtNeedCount")->setText(QStringLiteral("2"));
    child<QPushButton>("cmdOK")->click();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(dlg->isStatusOk());
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(param.NeedCount(), 2);
}

TEST_F(DialogFixture, DrillLengthTakesOnlyDigitsAndAtMostFour) {
    open();
    auto* txt = child<QLineEdit>("txtNeedCount");
    txt->setFocus();
    txt->selectAll();
    typeInto(txt, QStringLiteral("a1b-2.c3 "));
    EXPECT_EQ(txt->text(), QStringLiteral("123"));
    typeInto(txt, QStringLiteral("456"));
    EXPECT_EQ(txt->text(), QStringLiteral("1234"));
    sendKey(txt, Qt::Key_Backspace);
    EXPECT_EQ(txt->text(), QStringLiteral("123"));
    txt->selectAll();
    txt->insert(QStringLiteral("ab12"));  // a paste of letters gets nowhere either
    EXPECT_EQ(txt->text(), QStringLiteral("123"));
}

TEST_F(DialogFixture, KeyboardOffGreysTheFramesAndOkStillStoresThem) {
    open();
    child<QRadioButton>("optKeySize_1")->setChecked(true);
    child<QRadioButton>("optKeyType_1")->setChecked(true);
    child<QCheckBox>("chkKeyBoard")->click();
    for (const char* name :
         {"fraKeySize", "optKeySize_0", "optKeySize_1", "fraKeyType", "optKeyType_0", "optKeyType_1"})
        EXPECT_FALSE(child<QWidget>(name)->isEnabled()) << name;
    child<QPushButton>("cmdOK")->click();
    EXPECT_EQ(param.KeyBoard(), 0);
    EXPECT_EQ(param.KeyBoardSize(), 1);
    EXPECT_EQ(param.KeyBoardType(), 1);
}

TEST_F(DialogFixture, KeyboardOffAtLoadGreysTheFramesAndOnAgainEnablesThem) {
    param.KeyBoard(0);
    open();
    EXPECT_FALSE(child<QWidget>("optKeyType_1")->isEnabled());
    child<QCheckBox>("chkKeyBoard")->click();
    for (const char* name :
         {"fraKeySize", "optKeySize_0", "optKeySize_1", "fraKeyType", "optKeyType_0", "optKeyType_1"})
        EXPECT_TRUE(child<QWidget>(name)->isEnabled()) << name;
}

TEST_F(DialogFixture, SixOnTheLeftHandIsStoredAsThree) {
    ASSERT_EQ(param.BindKey6(), 4);
    open();
    auto* chk = child<QCheckBox>("chkBindKey6");
    EXPECT_FALSE(chk->isChecked());
    chk->click();
    child<QPushButton>("cmdOK")->click();
    EXPECT_EQ(param.BindKey6(), 3);
    EXPECT_TRUE(dlg->isStatusOk());
}

TEST_F(DialogFixture, RomajiSpellingsCanBeTurnedOffAndOnAgain) {
    open();
    child<QCheckBox>("chkTextRomaji")->click();
    child<QPushButton>("cmdOK")->click();
    EXPECT_EQ(param.TextRomaji(), 0);
    EXPECT_NE(param.SettingsFileBytes().indexOf("TextRomaji=0\r\n"), -1);
    open();
    EXPECT_FALSE(child<QCheckBox>("chkTextRomaji")->isChecked());
    child<QCheckBox>("chkTextRomaji")->click();
    child<QPushButton>("cmdOK")->click();
    EXPECT_EQ(param.TextRomaji(), 1);
    EXPECT_EQ(param.SettingsFileBytes().indexOf("TextRomaji"), -1);
}

TEST_F(DialogFixture, CourseTargetsShowAndAreStored) {
    param.CourseAccuracy(90);
    open();
    EXPECT_EQ(child<QSpinBox>("spnCourseAccuracy")->value(), 90);
    EXPECT_EQ(child<QDoubleSpinBox>("spnCourseWeakness")->value(), 1.3);
    child<QDoubleSpinBox>("spnCourseWeakness")->setValue(1.45);
    child<QPushButton>("cmdOK")->click();
    EXPECT_EQ(param.CourseWeakness(), 145);
}

TEST_F(DialogFixture, CancelAfterChangingEverythingChangesNothing) {
    const QByteArray before = param.SettingsFileBytes();
    open();
    dialogs.fontAnswers = {QStringLiteral("IPAGothic")};
    child<QPushButton>("cmdFontName")->click();
    for (const char* name : {"chkBindKey6", "chkLetterType", "chkMissBeep", "chkMissNext", "chkMissDisp", "chkKeyBoard",
                             "chkTextRomaji", "chkWordKanaOnly"})
        child<QCheckBox>(name)->click();
    child<QLineEdit>("txtNeedCount")->setText(QStringLiteral("99"));
    child<QRadioButton>("optKeySize_1")->setChecked(true);
    child<QRadioButton>("optKeyType_1")->setChecked(true);
    child<QPushButton>("cmdCancel")->click();
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_FALSE(dlg->isStatusOk());
    EXPECT_EQ(param.SettingsFileBytes(), before);
}

TEST_F(DialogFixture, EscapeCancels) {
    open();
    child<QCheckBox>("chkMissBeep")->click();
    sendKey(child<QWidget>("tabMainPanel"), Qt::Key_Escape);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_FALSE(dlg->isStatusOk());
    EXPECT_EQ(param.MissBeep(), 0);
}

TEST_F(DialogFixture, EnterConfirms) {
    open();
    child<QCheckBox>("chkMissBeep")->click();
    child<QWidget>("tabMainPanel")->setFocus();
    sendKey(child<QWidget>("tabMainPanel"), Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_TRUE(dlg->isStatusOk());
    EXPECT_EQ(param.MissBeep(), 1);
}

TEST_F(DialogFixture, FontDialogStartsFromTheShownNameAndCancelKeepsIt) {
    open();
    auto* lbl = child<QLabel>("lblFontName");
    dialogs.fontAnswers = {std::nullopt, QStringLiteral("IPAPGothic")};
    child<QPushButton>("cmdFontName")->click();
    EXPECT_EQ(lbl->text(), QStringLiteral("ＭＳ ゴシック"));
    child<QPushButton>("cmdFontName")->click();
    EXPECT_EQ(lbl->text(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(dialogs.fontRequests, (QStringList{QStringLiteral("ＭＳ ゴシック"), QStringLiteral("ＭＳ ゴシック")}));
    child<QPushButton>("cmdOK")->click();
    EXPECT_EQ(param.FontName(), QStringLiteral("IPAPGothic"));
}

TEST_F(DialogFixture, TabFromTheLastGeneralControlShowsThePracticePanel) {
    open();
    auto* from = child<QWidget>("chkWordKanaOnly");
    from->setFocus();
    EXPECT_EQ(dlg->currentPanel(), 0);
    sendKey(from, Qt::Key_Tab);
    EXPECT_EQ(dlg->focusWidget(), child<QWidget>("txtNeedCount"));
    EXPECT_EQ(dlg->currentPanel(), 1);
    EXPECT_EQ(panelInFront(), 1);
}

struct FocusRow {
    const char* control;
    int panel;
};
class FocusBringsTab : public DialogFixture, public ::testing::WithParamInterface<FocusRow> {};
TEST_P(FocusBringsTab, ControlGettingFocusShowsItsPanel) {
    open();
    // Start from another panel than the control's.
    child<QTabBar>("tabMainPanel")->setCurrentIndex((GetParam().panel + 1) % 3);
    child<QWidget>(GetParam().control)->setFocus();
    EXPECT_EQ(dlg->currentPanel(), GetParam().panel);
    EXPECT_EQ(panelInFront(), GetParam().panel);
}
INSTANTIATE_TEST_SUITE_P(Rows, FocusBringsTab,
                         ::testing::Values(FocusRow{"cmdFontName", 0}, FocusRow{"chkLetterType", 0},
                                           FocusRow{"txtNeedCount", 1}, FocusRow{"chkKeyBoard", 2},
                                           FocusRow{"optKeyType_0", 2}, FocusRow{"optKeyType_1", 2},
                                           FocusRow{"chkMissDisp", 1}, FocusRow{"chkBindKey6", 0},
                                           FocusRow{"chkTextRomaji", 1}),
                         [](const auto& info) { return std::string(info.param.control); });

TEST_F(DialogFixture, ClickingATabBringsItsPanelForward) {
    open();
    child<QTabBar>("tabMainPanel")->setCurrentIndex(2);
    EXPECT_EQ(panelInFront(), 2);
    child<QTabBar>("tabMainPanel")->setCurrentIndex(1);
    EXPECT_EQ(panelInFront(), 1);
}

}  // namespace
