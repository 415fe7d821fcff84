#pragma once
#include <QDate>
#include <QImage>
#include <QString>
#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

#include "AppContext.h"
#include "FakeApp.h"
#include "Fakes.h"
#include "GameShared.h"
#include "TestFiles.h"
#include "basMain.h"
#include "basParam.h"
#include "basResults.h"

// Records what a game asks of its window; the high-score dialog is recorded
// with the table half the quick-draw game had chosen at that moment.
struct RecordingView : GameView {
    basParam* param = nullptr;
    int interval = 0;
    struct Showing {
        int rank;
        int speedGameType;
    };
    std::vector<Showing> scores;
    // What happens while a dialog is open (its event loop: timer ticks ...),
    // and how many were ever open at once.
    std::function<void()> whileShown;
    int open = 0;
    int mostOpen = 0;
    void setTimerInterval(int ms) override { interval = ms; }
    void showScore(int rank) override {
        scores.push_back({rank, param ? param->SpeedGameType() : -1});
        mostOpen = std::max(mostOpen, ++open);
        if (whileShown) whileShown();
        --open;
    }
};

// Records the drawing steps of a play field.
struct RecordingField : PlayField {
    struct Step {
        char kind = 0;  // 'c' clear, 's' sprite, 'p' print, 'f' fill, 'w' show
        int sx = 0, sy = 0, x = 0, y = 0;
        QString text;
        std::optional<uint32_t> color;
    };
    std::vector<Step> steps;
    void add(char kind, int sx = 0, int sy = 0, int x = 0, int y = 0, const QString& text = {},
             std::optional<uint32_t> color = std::nullopt) {
        steps.push_back({kind, sx, sy, x, y, text, color});
    }
    void clear() override { add('c'); }
    void drawSprite(SpriteSheet, int sx, int sy, int, int, int x, int y) override { add('s', sx, sy, x, y); }
    void print(const QString& t, int x, int y, std::optional<uint32_t> c) override { add('p', 0, 0, x, y, t, c); }
    void fillBackground(int x, int y, int, int) override { add('f', 0, 0, x, y); }
    void show() override { add('w'); }
    std::vector<Step> of(char kind) const {
        std::vector<Step> out;
        for (const Step& s : steps)
            if (s.kind == kind) out.push_back(s);
        return out;
    }
};

// The program's modules over a scratch folder, with scripted services.
struct GameRig : FakeApp {
    RecordingView view;
    RecordingField field;

    GameRig() {
        view.param = &param;
        param.PlayerName(QStringLiteral("tester"));
        results.setToday([] { return QDate(2024, 5, 6); });
    }
    // Makes the next save fail: a folder where the results file should be.
    void breakResultsFile() const { folder.write(QStringLiteral("Lumbra.dat/x"), "x"); }
};

// Virtual-key codes used by the tests.
inline int vkOf(char c) { return static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 32 : c); }
