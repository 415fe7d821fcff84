#pragma once
#include <QDialog>
#include <QHash>
#include <array>

#include "OptionsValues.h"

struct AppContext;
class QCheckBox;
class QDoubleSpinBox;
class QSpinBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;

// "オプション設定": the modal dialog that edits the practice settings.
//
// It copies the settings into its controls when it is created, and writes
// them back (through OptionsValues::store) only when "設定(&S)" is pressed
// with a valid drill length; isStatusOk() then answers true, and the caller
// rebuilds the key table and the keyboard. Cancel, Esc and the close box
// change nothing.
//
// The tab strip tabMainPanel selects one of four stacked panels
// fraMainPanel_0..3 (the fourth, "段階練習", holds the course's targets).
// All of them stay shown, the selected one in front, so the
// Tab key walks through every control; a control that receives the focus
// brings its own panel's tab forward (Tab from chkLetterType lands on
// txtNeedCount and shows "練習").
class frmOptions : public QDialog {
    Q_OBJECT
public:
    explicit frmOptions(AppContext& ctx, QWidget* parent = nullptr);

    // Shows the dialog modal over its owner; returns isStatusOk().
    static bool showModal(AppContext& ctx, QWidget* owner);

    bool isStatusOk() const { return mStatusOk; }
    int currentPanel() const;  // 0..3, the panel in front

    // The controls' state as the values they stand for.
    OptionsValues values() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPanels();
    void buildGeneralPanel(QWidget* panel);
    void buildPracticePanel(QWidget* panel);
    void buildKeyboardPanel(QWidget* panel);
    void buildCoursePanel(QWidget* panel);
    void buildButtons();
    void setTabOrderChain();
    void load(const OptionsValues& v);
    void showPanel(int index);
    void chkKeyBoard_Click();
    void cmdFontName_Click();
    void cmdOk_Click();
    void watchFocus(QWidget* w, int panel);

    AppContext& mCtx;
    bool mStatusOk = false;
    QHash<QObject*, int> mPanelOf;  // focusable control -> panel it sits on

    QTabBar* tabMainPanel = nullptr;
    static constexpr int kPanelCount = 4;
    std::array<QFrame*, kPanelCount> fraMainPanel{};
    QLabel* lblFontNameTitle = nullptr;
    QLabel* lblFontName = nullptr;
    QPushButton* cmdFontName = nullptr;
    QCheckBox* chkBindKey6 = nullptr;
    QCheckBox* chkLetterType = nullptr;
    QLabel* lblNeedCount = nullptr;
    QLineEdit* txtNeedCount = nullptr;
    QCheckBox* chkMissBeep = nullptr;
    QCheckBox* chkMissNext = nullptr;
    QCheckBox* chkMissDisp = nullptr;
    QCheckBox* chkTextRomaji = nullptr;    // TextRomaji: other romaji spellings in text practice
    QCheckBox* chkWordKanaOnly = nullptr;  // WordKanaOnly: word practice in kana only
    QCheckBox* chkKeyBoard = nullptr;
    QGroupBox* fraKeySize = nullptr;
    std::array<QRadioButton*, 2> optKeySize{};
    QGroupBox* fraKeyType = nullptr;
    std::array<QRadioButton*, 2> optKeyType{};
    QLabel* lblCourseAccuracy = nullptr;
    QSpinBox* spnCourseAccuracy = nullptr;  // CourseAccuracy, percent
    QLabel* lblCourseWeakness = nullptr;
    QDoubleSpinBox* spnCourseWeakness = nullptr;  // CourseWeakness / 100
    QLabel* lblCourseNote = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};
