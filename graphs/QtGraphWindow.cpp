#include "QtGraphWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <algorithm>

#include "Dialogs.h"
#include "GraphCsv.h"
#include "QtSurface.h"
#include "Twips.h"
#include "Widgets.h"
#include "basMain.h"

// ---- GraphArea ----

GraphArea::GraphArea(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("picGameRpt"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphArea::setImage(QImage image) {
    mImage = std::move(image);
    update();
}

void GraphArea::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const QRect inner = contentsRect();
    p.fillRect(inner, palette().color(QPalette::Window));
    if (!mImage.isNull()) p.drawImage(inner.topLeft(), mImage);
    p.end();
    QFrame::paintEvent(e);  // the sunken border
}

void GraphArea::resizeEvent(QResizeEvent* e) {
    QFrame::resizeEvent(e);
    if (onResize) onResize();
}

// ---- QtGraphWindow ----

QtGraphWindow::QtGraphWindow(AppContext& context, QWidget* parent, const Design& design)
    : QMainWindow(parent), ctx(context), mDesign(design), mColors(context.param, design.graph) {
    setObjectName(design.name);
    setWindowTitle(design.title);
    setFont(ui::designFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    if (ctx.forms) ctx.forms->add(this);

    buildMenus(design);
    mClient = new QWidget(this);
    mClient->setObjectName(QStringLiteral("client"));
    setCentralWidget(mClient);
    Line1 = ui::addEtchedLine(mClient, 1);
    Line1.grey->setObjectName(QStringLiteral("Line1_0"));
    Line1.white->setObjectName(QStringLiteral("Line1_1"));
    picGameRpt = new GraphArea(mClient);
    picGameRpt->setToolTip(design.areaToolTip);
    picGameRpt->onResize = [this] { requestRedraw(); };
    mClient->installEventFilter(this);

    setMinimumSize(twips::clientWidthPx(design.minWidthTw, true),
                   twips::clientHeightPx(design.minHeightTw, true, true) + menuHeightPx());
}

int QtGraphWindow::menuHeightPx() const { return menuBar()->sizeHint().height(); }

void QtGraphWindow::buildMenus(const Design& d) {
    mnuFile = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    if (d.csv) {
        mnuFileSave =
            mnuFile->addAction(QStringLiteral("ＣＳＶ形式で保存(&S)..."), this, &QtGraphWindow::mnuFileSave_Click);
        mnuFileSave->setObjectName(QStringLiteral("mnuFileSave"));
        mnuFile->addSeparator();
    }
    mnuFileClose = mnuFile->addAction(QStringLiteral("閉じる(&C)"), this, &QWidget::close);
    mnuFileClose->setObjectName(QStringLiteral("mnuFileClose"));

    mnuView = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    mnuViewColor = mnuView->addMenu(QStringLiteral("グラフ表示色(&C)"));
    mnuViewColor->setObjectName(QStringLiteral("mnuViewColor"));
    for (int i = 0; i < d.colorCaptions.size(); ++i) {
        QAction* a = mnuViewColor->addAction(d.colorCaptions[i], this, [this, i] { mnuViewColorSelect_Click(i); });
        a->setObjectName(QStringLiteral("mnuViewColorSelect_%1").arg(i));
        mnuViewColorSelect.push_back(a);
    }
    mnuViewColor->addSeparator();
    mnuViewColorDefaults =
        mnuViewColor->addAction(QStringLiteral("標準に戻す(&D)"), this, &QtGraphWindow::mnuViewColorDefaults_Click);
    mnuViewColorDefaults->setObjectName(QStringLiteral("mnuViewColorDefaults"));
}

void QtGraphWindow::applyStoredSize(int32_t widthTw, int32_t heightTw) {
    mWidth = graphSizeFromSetting(widthTw);
    mHeight = graphSizeFromSetting(heightTw);
    const int w = std::max(minimumWidth(), twips::clientWidthPx(mWidth, true));
    const int h = std::max(minimumHeight(), twips::clientHeightPx(mHeight, true, true) + menuHeightPx());
    resize(w, h);
}

// Centred on the owner; a stored size larger than the screen shrinks to it.
void QtGraphWindow::placeOver(QWidget* owner) {
    if (owner)
        ui::centreOver(this, owner);
    else
        ui::keepOnScreen(this);
}

void QtGraphWindow::keepReachable() { ui::keepOnScreen(this, screen()); }

bool QtGraphWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mClient && event->type() == QEvent::Resize) layoutClient();
    return QMainWindow::eventFilter(watched, event);
}

// The separator across the window, the graph area filling the client area
// below the window's own controls.
void QtGraphWindow::layoutClient() {
    if (isMinimized()) {
        mReady = true;
        return;
    }
    const int cw = twips::tw(mClient->width());
    const int ch = twips::tw(mClient->height());
    Line1.setWidth(mClient->width());
    ui::placeTwips(picGameRpt, 120, mDesign.areaTopTw, std::max(0, cw - 250),
                   std::max(0, ch - mDesign.areaHeightMarginTw));
    mReady = true;
    requestRedraw();
}

void QtGraphWindow::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (isMinimized() || isMaximized() || isFullScreen()) return;
    auto clamp16 = [](int v) { return static_cast<int16_t>(std::clamp(v, 0, 32767)); };
    mWidth = clamp16(twips::outerWidthTw(width(), true));
    mHeight = clamp16(twips::outerHeightTw(height() - menuHeightPx(), true, true));
}

void QtGraphWindow::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) requestRedraw();
}

void QtGraphWindow::closeEvent(QCloseEvent* e) {
    unload();
    e->accept();
}

void QtGraphWindow::requestRedraw() {
    if (mRedrawQueued) return;
    mRedrawQueued = true;
    QTimer::singleShot(0, this, [this] {
        mRedrawQueued = false;
        tsGraphDraw();
    });
}

void QtGraphWindow::tsGraphDraw() {
    if (!mReady) return;
    if (mDrawing) {
        mRedrawPending = true;
        return;
    }
    QPointer<QtGraphWindow> self(this);
    mDrawing = true;
    do {
        mRedrawPending = false;
        const QSize size = picGameRpt->contentsRect().size();
        if (size.isEmpty()) break;
        QImage image(size, QImage::Format_RGB32);
        {
            QtSurface surface(image);
            surface.setProcessEventsHook([] { QCoreApplication::processEvents(); });
            drawGraph(surface);
        }
        if (!self) return;  // closed while events ran
        picGameRpt->setImage(std::move(image));
    } while (mRedrawPending);
    mDrawing = false;
}

void QtGraphWindow::mnuViewColorSelect_Click(int index) {
    const std::optional<uint32_t> c = ctx.dialogs.chooseColor(mColors.color(index));
    if (!c) return;
    mColors.set(index, *c);
    colorChanged(index);
    tsGraphDraw();
}

void QtGraphWindow::mnuViewColorDefaults_Click() {
    mColors.restoreDefaults();
    colorsRestored();
    tsGraphDraw();
}

void QtGraphWindow::mnuFileSave_Click() {
    graphcsv::ExportCsv(ctx.dialogs, basMain::ProductName(), [this] { return csvBytes(); });
}
