#pragma once
#include <QDialog>

struct AppContext;
class QLabel;
class QPushButton;

// The version box: title, version line from the build, a three-line notice
// and an OK button that is both default and cancel button. Modal, fixed
// border, centred on its owner.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(AppContext& ctx, QWidget* parent = nullptr);

    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblCopyright;
    QPushButton* cmdOK;
};
