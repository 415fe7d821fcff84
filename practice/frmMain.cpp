#include "frmMain.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QTimer>

#include "AppContext.h"
#include "FormsRegistry.h"
#include "Learning.h"
#include "LearningReport.h"
#include "Levels.h"
#include "MainCommands.h"
#include "QtCachedLabel.h"
#include "QtHeatLegend.h"
#include "QtKeyLabel.h"
#include "Twips.h"
#include "basMain.h"
#include "basParam.h"
#include "frmAbout.h"
#include "frmAnalysis.h"
#include "frmBalloon.h"
#include "frmConf.h"
#include "frmOptions.h"
#include "frmResults.h"
#include "frmSpeed.h"
#include "frmTarget.h"
#include "frmText.h"
#include "frmWords.h"

namespace {

const QString kDesignKeyFace = QStringLiteral("ＭＳ ゴシック");
const QString kDesignFrameFace = QStringLiteral("ＭＳ Ｐゴシック");
constexpr int kQueueLefts[5] = {120, 720, 1320, 1920, 2520};
constexpr uint32_t kDimmedLegend = 160 + 256 * 160 + 65536 * 160;

// A key the course has not opened yet: its colour faded most of the way to
// a light grey.
QColor dimmed(const QColor& c) {
    auto mix = [](int x) { return (x + 3 * 232) / 4; };
    return QColor(mix(c.red()), mix(c.green()), mix(c.blue()));
}

// The keys and the queue repaint on every key-down: labels that keep their
// laid-out text between repaints.
template <typename Label = QtCachedLabel>
Label* makeCentredLabel(QWidget* parent, const QString& name) {
    auto* l = new Label(parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    l->setFocusPolicy(Qt::NoFocus);
    return l;
}

}  // namespace

frmMain::frmMain(AppContext& ctx, QWidget* parent)
    : QMainWindow(parent), mCtx(ctx), mPractice(ctx.main, ctx.param, ctx.results, ctx.clock, ctx.random, ctx.beeper) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("タッチタイプ練習"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setFocusPolicy(Qt::StrongFocus);
    if (ctx.forms) ctx.forms->add(this);

    buildControls();
    buildMenus();
    mPractice.setView(this);
    mPractice.setLearning(ctx.learning, ctx.learning);
    if (ctx.learning) connect(ctx.learning, &Learning::figuresChanged, this, &frmMain::figuresChanged);
    mPractice.Form_Load();
    QTimer::singleShot(0, this, [this] {
        mHeatMapReady = true;
        if (mCtx.param.KeyBoardHeatMap() == 1) paintKeyBackgrounds();
    });
}

QLabel* frmMain::keyLabel(int code) const {
    return code >= 0 && code < 256 ? mKeyLabels[static_cast<size_t>(code)] : nullptr;
}

// ---------------------------------------------------------------- controls

void frmMain::buildControls() {
    mClient = new QWidget(this);
    mClient->setObjectName(QStringLiteral("client"));
    setCentralWidget(mClient);

    lines = ui::addEtchedLine(mClient, twips::px(5145 - 100));
    lines.grey->setObjectName(QStringLiteral("Line1"));
    lines.white->setObjectName(QStringLiteral("Line2"));

    lblTextStr[0] = makeCentredLabel(mClient, QStringLiteral("lblTextStr_0"));
    lblTextStr[0]->setFont(ui::designFont(kDesignKeyFace, 36, true));
    ui::setForeColor(lblTextStr[0], QColor(0, 0, 192));
    ui::setBackColor(lblTextStr[0], Qt::white);
    ui::placeTwips(lblTextStr[0], 480, 240, 855, 735);

    fraNextString = new QGroupBox(QStringLiteral("次の文字"), mClient);
    fraNextString->setObjectName(QStringLiteral("fraNextString"));
    fraNextString->setFont(ui::designFont(kDesignFrameFace, 9));
    fraNextString->setFocusPolicy(Qt::NoFocus);
    ui::placeTwips(fraNextString, 1560, 120, 3135, 855);
    for (int i = 1; i <= 5; ++i) {
        QLabel* l = makeCentredLabel(fraNextString, QStringLiteral("lblTextStr_%1").arg(i));
        l->setFont(ui::designFont(kDesignKeyFace, 26.25, true));
        ui::setBackColor(l, Qt::white);
        ui::placeTwips(l, kQueueLefts[i - 1], 240, 495, 495);
        lblTextStr[static_cast<size_t>(i)] = l;
    }

    pbrInputStr = new QProgressBar(mClient);
    pbrInputStr->setObjectName(QStringLiteral("pbrInputStr"));
    pbrInputStr->setTextVisible(false);
    pbrInputStr->setFocusPolicy(Qt::NoFocus);
    ui::placeTwips(pbrInputStr, 240, 1080, 4575, 135);
    pbrInputStr->hide();

    lblCourse = new QLabel(mClient);
    lblCourse->setObjectName(QStringLiteral("lblCourse"));
    lblCourse->setFont(ui::designFont(kDesignFrameFace, 9));
    lblCourse->setFocusPolicy(Qt::NoFocus);
    lblCourse->hide();

    buildKeyboard(mClient);
}

void frmMain::buildKeyboard(QWidget* client) {
    for (const OnScreenKeyboard::Label& k : mPractice.keyboard().labels()) {
        QtKeyLabel* l = makeCentredLabel<QtKeyLabel>(client, QStringLiteral("lblKeyBoard_%1").arg(k.code));
        mKeyLabels[static_cast<size_t>(k.code)] = l;
    }
    picHeatLegend = new QtHeatLegend(client);
    picHeatLegend->hide();
    keyboardArranged();  // the design state, until the load arranges it
}

void frmMain::applyWindowSize() {
    const OnScreenKeyboard& kb = mPractice.keyboard();
    const int w = twips::clientWidthPx(kb.windowWidth(), false);
    int h = twips::clientHeightPx(kb.windowHeight(), false, true);
    // The heat map's legend goes under the keyboard, the window growing by its height.
    const bool legend = mCtx.param.KeyBoardHeatMap() == 1 && mCtx.param.KeyBoard() == 1;
    picHeatLegend->setVisible(legend);
    if (legend) {
        const int legendWidth = w - 2 * twips::px(240);
        const int legendHeight = picHeatLegend->heightForWidth(legendWidth);
        picHeatLegend->setGeometry(twips::px(240), h, legendWidth, legendHeight);
        h += legendHeight + twips::px(60);
    }
    mClient->setFixedSize(w, h);
    const int menuHeight = menuBar()->heightForWidth(w);
    setFixedSize(w, h + (menuHeight > 0 ? menuHeight : menuBar()->sizeHint().height()));
    ui::placeTwips(pbrInputStr, 240, 1080, kb.progressWidth(), 135);
    ui::placeTwips(lblCourse, 240, 1230, kb.progressWidth(), 300);
    lines.setWidth(twips::px(kb.lineRight()));
}

// ---------------------------------------------------------------- menus

QAction* frmMain::addItem(QMenu* menu, const char* name, const QString& caption, void (frmMain::*slot)(),
                          const QKeySequence& shortcut) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) a->setShortcut(shortcut);
    connect(a, &QAction::triggered, this, slot);
    return a;
}

