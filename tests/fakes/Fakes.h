#pragma once
#include <QList>
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "Beeper.h"
#include "Clock.h"
#include "Dialogs.h"
#include "Random.h"
#include "Shell.h"

// Scripted stand-ins for the platform services, for tests without a display.

// A clock the test sets and advances by hand.
class FakeClock : public Clock {
public:
    uint32_t now = 0;
    uint32_t timeGetTime() override { return now; }
    void advance(uint32_t ms) { now += ms; }
};

// Replays a given sequence of values (cycling when it runs out); Randomize is
// counted but changes nothing.
class FakeRandom : public Random {
public:
    FakeRandom() = default;
    explicit FakeRandom(std::vector<float> values) : mValues(std::move(values)) {}
    void setSequence(std::vector<float> values) {
        mValues = std::move(values);
        mPos = 0;
    }
    float Rnd() override {
        if (mValues.empty()) return 0.0f;
        const float v = mValues[mPos % mValues.size()];
        ++mPos;
        return v;
    }
    void Randomize() override { ++randomizeCalls; }
    int randomizeCalls = 0;
    size_t drawn() const { return mPos; }

private:
    std::vector<float> mValues;
    size_t mPos = 0;
};

// A deterministic generator for statistical tests (not a script).
class SeededRandom : public Random {
public:
    explicit SeededRandom(uint32_t seed = 12345) : mState(seed) {}
    float Rnd() override {
        mState = mState * 1664525u + 1013904223u;
        return static_cast<float>(mState >> 8) / 16777216.0f;
    }
    void Randomize() override {}

private:
    uint32_t mState;
};

class FakeBeeper : public Beeper {
public:
    int beeps = 0;
    void Beep() override { ++beeps; }
};

class FakeShell : public Shell {
public:
    QStringList opened;
    bool answer = true;
    bool open(const QString& path) override {
        opened << path;
        return answer;
    }
};

// Answers from a script and records every request.
class FakeDialogs : public Dialogs {
public:
    using Dialogs::msgBox;
    // Scripted answers, taken in order; when a queue is empty the default
    // answer is used (the first button for message boxes, cancel otherwise).
    std::deque<MsgResult> msgAnswers;
    std::deque<std::optional<QString>> inputAnswers;
    std::deque<std::optional<QString>> fileAnswers;
    std::deque<std::optional<uint32_t>> colorAnswers;
    std::deque<std::optional<QString>> fontAnswers;
    // Called before a message box answers, e.g. to make a folder writable again.
    std::function<void(const MsgBoxRequest&)> onMsgBox;

    std::vector<MsgBoxRequest> messages;
    struct Input {
        QString prompt, title, defaultText;
    };
    std::vector<Input> inputs;
    struct File {
        bool save;
        FileDialogRequest request;
    };
    std::vector<File> files;
    int colorRequests = 0;
    std::vector<uint32_t> colorsShown;  // the colour each colour dialog opened on
    QStringList fontRequests;

    MsgResult msgBox(const MsgBoxRequest& r) override {
        messages.push_back(r);
        if (onMsgBox) onMsgBox(r);
        if (!msgAnswers.empty()) {
            const MsgResult a = msgAnswers.front();
            msgAnswers.pop_front();
            return a;
        }
        switch (r.buttons) {
            case MsgButtons::RetryCancel:
                return MsgResult::Cancel;
            case MsgButtons::YesNo:
            case MsgButtons::YesNoCancel:
                return MsgResult::No;
            case MsgButtons::OKCancel:
                return MsgResult::Cancel;
            case MsgButtons::OK:
                return MsgResult::OK;
        }
        return MsgResult::OK;
    }
    std::optional<QString> inputBox(const QString& p, const QString& t, const QString& d) override {
        inputs.push_back({p, t, d});
        return take(inputAnswers);
    }
    std::optional<QString> openFile(const FileDialogRequest& r) override {
        files.push_back({false, r});
        return take(fileAnswers);
    }
    std::optional<QString> saveFile(const FileDialogRequest& r) override {
        files.push_back({true, r});
        return take(fileAnswers);
    }
    std::optional<uint32_t> chooseColor(uint32_t current) override {
        ++colorRequests;
        colorsShown.push_back(current);
        return take(colorAnswers);
    }
    std::optional<QString> chooseFont(const QString& initial) override {
        fontRequests << initial;
        return take(fontAnswers);
    }

private:
    template <typename T>
    static std::optional<T> take(std::deque<std::optional<T>>& q) {
        if (q.empty()) return std::nullopt;
        std::optional<T> v;
        v.swap(q.front());
        q.pop_front();
        return v;
    }
};
