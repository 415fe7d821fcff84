#include "Widgets.h"

#include <QActionEvent>
#include <QActionGroup>
#include <QApplication>
#include <QEventLoop>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTranslator>
#include <QWidget>

#include "KeyMap.h"
#include "Twips.h"

namespace ui {

QColor fromColorValue(uint32_t v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }

void placeTwips(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(twips::px(left), twips::px(top), twips::px(width), twips::px(height));
}

QFont designFont(const QString& face, double points, bool bold) {
    QFont f(face);
    f.setPixelSize(std::max(1, static_cast<int>(points * 20.0 / twips::PerPixel + 0.5)));
    f.setBold(bold);
    return f;
}

void setFontFace(QWidget* w, const QString& face) {
    QFont f = w->font();
    f.setFamily(face);
    w->setFont(f);
}

void setForeColor(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    if (p.color(QPalette::WindowText) == c && p.color(QPalette::Text) == c) return;
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::Text, c);
    p.setColor(QPalette::ButtonText, c);
    w->setPalette(p);
}

void setBackColor(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Button, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void EtchedLine::setWidth(int px) {
    grey->setGeometry(0, 0, px, 1);
    white->setGeometry(0, 1, px, 1);
}

EtchedLine addEtchedLine(QWidget* parent, int widthPx) {
    auto make = [parent](const QColor& c) {
        auto* f = new QFrame(parent);
        f->setFrameShape(QFrame::NoFrame);
        setBackColor(f, c);
        return f;
    };
    EtchedLine line{make(QColor(128, 128, 128)), make(Qt::white)};
    line.setWidth(widthPx);
    return line;
}

QActionGroup* makeCheckGroup(QObject* parent) {
    // An exclusive group makes the style draw radio dots; this one keeps the
    // items apart by hand.
    auto* g = new QActionGroup(parent);
    g->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    QObject::connect(g, &QActionGroup::triggered, g, [g](QAction* chosen) {
        for (QAction* a : g->actions()) a->setChecked(a == chosen);
    });
    return g;
}

namespace {

class MenuKeysReturner : public QObject {
public:
    explicit MenuKeysReturner(QMenuBar* bar) : QObject(bar), mBar(bar) {
        bar->installEventFilter(this);
        for (QAction* a : bar->actions()) watch(a);
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
            if (now == mBar && old && old != mBar && old->window() == mBar->window()) mReturnTo = old;
        });
    }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::FocusIn) later();
        if (e->type() == QEvent::ActionAdded) watch(static_cast<QActionEvent*>(e)->action());
        return false;
    }

private:
    void watch(QAction* a) {
        if (QMenu* m = a->menu()) connect(m, &QMenu::aboutToHide, this, &MenuKeysReturner::later, Qt::UniqueConnection);
    }
    // After the event that closed a menu (or moved to the next one) is done.
    void later() {
        QMetaObject::invokeMethod(
            this, [this] { giveBack(); }, Qt::QueuedConnection);
    }
    void giveBack() {
        if (QApplication::activePopupWidget() || !mBar->hasFocus()) return;
        QWidget* target = mReturnTo ? mReturnTo.data() : mBar->window();
        target->setFocus(Qt::OtherFocusReason);  // the bar loses the focus and leaves keyboard mode
        if (mBar->hasFocus()) mBar->clearFocus();
    }
    QMenuBar* mBar;
    QPointer<QWidget> mReturnTo;
};

}  // namespace

void returnKeysAfterMenus(QMenuBar* bar) { new MenuKeysReturner(bar); }
QRect fitInside(QRect frame, const QRect& area) {
    frame.setWidth(std::min(frame.width(), area.width()));
    frame.setHeight(std::min(frame.height(), area.height()));
    frame.moveLeft(std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width())));
    frame.moveTop(std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height())));
    return frame;
}

void keepOnScreen(QWidget* w, QScreen* screen, QMargins frameEstimate) {
    if (!screen) screen = QGuiApplication::screenAt(w->frameGeometry().center());
    if (!screen) screen = w->screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    QRect frame = w->frameGeometry();
    // A window not shown yet has no frame: the estimate stands in for it.
    if (frame == w->geometry()) frame = frame.marginsAdded(frameEstimate);
    const QSize decoration = frame.size() - w->geometry().size();
    if (frame.width() > area.width() || frame.height() > area.height()) {
        w->resize(std::min(frame.width(), area.width()) - decoration.width(),
                  std::min(frame.height(), area.height()) - decoration.height());
        frame.setSize(w->size() + decoration);  // a minimum size may have won
    }
    const QRect fitted = fitInside(frame, area);
    if (fitted.topLeft() != frame.topLeft()) w->move(fitted.topLeft());  // a window's move places its frame
}

void centreOver(QWidget* w, QWidget* owner) {
    if (!owner) return;
    const QWidget* top = owner->window();
    w->move(top->frameGeometry().center() - w->frameGeometry().center() + w->frameGeometry().topLeft());
    const QRect ownerFrame = top->frameGeometry(), ownerClient = top->geometry();
    const QMargins ownerDecoration(ownerClient.left() - ownerFrame.left(), ownerClient.top() - ownerFrame.top(),
                                   ownerFrame.right() - ownerClient.right(),
                                   ownerFrame.bottom() - ownerClient.bottom());
    keepOnScreen(w, top->screen(), ownerDecoration);
}

void runModal(QWidget* w) {
    QPointer<QWidget> guard(w);
    w->setWindowModality(Qt::ApplicationModal);
    w->show();
    QEventLoop loop;
    QObject::connect(w, &QObject::destroyed, &loop, &QEventLoop::quit);
    // A window that is closed without being destroyed ends the loop too.
    class Watcher : public QObject {
    public:
        Watcher(QWidget* target, QEventLoop* l) : mLoop(l) { target->installEventFilter(this); }
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Hide) mLoop->quit();
            return false;
        }
        QEventLoop* mLoop;
    } watcher(w, &loop);
    if (guard && guard->isVisible()) loop.exec();
}

int16_t virtualKey(const QKeyEvent* e, int keyBoardType) {
#ifdef Q_OS_WIN
    // Windows reports the virtual-key code itself.
    if (e->nativeVirtualKey() != 0) return static_cast<int16_t>(e->nativeVirtualKey());
#endif
    KeyInput in;
    in.nativeScanCode = e->nativeScanCode();
    in.qtKey = e->key();
    in.text = e->text();
    in.keypad = e->modifiers().testFlag(Qt::KeypadModifier);
    return keymap::virtualKey(in, keyBoardType);
}

void registerFontSubstitutions() {
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"),
                               {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPAPゴシック")});
    QFont::insertSubstitutions(QStringLiteral("MS Gothic"), {QStringLiteral("IPAGothic")});
    QFont::insertSubstitutions(QStringLiteral("MS PGothic"), {QStringLiteral("IPAPGothic")});
}

bool installQtJapanese() {
    static QTranslator* translator = nullptr;
    if (translator) return true;
    auto* t = new QTranslator(QApplication::instance());
    if (!t->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    QApplication::installTranslator(t);
    translator = t;
    return true;
}

void makeActive(QWidget* window) {
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QApplication::setActiveWindow(window);  // at once, for the key being delivered
    QT_WARNING_POP
    window->activateWindow();
}

void useJapaneseLocale() {
    // A language the user set for fontconfig stays theirs.
    if (qEnvironmentVariableIsEmpty("FC_LANG")) qputenv("FC_LANG", "ja");
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
}

}  // namespace ui
