#include "SafeWrite.h"

#include <QSaveFile>

#include "Dialogs.h"

namespace {
// One complete attempt: a new temporary file beside the target, the whole
// contents, then the replacement. Any failure discards the temporary file and
// leaves the old file as it was. (QSaveFile cannot be reopened after a failed
// write, so a retry always starts a new one.)
bool attempt(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    // Unbuffered: a failing write (a full disk) must show here. Qt 6.4's
    // commit() does not notice an error while flushing a write buffer and
    // would then replace the old file with a truncated one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        file.commit();  // discards the temporary file
        return false;
    }
    return file.commit();  // flushes, syncs and renames; false leaves the old file
}
}  // namespace

bool writeFileOnce(const QString& path, const QByteArray& bytes) { return attempt(path, bytes); }

bool writeFileWithRetry(const QString& path, const QByteArray& bytes, Dialogs& dialogs, const QString& errorText) {
    while (!attempt(path, bytes)) {
        const MsgResult answer = dialogs.msgBox(errorText + QStringLiteral("\r\n") + path, QStringLiteral("エラー"),
                                                MsgIcon::Critical, MsgButtons::RetryCancel, 0);
        if (answer != MsgResult::Retry) return false;
    }
    return true;
}
