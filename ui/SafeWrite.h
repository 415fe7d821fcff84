#pragma once
#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

#include "FileFaults.h"

class Dialogs;

// The file layer: whole-file reads and saves of the learner's files. What it
// promises: a save either replaces the old file with the whole new contents
// or leaves the old file as it was, and it never replaces anything that is not
// a regular file.

// --- reading ---

struct FileRead {
    enum Status { Read, Missing, Failed };
    Status status = Missing;
    QByteArray bytes;  // Read: at most maxBytes from the start
    QString reason;    // Failed: why, in the system's words
};

// Reads up to maxBytes of a regular file. Missing when nothing is there under
// the name (or it is a symbolic link to nothing); Failed when something is there but could not be read (no
// permission, an I/O error, or not a regular file: a pipe or a device could
// block or never end).
FileRead readWholeFile(const QString& path, qint64 maxBytes, FileFaults& faults = FileFaults::none());

// --- saving ---

// Writes a whole file through a temporary file in the same folder that then
// replaces the old one, so a crash, a kill or a full disk never leaves a
// half-written file: the old contents stay until the new ones are complete.
// The folder is synced after the rename, so a power cut cannot bring back the
// old file. A symbolic link is followed and its target replaced, the link
// kept. A name that is (or whose link points to) a device, a pipe, a socket or
// a folder is refused: nothing is written. A file is never written in place:
// in a folder where no temporary file can be made the save fails, and the box
// says that the folder cannot be written and names one that can.
//
// When a step fails, the error box is shown: error icon, Retry and Cancel,
// title "エラー", text errorText + CR LF + path. Retry writes again (a failed
// step has already discarded the temporary file, so the attempt starts from a
// new one); Cancel gives up and returns false, leaving the previous file whole.
bool writeFileWithRetry(const QString& path, const QByteArray& bytes, Dialogs& dialogs, const QString& errorText,
                        FileFaults& faults = FileFaults::none());

// The contents of one attempt, built again for every attempt: a save that
// merges with what is on disk reads the file again before each retry, so
// whatever changed the file while the error box was open is kept. nullopt
// gives up (the builder has told the user why); the save then returns false.
using SaveContents = std::function<std::optional<QByteArray>()>;
bool writeFileWithRetry(const QString& path, const SaveContents& build, Dialogs& dialogs, const QString& errorText,
                        FileFaults& faults = FileFaults::none());

// The name part every temporary file of a save carries after "<file name>.":
// ".~lumbra-save.<process id>.<six letters or digits>".
extern const char* const kTemporaryMark;

// The file a save of path replaces: path itself, or the end of its chain of
// symbolic links.
QString saveTarget(const QString& path);

// Removes what an interrupted save of path left beside it: regular files named
// "<file name>.~lumbra-save.<process id>.XXXXXX", as the saver names its
// temporary files, whose process is no longer running (another copy of the
// program may be saving right now). Nothing else is touched, whatever its
// name. Returns how many were removed.
int removeLeftoverTemporaries(const QString& path);

// --- keeping a copy before a replacement ---

struct Backup {
    enum Status { Made, AlreadyKept, Failed };
    Status status = Failed;
    QString path;  // the copy: "<path>.bak", or ".bak.2" ... ".bak.99"
};

// Keeps a copy of path before it is replaced: as "<path>.bak", or, when that
// name holds other contents, the first of "<path>.bak.2" ... ".bak.99" that is
// free. A backup with the same contents counts as kept (AlreadyKept) and no
// new copy is made; sizes are compared first, contents only of equal sizes.
Backup keepBackup(const QString& path, FileFaults& faults = FileFaults::none());
