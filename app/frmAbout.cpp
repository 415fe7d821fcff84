#include "frmAbout.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "AppContext.h"
#include "FormsRegistry.h"
#include "Twips.h"
#include "Widgets.h"
#include "basMain.h"

frmAbout::frmAbout(AppContext& ctx, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    setFixedSize(twips::px(3615), twips::px(2535));
    if (ctx.forms) ctx.forms->add(this);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(windowIcon().isNull() ? style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32)
                                             : windowIcon().pixmap(32, 32));
    ui::placeTwips(picIcon, 240, 240, 480, 480);

    const QString gothicP = QStringLiteral("ＭＳ Ｐゴシック");
    lblTitle = new QLabel(QStringLiteral("タッチタイプ練習"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setFont(ui::designFont(gothicP, 12, true));
    ui::setForeColor(lblTitle, QColor(128, 0, 0));
    ui::placeTwips(lblTitle, 1080, 240, 2235, 345);

    lblVersion = new QLabel(basMain::VersionLine(), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setFont(ui::designFont(gothicP, 9.75));
    ui::setForeColor(lblVersion, QColor(128, 0, 0));
    ui::placeTwips(lblVersion, 1080, 600, 2205, 225);

    lblCopyright = new QLabel(QStringLiteral("%1 ― タッチタイプ練習ソフト\n"
                                             "キー練習・テスト・テキスト練習・ゲーム\n"
                                             "自由に使用・配布できます。")
                                  .arg(basMain::ProductName()),
                              this);
    lblCopyright->setObjectName(QStringLiteral("lblCopyright"));
    lblCopyright->setFont(ui::designFont(gothicP, 9.75, true));
    ui::setForeColor(lblCopyright, QColor(0, 0, 192));
    lblCopyright->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ui::placeTwips(lblCopyright, 240, 1080, 3135, 735);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    ui::placeTwips(cmdOK, 1080, 2040, 1310, 345);
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);  // Esc rejects: the same close
}
