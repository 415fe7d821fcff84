#pragma once
#include <QString>
#include <cstdint>
#include <vector>

#include "Surface.h"

// Records every call with its coordinates and the state it was drawn with;
// text extents come from fixed per-character metrics so that positions that
// depend on them are predictable.
class RecordingSurface : public Surface {
public:
    enum class Kind { Clear, Line, FilledBox, Box, Dot, Text, ProcessEvents };
    // What the setters set and every operation is drawn with.
    struct DrawState {
        uint32_t color = 0;  // pen colour (the clear colour for Clear)
        uint32_t fillColor = 0;
        int fillStyle = FillStyle::Transparent;
        DrawMode mode = DrawMode::CopyPen;
        LineStyle lineStyle = LineStyle::Solid;
        int lineWidth = 1;
        QString fontFace;
        double fontPoints = 0;
        bool fontBold = false;
    };
    struct Op : DrawState {
        Kind kind = Kind::Clear;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        QString text;
    };

    RecordingSurface(double widthTw, double heightTw) : mWidth(widthTw), mHeight(heightTw) {}

    // Metrics: every character advances charWidth twips; every text is
    // lineHeight twips high.
    double charWidth = 120;
    double lineHeight = 180;

    std::vector<Op> ops;
    // The drawn operations of one kind, in order.
    std::vector<Op> all(Kind kind) const;
    // The first text operation writing exactly s, or null.
    const Op* findText(const QString& s) const;
    int count(Kind kind) const;

    double width() const override { return mWidth; }
    double height() const override { return mHeight; }
    void setDrawMode(DrawMode mode) override { mState.mode = mode; }
    void setForeColor(uint32_t c) override { mState.color = c; }
    void setFillColor(uint32_t c) override { mState.fillColor = c; }
    void setFillStyle(int s) override { mState.fillStyle = s; }
    void setLineStyle(LineStyle s) override { mState.lineStyle = s; }
    void setLineWidth(int px) override { mState.lineWidth = px; }
    void setFont(const QString& face, double points, bool bold = false) override;
    void setFontName(const QString& face) override { mState.fontFace = face; }
    void clear(uint32_t color) override;
    void line(double x1, double y1, double x2, double y2) override;
    void filledBox(double x1, double y1, double x2, double y2) override;
    void box(double x1, double y1, double x2, double y2) override;
    void dot(double x, double y) override;
    void text(double x, double y, const QString& s) override;
    double textWidth(const QString& s) override { return charWidth * s.size(); }
    double textHeight(const QString&) override { return lineHeight; }
    void processEvents() override;

private:
    void record(Kind kind, double x1, double y1, double x2 = 0, double y2 = 0, const QString& s = {});

    double mWidth;
    double mHeight;
    DrawState mState;
};
