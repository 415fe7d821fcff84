#pragma once
#include <QString>

// The steps of a read or a save in the file layer (SafeWrite).
enum class FileStep {
    Open,     // opening a file to read, or the temporary file of a save
    Read,     // one read of a file's contents
    Write,    // writing the contents of a save
    Rename,   // the temporary file replacing the old one
    SyncDir,  // syncing the folder after the rename, so the new name lasts
};

// The fault seam of the file layer: asked before each step, it answers the
// reason the step fails (as the system would word it), or an empty string to
// let the step run. The program's own answer never fails a step; tests script
// one (fail the next open, the nth read, the rename, the folder sync) and
// check that what the learner had is still on disk and that they were told.
class FileFaults {
public:
    virtual ~FileFaults() = default;
    virtual QString failure(FileStep step, const QString& path) = 0;

    // The program's: no step is made to fail.
    static FileFaults& none();
};
