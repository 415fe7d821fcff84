#include "frmOptions.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <QValidator>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "AppContext.h"
#include "Dialogs.h"
#include "FormsRegistry.h"
#include "Twips.h"
#include "Widgets.h"
#include "basParam.h"

namespace {

// The tab strip of the design: the row of tabs and, below it, the raised
// frame the panels sit in, as one control.
class TabStrip : public QTabBar {
public:
    using QTabBar::QTabBar;

    // Draws the frame below the tabs, in this control's coordinates.
    void paintFrame(QPainter& p) const {
        QStyleOptionTabWidgetFrame frame;
        frame.initFrom(this);
        frame.rect = rect().adjusted(0, tabsHeight() - 1, 0, 0);
        frame.shape = shape();
        frame.tabBarSize = QSize(count() ? tabRect(count() - 1).right() + 1 : 0, tabsHeight());
        frame.tabBarRect = QRect(0, 0, frame.tabBarSize.width(), tabsHeight());
        style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &p, this);
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        {
            QPainter p(this);
            paintFrame(p);
        }
        QTabBar::paintEvent(e);
        // Some styles paint the selected tab on below the row of tabs; the
        // frame under the tabs' bottom edge is drawn again over it.
        QPainter p(this);
        p.setClipRect(rect().adjusted(0, tabsHeight() + 1, 0, 0));
        paintFrame(p);
    }
    // The wheel turns tabs over the row of tabs only, not over the frame.
    void wheelEvent(QWheelEvent* e) override {
        if (e->position().y() < tabsHeight())
            QTabBar::wheelEvent(e);
        else
            e->ignore();
    }

private:
    int tabsHeight() const { return count() ? tabRect(0).height() : 0; }
};

// A panel laid on the tab strip's frame: opaque, so the panel in front hides
// the others, and painted with the part of the frame it covers, so it looks
// like part of the frame whatever the style.
class Pane : public QFrame {
public:
    Pane(const TabStrip* strip, QWidget* parent) : QFrame(parent), mStrip(strip) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().window());
        p.translate(mStrip->pos() - pos());
        mStrip->paintFrame(p);
    }

private:
    const TabStrip* mStrip;
};

// Check boxes and option buttons keep their designed place and height; the
// width grows when this font needs more room for the caption than the design
// gave, so no caption is cut off.
void placeCaptioned(QWidget* w, int left, int top, int width, int height) {
    ui::placeTwips(w, left, top, width, height);
    if (w->sizeHint().width() > w->width()) w->resize(w->sizeHint().width(), w->height());
}

template <typename W>
W* make(QWidget* parent, const QString& name, const QString& caption = QString()) {
    W* w = new W(parent);
    w->setObjectName(name);
    if constexpr (requires { w->setText(caption); })
        if (!caption.isEmpty()) w->setText(caption);
    return w;
}

constexpr int kCheckHeight = 255;  // twips: the height of a check box or option button line
const QString kDialogFace = QStringLiteral("ＭＳ Ｐゴシック");

// Lets in what the drill-length box accepts (needCountAccepts): digits only,
// typed or pasted.
class NeedCountValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return std::all_of(input.begin(), input.end(), needCountAccepts) ? Acceptable : Invalid;
    }
};

}  // namespace

frmOptions::frmOptions(AppContext& ctx, QWidget* parent) : QDialog(parent), mCtx(ctx) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("オプション設定"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFont(ui::designFont(kDialogFace, 9));
    setFixedSize(twips::px(5190), twips::px(4215));
    if (ctx.forms) ctx.forms->add(this);

    buildPanels();
    buildButtons();
    setTabOrderChain();
    load(OptionsValues::fromSettings(ctx.param));
    tabMainPanel->setFocus();
}

bool frmOptions::showModal(AppContext& ctx, QWidget* owner) {
    frmOptions dlg(ctx, owner);
    dlg.exec();
    return dlg.isStatusOk();
}

void frmOptions::buildPanels() {
    auto* strip = new TabStrip(this);
    tabMainPanel = strip;
    tabMainPanel->setObjectName(QStringLiteral("tabMainPanel"));
    tabMainPanel->setExpanding(false);
    tabMainPanel->setDrawBase(false);
    tabMainPanel->setUsesScrollButtons(false);
    for (const char* caption : {"全般", "練習", "キーボード", "段階練習"})
        tabMainPanel->addTab(QString::fromUtf8(caption));
    ui::placeTwips(tabMainPanel, 240, 240, 4695, 3255);
    for (int i = 0; i < kPanelCount; ++i) {
        auto* panel = new Pane(strip, this);
        panel->setObjectName(QStringLiteral("fraMainPanel_%1").arg(i));
        panel->setFrameShape(QFrame::NoFrame);
        ui::placeTwips(panel, 480, 720, 4215, 2535);
        fraMainPanel[static_cast<size_t>(i)] = panel;
    }
    buildGeneralPanel(fraMainPanel[0]);
    buildPracticePanel(fraMainPanel[1]);
    buildKeyboardPanel(fraMainPanel[2]);
    buildCoursePanel(fraMainPanel[3]);
    connect(tabMainPanel, &QTabBar::currentChanged, this, &frmOptions::showPanel);
    showPanel(0);
}

