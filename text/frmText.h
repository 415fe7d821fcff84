#pragma once
#include <QMainWindow>
#include <array>
#include <memory>

#include "TextPractice.h"
#include "Widgets.h"

struct AppContext;
class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QMimeData;

// The text-practice window "テキスト練習": the entry's display text above the
// characters still to type, a table of the last entry's and the cumulative
// figures, and menus to open a practice file, choose the order, clear the
// totals and switch the input guide. Modal, sizable, centred on its owner.
//
// A key's way: every key event that reaches the window (before any control)
// hands its text, character by character, to TextPractice::keyPress; the
// window then repaints the two lines and the figures from the logic. Closing
// the window runs TextPractice::Unload, which stores the totals in the
// results file when an entry was finished.
//
// Files dropped on the window or any of its labels load like the menu does.
// The window can be widened up to the screen width but never made taller than
// it opened (the limits go into basMain's gMaxWidth ... gMaxTop).
class frmText : public QMainWindow {
    Q_OBJECT
public:
    explicit frmText(AppContext& ctx, QWidget* parent = nullptr);
    ~frmText() override;

    // Opens the window modal over its owner and returns when it has closed.
    static void showModal(AppContext& ctx, QWidget* owner);

    TextPractice& practice() { return mPractice; }

    // Controls, named as designed.
    QLabel* lblDisplay;
    QLabel* lblInput;
    std::array<QLabel*, 3> lblStrNum{};
    std::array<QLabel*, 3> lblMiss{};
    std::array<QLabel*, 3> lblInpPMin{};
    std::array<QLabel*, 2> lblTotal{};
    ui::EtchedLine Line1{};

    QAction* mnuFileOpen;
    QAction* mnuFileClose;
    QMenu* mnuViewSort;
    std::array<QAction*, 3> mnuViewSortRead{};
    QAction* mnuViewGraph;
    QAction* mnuViewWords;  // word practice, over this window
    QAction* mnuViewTotalClear;
    QAction* mnuSetDisplay;

    // Characters of a text line put on screen (the rest would be off the
    // widest window anyway).
    static constexpr int kShownChars = 400;

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildLabels(QWidget* client);
    void buildFigureTable(QWidget* client);
    void buildMenus();
    void applySizeCap();
    void refresh();
    void refreshFigures();
    void LoadText(const QString& path);
    void SetNavi(bool show);
    void mnuFileOpen_Click();
    void mnuViewSortRead_Click(int index);
    void mnuViewTotalClear_Click();
    void dropFiles(const QMimeData* data);

    AppContext& mCtx;
    TextPractice mPractice;
    QActionGroup* mSortGroup = nullptr;
};
