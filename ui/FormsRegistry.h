#pragma once
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

// The program's list of loaded windows, in load order. A window adds itself
// when it loads and leaves the list when it is destroyed. The main window,
// always first, closes the others newest first when it unloads.
class FormsRegistry {
public:
    void add(QWidget* form);
    void remove(QWidget* form);
    QList<QWidget*> forms() const;
    // Closes every window but the first, from the newest down; each runs its
    // own unload handler (closeEvent).
    void unloadAllButFirst();

    // The loaded window of a class, if any (windows of the program are single
    // instances: showing one that is open brings it forward).
    template <typename T>
    T* find() const {
        for (QWidget* w : forms())
            if (auto* t = qobject_cast<T*>(w)) return t;
        return nullptr;
    }

private:
    QList<QPointer<QWidget>> mForms;
    QObject mWatch;  // owns the destroyed-connections, so they end with the list
};

// Opening a single-instance modeless window, in two steps so that a window
// can update itself in between: the loaded window of class T, or a new one
// from make() that deletes itself when closed ...
template <typename T, typename Make>
T* loadedOrNew(FormsRegistry* forms, Make make) {
    T* w = forms ? forms->find<T>() : nullptr;
    if (!w) {
        w = make();
        w->setAttribute(Qt::WA_DeleteOnClose);
    }
    return w;
}
// ... then shown in front with the focus; a minimised window is restored
// first when restoreMinimised is set.
void bringForward(QWidget* w, bool restoreMinimised);
