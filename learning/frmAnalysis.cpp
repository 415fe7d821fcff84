#include "frmAnalysis.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <QValueAxis>

#include "AppContext.h"
#include "Dialogs.h"
#include "FormsRegistry.h"
#include "KeystrokeStore.h"
#include "Learning.h"
#include "LearningReport.h"
#include "SafeWrite.h"
#include "basParam.h"

namespace {

QTableWidget* makeTable(QWidget* parent, const QString& name, const QStringList& headings) {
    auto* t = new QTableWidget(0, static_cast<int>(headings.size()), parent);
    t->setObjectName(name);
    t->setHorizontalHeaderLabels(headings);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->setFocusPolicy(Qt::NoFocus);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

// Names and words left, figures right.
void fill(QTableWidget* t, const std::vector<QStringList>& rows, std::initializer_list<int> wordColumns = {0}) {
    t->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < rows[static_cast<size_t>(r)].size(); ++c) {
            auto* item = new QTableWidgetItem(rows[static_cast<size_t>(r)][c]);
            const bool words = std::find(wordColumns.begin(), wordColumns.end(), c) != wordColumns.end();
            item->setTextAlignment((words ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            t->setItem(r, c, item);
        }
}

QLabel* heading(QWidget* parent, const QString& text) {
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

const QString kFilter = QStringLiteral("CSV ファイル (*.csv)|*.csv|JSON ファイル (*.json)|*.json");
// An export of a million keystrokes is under 200 MB; a larger file is read no
// further than this (and then fails to parse).
constexpr qint64 kMaxImportBytes = 256 * 1024 * 1024;

}  // namespace

frmAnalysis::frmAnalysis(AppContext& ctx, std::vector<int16_t> drillKeys, QWidget* parent)
    : QMainWindow(parent), mCtx(ctx), mDrillKeys(std::move(drillKeys)) {
    setObjectName(QStringLiteral("frmAnalysis"));
    setWindowTitle(QStringLiteral("苦手キー分析"));
    if (ctx.forms) ctx.forms->add(this);
    buildMenus();

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    auto* grid = new QGridLayout(client);
    lblSummary = new QLabel(client);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    grid->addWidget(lblSummary, 0, 0, 1, 2);
    grid->addWidget(heading(client, QStringLiteral("キー別（苦手な順）")), 1, 0);
    tblKeys = makeTable(client, QStringLiteral("tblKeys"), learning::keyTableHeadings());
    grid->addWidget(tblKeys, 2, 0, 3, 1);
    grid->addWidget(heading(client, QStringLiteral("打ち間違えの多い組み合わせ")), 1, 1);
    tblConfusions = makeTable(client, QStringLiteral("tblConfusions"),
                              {QStringLiteral("打つキー"), QStringLiteral("押したキー"), QStringLiteral("回数")});
    grid->addWidget(tblConfusions, 2, 1);
    grid->addWidget(heading(client, QStringLiteral("時間のかかるキーの移り")), 3, 1);
    tblTransitions = makeTable(client, QStringLiteral("tblTransitions"),
                               {QStringLiteral("前のキー"), QStringLiteral("次のキー"), QStringLiteral("平均時間"),
                                QStringLiteral("回数")});
    grid->addWidget(tblTransitions, 4, 1);
    grid->addWidget(heading(client, QStringLiteral("日ごとの速さと正確さ")), 5, 0, 1, 2);
    chtDays = new QChartView(client);
    chtDays->setObjectName(QStringLiteral("chtDays"));
    chtDays->setRenderHint(QPainter::Antialiasing);
    chtDays->setMinimumHeight(220);
    grid->addWidget(chtDays, 6, 0, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    resize(860, 720);

    if (ctx.learning) connect(ctx.learning, &Learning::figuresChanged, this, &frmAnalysis::Refresh);
    Refresh();
}

frmAnalysis* frmAnalysis::showModeless(AppContext& ctx, std::vector<int16_t> drillKeys, QWidget* owner) {
    frmAnalysis* w = ctx.forms ? ctx.forms->find<frmAnalysis>() : nullptr;
    if (!w) {
        w = new frmAnalysis(ctx, std::move(drillKeys), owner);
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->setWindowFlag(Qt::Window);
    }
    if (w->isMinimized()) w->showNormal();
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

void frmAnalysis::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("mnuFile"));
    const auto item = [this, file](const char* name, const QString& caption, auto slot) {
        QAction* a = file->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
    };
    item("mnuFileExportKeystrokes", QStringLiteral("打鍵記録の書き出し(&K)..."), &frmAnalysis::exportKeystrokes);
    item("mnuFileExportFigures", QStringLiteral("キー別成績の書き出し(&S)..."), &frmAnalysis::exportFigures);
    item("mnuFileImport", QStringLiteral("打鍵記録の読み込み(&I)..."), &frmAnalysis::importKeystrokes);
    file->addSeparator();
    item("mnuFileClose", QStringLiteral("閉じる(&C)"), &QWidget::close);
}

void frmAnalysis::Refresh() {
    const int16_t layout = mCtx.param.KeyBoardType();
    const learning::Figures* f = mCtx.learning ? mCtx.learning->figures(layout) : nullptr;
    const learning::Figures empty;
    if (!f) f = &empty;
    lblSummary->setText(learning::summaryText(*f, mDrillKeys));
    std::vector<QStringList> rows;
    for (const learning::KeyFigures& k : f->keys) rows.push_back(learning::keyRow(k, layout));
    fill(tblKeys, rows, {0, 5});
    rows.clear();
    for (const learning::ConfusionPair& c : f->confusions)
        rows.push_back({learning::keyName(c.expected, layout), learning::keyName(c.pressed, layout),
                        QString::number(c.count)});
    fill(tblConfusions, rows);
    rows.clear();
    for (const learning::Transition& t : f->transitions)
        rows.push_back({learning::keyName(t.from, layout), learning::keyName(t.to, layout),
                        QStringLiteral("%1 ms").arg(std::lround(t.meanMs)), QString::number(t.count)});
    fill(tblTransitions, rows);
    showDays();
}

void frmAnalysis::showDays() {
    auto* chart = new QChart;
    auto* speed = new QLineSeries(chart);
    speed->setName(QStringLiteral("速さ（打/分）"));
    auto* accuracy = new QLineSeries(chart);
    accuracy->setName(QStringLiteral("正確さ（%）"));
    const learning::Figures* f = mCtx.learning ? mCtx.learning->figures(mCtx.param.KeyBoardType()) : nullptr;
    double fastest = 0;
    QDateTime first, last;
    if (f) {
        for (const learning::DayFigures& d : f->days) {
            if (!d.counts.known()) continue;  // a day of a few keys says nothing yet
            const QDateTime at(d.day, QTime(12, 0));
            speed->append(static_cast<qreal>(at.toMSecsSinceEpoch()), d.perMinute());
            accuracy->append(static_cast<qreal>(at.toMSecsSinceEpoch()), d.accuracyPercent());
            fastest = std::max(fastest, d.perMinute());
            if (!first.isValid()) first = at;
            last = at;
        }
    }
    for (auto* s : {speed, accuracy}) {
        s->setPointsVisible(true);
        chart->addSeries(s);
    }
    auto* days = new QDateTimeAxis(chart);
    days->setFormat(QStringLiteral("MM/dd"));
    if (first.isValid()) days->setRange(first.addDays(-1), last.addDays(1));
    days->setTickCount(std::clamp(static_cast<int>(f ? f->days.size() : 0) + 2, 2, 10));
    auto* perMinute = new QValueAxis(chart);
    perMinute->setRange(0, std::max(60.0, fastest * 1.1));
    perMinute->applyNiceNumbers();
    perMinute->setTitleText(QStringLiteral("打/分"));
    perMinute->setLabelFormat(QStringLiteral("%d"));
    auto* percent = new QValueAxis(chart);
    percent->setRange(0, 100);
    percent->setTitleText(QStringLiteral("%"));
    percent->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(days, Qt::AlignBottom);
    chart->addAxis(perMinute, Qt::AlignLeft);
    chart->addAxis(percent, Qt::AlignRight);
    speed->attachAxis(days);
    speed->attachAxis(perMinute);
    accuracy->attachAxis(days);
    accuracy->attachAxis(percent);
    chart->legend()->setAlignment(Qt::AlignTop);
    QChart* old = chtDays->chart();
    chtDays->setChart(chart);
    delete old;
}

std::optional<QString> frmAnalysis::askSavePath(const QString& name) {
    FileDialogRequest request;
    request.filter = kFilter;
    request.initialFile = QFileInfo(mCtx.param.KeystrokeFileName()).absolutePath() + u'/' + name;
    request.flags = FileFlags::OverwritePrompt | FileFlags::HideReadOnly | FileFlags::PathMustExist;
    const auto path = mCtx.dialogs.saveFile(request);
    if (!path || path->isEmpty()) return std::nullopt;
    return path;
}

void frmAnalysis::exportKeystrokes() {
    if (!mCtx.learning) return;
    const auto path = askSavePath(QStringLiteral("打鍵記録.csv"));
    if (!path) return;
    mCtx.learning->flush();
    KeystrokeStore* store = mCtx.learning->store();
    const auto bytes = store ? learning::keystrokesExport(*store, learning::formatOf(*path)) : std::nullopt;
    if (!bytes) return;  // the learner has been told the store cannot be read
    writeFileWithRetry(*path, *bytes, mCtx.dialogs, QStringLiteral("ファイルの書き込みに失敗しました。"));
}

void frmAnalysis::exportFigures() {
    if (!mCtx.learning) return;
    const auto path = askSavePath(QStringLiteral("キー別成績.csv"));
    if (!path) return;
    mCtx.learning->flush();
    const learning::Figures* f = mCtx.learning->figures(mCtx.param.KeyBoardType());
    if (!f) return;
    writeFileWithRetry(*path, learning::keyFiguresExport(*f, learning::formatOf(*path)), mCtx.dialogs,
                       QStringLiteral("ファイルの書き込みに失敗しました。"));
}

void frmAnalysis::importKeystrokes() {
    if (!mCtx.learning) return;
    FileDialogRequest request;
    request.filter = QStringLiteral("JSON ファイル (*.json)|*.json|すべてのファイル (*.*)|*.*");
    request.flags = FileFlags::HideReadOnly | FileFlags::FileMustExist;
    const auto path = mCtx.dialogs.openFile(request);
    if (!path || path->isEmpty()) return;
    QString error;
    std::optional<learning::ImportResult> result;
    mCtx.learning->flush();
    KeystrokeStore* store = mCtx.learning->store();
    if (!store) return;
    // Through the file layer, so a pipe or a device chosen in the dialog is
    // refused instead of blocking the window.
    const FileRead file = readWholeFile(*path, kMaxImportBytes);
    if (file.status == FileRead::Read)
        result = learning::importKeystrokes(*store, file.bytes, &error);
    else
        error = file.status == FileRead::Missing ? QStringLiteral("ファイルが見つかりません。") : file.reason;
    if (!result) {
        mCtx.dialogs.msgBox(QStringLiteral("打鍵記録を読み込めませんでした。") + QStringLiteral("\r\n") + *path +
                                QStringLiteral("\r\n") + error,
                            QStringLiteral("エラー"), MsgIcon::Critical);
        return;
    }
    mCtx.learning->storeChanged();
    mCtx.dialogs.msgBox(QStringLiteral("%1 件の打鍵を読み込みました（すでにあった %2 件は除きました）。")
                            .arg(result->added)
                            .arg(result->read - result->added),
                        windowTitle(), MsgIcon::Information);
}
