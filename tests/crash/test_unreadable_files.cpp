// Files the learner has that this process may not read or write, with real
// permissions (in a child process that gave up root's capabilities): an
// unreadable results file is never written over, and a portable copy in a
// folder it cannot write carries the learner's files to the user folder.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>

#include "Fakes.h"
#include "ProgramFolder.h"
#include "SavedFiles.h"
#include "TestFiles.h"
#include "basParam.h"
#include "basResults.h"

namespace {

bool chmodPath(const QString& path, mode_t mode) { return chmod(QFile::encodeName(path).constData(), mode) == 0; }

TEST(UnreadableResults, EndOfATestAsksAndCancelLeavesTheFileWhole) {
    ScratchFolder folder;
    FakeDialogs quiet;
    basParam param(folder.path(), QStringLiteral("Lumbra"), quiet);
    {
        basResults r(param, quiet);
        for (int i = 0; i < 7; ++i) r.AddTestTime(0, 30 + i);
        ASSERT_TRUE(r.SaveResults());
    }
    const QByteArray old = folder.read(QStringLiteral("Lumbra.dat"));
    ASSERT_TRUE(chmodPath(folder.file(QStringLiteral("Lumbra.dat")), 0200));  // write-only
    const QString seen = runInChild([&] {
        if (!dropFileCapabilities()) return QStringLiteral("cannot simulate");
        FakeDialogs dialogs;
        basResults results(param, dialogs);
        dialogs.msgAnswers = {MsgResult::Retry, MsgResult::Cancel};
        const bool reloaded = results.ReloadResults();
        QString out = reloaded ? QStringLiteral("reloaded") : QStringLiteral("cancelled");
        for (const MsgBoxRequest& m : dialogs.messages) out += QStringLiteral(" | ") + m.text;
        return out;
    });
    chmodPath(folder.file(QStringLiteral("Lumbra.dat")), 0644);
    const QString box = QStringLiteral("成績ファイルの読み込みに失敗しました。\r\n") +
                        folder.file(QStringLiteral("Lumbra.dat")) + QStringLiteral("\r\n");
    ASSERT_TRUE(seen.startsWith(QStringLiteral("cancelled | ") + box)) << seen.toStdString();
    EXPECT_EQ(seen.count(box), 2) << "Retry reads again";
    EXPECT_EQ(folder.read(QStringLiteral("Lumbra.dat")), old);
}

TEST(ReadOnlyProgramFolder, CarriesTheLearnersFilesOverOnceAndNeverOverNewerOnes) {
    ScratchFolder root;
    // What a learner's portable copy holds beside the executable.
    const std::pair<const char*, QByteArray> copy[] = {
        {"Lumbra", ""},
        {"Lumbra.ini", "[Lumbra]\r\nNeedCount=80\r\n"},
        {"Lumbra.dat", "results"},
        {"Readme.txt", "guide"},
        {"Text/Pref.txt", QStringLiteral("HoKKaIDoU|ほっかいどう\n").toUtf8()}};
    for (const auto& [name, bytes] : copy) root.write(QStringLiteral("portable/") + QLatin1String(name), bytes);
    ASSERT_TRUE(chmodPath(root.file("portable/Text"), 0555));
    ASSERT_TRUE(chmodPath(root.file("portable"), 0555));
    const QString seen = runInChild([&] {
        if (!dropFileCapabilities()) return QStringLiteral("cannot simulate");
        const programfolder::Environment env{root.file("portable"), root.file("xdg"), root.path()};
        const programfolder::Prepared first = programfolder::prepare(env);
        const programfolder::Prepared second = programfolder::prepare(env);
        return first.folder + u'|' + first.notice + u'|' + second.notice;
    });
    chmodPath(root.file("portable"), 0755);
    chmodPath(root.file("portable/Text"), 0755);
    const QStringList parts = seen.split(u'|');
    ASSERT_EQ(parts.size(), 3) << seen.toStdString();
    EXPECT_EQ(parts[0], root.file("xdg/Lumbra/"));
    EXPECT_TRUE(parts[1].contains(root.file("xdg/Lumbra"))) << "the user is told where the files now are";
    EXPECT_TRUE(parts[1].contains(QStringLiteral("コピーしました")));
    EXPECT_TRUE(parts[2].isEmpty()) << "told once";
    EXPECT_EQ(root.read("xdg/Lumbra/Lumbra.ini"), "[Lumbra]\r\nNeedCount=80\r\n");
    EXPECT_EQ(root.read("xdg/Lumbra/Lumbra.dat"), "results");
    EXPECT_EQ(root.read("xdg/Lumbra/Readme.txt"), "guide");
    EXPECT_EQ(root.read("xdg/Lumbra/Text/Pref.txt"), QStringLiteral("HoKKaIDoU|ほっかいどう\n").toUtf8());

    // Results written since in the user folder are newer: never replaced.
    root.write("xdg/Lumbra/Lumbra.dat", "newer results");
    ASSERT_TRUE(chmodPath(root.file("portable"), 0555));
    const QString again = runInChild([&] {
        if (!dropFileCapabilities()) return QStringLiteral("cannot simulate");
        return programfolder::prepare({root.file("portable"), root.file("xdg"), root.path()}).notice;
    });
    chmodPath(root.file("portable"), 0755);
    EXPECT_TRUE(again.isEmpty()) << again.toStdString();
    EXPECT_EQ(root.read("xdg/Lumbra/Lumbra.dat"), "newer results");
}

}  // namespace
