#include "QtServices.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QDir>
#include <QFileInfo>
#include <QFontComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <chrono>

uint32_t QtClock::timeGetTime() {
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

QtRandom::QtRandom() { Randomize(); }

float QtRandom::Rnd() {
    // 24 random bits: every value is exact in single precision and below 1.
    return static_cast<float>(mEngine() >> 8) / 16777216.0f;
}

void QtRandom::Randomize() {
    using namespace std::chrono;
    mEngine.seed(static_cast<uint32_t>(steady_clock::now().time_since_epoch().count()) ^
                 static_cast<uint32_t>(system_clock::now().time_since_epoch().count()));
}

void QtBeeper::Beep() { QApplication::beep(); }

bool QtShell::open(const QString& path) {
    // The desktop answers true even when nothing could open a missing file.
    if (!QFileInfo::exists(path)) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QStringList QtDialogs::qtFilters(const QString& filter) {
    QStringList out;
    for (const auto& [caption, pattern] : parseFileFilter(filter)) {
        QString p = pattern;
        p.replace(u';', u' ');
        out << caption + QStringLiteral(" (") + p + u')';
    }
    return out;
}

// The window a box belongs to: the active one, else the modal window on top,
// else the newest visible window, so that a box asked for in the moment
// between two windows (a dialog just closed) still opens over the program.
static QWidget* owner() {
    if (QWidget* w = QApplication::activeWindow()) return w;
    if (QWidget* w = QApplication::activeModalWidget()) return w;
    const QWidgetList tops = QApplication::topLevelWidgets();
    for (qsizetype i = tops.size() - 1; i >= 0; --i)
        if (tops[i]->isVisible() && tops[i]->isWindow() && !tops[i]->inherits("QMenu")) return tops[i];
    return nullptr;
}

MsgResult QtDialogs::msgBox(const MsgBoxRequest& r) {
    QMessageBox box(owner());
    box.setWindowTitle(r.title);
    box.setText(QString(r.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    switch (r.icon) {
        case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
        case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
        case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MsgIcon::None: break;
    }
    QList<std::pair<QMessageBox::StandardButton, MsgResult>> buttons;
    switch (r.buttons) {
        case MsgButtons::OK: buttons = {{QMessageBox::Ok, MsgResult::OK}}; break;
        case MsgButtons::OKCancel: buttons = {{QMessageBox::Ok, MsgResult::OK}, {QMessageBox::Cancel, MsgResult::Cancel}}; break;
        case MsgButtons::RetryCancel: buttons = {{QMessageBox::Retry, MsgResult::Retry}, {QMessageBox::Cancel, MsgResult::Cancel}}; break;
        case MsgButtons::YesNo: buttons = {{QMessageBox::Yes, MsgResult::Yes}, {QMessageBox::No, MsgResult::No}}; break;
        case MsgButtons::YesNoCancel:
            buttons = {{QMessageBox::Yes, MsgResult::Yes}, {QMessageBox::No, MsgResult::No}, {QMessageBox::Cancel, MsgResult::Cancel}};
            break;
    }
    for (const auto& [b, result] : buttons) box.addButton(b);
    if (r.defaultButton >= 0 && r.defaultButton < buttons.size()) box.setDefaultButton(buttons[r.defaultButton].first);
    const auto clicked = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const auto& [b, result] : buttons)
        if (b == clicked) return result;
    // Closed with Esc or the close box: the cancelling answer.
    if (r.buttons == MsgButtons::YesNo) return MsgResult::No;
    if (r.buttons == MsgButtons::OK) return MsgResult::OK;
    return MsgResult::Cancel;
}

std::optional<QString> QtDialogs::inputBox(const QString& prompt, const QString& title, const QString& defaultText) {
    bool ok = false;
    const QString s = QInputDialog::getText(owner(), title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok) return std::nullopt;
    return s;
}

static std::optional<QString> runFileDialog(const FileDialogRequest& r, bool save) {
    QFileDialog dlg(owner());
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile
                         : ((r.flags & FileFlags::FileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    dlg.setOption(QFileDialog::HideNameFilterDetails, true);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, !(r.flags & FileFlags::OverwritePrompt));
    dlg.setOption(QFileDialog::ReadOnly, false);
    dlg.setNameFilters(QtDialogs::qtFilters(r.filter));
    if (!r.initialFile.isEmpty()) {
        const QFileInfo fi(r.initialFile);
        if (fi.isAbsolute() && fi.dir().exists()) dlg.setDirectory(fi.dir());
        dlg.selectFile(fi.fileName());
    }
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    return dlg.selectedFiles().first();
}

std::optional<QString> QtDialogs::openFile(const FileDialogRequest& r) { return runFileDialog(r, false); }
std::optional<QString> QtDialogs::saveFile(const FileDialogRequest& r) { return runFileDialog(r, true); }

std::optional<uint32_t> QtDialogs::chooseColor() {
    const QColor c = QColorDialog::getColor(Qt::white, owner());
    if (!c.isValid()) return std::nullopt;
    return static_cast<uint32_t>(c.red()) + 256u * static_cast<uint32_t>(c.green()) +
           65536u * static_cast<uint32_t>(c.blue());
}

std::optional<QString> QtDialogs::chooseFont(const QString& initialFace) {
    // Only faces that can show Japanese text are offered, and a typed name must
    // be one of them.
    QDialog dlg(owner());
    dlg.setWindowTitle(QStringLiteral("フォント"));
    auto* layout = new QVBoxLayout(&dlg);
    auto* label = new QLabel(QStringLiteral("フォント名(&F):"), &dlg);
    layout->addWidget(label);
    auto* combo = new QFontComboBox(&dlg);
    label->setBuddy(combo);
    combo->setWritingSystem(QFontDatabase::Japanese);
    combo->setFontFilters(QFontComboBox::ScalableFonts | QFontComboBox::NonScalableFonts);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCurrentText(initialFace);
    layout->addWidget(combo);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dlg);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dlg, [&] {
        if (combo->findText(combo->currentText(), Qt::MatchFixedString) >= 0 || combo->currentText() == initialFace)
            dlg.accept();
        else
            QMessageBox::warning(&dlg, QStringLiteral("フォント"), QStringLiteral("指定されたフォント名がありません。"));
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return combo->currentText();
}
