#include "RecordingSurface.h"

#include <algorithm>

std::vector<RecordingSurface::Op> RecordingSurface::all(Kind kind) const {
    std::vector<Op> out;
    std::copy_if(ops.begin(), ops.end(), std::back_inserter(out), [kind](const Op& o) { return o.kind == kind; });
    return out;
}

const RecordingSurface::Op* RecordingSurface::findText(const QString& s) const {
    for (const Op& o : ops)
        if (o.kind == Kind::Text && o.text == s) return &o;
    return nullptr;
}

int RecordingSurface::count(Kind kind) const {
    return static_cast<int>(std::count_if(ops.begin(), ops.end(), [kind](const Op& o) { return o.kind == kind; }));
}

void RecordingSurface::setFont(const QString& face, double points, bool bold) {
    mState.fontFace = face;
    mState.fontPoints = points;
    mState.fontBold = bold;
}

void RecordingSurface::record(Kind kind, double x1, double y1, double x2, double y2, const QString& s) {
    ops.push_back({mState, kind, x1, y1, x2, y2, s});
}

void RecordingSurface::clear(uint32_t color) {
    DrawState state = mState;
    state.color = color;
    ops.push_back({state, Kind::Clear, 0, 0, 0, 0, QString()});
}

void RecordingSurface::line(double x1, double y1, double x2, double y2) { record(Kind::Line, x1, y1, x2, y2); }
void RecordingSurface::filledBox(double x1, double y1, double x2, double y2) {
    record(Kind::FilledBox, x1, y1, x2, y2);
}
void RecordingSurface::box(double x1, double y1, double x2, double y2) { record(Kind::Box, x1, y1, x2, y2); }
void RecordingSurface::dot(double x, double y) { record(Kind::Dot, x, y); }
void RecordingSurface::text(double x, double y, const QString& s) { record(Kind::Text, x, y, 0, 0, s); }
void RecordingSurface::processEvents() { record(Kind::ProcessEvents, 0, 0); }
