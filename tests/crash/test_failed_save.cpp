// A save that cannot be written (a full disk, a read-only file or folder)
// ends in the Retry/Cancel error box; Cancel leaves the previous file whole,
// Retry after the cause is gone writes the new contents.
//
// Each case runs in a child process, which gets the file-size limit (a full
// disk: writes past a few bytes fail with EFBIG, SIGXFSZ ignored) or, when
// the tests run as root, gives up the capabilities that let root write
// anywhere, so permissions apply as they do to a user.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "Fakes.h"
#include "SavedFiles.h"
#include "TestFiles.h"

namespace {

enum class Cause { FullDisk, ReadOnlyFolder, ReadOnlyFile };

bool limitFileSize(rlim_t bytes) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit lim{};
    getrlimit(RLIMIT_FSIZE, &lim);
    lim.rlim_cur = bytes;
    return setrlimit(RLIMIT_FSIZE, &lim) == 0;
}

bool liftFileSizeLimit() {
    rlimit lim{};
    getrlimit(RLIMIT_FSIZE, &lim);
    lim.rlim_cur = lim.rlim_max;
    return setrlimit(RLIMIT_FSIZE, &lim) == 0;
}

// Brings the cause about (in the child); false when the test cannot.
bool impose(Cause cause, const QString& folder, const QString& path) {
    switch (cause) {
        case Cause::FullDisk:
            return limitFileSize(16);
        case Cause::ReadOnlyFolder:
            return dropFileCapabilities() && chmod(QFile::encodeName(folder).constData(), 0555) == 0;
        case Cause::ReadOnlyFile:
            return dropFileCapabilities() && chmod(QFile::encodeName(path).constData(), 0444) == 0;
    }
    return false;
}

void remove(Cause cause, const QString& folder, const QString& path) {
    switch (cause) {
        case Cause::FullDisk:
            liftFileSizeLimit();
            break;
        case Cause::ReadOnlyFolder:
            chmod(QFile::encodeName(folder).constData(), 0755);
            break;
        case Cause::ReadOnlyFile:
            chmod(QFile::encodeName(path).constData(), 0644);
            break;
    }
}

// What the user saw and what the save returned, as one line for comparison.
QString describe(bool saved, const FakeDialogs& d) {
    QString out = saved ? QStringLiteral("saved") : QStringLiteral("not saved");
    for (const MsgBoxRequest& m : d.messages) {
        out +=
            QStringLiteral(" | %1 [%2] icon %3 buttons %4").arg(m.text, m.title).arg(int(m.icon)).arg(int(m.buttons));
    }
    return out;
}

using Factory = std::unique_ptr<SavedFile> (*)(const QString&);
struct Case {
    const char* name;
    Factory file;
    Cause cause;
};

// A folder that cannot be written is named as such, with one that can be.
QString expectedBox(const SavedFile& file, Cause cause) {
    const QString folder = cause != Cause::ReadOnlyFolder
                               ? QString()
                               : QStringLiteral(
                                     "\r\n\r\nこのフォルダーには書き込めないため、保存できません。フォルダーに"
                                     "書き込めるようにして再試行するか、書き込めるフォルダー（%1 など）を選んで"
                                     "ください。")
                                     .arg(QDir::homePath());
    return QStringLiteral(" | %1\r\n%2%3 [エラー] icon %4 buttons %5")
        .arg(file.errorText(), file.path(), folder)
        .arg(int(MsgIcon::Critical))
        .arg(int(MsgButtons::RetryCancel));
}

// The file saved whole once (contents 0), then saved again (contents 1) in a
// child process while the case's cause is imposed.
class FailedSave : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        FakeDialogs setup;
        ASSERT_TRUE(file->save(0, setup));
    }
    void TearDown() override { remove(cause, folder.path(), file->path()); }

    // The second save, the error box answered with `answer`; a Retry is given
    // once the cause is gone. Returns what the child saw: the outcome and the
    // messages (after a Retry only the first: a CSV export then confirms).
    QString saveWhileFailing(MsgResult answer) {
        return runInChild([&] {
            if (!impose(cause, folder.path(), file->path())) return QStringLiteral("cannot simulate");
            FakeDialogs dialogs;
            dialogs.msgAnswers = {answer};
            dialogs.onMsgBox = [&](const MsgBoxRequest& m) {
                if (answer == MsgResult::Retry && m.buttons == MsgButtons::RetryCancel)
                    remove(cause, folder.path(), file->path());
            };
            const bool saved = file->save(1, dialogs);
            if (answer == MsgResult::Retry)
                dialogs.messages.resize(std::min<size_t>(dialogs.messages.size(), 1));
            else
                remove(cause, folder.path(), file->path());
            return describe(saved, dialogs);
        });
    }

    ScratchFolder folder;
    const std::unique_ptr<SavedFile> file = GetParam().file(folder.path());
    const Cause cause = GetParam().cause;
};

TEST_P(FailedSave, CancelKeepsThePreviousFileWhole) {
    EXPECT_EQ(saveWhileFailing(MsgResult::Cancel), QStringLiteral("not saved") + expectedBox(*file, cause));
    remove(cause, folder.path(), file->path());
    EXPECT_TRUE(file->loadsAs(0)) << "the previous file was damaged";
}

TEST_P(FailedSave, RetryAfterTheCauseIsGoneWritesTheNewContents) {
    EXPECT_EQ(saveWhileFailing(MsgResult::Retry), QStringLiteral("saved") + expectedBox(*file, cause));
    remove(cause, folder.path(), file->path());
    EXPECT_TRUE(file->loadsAs(1));
}

INSTANTIATE_TEST_SUITE_P(Files, FailedSave,
                         ::testing::Values(Case{"SettingsFullDisk", &settingsFile, Cause::FullDisk},
                                           Case{"SettingsReadOnlyFile", &settingsFile, Cause::ReadOnlyFile},
                                           Case{"ResultsFullDisk", &resultsFile, Cause::FullDisk},
                                           Case{"ResultsReadOnlyFile", &resultsFile, Cause::ReadOnlyFile},
                                           Case{"CsvFullDisk", &csvFile, Cause::FullDisk},
                                           Case{"CsvReadOnlyFile", &csvFile, Cause::ReadOnlyFile},
                                           // Never written in place, where a cut-short write would leave half a file.
                                           Case{"SettingsReadOnlyFolder", &settingsFile, Cause::ReadOnlyFolder},
                                           Case{"ResultsReadOnlyFolder", &resultsFile, Cause::ReadOnlyFolder},
                                           Case{"CsvReadOnlyFolder", &csvFile, Cause::ReadOnlyFolder}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