void frmMain::buildMenus() {
    buildFileMenu();
    buildViewMenu();
    buildSetMenu();
    buildHelpMenu();
    ui::returnKeysAfterMenus(menuBar());
}

void frmMain::buildFileMenu() {
    mnuFile = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileReStart = addItem(mnuFile, "mnuFileReStart", QStringLiteral("再スタート(&S)"),
                             &frmMain::mnuFileReStart_Click, QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuFileDataFile =
        addItem(mnuFile, "mnuFileDataFile", QStringLiteral("成績ファイル(&R)..."), &frmMain::mnuFileDataFile_Click);
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileBar1"));
    mnuFileExit = mnuFile->addAction(QStringLiteral("終了(&X)"));
    mnuFileExit->setObjectName(QStringLiteral("mnuFileExit"));
    connect(mnuFileExit, &QAction::triggered, this, &QWidget::close);
}

void frmMain::buildViewMenu() {
    mnuView = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    mnuViewBefore = addItem(mnuView, "mnuViewBefore", QStringLiteral("前回結果(&B)..."), &frmMain::mnuViewBefore_Click);
    mnuViewResults = addItem(mnuView, "mnuViewResults", QStringLiteral("テスト成績(&R)..."),
                             &frmMain::mnuViewResults_Click, QKeySequence(Qt::CTRL | Qt::Key_R));
    mnuViewBar1 = mnuView->addSeparator();
    mnuViewBar1->setObjectName(QStringLiteral("mnuViewBar1"));
    mnuViewText = addItem(mnuView, "mnuViewText", QStringLiteral("テキスト練習(&T)..."), &frmMain::mnuViewText_Click,
                          QKeySequence(Qt::CTRL | Qt::Key_T));
    mnuViewWords = addItem(mnuView, "mnuViewWords", QStringLiteral("単語練習(&K)..."), &frmMain::mnuViewWords_Click);
    mnuViewGame = mnuView->addMenu(QStringLiteral("ゲーム(&G)"));
    mnuViewGame->setObjectName(QStringLiteral("mnuViewGame"));
    mnuViewGameBalloon = addItem(mnuViewGame, "mnuViewGameBalloon", QStringLiteral("風船割り(&B)..."),
                                 &frmMain::mnuViewGameBalloon_Click);
    mnuViewGameTarget =
        addItem(mnuViewGame, "mnuViewGameTarget", QStringLiteral("的射り(&T)..."), &frmMain::mnuViewGameTarget_Click);
    mnuViewGameSpeed =
        addItem(mnuViewGame, "mnuViewGameSpeed", QStringLiteral("早撃ち(&S)..."), &frmMain::mnuViewGameSpeed_Click);
    mnuViewBar2 = mnuView->addSeparator();
    mnuViewBar2->setObjectName(QStringLiteral("mnuViewBar2"));
    mnuViewHeatMap =
        addItem(mnuView, "mnuViewHeatMap", QStringLiteral("苦手キーの色分け(&H)"), &frmMain::mnuViewHeatMap_Click);
    mnuViewHeatMap->setCheckable(true);
    mnuViewHeatMap->setChecked(mCtx.param.KeyBoardHeatMap() == 1);
    mnuViewAnalysis =
        addItem(mnuView, "mnuViewAnalysis", QStringLiteral("苦手キー分析(&W)..."), &frmMain::mnuViewAnalysis_Click);
}

void frmMain::buildSetMenu() {
    mnuSet = menuBar()->addMenu(QStringLiteral("設定(&S)"));
    mnuSet->setObjectName(QStringLiteral("mnuSet"));
    mnuSetLevel = mnuSet->addMenu(QStringLiteral("練習メニュー(&L)"));
    mnuSetLevel->setObjectName(QStringLiteral("mnuSetLevel"));
    mnuSetLevelKey = mnuSetLevel->addMenu(QStringLiteral("キー別の練習(&K)"));
    mnuSetLevelKey->setObjectName(QStringLiteral("mnuSetLevelKey"));
    mnuSetLevelFinger = mnuSetLevel->addMenu(QStringLiteral("指別の練習(&F)"));
    mnuSetLevelFinger->setObjectName(QStringLiteral("mnuSetLevelFinger"));

    for (int level = 0; level < practice::kLevelCount; ++level) {
        const practice::LevelDef& d = practice::levelTable()[static_cast<size_t>(level)];
        QMenu* menu = nullptr;
        QString array;
        switch (d.menu) {
            case practice::LevelMenu::Key:
                menu = mnuSetLevelKey;
                array = QStringLiteral("mnuSetLevelKeySelect");
                break;
            case practice::LevelMenu::Finger:
                menu = mnuSetLevelFinger;
                array = QStringLiteral("mnuSetLevelFingerSelect");
                break;
            case practice::LevelMenu::Select:
                menu = mnuSetLevel;
                array = QStringLiteral("mnuSetLevelSelect");
                break;
            case practice::LevelMenu::Test:
                menu = mnuSet;
                array = QStringLiteral("mnuSetLevelTestSelect");
                break;
        }
        QAction* a = menu->addAction(practice::levelMenuCaption(level));
        a->setObjectName(QStringLiteral("%1_%2").arg(array).arg(level));
        connect(a, &QAction::triggered, this, [this, level] { mPractice.SetLevel(level); });
        levelItems[static_cast<size_t>(level)] = a;
    }
    mnuSet->addSeparator()->setObjectName(QStringLiteral("mnuSetLevelBar1"));
    mnuSetOptions = addItem(mnuSet, "mnuSetOptions", QStringLiteral("オプション(&O)..."), &frmMain::mnuSetOptions_Click,
                            QKeySequence(Qt::CTRL | Qt::Key_O));
}

void frmMain::buildHelpMenu() {
    mnuHelp = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpContents =
        addItem(mnuHelp, "mnuHelpContents", QStringLiteral("説明(&C)..."), &frmMain::mnuHelpContents_Click);
    mnuHelp->addSeparator()->setObjectName(QStringLiteral("mnuHelpBar1"));
    mnuHelpAbout =
        addItem(mnuHelp, "mnuHelpAbout", QStringLiteral("バージョン情報(&A)..."), &frmMain::mnuHelpAbout_Click);
}

// ---------------------------------------------------------------- menu commands

void frmMain::mnuFileReStart_Click() { mPractice.ReStart(); }

void frmMain::mnuFileDataFile_Click() { practice::ChooseDataFile(mCtx.param, mCtx.dialogs, basMain::ProductName()); }

void frmMain::mnuViewBefore_Click() { showLastRun(); }

void frmMain::mnuViewResults_Click() { frmResults::showModeless(mCtx, this); }

void frmMain::mnuViewText_Click() { frmText::showModal(mCtx, this); }

void frmMain::mnuViewWords_Click() { frmWords::showModal(mCtx, this); }

// The games open only after the player has given a name.
void frmMain::mnuViewGameBalloon_Click() {
    if (AskPlayerName()) QtGameWindow::showModal<frmBalloon>(mCtx, this);
}
void frmMain::mnuViewGameTarget_Click() {
    if (AskPlayerName()) QtGameWindow::showModal<frmTarget>(mCtx, this);
}
void frmMain::mnuViewGameSpeed_Click() {
    if (AskPlayerName()) QtGameWindow::showModal<frmSpeed>(mCtx, this);
}

void frmMain::mnuViewHeatMap_Click() {
    mCtx.param.KeyBoardHeatMap(mnuViewHeatMap->isChecked() ? 1 : 0);
    mHeatMapReady = true;
    paintKeyBackgrounds();
    applyWindowSize();
}

void frmMain::mnuViewAnalysis_Click() {
    if (!mCtx.learning) return;
    const practice::KeyRange range = practice::levelRange(practice::kWeakKeys, mCtx.param.KeyBoardType());
    std::vector<int16_t> drillKeys;
    for (int i = range.low; i <= range.high; ++i) drillKeys.push_back(mCtx.main.keyCode(i));
    frmAnalysis::showModeless(mCtx, std::move(drillKeys), this);
}

void frmMain::mnuSetOptions_Click() {
    frmOptions options(mCtx, this);
    options.exec();
    if (options.isStatusOk()) mPractice.OptionsChanged();
}

void frmMain::mnuHelpContents_Click() { practice::OpenHelp(mCtx.main.AppPath(), mCtx.shell, mCtx.dialogs); }

void frmMain::mnuHelpAbout_Click() {
    frmAbout about(mCtx, this);
    about.exec();
}

bool frmMain::AskPlayerName() { return practice::AskPlayerName(mCtx.param, mCtx.dialogs); }

// ---------------------------------------------------------------- keys and unload

void frmMain::keyDown(const QKeyEvent* e) { mPractice.Form_KeyDown(ui::virtualKey(e, mCtx.param.KeyBoardType())); }

// The letter of a menu shortcut or access key (the S of Ctrl+S, the F of
// Alt+F) is taken by the menu before it could arrive here as a key press, so
// it is never judged; the modifier's own key-down arrives and is.
// A key can arrive before the window is active: with no window manager the
// window gets keys while the pointer is over it but becomes active only once
// it takes the focus, and shortcuts and access keys work only in the active
// window. The window takes the focus with its first key, before the key's
// shortcut is looked for, so that Alt+F opens the menu then too.
bool frmMain::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride && !isActiveWindow()) ui::makeActive(this);
    if (e->type() == QEvent::KeyPress) keyDown(static_cast<QKeyEvent*>(e));
    return QMainWindow::event(e);
}