void frmOptions::buildGeneralPanel(QWidget* panel) {
    lblFontNameTitle = make<QLabel>(panel, QStringLiteral("lblFontNameTitle"), QStringLiteral("フォント名"));
    ui::placeTwips(lblFontNameTitle, 360, 360, 975, 255);
    lblFontName = make<QLabel>(panel, QStringLiteral("lblFontName"));
    lblFontName->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblFontName->setLineWidth(1);
    lblFontName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ui::setBackColor(lblFontName, Qt::white);
    ui::placeTwips(lblFontName, 360, 600, 2295, 375);
    cmdFontName = make<QPushButton>(panel, QStringLiteral("cmdFontName"), QStringLiteral("変更(&F)..."));
    ui::placeTwips(cmdFontName, 2880, 600, 975, 375);
    connect(cmdFontName, &QPushButton::clicked, this, &frmOptions::cmdFontName_Click);
    chkBindKey6 =
        make<QCheckBox>(panel, QStringLiteral("chkBindKey6"), QStringLiteral("数字の『６』を左手人差し指で入力する。"));
    placeCaptioned(chkBindKey6, 360, 1320, 3375, kCheckHeight);
    chkLetterType = make<QCheckBox>(panel, QStringLiteral("chkLetterType"), QStringLiteral("英語を小文字で表示する。"));
    placeCaptioned(chkLetterType, 360, 1920, 2415, kCheckHeight);
    chkWordKanaOnly =
        make<QCheckBox>(panel, QStringLiteral("chkWordKanaOnly"), QStringLiteral("単語練習でかなだけを表示する。"));
    chkWordKanaOnly->setToolTip(QStringLiteral("漢字をまだ読まない人のために、単語を読みがなだけで表示します。"));
    placeCaptioned(chkWordKanaOnly, 360, 2280, 3015, kCheckHeight);
    for (QWidget* w : {static_cast<QWidget*>(cmdFontName), static_cast<QWidget*>(chkBindKey6),
                       static_cast<QWidget*>(chkLetterType), static_cast<QWidget*>(chkWordKanaOnly)})
        watchFocus(w, 0);
}

void frmOptions::buildPracticePanel(QWidget* panel) {
    lblNeedCount = make<QLabel>(panel, QStringLiteral("lblNeedCount"), QStringLiteral("練習文字数"));
    ui::placeTwips(lblNeedCount, 360, 360, 1095, 255);
    txtNeedCount = make<QLineEdit>(panel, QStringLiteral("txtNeedCount"));
    txtNeedCount->setMaxLength(kNeedCountMaxLength);
    // Only digits get in, typed or pasted; Backspace and the editing keys work.
    txtNeedCount->setValidator(new NeedCountValidator(txtNeedCount));
    txtNeedCount->setAttribute(Qt::WA_InputMethodEnabled, false);
    ui::placeTwips(txtNeedCount, 360, 600, 1095, 270);
    lblNeedCount->setBuddy(txtNeedCount);
    chkMissBeep =
        make<QCheckBox>(panel, QStringLiteral("chkMissBeep"), QStringLiteral("ミスタイプのときビープ音を鳴らす。"));
    placeCaptioned(chkMissBeep, 360, 1200, 3015, kCheckHeight);
    chkMissNext =
        make<QCheckBox>(panel, QStringLiteral("chkMissNext"), QStringLiteral("ミスタイプのとき次の文字に進む。"));
    placeCaptioned(chkMissNext, 360, 1560, 2895, kCheckHeight);
    chkMissDisp = make<QCheckBox>(panel, QStringLiteral("chkMissDisp"), QStringLiteral("ミスタイプキーを表示する。"));
    placeCaptioned(chkMissDisp, 360, 1920, 2415, kCheckHeight);
    chkTextRomaji = make<QCheckBox>(panel, QStringLiteral("chkTextRomaji"),
                                    QStringLiteral("テキスト練習で別のつづりも正解にする。"));
    chkTextRomaji->setToolTip(
        QStringLiteral("「し」を si でも shi でも、日本語入力と同じつづりで打てるようにします。"));
    placeCaptioned(chkTextRomaji, 360, 2280, 3255, kCheckHeight);
    for (QWidget* w :
         {static_cast<QWidget*>(txtNeedCount), static_cast<QWidget*>(chkMissBeep), static_cast<QWidget*>(chkMissNext),
          static_cast<QWidget*>(chkMissDisp), static_cast<QWidget*>(chkTextRomaji)})
        watchFocus(w, 1);
}

