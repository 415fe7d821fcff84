#pragma once
#include "AppContext.h"
#include "Fakes.h"
#include "FormsRegistry.h"
#include "TestFiles.h"
#include "basMain.h"
#include "basParam.h"
#include "basResults.h"

// The program's three modules over a scratch program folder, with scripted
// platform services and the context windows are built with. RandomT is the
// random source: FakeRandom replays a script, SeededRandom gives a long
// deterministic stream (the drill needs one: it redraws equal neighbours).
template <typename RandomT = FakeRandom>
struct FakeAppT {
    ScratchFolder folder;
    FakeDialogs dialogs;
    FakeClock clock;
    RandomT random;
    FakeBeeper beeper;
    FakeShell shell;
    FormsRegistry forms;
    basMain main{folder.path()};
    basParam param{folder.path(), QStringLiteral("Lumbra"), dialogs};
    basResults results{param, dialogs};
    AppContext ctx{main, param, results, clock, random, dialogs, beeper, shell, &forms};
};
using FakeApp = FakeAppT<>;
