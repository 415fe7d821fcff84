#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

ScratchFolder::ScratchFolder() { mDir.setAutoRemove(true); }

QString ScratchFolder::path() const { return mDir.path() + u'/'; }

QString ScratchFolder::file(const QString& name) const { return path() + name; }

void ScratchFolder::write(const QString& name, const QByteArray& bytes) const {
    const QString p = file(name);
    QDir().mkpath(QFileInfo(p).path());
    QFile f(p);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

QByteArray ScratchFolder::read(const QString& name) const {
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool ScratchFolder::exists(const QString& name) const { return QFileInfo::exists(file(name)); }

QString sourceDir() {
    const QString env = qEnvironmentVariable("LUMBRA_SOURCE_DIR");
    return env.isEmpty() ? QStringLiteral(LUMBRA_SOURCE_DIR_FALLBACK) : env;
}
