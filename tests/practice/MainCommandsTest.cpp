#include <gtest/gtest.h>

#include "Fakes.h"
#include "MainCommands.h"
#include "TestFiles.h"
#include "basParam.h"

namespace {

struct NameRow {
    const char* name;
    std::optional<QString> answer;
    bool result;
    QString stored;
};
class PlayerName : public ::testing::TestWithParam<NameRow> {};

TEST_P(PlayerName, PromptStoresFirstTenCharacters) {
    ScratchFolder folder;
    FakeDialogs dialogs;
    basParam param(folder.path(), QStringLiteral("Lumbra"), dialogs);
    param.PlayerName(QStringLiteral("まえのなまえ"));
    dialogs.inputAnswers.push_back(GetParam().answer);
    EXPECT_EQ(practice::AskPlayerName(param, dialogs), GetParam().result);
    EXPECT_EQ(param.PlayerName(), GetParam().stored);
    ASSERT_EQ(dialogs.inputs.size(), 1u);
    EXPECT_EQ(dialogs.inputs[0].prompt, QStringLiteral("名前を入力してください。"));
    EXPECT_EQ(dialogs.inputs[0].title, QStringLiteral("名前入力"));
    EXPECT_EQ(dialogs.inputs[0].defaultText, QStringLiteral("まえのなまえ"));
}

INSTANTIATE_TEST_SUITE_P(Rows, PlayerName,
                         ::testing::Values(NameRow{"Twelve", QStringLiteral("あいうえおかきくけこさし"), true,
                                                   QStringLiteral("あいうえおかきくけこ")},
                                           NameRow{"Short", QStringLiteral("Taro"), true, QStringLiteral("Taro")},
                                           NameRow{"Empty", QString(), false, QStringLiteral("まえのなまえ")},
                                           NameRow{"Cancelled", std::nullopt, false, QStringLiteral("まえのなまえ")}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DataFileChoice, OpenDialogWithProductFilterAndMustExist) {
    ScratchFolder folder;
    FakeDialogs dialogs;
    basParam param(folder.path(), QStringLiteral("Lumbra"), dialogs);
    const QString before = param.DataFileName();
    dialogs.fileAnswers.push_back(std::nullopt);
    dialogs.fileAnswers.push_back(QStringLiteral("/data/other.dat"));
    practice::ChooseDataFile(param, dialogs, QStringLiteral("Lumbra"));
    EXPECT_EQ(param.DataFileName(), before) << "cancel changes nothing";
    practice::ChooseDataFile(param, dialogs, QStringLiteral("Lumbra"));
    EXPECT_EQ(param.DataFileName(), QStringLiteral("/data/other.dat"));
    ASSERT_EQ(dialogs.files.size(), 2u);
    const FileDialogRequest& r = dialogs.files[0].request;
    EXPECT_FALSE(dialogs.files[0].save);
    EXPECT_EQ(r.filter, QStringLiteral("成績ファイル (Lumbra.dat)|Lumbra.dat|すべてのファイル (*.*)|*.*"));
    EXPECT_EQ(r.flags, 4100);
    EXPECT_EQ(r.initialFile, before);
}

TEST(Help, OpensReadmeWhenPresentElseErrorBox) {
    ScratchFolder folder;
    FakeDialogs dialogs;
    FakeShell shell;
    practice::OpenHelp(folder.path(), shell, dialogs);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("ヘルプファイルが見つかりません\r\n") + folder.file("Readme.txt"));
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("エラー"));
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(shell.opened.isEmpty());

    folder.write(QStringLiteral("Readme.txt"), "guide");
    shell.answer = false;  // the shell's answer is not looked at
    QString noSlash = folder.path();
    noSlash.chop(1);
    practice::OpenHelp(noSlash, shell, dialogs);
    EXPECT_EQ(shell.opened, QStringList{folder.file("Readme.txt")});
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

}  // namespace
