#include "FormsRegistry.h"

void FormsRegistry::add(QWidget* form) {
    if (!form || forms().contains(form)) return;
    mForms.append(form);
    QObject::connect(form, &QObject::destroyed, &mWatch, [this, form] { remove(form); });
}

void FormsRegistry::remove(QWidget* form) {
    mForms.removeIf([form](const QPointer<QWidget>& p) { return p.isNull() || p.data() == form; });
}

QList<QWidget*> FormsRegistry::forms() const {
    QList<QWidget*> out;
    for (const auto& p : mForms)
        if (p) out.append(p.data());
    return out;
}

void FormsRegistry::unloadAllButFirst() {
    const QList<QWidget*> list = forms();
    for (qsizetype i = list.size() - 1; i >= 1; --i) {
        QPointer<QWidget> w = list[i];
        if (w) w->close();
        remove(w.data());
    }
}

void bringForward(QWidget* w, bool restoreMinimised) {
    if (restoreMinimised && w->isMinimized()) w->showNormal();
    w->show();
    w->raise();
    w->activateWindow();
}
