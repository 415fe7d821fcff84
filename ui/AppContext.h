#pragma once

// What every window and logic object of the program is handed: the three
// modules and the platform services. Created once by Main; windows keep a
// reference. Only forward declarations here, so that this header costs nothing.
class basMain;
class basParam;
class basResults;
class Clock;
class Random;
class Dialogs;
class Beeper;
class Shell;
class FormsRegistry;
class Learning;

struct AppContext {
    basMain& main;
    basParam& param;
    basResults& results;
    Clock& clock;
    Random& random;
    Dialogs& dialogs;
    Beeper& beeper;
    Shell& shell;
    FormsRegistry* forms = nullptr;  // null in tests that build windows alone
    Learning* learning = nullptr;    // the keystroke store and model; null: nothing recorded
};
