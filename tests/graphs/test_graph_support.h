#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>

#include "AppContext.h"
#include "FakeApp.h"
#include "Fakes.h"
#include "FormsRegistry.h"
#include "TestFiles.h"
#include "basMain.h"
#include "basParam.h"
#include "basResults.h"

// A whole program's worth of modules on a scratch folder, with fakes for the
// platform services, for tests of the graphs and their windows.
struct GraphWorld : FakeApp {
    GraphWorld() {
        param.DataFileName(folder.file(QStringLiteral("Lumbra.dat")));
        results.setToday([] { return QDate(2024, 3, 5); });
        main.MakeKeyCodeTable(0);
    }

    void addTest(int kind, double seconds, int16_t misses) {
        results.AddTestTime(kind, seconds);
        results.AddTestMiss(kind, misses);
    }
};

// Lets queued events (deferred redraws) run.
inline void settle(int ms = 50) {
    QElapsedTimer t;
    t.start();
    do QApplication::processEvents();
    while (t.elapsed() < ms);
}
