#include "ProgramFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include "Paths.h"

namespace programfolder {
namespace {

bool isWritableFolder(const QString& dir) {
    const QFileInfo fi(dir);
    return fi.isDir() && fi.isWritable();
}

// Copies the files of src that dst lacks (dst files are the user's: never replaced).
void copyMissing(const QString& src, const QString& dst) {
    QDir().mkpath(dst);
    QDirIterator it(src, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = dst + u'/' + QDir(src).relativeFilePath(from);
        if (QFileInfo::exists(to)) continue;
        QDir().mkpath(QFileInfo(to).path());
        QFile::copy(from, to);
    }
}

}  // namespace

QString installedDataDir(const QString& exeDir) {
    const QString dir = QDir::cleanPath(exeDir + QStringLiteral("/../share/lumbra"));
    return QFileInfo::exists(dir + QStringLiteral("/Readme.txt")) ? dir : QString();
}

QString resolve(const Environment& env) {
    const QString installed = installedDataDir(env.exeDir);
    if (installed.isEmpty() && isWritableFolder(env.exeDir)) return withTrailingSlash(env.exeDir);

    const QString base = !env.xdgDataHome.isEmpty() ? env.xdgDataHome
                                                     : env.home + QStringLiteral("/.local/share");
    const QString folder = base + QStringLiteral("/Lumbra");
    QDir().mkpath(folder);
    if (!installed.isEmpty()) {
        if (!QFileInfo::exists(folder + QStringLiteral("/Readme.txt")))
            QFile::copy(installed + QStringLiteral("/Readme.txt"), folder + QStringLiteral("/Readme.txt"));
        copyMissing(installed + QStringLiteral("/Text"), folder + QStringLiteral("/Text"));
    }
    return withTrailingSlash(folder);
}

QString resolveForThisProcess(const QString& exeDir) {
    return resolve({exeDir, qEnvironmentVariable("XDG_DATA_HOME"), QDir::homePath()});
}

}  // namespace programfolder
