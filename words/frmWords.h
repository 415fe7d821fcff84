#pragma once
#include <QMainWindow>
#include <array>
#include <vector>

#include "WordPractice.h"

struct AppContext;
class QAction;
class QLabel;

// The word-practice window "単語練習": what the set aims at (the learner's
// weak keys and slow moves), the word as written, its reading in kana, the
// romaji still to type, and the same table of figures as text practice. Modal
// over its owner (the main window or the text-practice window).
//
// A key's way: every key event that reaches the window hands its text,
// character by character, to WordPractice::keyPress, and the window repaints
// from the logic. Closing runs WordPractice::Unload.
//
// showModal reads the words first (the index in the data folder, built from
// the dictionary the first time); when there are none the learner is told
// why and no window opens.
class frmWords : public QMainWindow {
    Q_OBJECT
public:
    frmWords(AppContext& ctx, std::vector<words::Word> list, QWidget* parent = nullptr);
    ~frmWords() override;

    static void showModal(AppContext& ctx, QWidget* owner);
    // The index file: "<product>Words.idx" beside the settings file.
    static QString indexFileName(const basParam& param);

    words::WordPractice& practice() { return mPractice; }

    // Controls.
    QLabel* lblAim;
    QLabel* lblCount;
    QLabel* lblWord;
    QLabel* lblDisplay;
    QLabel* lblInput;
    std::array<QLabel*, 3> lblStrNum{};
    std::array<QLabel*, 3> lblMiss{};
    std::array<QLabel*, 3> lblInpPMin{};
    QAction* mnuFileClose;
    QAction* mnuViewNewSet;
    QAction* mnuViewTotalClear;
    QAction* mnuSetDisplay;

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildLabels(QWidget* client);
    void buildFigureTable(QWidget* client);
    void buildMenus();
    void refresh();
    void SetNavi(bool show);

    AppContext& mCtx;
    std::vector<words::Word> mWords;
    words::WordPractice mPractice;
};
