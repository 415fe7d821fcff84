#pragma once
#include <QString>

class basParam;
class Dialogs;
class Shell;

// Menu commands of the main window that need no window of their own.
namespace practice {

// The player-name prompt run before a game opens: input box
// "名前を入力してください。" titled "名前入力" with the current PlayerName as
// default. Empty or cancelled: false, PlayerName unchanged. Otherwise the
// first 10 characters become PlayerName: true.
bool AskPlayerName(basParam& param, Dialogs& dialogs);

// The results-file choice: an Open dialog on DataFileName with the filter
// "成績ファイル (<product>.dat)|<product>.dat|すべてのファイル (*.*)|*.*",
// hiding the read-only box and requiring an existing file. The chosen path
// becomes DataFileName; Cancel changes nothing. The file is not read here.
void ChooseDataFile(basParam& param, Dialogs& dialogs, const QString& productName);

// Help: opens <appPath>Readme.txt through the shell when it exists, else the
// error box "ヘルプファイルが見つかりません" CR LF path titled "エラー".
// appPath ends in "/" or not.
void OpenHelp(const QString& appPath, Shell& shell, Dialogs& dialogs);

}  // namespace practice
