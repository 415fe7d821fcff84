#pragma once
#include <QString>

// Where the program keeps Lumbra.ini, Lumbra.dat, Lumbra.db, Readme.txt and Text/.
//
// A portable copy (the executable's folder is writable and is not an
// installed layout) keeps them beside the executable. An installed copy
// (<prefix>/bin/Lumbra with <prefix>/share/lumbra) uses the user's data
// folder, $XDG_DATA_HOME/Lumbra (normally ~/.local/share/Lumbra): it is
// created on first start and the read-me and practice texts missing there are
// copied from the installed data folder.
//
// A portable copy in a folder it cannot write (a read-only medium, a shared
// folder) uses the user's data folder too, and carries the learner over: the
// settings file, the results file, the keystroke database (with its
// write-ahead log), the read-me and the practice texts beside
// the executable are copied there when they are missing there (a file already
// there is never replaced), and the user is told once, on the start that
// set the folder up.
namespace programfolder {

struct Environment {
    QString exeDir;       // folder of the executable
    QString xdgDataHome;  // $XDG_DATA_HOME, may be empty
    QString home;         // $HOME
};

struct Prepared {
    QString folder;  // the program folder, ends in "/"
    QString notice;  // what to tell the user on this start; usually empty
};

// The installed data folder of an installed layout, or "" for a portable copy.
QString installedDataDir(const QString& exeDir);

// The program folder for this environment, prepared for use.
Prepared prepare(const Environment& env);
QString resolve(const Environment& env);  // prepare(env).folder

// The same for the running program.
Prepared prepareForThisProcess(const QString& exeDir);

}  // namespace programfolder