void frmMain::closeEvent(QCloseEvent* e) {
    if (mCtx.forms) mCtx.forms->unloadAllButFirst();
    if (mCtx.learning) mCtx.learning->flush();
    mCtx.param.SaveSettings();
    e->accept();
}

// ---------------------------------------------------------------- painting what the drill says

void frmMain::keyForeColorChanged(int16_t code, uint32_t color) {
    if (QLabel* l = keyLabel(code)) ui::setForeColor(l, ui::fromColorValue(shownForeColor(code, color)));
}

// In the course the legends of keys not open yet are grey while they would
// be black.
uint32_t frmMain::shownForeColor(int16_t code, uint32_t color) const {
    const bool dimmed = mPractice.inCourse() && !mPractice.courseOpen(code);
    return dimmed && color == OnScreenKeyboard::Black ? kDimmedLegend : color;
}

void frmMain::queueChanged() {
    for (int i = 0; i < 6; ++i) {
        QLabel* l = lblTextStr[static_cast<size_t>(i)];
        if (l->text() != mPractice.queueText(i)) l->setText(mPractice.queueText(i));
    }
}

void frmMain::progressChanged() {
    pbrInputStr->setMaximum(std::max(mPractice.progressMax(), 0));
    pbrInputStr->setValue(std::min(mPractice.progressValue(), pbrInputStr->maximum()));
    pbrInputStr->setVisible(mPractice.progressVisible());
}

