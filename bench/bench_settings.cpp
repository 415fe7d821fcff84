// The settings file is read once at start-up (before the main window can
// show) and written when the main window closes and after the options dialog:
// load from disk, the atomic save, and the parse and build steps alone.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "BenchSupport.h"
#include "FakeApp.h"
#include "basParam.h"

namespace {

// A program folder whose settings file sets every kind of value away from its
// default, so the load parses and the save writes every line.
struct SettingsFolder : FakeApp {
    SettingsFolder() {
        param.Level(11);
        param.NeedCount(9999);
        param.KeyBoard(1);
        param.KeyBoardType(1);
        param.MissBeep(1);
        param.MissNext(1);
        param.PlayerName(QStringLiteral("山田太郎"));
        param.FontName(QStringLiteral("ＭＳ Ｐゴシック"));
        param.DataFileName(folder.file(QStringLiteral("成績.dat")));
        param.TextFileName(folder.file(QStringLiteral("Text/Pref.txt")));
        param.TestGraphWidth(12000);
        param.TestGraphHeight(9000);
        param.TestGraphForeColor(QStringLiteral("255128000"));
        param.TextGraphInpPMinColor(QStringLiteral("064064064"));
        param.SaveSettings();
    }
};

BENCHMARK(bench::repeatCall<SettingsFolder, &SettingsFolder::param, &basParam::LoadSettings>)->Name("BM_LoadSettings");

// A whole-file atomic replace (temporary file, then rename).
BENCHMARK(bench::repeatCall<SettingsFolder, &SettingsFolder::param, &basParam::SaveSettings>)->Name("BM_SaveSettings");

// Parsing the file's bytes and building them, without the disk.
void BM_ParseSettingsBytes(benchmark::State& state) {
    SettingsFolder f;
    const QByteArray bytes = f.param.SettingsFileBytes();
    for (auto _ : state) f.param.LoadSettingsFromBytes(bytes);
}
BENCHMARK(BM_ParseSettingsBytes);

BENCHMARK(bench::repeatCall<SettingsFolder, &SettingsFolder::param, &basParam::SettingsFileBytes>)
    ->Name("BM_BuildSettingsBytes");

}  // namespace

int main(int argc, char** argv) { return bench::run<QCoreApplication>(argc, argv); }