void frmOptions::buildKeyboardPanel(QWidget* panel) {
    chkKeyBoard = make<QCheckBox>(panel, QStringLiteral("chkKeyBoard"), QStringLiteral("画面にキーボードを表示する。"));
    placeCaptioned(chkKeyBoard, 360, 360, 2655, kCheckHeight);
    connect(chkKeyBoard, &QCheckBox::toggled, this, &frmOptions::chkKeyBoard_Click);
    watchFocus(chkKeyBoard, 2);

    struct Group {
        QGroupBox*& frame;
        std::array<QRadioButton*, 2>& options;
        const char* frameName;
        const char* caption;
        int top;
        const char* optName;
        const char* captions[2];
        int widths[2];
    };
    const Group groups[] = {
        {fraKeySize,
         optKeySize,
         "fraKeySize",
         "表示サイズ",
         720,
         "optKeySize",
         {"標準サイズ", "拡大サイズ"},
         {1215, 1215}},
        {fraKeyType,
         optKeyType,
         "fraKeyType",
         "キーボード種類",
         1560,
         "optKeyType",
         {"日本語(106)", "英語(101)"},
         {1335, 1095}},
    };
    for (const Group& g : groups) {
        g.frame = make<QGroupBox>(panel, QString::fromLatin1(g.frameName));
        g.frame->setTitle(QString::fromUtf8(g.caption));
        ui::placeTwips(g.frame, 600, g.top, 3135, 615);
        for (int i = 0; i < 2; ++i) {
            auto* opt = make<QRadioButton>(g.frame, QStringLiteral("%1_%2").arg(QLatin1String(g.optName)).arg(i),
                                           QString::fromUtf8(g.captions[i]));
            placeCaptioned(opt, i == 0 ? 240 : 1680, 240, g.widths[i], kCheckHeight);
            g.options[static_cast<size_t>(i)] = opt;
            watchFocus(opt, 2);
        }
    }
}

void frmOptions::buildCoursePanel(QWidget* panel) {
    lblCourseAccuracy = make<QLabel>(panel, QStringLiteral("lblCourseAccuracy"), QStringLiteral("正確さの目標(&A)"));
    ui::placeTwips(lblCourseAccuracy, 360, 390, 1575, 255);
    spnCourseAccuracy = make<QSpinBox>(panel, QStringLiteral("spnCourseAccuracy"));
    spnCourseAccuracy->setRange(kCourseAccuracyMin, kCourseAccuracyMax);
    spnCourseAccuracy->setSuffix(QStringLiteral(" % 以上"));
    ui::placeTwips(spnCourseAccuracy, 2040, 360, 1455, 315);
    lblCourseAccuracy->setBuddy(spnCourseAccuracy);
    lblCourseWeakness = make<QLabel>(panel, QStringLiteral("lblCourseWeakness"), QStringLiteral("苦手度の目標(&W)"));
    ui::placeTwips(lblCourseWeakness, 360, 870, 1575, 255);
    spnCourseWeakness = make<QDoubleSpinBox>(panel, QStringLiteral("spnCourseWeakness"));
    spnCourseWeakness->setRange(kCourseWeaknessMin / 100.0, kCourseWeaknessMax / 100.0);
    spnCourseWeakness->setDecimals(2);
    spnCourseWeakness->setSingleStep(0.05);
    spnCourseWeakness->setSuffix(QStringLiteral(" 以下"));
    ui::placeTwips(spnCourseWeakness, 2040, 840, 1455, 315);
    lblCourseWeakness->setBuddy(spnCourseWeakness);
    lblCourseNote =
        make<QLabel>(panel, QStringLiteral("lblCourseNote"),
                     QStringLiteral("段階練習では、開いているキーがすべてこの目標に届くと、次のキーが加わります。"
                                    "苦手度は、ふつうのキーを 1 とした、正しく打つまでにかかる時間です。"));
    lblCourseNote->setWordWrap(true);
    lblCourseNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ui::placeTwips(lblCourseNote, 360, 1380, 3495, 960);
    for (QWidget* w : {static_cast<QWidget*>(spnCourseAccuracy), static_cast<QWidget*>(spnCourseWeakness)})
        watchFocus(w, 3);
}