void frmMain::captionChanged() { setWindowTitle(mPractice.caption()); }

void frmMain::keyboardArranged() {
    const bool wasEnabled = updatesEnabled();
    setUpdatesEnabled(false);
    for (const OnScreenKeyboard::Label& k : mPractice.keyboard().labels()) {
        QLabel* l = keyLabel(k.code);
        ui::placeTwips(l, k.left, k.top, k.width, k.height);
        l->setFont(ui::designFont(k.fontName, k.points, true));
        l->setText(k.legend);
        ui::setForeColor(l, ui::fromColorValue(k.foreColor));
        l->setVisible(k.visible);
    }
    for (QLabel* q : lblTextStr) ui::setFontFace(q, mPractice.keyboard().queueFontName());
    applyWindowSize();
    courseChanged();  // the keys' backgrounds and the course line, at the new size
    setUpdatesEnabled(wasEnabled);
}

// Finger colours, or with the heat map on, each key's weakness (keys not
// known yet in a neutral grey) and the marks of slow and often-missed keys.
// In the course the keys not open yet fade to grey and the newest open key
// is framed.
void frmMain::paintKeyBackgrounds() {
    const bool heat = mHeatMapReady && mCtx.learning && mCtx.param.KeyBoardHeatMap() == 1;
    const learning::Figures* figures = heat ? mCtx.learning->figures(mCtx.param.KeyBoardType()) : nullptr;
    const bool course = mPractice.inCourse() && !mPractice.course().open.empty();
    const int16_t newest = course ? mPractice.course().newest().vk : 0;
    for (const OnScreenKeyboard::Label& k : mPractice.keyboard().labels()) {
        const learning::KeyLook look = heat ? learning::lookOf(figures, k.code) : learning::KeyLook{k.backColor};
        auto* l = static_cast<QtKeyLabel*>(keyLabel(k.code));
        QColor shown = ui::fromColorValue(look.color);
        if (course && !mPractice.courseOpen(k.code)) shown = dimmed(shown);
        ui::setBackColor(l, shown);
        l->setWeakMarks(look.slow, look.missed);
        l->setFrameStyle(k.code == newest ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
        l->setLineWidth(2);
    }
}

void frmMain::courseChanged() {
    const bool course = mPractice.inCourse() && !mPractice.course().open.empty();
    lblCourse->setVisible(course);
    if (course) {
        // As many of the keys short of the target as the line has room for.
        const QFontMetrics fm(lblCourse->font());
        QString line;
        for (int shown = 3; shown >= 0; --shown) {
            line = mPractice.courseNews() + mPractice.courseLine(shown);
            if (fm.horizontalAdvance(line) <= lblCourse->width()) break;
        }
        lblCourse->setText(line);
        lblCourse->setToolTip(mPractice.courseLine(OnScreenKeyboard::kKeyCount));
        ui::setForeColor(lblCourse, mPractice.courseNews().isEmpty() ? QColor(Qt::black) : QColor(0, 112, 0));
    }
    for (const OnScreenKeyboard::Label& k : mPractice.keyboard().labels())
        ui::setForeColor(keyLabel(k.code), ui::fromColorValue(shownForeColor(k.code, k.foreColor)));
    paintKeyBackgrounds();
}

void frmMain::figuresChanged() {
    mPractice.WeightsChanged();
    if (mCtx.param.KeyBoardHeatMap() == 1) paintKeyBackgrounds();
}

void frmMain::showLastRun() { frmConf::showModeless(mCtx, this); }
