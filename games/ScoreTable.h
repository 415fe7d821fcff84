#pragma once
#include <QString>
#include <array>

class basParam;
class basResults;

// What the high-score dialog shows for one game's table.
//
// parent: 1 = balloon, 2 = target, anything else = quick draw (the half of
// the table chosen by SpeedGameType). rank: the row to highlight, 1..6; 6
// also brings in the sixth row (the latest result that did not rank); 0 =
// no highlight, five rows.
struct ScoreTableView {
    struct Row {
        QString rank, point, level, name, date;
        bool highlight = false;
    };
    QString pointTitle;
    QString levelTitle;
    bool sixthRow = false;
    int rows = 5;  // rows in use: 5 or 6
    std::array<Row, 6> row{};
};

ScoreTableView BuildScoreTable(const basResults& results, const basParam& param, int parent, int rank);
