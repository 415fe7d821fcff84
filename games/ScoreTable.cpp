#include "ScoreTable.h"

#include "Numbers.h"
#include "basParam.h"
#include "basResults.h"

namespace {

using Row = ScoreTableView::Row;

void fillBalloon(ScoreTableView& v, const basResults& r) {
    v.levelTitle = QStringLiteral("レベル");
    for (int i = 0; i < v.rows; ++i) {
        Row& row = v.row[static_cast<size_t>(i)];
        if (r.GetBalloonLevel(i) < 1) continue;
        row.point = QString::number(r.GetBalloonScore(i));
        row.level = QString::number(r.GetBalloonLevel(i));
        row.name = r.GetBalloonName(i);
        row.date = r.GetBalloonDate(i);
    }
}

void fillTarget(ScoreTableView& v, const basResults& r) {
    v.levelTitle.clear();
    for (int i = 0; i < v.rows; ++i) {
        Row& row = v.row[static_cast<size_t>(i)];
        if (r.GetTargetScore(i) < 1) continue;
        row.point = QString::number(r.GetTargetScore(i));
        row.level = QStringLiteral("－");
        row.name = r.GetTargetName(i);
        row.date = r.GetTargetDate(i);
    }
}

void fillSpeedRow(Row& row, const basResults& r, int tableRow) {
    row.point = num::general(r.GetSpeedTime(tableRow));
    row.level = QString::number(r.GetSpeedMisses(tableRow));
    row.name = r.GetSpeedName(tableRow);
    row.date = r.GetSpeedDate(tableRow);
}

void fillSpeed(ScoreTableView& v, const basResults& r, const basParam& p) {
    const int base = p.SpeedGameType() == 1 ? 6 : 0;
    v.levelTitle = QStringLiteral("ミス数");
    v.pointTitle = QStringLiteral("時間");
    for (int i = 0; i < 5; ++i)
        if (r.GetSpeedTime(base + i) > 0) fillSpeedRow(v.row[static_cast<size_t>(i)], r, base + i);
    // The shared row of results that did not rank, shown as it is.
    if (v.sixthRow) fillSpeedRow(v.row[5], r, 5);
}

}  // namespace

ScoreTableView BuildScoreTable(const basResults& results, const basParam& param, int parent, int rank) {
    ScoreTableView v;
    v.pointTitle = QStringLiteral("得点");
    v.sixthRow = rank == 6;
    v.rows = v.sixthRow ? 6 : 5;
    for (int i = 0; i < 6; ++i) {
        Row& row = v.row[static_cast<size_t>(i)];
        row.rank = i < 5 ? QString::number(i + 1) : QStringLiteral("-");
        row.highlight = i < v.rows && i + 1 == rank;
    }
    if (parent == 1)
        fillBalloon(v, results);
    else if (parent == 2)
        fillTarget(v, results);
    else
        fillSpeed(v, results, param);
    return v;
}
