#include "QtHeatLegend.h"

#include <QPainter>
#include <QStringList>
#include <algorithm>

#include "LearningReport.h"
#include "Widgets.h"

namespace {

constexpr int kGap = 4;      // between a swatch and its caption
constexpr int kSpace = 10;   // between entries
const QColor kMarkColor(0, 0, 110);

QString title() { return QStringLiteral("苦手度の色:"); }
QString marksTitle() { return QStringLiteral("印:"); }

// Calls place(x, swatch?, caption) for every element in turn; returns the width.
template <typename Place>
int layOut(const QFontMetrics& fm, int swatch, Place place) {
    int x = 0;
    const auto text = [&](const QString& s) {
        place(x, -1, s);
        x += fm.horizontalAdvance(s) + kSpace;
    };
    const auto entry = [&](int kind, const QString& s) {
        place(x, kind, s);
        x += swatch + kGap + fm.horizontalAdvance(s) + kSpace;
    };
    text(title());
    const auto legend = learning::heatLegend();
    for (size_t i = 0; i < legend.size(); ++i) entry(static_cast<int>(i), legend[i].caption);
    text(marksTitle());
    entry(100, learning::slowMarkCaption());
    entry(101, learning::missedMarkCaption());
    return x - kSpace;
}

}  // namespace

void paintWeakMarks(QPainter& p, const QRect& key, bool slow, bool missed) {
    if (!slow && !missed) return;
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(kMarkColor);
    p.setRenderHint(QPainter::Antialiasing, false);
    const int size = std::max(4, std::min(key.width(), key.height()) / 3);
    if (slow) p.drawRect(key.left() + 1, key.bottom() - std::max(2, size / 3) + 1, key.width() - 2, std::max(2, size / 3));
    if (missed) {
        const QPoint corner = key.topRight();
        const QPoint tri[3] = {corner, corner - QPoint(size, 0), corner + QPoint(0, size)};
        p.drawPolygon(tri, 3);
    }
    p.restore();
}

QtHeatLegend::QtHeatLegend(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picHeatLegend"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QSize QtHeatLegend::sizeHint() const {
    const QFontMetrics fm = fontMetrics();
    return {layOut(fm, fm.height(), [](int, int, const QString&) {}) + 2, fm.height() + 4};
}

QString QtHeatLegend::text() const {
    QStringList parts;
    layOut(fontMetrics(), 0, [&](int, int, const QString& s) { parts << s; });
    return parts.join(u' ');
}

void QtHeatLegend::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QFontMetrics fm = fontMetrics();
    const int swatch = fm.height();
    const int top = (height() - swatch) / 2;
    const auto legend = learning::heatLegend();
    p.setPen(palette().color(QPalette::WindowText));
    layOut(fm, swatch, [&](int x, int kind, const QString& s) {
        int textX = x;
        if (kind >= 0) {
            const QRect box(x, top, swatch, swatch);
            const QColor fill = kind < 100 ? ui::fromColorValue(legend[static_cast<size_t>(kind)].color)
                                           : ui::fromColorValue(learning::heatColor(1.0));
            p.fillRect(box, fill);
            p.setPen(QColor(128, 128, 128));
            p.drawRect(box.adjusted(0, 0, -1, -1));
            if (kind >= 100) paintWeakMarks(p, box.adjusted(0, 0, -1, -1), kind == 100, kind == 101);
            p.setPen(palette().color(QPalette::WindowText));
            textX += swatch + kGap;
        }
        p.drawText(QRect(textX, 0, width() - textX, height()), Qt::AlignLeft | Qt::AlignVCenter, s);
    });
}
