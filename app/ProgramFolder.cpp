#include "ProgramFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include "Paths.h"
#include "basMain.h"

namespace programfolder {
namespace {

bool isWritableFolder(const QString& dir) {
    const QFileInfo fi(dir);
    return fi.isDir() && fi.isWritable();
}

// Copies a file that dst lacks (a file there is the user's: never replaced).
bool copyIfMissing(const QString& from, const QString& to) {
    if (!QFileInfo(from).isFile() || QFileInfo::exists(to)) return false;
    return QFile::copy(from, to);
}

// Copies the files of src that dst lacks; true when any was copied.
bool copyMissing(const QString& src, const QString& dst) {
    bool copied = false;
    QDirIterator it(src, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = dst + u'/' + QDir(src).relativeFilePath(from);
        if (QFileInfo::exists(to)) continue;
        QDir().mkpath(QFileInfo(to).path());
        copied = QFile::copy(from, to) || copied;
    }
    return copied;
}

// The read-me and the practice texts of src that folder lacks.
bool copyShipped(const QString& src, const QString& folder) {
    const bool readme = copyIfMissing(src + QStringLiteral("/Readme.txt"), folder + QStringLiteral("/Readme.txt"));
    return copyMissing(src + QStringLiteral("/Text"), folder + QStringLiteral("/Text")) || readme;
}

QString userFolder(const Environment& env) {
    const QString base = !env.xdgDataHome.isEmpty() ? env.xdgDataHome : env.home + QStringLiteral("/.local/share");
    return base + u'/' + basMain::ProductName();
}

// A portable copy that cannot write its own folder: what the learner has
// beside the program comes along.
QString carryOver(const QString& exeDir, const QString& folder, bool created) {
    bool carried = false;
    for (const char* ext : {".ini", ".dat", ".db"}) {
        const QString name = basMain::ProductName() + QLatin1String(ext);
        const bool copied = copyIfMissing(exeDir + u'/' + name, folder + u'/' + name);
        // The keystrokes not yet moved into the database itself come along
        // with it, never without it.
        if (copied && qstrcmp(ext, ".db") == 0)
            copyIfMissing(exeDir + u'/' + name + QStringLiteral("-wal"), folder + u'/' + name + QStringLiteral("-wal"));
        carried = copied || carried;
    }
    const bool shipped = copyShipped(exeDir, folder);
    if (!created && !carried && !shipped) return {};
    QString notice = QStringLiteral(
                         "プログラムのフォルダーに書き込めないため、設定、成績と打鍵の記録は"
                         "次のフォルダーに保存します。") +
                     QStringLiteral("\r\n") + folder;
    if (carried)
        notice += QStringLiteral("\r\n\r\n") +
                  QStringLiteral(
                      "プログラムのフォルダーにあった設定ファイル、成績ファイルと打鍵の記録ファイルを、"
                      "このフォルダーにコピーしました。");
    return notice;
}

}  // namespace

QString installedDataDir(const QString& exeDir) {
    const QString dir = QDir::cleanPath(exeDir + QStringLiteral("/../share/lumbra"));
    return QFileInfo::exists(dir + QStringLiteral("/Readme.txt")) ? dir : QString();
}

Prepared prepare(const Environment& env) {
    const QString installed = installedDataDir(env.exeDir);
    if (installed.isEmpty() && isWritableFolder(env.exeDir)) return {withTrailingSlash(env.exeDir), {}};

    const QString folder = userFolder(env);
    const bool created = !QFileInfo::exists(folder);
    QDir().mkpath(folder);
    if (!installed.isEmpty()) {
        copyShipped(installed, folder);
        return {withTrailingSlash(folder), {}};
    }
    return {withTrailingSlash(folder), carryOver(env.exeDir, folder, created)};
}

QString resolve(const Environment& env) { return prepare(env).folder; }

Prepared prepareForThisProcess(const QString& exeDir) {
    return prepare({exeDir, qEnvironmentVariable("XDG_DATA_HOME"), QDir::homePath()});
}

}  // namespace programfolder
