#include "SavedFiles.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>

#include "Fakes.h"
#include "GraphCsv.h"
#include "basParam.h"
#include "basResults.h"

namespace {

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Settings: a number, a name and a font face that change with i; odd and
// even contents differ in length by a couple of hundred bytes.
class SettingsFile : public SavedFile {
public:
    explicit SettingsFile(const QString& folder)
        : SavedFile(folder, "settings", QStringLiteral("Lumbra.ini"),
                    QStringLiteral("設定ファイルの書き込みに失敗しました。")) {}
    QByteArray bytes(int i) const override {
        FakeDialogs d;
        basParam p(folder(), QStringLiteral("Lumbra"), d);
        fill(p, i);
        return p.SettingsFileBytes();
    }
    bool save(int i, Dialogs& dialogs) const override {
        basParam p(folder(), QStringLiteral("Lumbra"), dialogs);
        fill(p, i);
        return p.SaveSettings();
    }
    bool loadsAs(int i) const override {
        FakeDialogs d;
        basParam p(folder(), QStringLiteral("Lumbra"), d);
        basParam want(folder(), QStringLiteral("Lumbra"), d);
        fill(want, i);
        return p.LoadSettings() && p.NeedCount() == want.NeedCount() && p.PlayerName() == want.PlayerName() &&
               p.FontName() == want.FontName() && readFile(path()) == bytes(i);
    }

private:
    static void fill(basParam& p, int i) {
        p.NeedCount(100 + i % 9000);
        p.PlayerName(i % 2 ? QStringLiteral("たろう") : QStringLiteral("Player%1").arg(i % 1000));
        p.FontName(i % 2 ? QStringLiteral("IPAGothic") : QStringLiteral("ＭＳ Ｐゴシック").repeated(20));
        p.Level(static_cast<int16_t>(i % 13));
    }
};

// Results: a text result and a test time numbered i on top of a history,
// and a balloon row on odd contents.
class ResultsFile : public SavedFile {
public:
    explicit ResultsFile(const QString& folder)
        : SavedFile(folder, "results", QStringLiteral("Lumbra.dat"),
                    QStringLiteral("成績ファイルの書き込みに失敗しました。")) {}
    QByteArray bytes(int i) const override {
        FakeDialogs d;
        basParam p(folder(), QStringLiteral("Lumbra"), d);
        basResults r(p, d);
        fill(r, i);
        return r.ResultsFileBytes();
    }
    bool save(int i, Dialogs& dialogs) const override {
        basParam p(folder(), QStringLiteral("Lumbra"), dialogs);
        basResults r(p, dialogs);
        fill(r, i);
        return r.SaveResults();
    }
    bool loadsAs(int i) const override {
        FakeDialogs d;
        basParam p(folder(), QStringLiteral("Lumbra"), d);
        basResults r(p, d);
        return r.LoadResults() && r.GetTextChars(0) == i && r.GetTestTime(0, 0) == 10.0 + i && r.GetTextCount() == 3 &&
               readFile(path()) == bytes(i);
    }

private:
    static void fill(basResults& r, int i) {
        r.setToday([] { return QDate(2024, 2, 29); });
        r.AddTextResult(1, 1, 1.5);
        r.AddTextResult(2, 2, 2.5);
        r.AddTextResult(i, i % 7, i * 0.25);
        r.AddTestTime(0, 10.0 + i);
        r.AddTestMiss(0, static_cast<int16_t>(i % 100));
        if (i % 2) r.AddBalloonScore(i, 3);
    }
};

// A CSV export of the test graph: the number of runs shown changes with i.
class CsvFile : public SavedFile {
public:
    explicit CsvFile(const QString& folder)
        : SavedFile(folder, "csv", QStringLiteral("graph.csv"),
                    QStringLiteral("ＣＳＶファイルの書き込みに失敗しました。")) {}
    QByteArray bytes(int i) const override {
        TestGraphData data;
        data.count = i % 2 ? 50 + i : 3;
        for (int k = 0; k < 51; ++k) {
            data.times[static_cast<size_t>(k)] = 20.0 + k + i * 0.125;
            data.misses[static_cast<size_t>(k)] = static_cast<int16_t>((k + i) % 9);
        }
        return graphcsv::TestCsvBytes(data);
    }
    bool save(int i, Dialogs& dialogs) const override {
        return graphcsv::SaveCsvFile(path(), bytes(i), dialogs, QStringLiteral("入力時間推移グラフ"));
    }
    bool loadsAs(int i) const override { return readFile(path()) == bytes(i); }
};

}  // namespace

std::unique_ptr<SavedFile> settingsFile(const QString& folder) { return std::make_unique<SettingsFile>(folder); }
std::unique_ptr<SavedFile> resultsFile(const QString& folder) { return std::make_unique<ResultsFile>(folder); }
std::unique_ptr<SavedFile> csvFile(const QString& folder) { return std::make_unique<CsvFile>(folder); }

QString runInChild(const std::function<QString()>& fn) {
    int fds[2];
    if (pipe(fds) != 0) return QStringLiteral("pipe failed");
    const pid_t pid = fork();
    if (pid < 0) return QStringLiteral("fork failed");
    if (pid == 0) {
        close(fds[0]);
        const QByteArray out = fn().toUtf8();
        qsizetype done = 0;
        while (done < out.size()) {
            const ssize_t n = write(fds[1], out.constData() + done, static_cast<size_t>(out.size() - done));
            if (n <= 0) break;
            done += n;
        }
        _exit(0);
    }
    close(fds[1]);
    QByteArray out;
    char buf[4096];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;) out.append(buf, n);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return QStringLiteral("child ended abnormally (status %1): %2").arg(status).arg(QString::fromUtf8(out));
    return QString::fromUtf8(out);
}

// Root writes through any permission; without these capabilities it no longer does.
bool dropFileCapabilities() {
    if (geteuid() != 0) return true;
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0) return false;
    const uint32_t drop = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);
    // From the permitted set too: access() gives a real root all permitted
    // capabilities back.
    data[0].effective &= ~drop;
    data[0].permitted &= ~drop;
    data[0].inheritable &= ~drop;
    return syscall(SYS_capset, &header, data) == 0;
}
