#include "QtHeatLegend.h"

#include <QPainter>
#include <QStringList>
#include <algorithm>

#include "LearningReport.h"
#include "Widgets.h"

namespace {

constexpr int kGap = 4;     // between a swatch and its caption
constexpr int kSpace = 10;  // between entries
const QColor kMarkColor(0, 0, 110);

QString title() { return QStringLiteral("苦手度:"); }
QString marksTitle() { return QStringLiteral("印:"); }

// Calls place(x, line, kind, caption) for every element in turn (kind: -1
// a title, 0.. a colour of the scale, kSlow and kMissed the marks), starting
// a new line where the next element would pass maxWidth (0: one line).
// Returns the width and the number of lines.
constexpr int kSlow = 100;
constexpr int kMissed = 101;
template <typename Place>
QSize layOut(const QFontMetrics& fm, int swatch, int maxWidth, Place place) {
    int x = 0, line = 0, widest = 0;
    const auto put = [&](int kind, const QString& s) {
        const int w = (kind >= 0 ? swatch + kGap : 0) + fm.horizontalAdvance(s);
        if (maxWidth > 0 && x > 0 && x + w > maxWidth) {
            x = 0;
            ++line;
        }
        place(x, line, kind, s);
        widest = std::max(widest, x + w);
        x += w + kSpace;
    };
    put(-1, title());
    const auto legend = learning::heatLegend();
    for (size_t i = 0; i < legend.size(); ++i) put(static_cast<int>(i), legend[i].caption);
    put(-1, marksTitle());
    put(kSlow, learning::slowMarkCaption());
    put(kMissed, learning::missedMarkCaption());
    return {widest, line + 1};
}

int lineHeight(const QFontMetrics& fm) { return fm.height() + 4; }

}  // namespace

void paintWeakMarks(QPainter& p, const QRect& key, bool slow, bool missed) {
    if (!slow && !missed) return;
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(kMarkColor);
    p.setRenderHint(QPainter::Antialiasing, false);
    const int size = std::max(5, std::min(key.width(), key.height()) * 2 / 5);
    const int bar = std::max(2, size / 3);
    if (slow) p.drawRect(key.left() + 1, key.bottom() - bar + 1, key.width() - 2, bar);
    if (missed) {
        const QPoint corner = key.topRight();
        const QPoint tri[3] = {corner, corner - QPoint(size, 0), corner + QPoint(0, size)};
        p.drawPolygon(tri, 3);
    }
    p.restore();
}

QtHeatLegend::QtHeatLegend(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picHeatLegend"));
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QSize QtHeatLegend::sizeHint() const {
    const QFontMetrics fm = fontMetrics();
    return {layOut(fm, fm.height(), 0, [](int, int, int, const QString&) {}).width() + 2, lineHeight(fm)};
}

int QtHeatLegend::heightForWidth(int width) const {
    const QFontMetrics fm = fontMetrics();
    return layOut(fm, fm.height(), width, [](int, int, int, const QString&) {}).height() * lineHeight(fm);
}

QString QtHeatLegend::text() const {
    QStringList parts;
    layOut(fontMetrics(), 0, 0, [&](int, int, int, const QString& s) { parts << s; });
    return parts.join(u' ');
}

void QtHeatLegend::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QFontMetrics fm = fontMetrics();
    const int swatch = fm.height();
    const int step = lineHeight(fm);
    const auto legend = learning::heatLegend();
    const QColor text = palette().color(QPalette::WindowText);
    layOut(fm, swatch, width(), [&](int x, int line, int kind, const QString& s) {
        const int top = line * step;
        int textX = x;
        if (kind >= 0) {
            const QRect box(x, top + (step - swatch) / 2, swatch, swatch);
            const uint32_t fill = kind < kSlow ? legend[static_cast<size_t>(kind)].color : learning::heatColor(1.0);
            p.fillRect(box, ui::fromColorValue(fill));
            p.setPen(QColor(128, 128, 128));
            p.drawRect(box.adjusted(0, 0, -1, -1));
            if (kind >= kSlow) paintWeakMarks(p, box.adjusted(0, 0, -1, -1), kind == kSlow, kind == kMissed);
            textX += swatch + kGap;
        }
        p.setPen(text);
        p.drawText(QRect(textX, top, width() - textX, step), Qt::AlignLeft | Qt::AlignVCenter, s);
    });
}