void frmOptions::buildButtons() {
    cmdOK = make<QPushButton>(this, QStringLiteral("cmdOK"), QStringLiteral("設定(&S)"));
    ui::placeTwips(cmdOK, 2520, 3720, 1095, 375);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOk_Click);
    cmdCancel = make<QPushButton>(this, QStringLiteral("cmdCancel"), QStringLiteral("中止(&C)"));
    ui::placeTwips(cmdCancel, 3840, 3720, 1095, 375);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);  // Esc and the close box reject too
}

void frmOptions::setTabOrderChain() {
    const QList<QWidget*> chain{tabMainPanel,      cmdFontName,       chkBindKey6,   chkLetterType, chkWordKanaOnly,
                                txtNeedCount,      chkMissBeep,       chkMissNext,   chkMissDisp,   chkTextRomaji,
                                chkKeyBoard,       optKeySize[0],     optKeySize[1], optKeyType[0], optKeyType[1],
                                spnCourseAccuracy, spnCourseWeakness, cmdOK,         cmdCancel};
    for (qsizetype i = 0; i + 1 < chain.size(); ++i) setTabOrder(chain[i], chain[i + 1]);
}

void frmOptions::load(const OptionsValues& v) {
    lblFontName->setText(v.fontName);
    chkBindKey6->setChecked(v.bindKey6Left);
    chkLetterType->setChecked(v.letterLower);
    txtNeedCount->setText(v.needCount);
    chkMissBeep->setChecked(v.missBeep);
    chkMissNext->setChecked(v.missNext);
    chkMissDisp->setChecked(v.missDisp);
    chkTextRomaji->setChecked(v.textRomaji);
    chkWordKanaOnly->setChecked(v.wordKanaOnly);
    chkKeyBoard->setChecked(v.keyBoard);
    chkKeyBoard_Click();
    optKeySize[static_cast<size_t>(v.keySize)]->setChecked(true);
    optKeyType[static_cast<size_t>(v.keyType)]->setChecked(true);
    spnCourseAccuracy->setValue(v.courseAccuracy);
    spnCourseWeakness->setValue(v.courseWeakness / 100.0);
    mStatusOk = false;
}

OptionsValues frmOptions::values() const {
    OptionsValues v;
    v.fontName = lblFontName->text();
    v.bindKey6Left = chkBindKey6->isChecked();
    v.letterLower = chkLetterType->isChecked();
    v.needCount = txtNeedCount->text();
    v.missBeep = chkMissBeep->isChecked();
    v.missNext = chkMissNext->isChecked();
    v.missDisp = chkMissDisp->isChecked();
    v.textRomaji = chkTextRomaji->isChecked();
    v.wordKanaOnly = chkWordKanaOnly->isChecked();
    v.keyBoard = chkKeyBoard->isChecked();
    v.keySize = optKeySize[0]->isChecked() ? 0 : 1;
    v.keyType = optKeyType[0]->isChecked() ? 0 : 1;
    v.courseAccuracy = spnCourseAccuracy->value();
    v.courseWeakness = static_cast<int>(std::lround(spnCourseWeakness->value() * 100.0));
    return v;
}

int frmOptions::currentPanel() const { return tabMainPanel->currentIndex(); }

void frmOptions::showPanel(int index) {
    if (index < 0 || index >= kPanelCount) return;
    fraMainPanel[static_cast<size_t>(index)]->raise();
}

void frmOptions::watchFocus(QWidget* w, int panel) {
    mPanelOf.insert(w, panel);
    w->installEventFilter(this);
}

bool frmOptions::eventFilter(QObject* watched, QEvent* event) {
    // A control that receives the focus brings its panel forward, as if its
    // tab had been clicked.
    if (event->type() == QEvent::FocusIn) {
        const auto it = mPanelOf.constFind(watched);
        if (it != mPanelOf.constEnd()) tabMainPanel->setCurrentIndex(*it);
    }
    return QDialog::eventFilter(watched, event);
}

void frmOptions::chkKeyBoard_Click() {
    const bool on = chkKeyBoard->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(fraKeySize), static_cast<QWidget*>(optKeySize[0]),
                       static_cast<QWidget*>(optKeySize[1]), static_cast<QWidget*>(fraKeyType),
                       static_cast<QWidget*>(optKeyType[0]), static_cast<QWidget*>(optKeyType[1])})
        w->setEnabled(on);
}

void frmOptions::cmdFontName_Click() {
    if (const auto face = mCtx.dialogs.chooseFont(lblFontName->text())) lblFontName->setText(*face);
}

void frmOptions::cmdOk_Click() {
    const OptionsValues v = values();
    if (!v.store(mCtx.param)) {
        mCtx.dialogs.msgBox(needCountError(), QStringLiteral("エラー"), MsgIcon::Critical, MsgButtons::OK);
        txtNeedCount->setFocus();
        return;
    }
    mStatusOk = true;
    accept();
}
