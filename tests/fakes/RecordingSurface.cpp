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
    Op op = mState;
    op.kind = kind;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.text = s;
    ops.push_back(op);
}

void RecordingSurface::clear(uint32_t color) {
    Op op = mState;
    op.kind = Kind::Clear;
    op.color = color;
    ops.push_back(op);
}

void RecordingSurface::line(double x1, double y1, double x2, double y2) { record(Kind::Line, x1, y1, x2, y2); }
void RecordingSurface::filledBox(double x1, double y1, double x2, double y2) {
    record(Kind::FilledBox, x1, y1, x2, y2);
}
void RecordingSurface::box(double x1, double y1, double x2, double y2) { record(Kind::Box, x1, y1, x2, y2); }
void RecordingSurface::dot(double x, double y) { record(Kind::Dot, x, y); }
void RecordingSurface::text(double x, double y, const QString& s) { record(Kind::Text, x, y, 0, 0, s); }
void RecordingSurface::processEvents() { record(Kind::ProcessEvents, 0, 0); }
