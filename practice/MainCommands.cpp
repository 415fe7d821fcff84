#include "MainCommands.h"

#include <QFileInfo>

#include "Dialogs.h"
#include "Shell.h"
#include "basParam.h"

namespace practice {

bool AskPlayerName(basParam& param, Dialogs& dialogs) {
    const auto answer =
        dialogs.inputBox(QStringLiteral("名前を入力してください。"), QStringLiteral("名前入力"), param.PlayerName());
    if (!answer || answer->isEmpty()) return false;
    param.PlayerName(answer->left(10));
    return true;
}

void ChooseDataFile(basParam& param, Dialogs& dialogs, const QString& productName) {
    FileDialogRequest request;
    request.initialFile = param.DataFileName();
    request.filter = QStringLiteral("成績ファイル (") + productName + QStringLiteral(".dat)|") + productName +
                     QStringLiteral(".dat") + QStringLiteral("|すべてのファイル (*.*)|*.*");
    request.flags = FileFlags::HideReadOnly | FileFlags::FileMustExist;
    const auto chosen = dialogs.openFile(request);
    if (chosen && !chosen->isEmpty()) param.DataFileName(*chosen);
}

void OpenHelp(const QString& appPath, Shell& shell, Dialogs& dialogs) {
    QString path = appPath;
    if (!path.endsWith(u'/') && !path.endsWith(u'\\')) path += u'/';
    path += QStringLiteral("Readme.txt");
    if (QFileInfo(path).isFile()) {
        shell.open(path);
        return;
    }
    dialogs.msgBox(QStringLiteral("ヘルプファイルが見つかりません") + QStringLiteral("\r\n") + path,
                   QStringLiteral("エラー"), MsgIcon::Critical);
}

}  // namespace practice
