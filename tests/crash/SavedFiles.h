#pragma once
#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class Dialogs;

// The files the program writes, each reduced to what the crash tests need:
// numbered contents (content i differs from content i + 1, in length too),
// the real save routine, and a check that the file on disk is exactly content
// i and loads as such.
class SavedFile {
public:
    // name names the file in test output; the file is fileName in folder.
    SavedFile(QString folder, const char* name, const QString& fileName, QString errorText)
        : mFolder(std::move(folder)), mName(name), mPath(mFolder + fileName), mErrorText(std::move(errorText)) {}
    virtual ~SavedFile() = default;
    const char* name() const { return mName; }
    QString path() const { return mPath; }
    // The bytes the file holds after content i was saved.
    virtual QByteArray bytes(int i) const = 0;
    // Saves content i through the program's own routine (with its error box).
    virtual bool save(int i, Dialogs& dialogs) const = 0;
    // The message the program shows when the save fails.
    QString errorText() const { return mErrorText; }
    // True when the program's loader reads the file on disk as content i.
    virtual bool loadsAs(int i) const = 0;

protected:
    const QString& folder() const { return mFolder; }

private:
    QString mFolder;
    const char* mName;
    QString mPath;
    QString mErrorText;
};

// The settings file, the results file and a CSV export, in the given folder.
std::unique_ptr<SavedFile> settingsFile(const QString& folder);
std::unique_ptr<SavedFile> resultsFile(const QString& folder);
std::unique_ptr<SavedFile> csvFile(const QString& folder);

// Runs fn in a forked child and returns what it wrote to `out` (one text),
// or an explanation when the child did not end normally with status 0.
QString runInChild(const std::function<QString()>& fn);

// Gives up the capabilities that let root read and write through any
// permission (in a child process: they do not come back), so permissions
// apply as they do to a user. True when permissions now apply.
bool dropFileCapabilities();
