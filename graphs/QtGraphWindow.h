#pragma once
#include <QFrame>
#include <QImage>
#include <QMainWindow>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

#include "AppContext.h"
#include "FormsRegistry.h"
#include "GraphColors.h"
#include "Widgets.h"

class QAction;
class QMenu;
class Surface;

// The graph area (picGameRpt): shows the last finished drawing. The paint
// event only copies the image; drawing happens elsewhere.
class GraphArea : public QFrame {
    Q_OBJECT
public:
    explicit GraphArea(QWidget* parent);
    void setImage(QImage image);
    const QImage& image() const { return mImage; }
    std::function<void()> onResize;  // the size of the drawing changed

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    QImage mImage;
};

// What the three graph windows share: the menu bar with the file menu and
// the colour menu, the etched line under it, the graph area below the
// window's own controls, the minimum size, the size kept in twips (16-bit)
// and stored back at unload, and the drawing.
//
// Drawing: tsGraphDraw() renders the whole graph into a fresh image the size
// of the area (the subclass's drawGraph) and then shows it. It does nothing
// until the window has been laid out (mReady). It runs when the size or the
// colours change, when the window becomes active (so it shows the newest
// results), and when another window asks. Pending events may run at the
// drawing's processEvents points; a redraw asked for meanwhile is done right
// after the current one, and a window closed meanwhile is left alone.
class QtGraphWindow : public QMainWindow {
    Q_OBJECT
public:
    // The modeless graph window of class T (one at a time), brought forward or
    // opened over its owner.
    template <typename T>
    static T* showModeless(AppContext& ctx, QWidget* owner) {
        bool made = false;
        T* w = loadedOrNew<T>(ctx.forms, [&] {
            auto* fresh = new T(ctx, owner);
            fresh->placeOver(owner);
            made = true;
            return fresh;
        });
        bringForward(w, true);
        if (made) w->keepReachable();  // once shown, with its real frame
        return w;
    }

    // What a graph window is made of.
    struct Design {
        QString name;
        QString title;
        GraphColors::Graph graph;
        QStringList colorCaptions;  // the colour menu, by colour index
        bool csv;                   // "ＣＳＶ形式で保存(&S)..." in the file menu
        int minWidthTw;
        int minHeightTw;
        int areaTopTw;
        int areaHeightMarginTw;  // area height = client height - this
        QString areaToolTip;
    };
    // The design the two history graphs share (tests, text practice): up to
    // fifty results, exported as CSV, at least 5500 x 4500 twips.
    static Design historyGraph(const QString& name, const QString& title, GraphColors::Graph graph,
                               const QStringList& colorCaptions) {
        return {name, title, graph, colorCaptions, true,
                5500, 4500,  480,   550,           QStringLiteral("グラフは最大５０回分表示されます")};
    }
    // Redraws the graph from the current data (nothing before the first layout).
    void tsGraphDraw();

    int16_t widthTw() const { return mWidth; }
    int16_t heightTw() const { return mHeight; }

    GraphArea* picGameRpt = nullptr;
    ui::EtchedLine Line1{};
    QMenu* mnuFile = nullptr;
    QAction* mnuFileSave = nullptr;  // only with CSV export
    QAction* mnuFileClose = nullptr;
    QMenu* mnuView = nullptr;
    QMenu* mnuViewColor = nullptr;
    std::vector<QAction*> mnuViewColorSelect;
    QAction* mnuViewColorDefaults = nullptr;

    void mnuViewColorSelect_Click(int index);
    void mnuViewColorDefaults_Click();
    void mnuFileSave_Click();

protected:
    QtGraphWindow(AppContext& ctx, QWidget* parent, const Design& design);

    // Sets the window to a stored outer size in twips (absolute value, 16-bit).
    void applyStoredSize(int32_t widthTw, int32_t heightTw);
    QWidget* client() const { return mClient; }
    const GraphColors& colors() const { return mColors; }

    virtual void drawGraph(Surface& s) = 0;
    virtual void unload() = 0;  // stores the window's settings
    virtual QByteArray csvBytes() { return {}; }
    virtual void colorChanged(int /*index*/) {}
    virtual void colorsRestored() {}

    void placeOver(QWidget* owner);
    void keepReachable();  // once shown, its real frame inside the screen

    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

    // tsGraphDraw once, from the event loop (several requests make one draw).
    void requestRedraw();

    AppContext& ctx;
    bool mReady = false;
    int16_t mWidth = 0;
    int16_t mHeight = 0;

private:
    void buildMenus(const Design& d);
    void layoutClient();
    int menuHeightPx() const;

    Design mDesign;
    GraphColors mColors;
    QWidget* mClient = nullptr;
    bool mDrawing = false;
    bool mRedrawPending = false;
    bool mRedrawQueued = false;
};
