#include "SafeWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>
#include <csignal>

#include "Dialogs.h"

const char* const kTemporaryMark = "~lumbra-save";

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
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
    ::close(fd);
    return synced;
}

QString randomSix() {
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString s;
    for (int i = 0; i < 6; ++i) s += QLatin1Char(kChars[QRandomGenerator::global()->bounded(62)]);
    return s;
}

bool writeAll(int fd, const QByteArray& bytes) {
    const char* at = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, at, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;  // a full disk, a file-size limit, an I/O error
        at += n;
        left -= n;
    }
    return true;
}

enum class Outcome { Saved, Failed, FolderUnwritable, NotSynced };

// One complete attempt: a new temporary file beside the target, the whole
// contents synced to disk, then the rename over the old file. Any failure
// removes the temporary file and leaves the old file as it was.
Outcome attempt(const QString& path, const QByteArray& bytes, FileFaults& faults) {
    const QString target = saveTarget(path);
    const QFileInfo info(target);
    if (info.exists() && !info.isFile()) return Outcome::Failed;  // a device, pipe, socket or folder
    // A file the user made read-only stays as it is.
    if (info.exists() && ::access(QFile::encodeName(target).constData(), W_OK) != 0) return Outcome::Failed;
    if (!faults.failure(FileStep::Open, target).isEmpty()) return Outcome::Failed;
    const QString stem = target + u'.' + QLatin1String(kTemporaryMark) + u'.' + QString::number(::getpid()) + u'.';
    QByteArray temporary;
    int fd = -1;
    for (int tries = 0; fd < 0 && tries < 100; ++tries) {
        temporary = QFile::encodeName(stem + randomSix());
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        const bool folder = errno == EACCES || errno == EPERM || errno == EROFS;
        return folder ? Outcome::FolderUnwritable : Outcome::Failed;
    }
    struct stat old {};
    if (::stat(QFile::encodeName(target).constData(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
    const bool written = faults.failure(FileStep::Write, target).isEmpty() && writeAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || !faults.failure(FileStep::Rename, target).isEmpty() ||
        ::rename(temporary.constData(), QFile::encodeName(target).constData()) != 0) {
        ::unlink(temporary.constData());
        return Outcome::Failed;
    }
    return syncFolder(info.absolutePath(), faults) ? Outcome::Saved : Outcome::NotSynced;
}

// A folder the user can save in, named when theirs cannot be written.
QString writableFolder() {
    for (const QString& dir : {QDir::homePath(), QDir::tempPath()})
        if (QFileInfo(dir).isWritable()) return dir;
    return QDir::homePath();
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
    return writeFileWithRetry(path, SaveContents([&bytes] { return std::optional<QByteArray>(bytes); }), dialogs,
                              errorText, faults);
}

bool writeFileWithRetry(const QString& path, const SaveContents& build, Dialogs& dialogs, const QString& errorText,
                        FileFaults& faults) {
    Outcome outcome = Outcome::Failed;
    for (;;) {
        if (outcome == Outcome::NotSynced) {
            // The new file is in place already: only its folder is synced again
            // (contents built again now would count a change twice).
            outcome =
                syncFolder(QFileInfo(saveTarget(path)).absolutePath(), faults) ? Outcome::Saved : Outcome::NotSynced;
        } else {
            const std::optional<QByteArray> bytes = build();
            if (!bytes) return false;
            outcome = attempt(path, *bytes, faults);
        }
        if (outcome == Outcome::Saved) return true;
        QString text = errorText + QStringLiteral("\r\n") + path;
        if (outcome == Outcome::FolderUnwritable)
            text += QStringLiteral("\r\n\r\n") +
                    QStringLiteral(
                        "このフォルダーには書き込めないため、保存できません。フォルダーに書き込めるようにして"
                        "再試行するか、書き込めるフォルダー（%1 など）を選んでください。")
                        .arg(QDir::toNativeSeparators(writableFolder()));
        const MsgResult answer =
            dialogs.msgBox(text, QStringLiteral("エラー"), MsgIcon::Critical, MsgButtons::RetryCancel, 0);
        if (answer != MsgResult::Retry) return false;
    }
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
        QRegularExpression::escape(info.fileName() + u'.' + QLatin1String(kTemporaryMark) + u'.') +
        QStringLiteral("([0-9]+)\\.[A-Za-z0-9]{6}")));
    const QDir dir = info.absoluteDir();
    int removed = 0;
    const QStringList pattern{info.fileName() + u'.' + QLatin1String(kTemporaryMark) + QStringLiteral(".*")};
    for (const QFileInfo& f : dir.entryInfoList(pattern, QDir::Files | QDir::Hidden | QDir::System)) {
        const QRegularExpressionMatch m = own.match(f.fileName());
        if (f.isSymLink() || !f.isFile() || !m.hasMatch()) continue;
        bool number = false;
        const qint64 pid = m.captured(1).toLongLong(&number);
        // A save of another running copy: its file is not left over.
        const bool running = number && pid > 0 && pid != ::getpid() && pid <= INT32_MAX &&
                             (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
        if (running) continue;
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
