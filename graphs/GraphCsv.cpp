#include "GraphCsv.h"

#include <QFileInfo>
#include <QStringList>

#include "Cp932.h"
#include "Dialogs.h"
#include "Numbers.h"
#include "SafeWrite.h"

namespace graphcsv {
namespace {

// One line: its first word, then a value for each shown entry, oldest first.
QString csvLine(const QString& word, int last, const std::function<QString(int)>& value) {
    QStringList items{word};
    for (int i = last; i >= 0; --i) items << value(i);
    return items.join(QStringLiteral(", ")) + QStringLiteral("\r\n");
}

QString runNumbers(int32_t count, int last) {
    return csvLine(QStringLiteral("回数"), last, [count](int i) { return QString::number(count - i); });
}

}  // namespace

QByteArray TestCsvBytes(const TestGraphData& d) {
    const int last = graphLastIndex(d.count);
    QString text = runNumbers(d.count, last);
    text +=
        csvLine(QStringLiteral("入力時間"), last, [&](int i) { return num::general(d.times[static_cast<size_t>(i)]); });
    text += csvLine(QStringLiteral("ミスタイプ数"), last,
                    [&](int i) { return QString::number(d.misses[static_cast<size_t>(i)]); });
    return cp932::encode(text);
}

QByteArray TextCsvBytes(const TextGraphData& d) {
    const int last = graphLastIndex(d.count);
    QString text = runNumbers(d.count, last);
    text += csvLine(QStringLiteral("入力文字数"), last,
                    [&](int i) { return QString::number(d.chars[static_cast<size_t>(i)]); });
    text += csvLine(QStringLiteral("ミスタイプ数"), last,
                    [&](int i) { return QString::number(d.misses[static_cast<size_t>(i)]); });
    text += csvLine(QStringLiteral("入力数／分"), last,
                    [&](int i) { return num::general(d.perMinute[static_cast<size_t>(i)]); });
    return cp932::encode(text);
}

bool SaveCsvFile(const QString& path, const QByteArray& bytes, Dialogs& dialogs, const QString& title,
                 FileFaults& faults) {
    if (!writeFileWithRetry(path, bytes, dialogs, QStringLiteral("ＣＳＶファイルの書き込みに失敗しました。"), faults))
        return false;
    dialogs.msgBox(QStringLiteral("ＣＳＶファイルへの書き込みが完了しました。"), title, MsgIcon::Information);
    return true;
}

bool ExportCsv(Dialogs& dialogs, const QString& title, const std::function<QByteArray()>& bytes) {
    FileDialogRequest request;
    request.filter = QStringLiteral("ＣＳＶファイル(*.csv)|*.csv|すべてのファイル (*.*)|*.*");
    request.flags = FileFlags::HideReadOnly;
    const std::optional<QString> chosen = dialogs.saveFile(request);
    if (!chosen || chosen->isEmpty()) return false;
    const QString& path = *chosen;
    if (QFileInfo::exists(path)) {
        const QString question = path + QStringLiteral("\r\n") + QStringLiteral("このファイルはすでに存在します。") +
                                 QStringLiteral("\r\n\r\n") + QStringLiteral("上書きしますか？");
        if (dialogs.msgBox(question, title, MsgIcon::Question, MsgButtons::YesNo, 1) != MsgResult::Yes) return false;
    }
    return SaveCsvFile(path, bytes(), dialogs, title);
}

}  // namespace graphcsv
