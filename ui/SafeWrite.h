#pragma once
#include <QByteArray>
#include <QString>

class Dialogs;

// Writes a whole file through a temporary file in the same folder that then
// replaces the old one, so a crash, a kill or a full disk never leaves a
// half-written file: the old contents stay until the new ones are complete.
//
// When a step fails (creating the temporary file, writing, replacing), the
// error box is shown: error icon, Retry and Cancel, title "エラー", text
// errorText + CR LF + path. Retry writes again (a failed step has already
// discarded the temporary file, so the attempt starts from a new one); Cancel
// gives up and returns false, leaving the previous file whole.
bool writeFileWithRetry(const QString& path, const QByteArray& bytes, Dialogs& dialogs,
                        const QString& errorText);

// The same without any message: one attempt, true on success.
bool writeFileOnce(const QString& path, const QByteArray& bytes);
