#include "frmAnalysis.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <QTimer>
#include <QValueAxis>

#include "AppContext.h"
#include "Dialogs.h"
#include "FormsRegistry.h"
#include "KeystrokeStore.h"
#include "Learning.h"
#include "LearningReport.h"
#include "QtHeatLegend.h"
#include "SafeWrite.h"
#include "Widgets.h"
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
    // Columns fitted once per change of the table (fill), not after every cell.
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    t->horizontalHeader()->setStretchLastSection(true);
    t->resizeColumnsToContents();
    return t;
}

// Names and words left, figures right. Only cells whose text differs are
// changed, so a refresh that finds the same figures costs no layout.
bool fill(QTableWidget* t, const std::vector<QStringList>& rows, std::initializer_list<int> wordColumns = {0}) {
    bool changed = t->rowCount() != static_cast<int>(rows.size());
    if (changed) t->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < rows[static_cast<size_t>(r)].size(); ++c) {
            const QString& text = rows[static_cast<size_t>(r)][c];
            if (QTableWidgetItem* old = t->item(r, c)) {
                if (old->text() == text) continue;
                old->setText(text);
                changed = true;
                continue;
            }
            auto* item = new QTableWidgetItem(text);
            const bool words = std::find(wordColumns.begin(), wordColumns.end(), c) != wordColumns.end();
            item->setTextAlignment((words ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            t->setItem(r, c, item);
            changed = true;
        }
    if (changed) {
        t->resizeColumnsToContents();
        t->horizontalHeader()->setStretchLastSection(true);
    }
    return changed;
}

QLabel* heading(QWidget* parent, const QString& text) {
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

const QString kFilter = QStringLiteral("CSV ファイル (*.csv)|*.csv|JSON ファイル (*.json)|*.json");

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
    lblExplanation = new QLabel(learning::explanationText(), client);
    lblExplanation->setObjectName(QStringLiteral("lblExplanation"));
    lblExplanation->setWordWrap(true);
    grid->addWidget(lblExplanation, 1, 0, 1, 2);
    picHeatLegend = new QtHeatLegend(client);
    grid->addWidget(picHeatLegend, 2, 0, 1, 2);
    grid->addWidget(heading(client, QStringLiteral("キー別（苦手な順）")), 3, 0);
    tblKeys = makeTable(client, QStringLiteral("tblKeys"), learning::keyTableHeadings());
    grid->addWidget(tblKeys, 4, 0, 3, 1);
    grid->addWidget(heading(client, QStringLiteral("打ち間違えの多い組み合わせ（全部の打鍵から）")), 3, 1);
    tblConfusions = makeTable(client, QStringLiteral("tblConfusions"),
                              {QStringLiteral("打つキー"), QStringLiteral("押したキー"), QStringLiteral("回数")});
    grid->addWidget(tblConfusions, 4, 1);
    grid->addWidget(heading(client, QStringLiteral("時間のかかるキーの移り（全部の打鍵から）")), 5, 1);
    tblTransitions = makeTable(
        client, QStringLiteral("tblTransitions"),
        {QStringLiteral("前のキー"), QStringLiteral("次のキー"), QStringLiteral("平均時間"), QStringLiteral("回数")});
    grid->addWidget(tblTransitions, 6, 1);
    grid->addWidget(heading(client, QStringLiteral("日ごとの入力数と正確さ")), 7, 0, 1, 2);
    chtDays = new QChartView(client);
    chtDays->setObjectName(QStringLiteral("chtDays"));
    chtDays->setRenderHint(QPainter::Antialiasing);
    chtDays->setMinimumHeight(220);
    grid->addWidget(chtDays, 8, 0, 1, 2);
    lblNoDays = new QLabel(learning::emptyChartText(), client);
    lblNoDays->setObjectName(QStringLiteral("lblNoDays"));
    lblNoDays->setAlignment(Qt::AlignCenter);
    lblNoDays->setMinimumHeight(220);
    lblNoDays->setWordWrap(true);
    grid->addWidget(lblNoDays, 8, 0, 1, 2);
    lblChartNote = new QLabel(learning::dayChartNote(), client);
    lblChartNote->setObjectName(QStringLiteral("lblChartNote"));
    lblChartNote->setWordWrap(true);
    grid->addWidget(lblChartNote, 9, 0, 1, 2);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 1);
    buildChart();
    resize(1040, 800);

    mRefreshTimer = new QTimer(this);
    mRefreshTimer->setSingleShot(true);
    connect(mRefreshTimer, &QTimer::timeout, this, &frmAnalysis::refreshIfQuiet);
    if (ctx.learning) connect(ctx.learning, &Learning::figuresChanged, this, &frmAnalysis::scheduleRefresh);
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

void frmAnalysis::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (mStale) scheduleRefresh();
}

void frmAnalysis::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange && mStale) scheduleRefresh();  // restored from the task bar
}

// New figures were written: refresh soon, from the event loop, while visible.
void frmAnalysis::scheduleRefresh() {
    mStale = true;
    if (!isVisible() || isMinimized() || mRefreshTimer->isActive()) return;
    const qint64 since = mSinceRefresh.isValid() ? mSinceRefresh.elapsed() : minRefreshMs;
    mRefreshTimer->start(static_cast<int>(std::clamp<qint64>(minRefreshMs - since, 0, minRefreshMs)));
}

// Keys typed since the write mean a run is going on: the next write
// (its end or a pause) brings the refresh.
void frmAnalysis::refreshIfQuiet() {
    if (!mStale || !isVisible() || isMinimized()) return;
    if (mCtx.learning && mCtx.learning->buffered() > 0) return;
    Refresh();
}

