#include "SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

#include "Dialogs.h"

namespace {

class NoFaults : public FileFaults {
public:
    QString failure(FileStep, const QString&) override { return {}; }
};

const QString& notRegularReason() {
    static const QString text = QStringLiteral("通常のファイルではありません。");
    return text;
}

// Makes the rename that just replaced a file in dir last through a power cut.
// A file system that cannot sync folders (EINVAL) has nothing to make last.
bool syncFolder(const QString& dir, FileFaults& faults) {
    if (!faults.failure(FileStep::SyncDir, dir).isEmpty()) return false;
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
    ::close(fd);
    return synced;
#else
    return true;
#endif
}

// One complete attempt: a new temporary file beside the target, the whole
// contents, then the replacement. Any failure discards the temporary file and
// leaves the old file as it was. (QSaveFile cannot be reopened after a failed
// write, so a retry always starts a new one.)
bool attempt(const QString& path, const QByteArray& bytes, FileFaults& faults) {
    const QString target = saveTarget(path);
    const QFileInfo info(target);
    if (info.exists() && !info.isFile()) return false;  // a device, pipe, socket or folder
    if (!faults.failure(FileStep::Open, target).isEmpty()) return false;
    QSaveFile file(target);
    // In a folder where no temporary file can be made, a writable file is
    // written in place (the user expects an export over their own file to work).
    file.setDirectWriteFallback(true);
    // Unbuffered: a failing write (a full disk) must show here. Qt 6.4's
    // commit() does not notice an error while flushing a write buffer and
    // would then replace the old file with a truncated one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
    const bool written = faults.failure(FileStep::Write, target).isEmpty() && file.write(bytes) == bytes.size() &&
                         faults.failure(FileStep::Rename, target).isEmpty();
    if (!written) {
        file.cancelWriting();
        file.commit();  // discards the temporary file
        return false;
    }
    if (!file.commit()) return false;  // flushes, syncs and renames; false leaves the old file
    return syncFolder(info.absolutePath(), faults);
}

}  // namespace

FileFaults& FileFaults::none() {
    static NoFaults faults;
    return faults;
}

FileRead readWholeFile(const QString& path, qint64 maxBytes, FileFaults& faults) {
    FileRead r;
    const QFileInfo info(path);
    if (!info.exists()) return r;  // Missing (a link to nothing too: a save creates its target)
    r.status = FileRead::Failed;
    if (!info.isFile()) {
        r.reason = notRegularReason();
        return r;
    }
    r.reason = faults.failure(FileStep::Open, path);
    if (!r.reason.isEmpty()) return r;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        r.reason = file.errorString();
        return r;
    }
    r.reason = faults.failure(FileStep::Read, path);
    if (!r.reason.isEmpty()) return r;
    r.bytes = file.read(maxBytes);
    if (file.error() != QFileDevice::NoError) {
        r.reason = file.errorString();
        r.bytes.clear();
        return r;
    }
    r.status = FileRead::Read;
    r.reason.clear();
    return r;
}

bool writeFileWithRetry(const QString& path, const QByteArray& bytes, Dialogs& dialogs, const QString& errorText,
                        FileFaults& faults) {
    while (!attempt(path, bytes, faults)) {
        const MsgResult answer = dialogs.msgBox(errorText + QStringLiteral("\r\n") + path, QStringLiteral("エラー"),
                                                MsgIcon::Critical, MsgButtons::RetryCancel, 0);
        if (answer != MsgResult::Retry) return false;
    }
    return true;
}

QString saveTarget(const QString& path) {
    QString target = path;
    for (int hops = 0; hops < 40; ++hops) {  // a loop of links ends somewhere
        const QFileInfo info(target);
        if (!info.isSymLink()) break;
        target = info.symLinkTarget();
    }
    return target;
}

int removeLeftoverTemporaries(const QString& path) {
    const QFileInfo info(path);
    const QRegularExpression own(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(info.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    const QDir dir = info.absoluteDir();
    int removed = 0;
    const QStringList pattern{info.fileName() + QStringLiteral(".??????")};
    for (const QFileInfo& f : dir.entryInfoList(pattern, QDir::Files | QDir::Hidden | QDir::System)) {
        if (f.isSymLink() || !f.isFile() || !own.match(f.fileName()).hasMatch()) continue;
        if (QFile::remove(f.absoluteFilePath())) ++removed;
    }
    return removed;
}

namespace {

bool sameContents(const QString& a, const QString& b) {
    QFile fa(a), fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly)) return false;
    constexpr qint64 chunk = 1 << 16;
    while (!fa.atEnd()) {
        if (fa.read(chunk) != fb.read(chunk)) return false;
    }
    return fb.atEnd();
}

}  // namespace

Backup keepBackup(const QString& path, FileFaults& faults) {
    const qint64 size = QFileInfo(path).size();
    for (int n = 1; n < 100; ++n) {
        const QString bak = path + QStringLiteral(".bak") + (n == 1 ? QString() : QStringLiteral(".%1").arg(n));
        const QFileInfo existing(bak);
        if (!existing.exists() && !existing.isSymLink()) {
            if (!faults.failure(FileStep::Open, bak).isEmpty()) return {Backup::Failed, bak};
            return {QFile::copy(path, bak) ? Backup::Made : Backup::Failed, bak};
        }
        if (existing.isFile() && existing.size() == size && sameContents(path, bak)) return {Backup::AlreadyKept, bak};
    }
    return {Backup::Failed, QString()};
}
