// Main: seed the generator, load the settings, show the main window. The
// program runs as long as the main window is open.
#include <QApplication>
#include <QIcon>
#include <csignal>

#include "AppContext.h"
#include "FontConfigWarmup.h"
#include "FormsRegistry.h"
#include "Learning.h"
#include "ProgramFolder.h"
#include "QtServices.h"
#include "SafeWrite.h"
#include "Widgets.h"
#include "basMain.h"
#include "basParam.h"
#include "basResults.h"
#include "frmMain.h"

int main(int argc, char** argv) {
    // A file-size limit (ulimit -f) makes a write fail with an error the
    // saves report, instead of killing the program with what it holds.
    std::signal(SIGXFSZ, SIG_IGN);
    ui::useJapaneseLocale();
    FontConfigWarmup fontConfig;  // beside the display connection and plugin loading
    QApplication app(argc, argv);
    fontConfig.wait();
    QApplication::setApplicationName(basMain::ProductName());
    QApplication::setApplicationVersion(basMain::VersionLine());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/lumbra.png")));
    ui::registerFontSubstitutions();
    ui::installQtJapanese();

    QtClock clock;
    QtRandom random;  // seeded from the clock
    QtDialogs dialogs;
    QtBeeper beeper;
    QtShell shell;
    FormsRegistry forms;

    const programfolder::Prepared prepared =
        programfolder::prepareForThisProcess(QCoreApplication::applicationDirPath());
    const QString& folder = prepared.folder;
    if (!prepared.notice.isEmpty()) dialogs.msgBox(prepared.notice, basMain::ProductName(), MsgIcon::Information);
    basMain main(folder);
    basParam param(folder, basMain::ProductName(), dialogs);
    basResults results(param, dialogs);
    // What a save killed midway left beside the files (the files themselves are whole).
    removeLeftoverTemporaries(param.SettingsFileName());
    param.LoadSettings();
    removeLeftoverTemporaries(param.DataFileName());
    param.ReportUnreadableSettings();

    // Opens its store on first use, after the window is up.
    Learning learning(param, clock, dialogs);
    AppContext ctx{main, param, results, clock, random, dialogs, beeper, shell, &forms, &learning};
    auto* mainWindow = new frmMain(ctx);
    mainWindow->setAttribute(Qt::WA_DeleteOnClose);
    mainWindow->show();
    return QApplication::exec();
}