void frmAnalysis::Refresh() {
    mStale = false;
    mSinceRefresh.start();
    const int16_t layout = mCtx.param.KeyBoardType();
    const learning::Figures* f = mCtx.learning ? mCtx.learning->figures(layout) : nullptr;
    learning::Figures empty;
    empty.layout = layout;
    if (!f) f = &empty;
    bool changed = false;
    const QString summary = learning::summaryText(*f, mDrillKeys);
    if (lblSummary->text() != summary) {
        lblSummary->setText(summary);
        changed = true;
    }
    std::vector<QStringList> rows;
    for (const learning::KeyFigures& k : f->keys) rows.push_back(learning::keyRow(*f, k));
    if (fill(tblKeys, rows, {0, learning::kSideColumn, learning::kSideColumn + 1})) {
        changed = true;
        // The weakness cell in the key's heat-map colour.
        for (int r = 0; r < static_cast<int>(f->keys.size()); ++r)
            tblKeys->item(r, learning::kWeaknessColumn)
                ->setBackground(ui::fromColorValue(learning::heatColor(f->keys[static_cast<size_t>(r)].weakness)));
    }
    rows.clear();
    for (const learning::ConfusionPair& c : f->confusions)
        rows.push_back(
            {learning::keyName(c.expected, layout), learning::keyName(c.pressed, layout), QString::number(c.count)});
    changed = fill(tblConfusions, rows) || changed;
    rows.clear();
    for (const learning::Transition& t : f->transitions)
        rows.push_back({learning::keyName(t.from, layout), learning::keyName(t.to, layout),
                        QStringLiteral("%1 ms").arg(std::lround(t.meanMs)), QString::number(t.count)});
    changed = fill(tblTransitions, rows) || changed;
    changed = showDays(*f) || changed;
    if (changed) ++mRefreshes;
}

// The chart is built once; a refresh only replaces its points and ranges.
void frmAnalysis::buildChart() {
    auto* chart = new QChart;
    mSpeed = new QLineSeries(chart);
    mSpeed->setName(QStringLiteral("１分あたりの入力数"));
    mAccuracy = new QLineSeries(chart);
    mAccuracy->setName(QStringLiteral("正確さ（%）"));
    for (auto* s : {mSpeed, mAccuracy}) {
        s->setPointsVisible(true);
        chart->addSeries(s);
    }
    mDaysAxis = new QDateTimeAxis(chart);
    mDaysAxis->setFormat(QStringLiteral("MM/dd"));
    mSpeedAxis = new QValueAxis(chart);
    mSpeedAxis->setTitleText(QStringLiteral("入力数／分"));
    mSpeedAxis->setLabelFormat(QStringLiteral("%d"));
    auto* percent = new QValueAxis(chart);
    percent->setRange(0, 100);
    percent->setTitleText(QStringLiteral("%"));
    percent->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(mDaysAxis, Qt::AlignBottom);
    chart->addAxis(mSpeedAxis, Qt::AlignLeft);
    chart->addAxis(percent, Qt::AlignRight);
    mSpeed->attachAxis(mDaysAxis);
    mSpeed->attachAxis(mSpeedAxis);
    mAccuracy->attachAxis(mDaysAxis);
    mAccuracy->attachAxis(percent);
    chart->legend()->setAlignment(Qt::AlignTop);
    chtDays->setChart(chart);
}

bool frmAnalysis::showDays(const learning::Figures& f) {
    QList<QPointF> speed, accuracy;
    double fastest = 0;
    for (const learning::DayFigures& d : f.days) {
        if (!d.counts.known()) continue;  // a day of a few keys says nothing yet
        const auto at = static_cast<qreal>(QDateTime(d.day, QTime(12, 0)).toMSecsSinceEpoch());
        speed.append({at, learning::dayInputsPerMinute(d)});
        accuracy.append({at, d.accuracyPercent()});
        fastest = std::max(fastest, learning::dayInputsPerMinute(d));
    }
    chtDays->setVisible(!speed.isEmpty());
    lblNoDays->setVisible(speed.isEmpty());
    if (speed == mSpeed->points() && accuracy == mAccuracy->points()) return false;
    mSpeed->replace(speed);
    mAccuracy->replace(accuracy);
    if (speed.isEmpty()) return true;
    const QDateTime first = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(speed.first().x()));
    const QDateTime last = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(speed.last().x()));
    mDaysAxis->setRange(first.addDays(-1), last.addDays(1));
    mDaysAxis->setTickCount(std::clamp(static_cast<int>(speed.size()) + 2, 2, 10));
    mSpeedAxis->setRange(0, std::max(60.0, fastest * 1.1));
    mSpeedAxis->applyNiceNumbers();
    return true;
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
    if (learning::formatOf(*path) == learning::Format::Json && bytes->size() > learning::kMaxImportBytes) {
        mCtx.dialogs.msgBox(
            QStringLiteral("打鍵記録が %1 MB を超えるため、書き出しても読み込み直せません。書き出しませんでした。")
                .arg(learning::kMaxImportBytes / (1024 * 1024)),
            QStringLiteral("エラー"), MsgIcon::Critical);
        return;
    }
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
    mCtx.learning->flush();
    KeystrokeStore* store = mCtx.learning->store();
    if (!store) return;
    // A pipe or a device chosen in the dialog is refused instead of blocking
    // the window; a file over the limit is refused, never read in part.
    const auto result = learning::importKeystrokesFile(*store, *path, &error);
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
