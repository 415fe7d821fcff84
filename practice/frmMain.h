#pragma once
#include <QKeySequence>
#include <QMainWindow>
#include <array>

#include "KeyPractice.h"
#include "Levels.h"
#include "Widgets.h"

struct AppContext;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QProgressBar;
class QtHeatLegend;

// The main window: the key drill, the on-screen keyboard and the menus that
// reach every other window. Closing it closes the others and saves the
// settings; the program ends with it.
//
// The road of a key: the window sees every key-down first (event(): key
// presses; the letter of a menu shortcut or access key belongs to the menu
// and never arrives, the modifier's own key-down does), turns it into a
// virtual-key code with ui::virtualKey for the KeyBoardType setting and hands
// it to KeyPractice::Form_KeyDown. That judges it against the expected key, counts
// a miss against the expected key in basResults' run record, and when the
// run's last key is in, commits the run, writes a test (levels 11 and 12)
// through ReloadResults / AddTestTime / AddTestMiss / SaveResults into the
// results file, and asks this window to show frmConf. The window only paints
// what KeyPractice reports (KeyPracticeView): key colours, queue texts,
// progress bar, caption, keyboard layout and window size.
class frmMain : public QMainWindow, private KeyPracticeView {
    Q_OBJECT
public:
    explicit frmMain(AppContext& ctx, QWidget* parent = nullptr);

    // The drill behind the window and the label of a key on the on-screen
    // keyboard (null for a key without one), for the tests and benchmarks
    // that drive the window.
    KeyPractice& practice() { return mPractice; }
    QLabel* keyLabel(int code) const;

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    // The player-name prompt the game items run before a game opens.
    bool AskPlayerName();

    std::array<QLabel*, 6> lblTextStr{};
    QGroupBox* fraNextString = nullptr;
    QProgressBar* pbrInputStr = nullptr;
    // The course's line under the progress bar: a key that just opened, the
    // next key, the open keys short of the target. Shown in the course only.
    QLabel* lblCourse = nullptr;
    ui::EtchedLine lines{};                 // Line1 (grey) and Line2 (white)
    QtHeatLegend* picHeatLegend = nullptr;  // under the keyboard while the heat map is on

    QMenu* mnuFile = nullptr;
    QAction* mnuFileReStart = nullptr;
    QAction* mnuFileDataFile = nullptr;
    QAction* mnuFileExit = nullptr;
    QMenu* mnuView = nullptr;
    QAction* mnuViewBefore = nullptr;
    QAction* mnuViewResults = nullptr;
    QAction* mnuViewBar1 = nullptr;
    QAction* mnuViewText = nullptr;
    QAction* mnuViewWords = nullptr;  // word practice
    QMenu* mnuViewGame = nullptr;
    QAction* mnuViewGameBalloon = nullptr;
    QAction* mnuViewGameTarget = nullptr;
    QAction* mnuViewGameSpeed = nullptr;
    QAction* mnuViewBar2 = nullptr;
    QAction* mnuViewHeatMap = nullptr;   // checkable: keys coloured by weakness (KeyBoardHeatMap)
    QAction* mnuViewAnalysis = nullptr;  // the weak-key analysis window
    QMenu* mnuSet = nullptr;
    QMenu* mnuSetLevel = nullptr;
    QMenu* mnuSetLevelKey = nullptr;
    QMenu* mnuSetLevelFinger = nullptr;
    std::array<QAction*, practice::kLevelCount> levelItems{};  // by level: the Select items of the four arrays
    QAction* mnuSetOptions = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpContents = nullptr;
    QAction* mnuHelpAbout = nullptr;

    void mnuFileReStart_Click();
    void mnuFileDataFile_Click();
    void mnuViewBefore_Click();
    void mnuViewResults_Click();
    void mnuViewText_Click();
    void mnuViewWords_Click();
    void mnuViewGameBalloon_Click();
    void mnuViewGameTarget_Click();
    void mnuViewGameSpeed_Click();
    void mnuViewHeatMap_Click();
    void mnuViewAnalysis_Click();
    void mnuSetOptions_Click();
    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();

    void buildControls();
    void buildKeyboard(QWidget* client);
    void buildMenus();
    void buildFileMenu();
    void buildViewMenu();
    void buildSetMenu();
    void buildHelpMenu();
    QAction* addItem(QMenu* menu, const char* name, const QString& caption, void (frmMain::*slot)(),
                     const QKeySequence& shortcut = {});
    void keyDown(const QKeyEvent* e);
    void applyWindowSize();
    void paintKeyBackgrounds();
    void figuresChanged();
    uint32_t shownForeColor(int16_t code, uint32_t color) const;

    // KeyPracticeView
    void keyForeColorChanged(int16_t code, uint32_t color) override;
    void queueChanged() override;
    void progressChanged() override;
    void captionChanged() override;
    void keyboardArranged() override;
    void showLastRun() override;
    void courseChanged() override;

    AppContext& mCtx;
    KeyPractice mPractice;
    QWidget* mClient = nullptr;
    std::array<QLabel*, 256> mKeyLabels{};
    // The heat map is painted once the window is up, so that start-up does
    // not open the keystroke store.
    bool mHeatMapReady = false;
};
