#include "SafeWrite.h"

#include <QSaveFile>

#include "Dialogs.h"

namespace {
enum class Step { Open, Write, Commit, Done };

// Runs the save from the given step; returns the step that failed, or Done.
Step attempt(QSaveFile& file, const QByteArray& bytes, Step from) {
    if (from == Step::Open || !file.isOpen()) {
        if (file.isOpen()) file.cancelWriting();
        if (!file.open(QIODevice::WriteOnly)) return Step::Open;
        from = Step::Write;
    }
    if (from == Step::Write) {
        if (file.write(bytes) != bytes.size()) {
            file.cancelWriting();  // the temporary file's contents are unknown: start again
            return Step::Write;
        }
    }
    if (!file.commit()) return Step::Commit;
    return Step::Done;
}
}  // namespace

bool writeFileOnce(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    return attempt(file, bytes, Step::Open) == Step::Done;
}

bool writeFileWithRetry(const QString& path, const QByteArray& bytes, Dialogs& dialogs, const QString& errorText) {
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    Step step = Step::Open;
    for (;;) {
        step = attempt(file, bytes, step);
        if (step == Step::Done) return true;
        // A failed write or commit discards the temporary file: retrying
        // means opening a new one.
        if (step != Step::Open) step = Step::Open;
        const MsgResult answer = dialogs.msgBox(errorText + QStringLiteral("\r\n") + path, QStringLiteral("エラー"),
                                                MsgIcon::Critical, MsgButtons::RetryCancel, 0);
        if (answer != MsgResult::Retry) {
            if (file.isOpen()) file.cancelWriting();
            return false;
        }
    }
}
