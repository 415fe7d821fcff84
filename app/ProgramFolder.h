#pragma once
#include <QString>

// Where the program keeps Lumbra.ini, Lumbra.dat, Readme.txt and Text/.
//
// A portable copy (the executable's folder is writable and is not an
// installed layout) keeps them beside the executable. An installed copy
// (<prefix>/bin/Lumbra with <prefix>/share/lumbra, or a folder it cannot
// write) uses the user's data folder, $XDG_DATA_HOME/Lumbra (normally
// ~/.local/share/Lumbra): it is created on first start and the read-me and
// practice texts missing there are copied from the installed data folder.
namespace programfolder {

struct Environment {
    QString exeDir;        // folder of the executable
    QString xdgDataHome;   // $XDG_DATA_HOME, may be empty
    QString home;          // $HOME
};

// The installed data folder of an installed layout, or "" for a portable copy.
QString installedDataDir(const QString& exeDir);

// The program folder for this environment (ends in "/"), prepared for use.
QString resolve(const Environment& env);

// The same for the running program.
QString resolveForThisProcess(const QString& exeDir);

}  // namespace programfolder
