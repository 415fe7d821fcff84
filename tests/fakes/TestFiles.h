#pragma once
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A scratch program folder for a test, removed when the test ends.
class ScratchFolder {
public:
    ScratchFolder();
    QString path() const;                     // ends in "/"
    QString file(const QString& name) const;  // path() + name
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
    bool exists(const QString& name) const;

private:
    QTemporaryDir mDir;
};

// The repository's root (for tests over shipped files).
QString sourceDir();
