#pragma once
#include <random>

#include "Beeper.h"
#include "Clock.h"
#include "Dialogs.h"
#include "Random.h"
#include "Shell.h"

class QWidget;

// The real platform services the program runs with.

class QtClock : public Clock {
public:
    uint32_t timeGetTime() override;
};

class QtRandom : public Random {
public:
    QtRandom();
    float Rnd() override;
    void Randomize() override;

private:
    std::mt19937 mEngine;
};

class QtBeeper : public Beeper {
public:
    void Beep() override;
};

class QtShell : public Shell {
public:
    bool open(const QString& path) override;
};

// Message boxes and dialogs owned by the active window of the program.
class QtDialogs : public Dialogs {
public:
    using Dialogs::msgBox;
    MsgResult msgBox(const MsgBoxRequest& request) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    std::optional<uint32_t> chooseColor() override;
    std::optional<QString> chooseFont(const QString& initialFace) override;

    // Converts "caption|pattern|..." into Qt's name filters.
    static QStringList qtFilters(const QString& filter);
};
