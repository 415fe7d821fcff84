#include "QtServices.h"

#include <canberra.h>
#include <dlfcn.h>

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QInputDialog>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QUrl>
#include <chrono>

#include "QtFontDialog.h"
#include "Widgets.h"

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

// The few libcanberra calls the bell needs, looked up when it first rings.
struct QtBeeper::Canberra {
    using Create = int (*)(ca_context**);
    using Destroy = int (*)(ca_context*);
    using Play = int (*)(ca_context*, uint32_t, ...);
    void* library = nullptr;
    void* alsa = nullptr;
    ca_context* context = nullptr;
    Destroy destroy = nullptr;
    Play play = nullptr;
    ~Canberra() {
        if (context && destroy) destroy(context);
        if (library) dlclose(library);
        if (alsa) dlclose(alsa);
    }
};

namespace {
// ALSA, which libcanberra plays through, writes its errors to standard error:
// where there is no sound card, a run's first bell would print a screen of
// them. Sound that cannot play falls back to the system beep without a word,
// so they go nowhere. Loaded by its name, like libcanberra, and left alone
// when it is not there.
void quietAlsaError(const char*, int, const char*, int, const char*, ...) {}
void* quietAlsa() {
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL);
    const auto set = alsa ? reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler")) : nullptr;
    if (set) set(quietAlsaError);
    return alsa;
}
}  // namespace

QtBeeper::QtBeeper(std::function<void()> fallback, QString library)
    : mFallback(fallback ? std::move(fallback) : [] { QApplication::beep(); }), mLibrary(std::move(library)) {}

QtBeeper::~QtBeeper() = default;

void QtBeeper::Beep() {
    if (!playBell()) mFallback();
}

bool QtBeeper::playBell() {
    if (mUnusable) return false;
    if (!mCanberra) {
        // Kept, once loaded, for the rest of the run (even when it cannot play).
        mCanberra = std::make_unique<Canberra>();
        Canberra& c = *mCanberra;
        c.alsa = quietAlsa();
        c.library = dlopen(mLibrary.toLocal8Bit().constData(), RTLD_LAZY | RTLD_LOCAL);
        const auto create =
            c.library ? reinterpret_cast<Canberra::Create>(dlsym(c.library, "ca_context_create")) : nullptr;
        c.destroy = c.library ? reinterpret_cast<Canberra::Destroy>(dlsym(c.library, "ca_context_destroy")) : nullptr;
        c.play = c.library ? reinterpret_cast<Canberra::Play>(dlsym(c.library, "ca_context_play")) : nullptr;
        if (!create || !c.destroy || !c.play || create(&c.context) != CA_SUCCESS) {
            c.context = nullptr;
            mUnusable = true;
            return false;
        }
    }
    const QByteArray name = QApplication::applicationName().toUtf8();
    const int rc = mCanberra->play(mCanberra->context, 0, CA_PROP_EVENT_ID, "bell", CA_PROP_EVENT_DESCRIPTION,
                                   "ミスタイプ", CA_PROP_APPLICATION_NAME, name.constData(), nullptr);
    // No sound server or no theme to play from: that will not change in this run.
    if (rc != CA_SUCCESS) mUnusable = true;
    return rc == CA_SUCCESS;
}

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
        case MsgIcon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case MsgIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case MsgIcon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case MsgIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MsgIcon::None:
            break;
    }
    QList<std::pair<QMessageBox::StandardButton, MsgResult>> buttons;
    switch (r.buttons) {
        case MsgButtons::OK:
            buttons = {{QMessageBox::Ok, MsgResult::OK}};
            break;
        case MsgButtons::OKCancel:
            buttons = {{QMessageBox::Ok, MsgResult::OK}, {QMessageBox::Cancel, MsgResult::Cancel}};
            break;
        case MsgButtons::RetryCancel:
            buttons = {{QMessageBox::Retry, MsgResult::Retry}, {QMessageBox::Cancel, MsgResult::Cancel}};
            break;
        case MsgButtons::YesNo:
            buttons = {{QMessageBox::Yes, MsgResult::Yes}, {QMessageBox::No, MsgResult::No}};
            break;
        case MsgButtons::YesNoCancel:
            buttons = {{QMessageBox::Yes, MsgResult::Yes},
                       {QMessageBox::No, MsgResult::No},
                       {QMessageBox::Cancel, MsgResult::Cancel}};
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

namespace {
// The type column of the file dialog in the program's words (Qt's own are
// English even with its Japanese translation).
class JapaneseFileTypes : public QFileIconProvider {
public:
    QString type(const QFileInfo& info) const override {
        if (info.isDir()) return QStringLiteral("フォルダー");
        if (info.isSymLink()) return QStringLiteral("ショートカット");
        const QString suffix = info.suffix().toUpper();
        return suffix.isEmpty() ? QStringLiteral("ファイル") : suffix + QStringLiteral(" ファイル");
    }
};

// The size and date columns of the file dialog in the program's language: Qt
// writes them in the system's ("8 bytes", "8 Dec 2026"), which need not be
// Japanese.
class JapaneseFileDetails : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role == Qt::DisplayRole && files && (index.column() == 1 || index.column() == 3)) {
            const QModelIndex source = mapToSource(index);
            if (index.column() == 3) return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
            if (!files->isDir(source)) return QLocale().formattedDataSize(files->size(source));
        }
        return QIdentityProxyModel::data(index, role);
    }
};
}  // namespace

static std::optional<QString> runFileDialog(const FileDialogRequest& r, bool save) {
    QFileDialog dlg(owner());
    JapaneseFileTypes types;
    dlg.setIconProvider(&types);
    dlg.setProxyModel(new JapaneseFileDetails(&dlg));
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

std::optional<uint32_t> QtDialogs::chooseColor(uint32_t current) {
    QColorDialog dlg(ui::fromColorValue(current), owner());
    // The one label Qt's Japanese translation leaves in English.
    for (QLabel* label : dlg.findChildren<QLabel*>())
        if (label->text().contains(QLatin1String("HTML"))) label->setText(QStringLiteral("カラーコード(&H):"));
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    const QColor c = dlg.selectedColor();
    if (!c.isValid()) return std::nullopt;
    return static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8) |
           (static_cast<uint32_t>(c.blue()) << 16);
}

std::optional<QString> QtDialogs::chooseFont(const QString& initialFace) {
    QtFontDialog dlg(initialFace, owner());
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return dlg.face();
}
