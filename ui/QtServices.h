#pragma once
#include <QString>
#include <functional>
#include <memory>
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

// The desktop's "bell" event sound, played through libcanberra (the
// freedesktop sound theme), so that a miss is heard where the X bell is
// silent. The library is loaded and its context made at the first beep,
// never at start-up. Without the library, or when it cannot play (no sound
// server, no theme), the fallback sounds instead: the X bell by default.
class QtBeeper : public Beeper {
public:
    explicit QtBeeper(std::function<void()> fallback = {}, QString library = QStringLiteral("libcanberra.so.0"));
    ~QtBeeper() override;
    QtBeeper(const QtBeeper&) = delete;
    QtBeeper& operator=(const QtBeeper&) = delete;
    void Beep() override;

private:
    struct Canberra;
    bool playBell();
    std::function<void()> mFallback;
    QString mLibrary;
    std::unique_ptr<Canberra> mCanberra;
    bool mUnusable = false;  // loading or playing failed once: the fallback from then on
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
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    std::optional<uint32_t> chooseColor(uint32_t current) override;
    std::optional<QString> chooseFont(const QString& initialFace) override;

    // Converts "caption|pattern|..." into Qt's name filters.
    static QStringList qtFilters(const QString& filter);
};
