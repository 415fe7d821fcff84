#include "Widgets.h"

#include <QEventLoop>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
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
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), {QStringLiteral("IPAPGothic"), QStringLiteral("IPAPゴシック")});
    QFont::insertSubstitutions(QStringLiteral("MS Gothic"), {QStringLiteral("IPAGothic")});
    QFont::insertSubstitutions(QStringLiteral("MS PGothic"), {QStringLiteral("IPAPGothic")});
}

}  // namespace ui
