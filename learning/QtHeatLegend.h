#pragma once
#include <QWidget>

class QPainter;

// The legend of the heat map: "苦手度:" and a swatch for each
// colour of the scale with its caption, the grey of keys not known yet, and
// the two marks a key can carry (slow: a bar along its bottom edge; often
// missed: a triangle in its top-right corner). Shown under the on-screen
// keyboard while the heat map is on and in the analysis window.
class QtHeatLegend : public QWidget {
public:
    explicit QtHeatLegend(QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    // Lines wrap where the width ends (the main window is narrow).
    int heightForWidth(int width) const override;
    // What the legend says, as one line of text.
    QString text() const;

protected:
    void paintEvent(QPaintEvent* e) override;
};

// The marks of a weak key inside the key's rectangle (the legend paints the
// same marks on its samples).
void paintWeakMarks(QPainter& p, const QRect& key, bool slow, bool missed);
