#pragma once
#include <QList>
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

private:
    QList<QPointer<QWidget>> mForms;
};
