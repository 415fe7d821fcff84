#include "QtGameWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "AppContext.h"
#include "FormsRegistry.h"
#include "Twips.h"
#include "Widgets.h"
#include "basParam.h"
#include "frmScore.h"

QtGameWindow::QtGameWindow(AppContext& ctx, QWidget* parent, const QString& name, const QString& caption)
    : QMainWindow(parent), mCtx(ctx), mTimer(new QTimer(this)) {
    setObjectName(name);
    setWindowTitle(caption);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setFocusPolicy(Qt::StrongFocus);
    if (ctx.forms) ctx.forms->add(this);
    ui::returnKeysAfterMenus(menuBar());
    mTimer->setObjectName(QStringLiteral("tmr") + name.mid(3));
    connect(mTimer, &QTimer::timeout, this, [this] {
        onTick();
        refresh();
    });
}

void QtGameWindow::setTimerInterval(int ms) {
    if (ms <= 0) {
        mTimer->stop();
        return;
    }
    if (!mTimer->isActive() || mTimer->interval() != ms) mTimer->start(ms);
}

void QtGameWindow::showScore(int rank) {
    refresh();
    frmScore::showModal(mCtx, this, mScoreTable, rank);
    activateWindow();
    setFocus();
}

bool QtGameWindow::event(QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        onKeyDown(ui::virtualKey(static_cast<QKeyEvent*>(e), mCtx.param.KeyBoardType()));
        refresh();
    }
    return QMainWindow::event(e);
}

void QtGameWindow::closeEvent(QCloseEvent* e) {
    mTimer->stop();
    QMainWindow::closeEvent(e);
}

void QtGameWindow::setFixedClient(int widthTw, int heightTw) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    centralWidget()->setFixedSize(twips::px(widthTw), twips::px(heightTw));
    setFixedSize(centralWidget()->width(), centralWidget()->height() + menuBar()->sizeHint().height());
}

void QtGameWindow::runModal(QtGameWindow* w, bool centreOnOwner) {
    w->setAttribute(Qt::WA_DeleteOnClose);
    if (centreOnOwner) w->centreOnOwner();
    ui::runModal(w);
}

QWidget* QtGameWindow::addClient() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("client"));
    central->setFocusPolicy(Qt::NoFocus);
    setCentralWidget(central);
    return central;
}

void QtGameWindow::centreOnOwner() { ui::centreOver(this, parentWidget()); }

QString QtGameWindow::gameFace() const {
    const QString& face = mCtx.param.FontName();
    return face.trimmed().isEmpty() ? QStringLiteral("ＭＳ ゴシック") : face;
}

QAction* QtGameWindow::addItem(QMenu* menu, const QString& name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

QtGameWindow::GameFileMenu QtGameWindow::buildGameFileMenu(std::function<void()> start, std::function<void()> pause,
                                                           std::function<void()> score) {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("mnuFile"));
    GameFileMenu m{};
    m.start = addItem(file, QStringLiteral("mnuFileStart"), QStringLiteral("はじめから(&I)"));
    m.pause = addItem(file, QStringLiteral("mnuFilePause"), QStringLiteral("停止(&P)"));
    file->addSeparator();
    m.score = addItem(file, QStringLiteral("mnuFileScore"), QStringLiteral("成績表示(&S)..."));
    file->addSeparator();
    m.close = addItem(file, QStringLiteral("mnuFileClose"), QStringLiteral("閉じる(&C)"));
    const auto thenRefresh = [this](std::function<void()> command) {
        return [this, command = std::move(command)] {
            command();
            refresh();
        };
    };
    connect(m.start, &QAction::triggered, this, thenRefresh(std::move(start)));
    connect(m.pause, &QAction::triggered, this, thenRefresh(std::move(pause)));
    connect(m.score, &QAction::triggered, this, thenRefresh(std::move(score)));
    connect(m.close, &QAction::triggered, this, &QWidget::close);
    return m;
}

void QtGameWindow::showPauseItem(QAction* item, const GameMechanics& mechanics) {
    item->setText(mechanics.pauseCaption());
    item->setEnabled(mechanics.pauseEnabled());
}

QGroupBox* QtGameWindow::buildScoreFrame(QWidget* central, const QRect& placeTw,
                                         std::initializer_list<ScoreBoxDef> boxes) {
    auto* frame = new QGroupBox(central);
    frame->setObjectName(QStringLiteral("fraScore"));
    ui::placeTwips(frame, placeTw.x(), placeTw.y(), placeTw.width(), placeTw.height());
    const QFont captionFont = ui::designFont(QStringLiteral("ＭＳ Ｐゴシック"), 9);
    for (const ScoreBoxDef& d : boxes) {
        auto* caption = new QLabel(QString::fromUtf16(d.caption), frame);
        caption->setObjectName(QStringLiteral("lbl") + QString::fromLatin1(d.name).mid(3));
        caption->setFont(captionFont);
        ui::placeTwips(caption, d.left, d.captionTop, d.width, 210);
        *d.box = valueBox(frame, QString::fromLatin1(d.name));
        ui::placeTwips(*d.box, d.left, d.top, d.width, 255);
    }
    return frame;
}

QLineEdit* QtGameWindow::valueBox(QWidget* parent, const QString& name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setFont(ui::designFont(QStringLiteral("ＭＳ ゴシック"), 9.75, true));
    box->setTextMargins(0, 0, 2, 0);
    box->setContextMenuPolicy(Qt::NoContextMenu);
    return box;
}

void QtScoreGameWindow::showScores(const QString& score, const QString& hiScore, const GameMechanics& mechanics) {
    txtScore->setText(score);
    txtHiScore->setText(hiScore);
    showPauseItem(mnuFilePause, mechanics);
}
