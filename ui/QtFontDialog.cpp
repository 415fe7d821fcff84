#include "QtFontDialog.h"

#include <fontconfig/fontconfig.h>

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QVBoxLayout>

namespace {
constexpr int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36};
constexpr int kDefaultSize = 12;
}  // namespace

const QString QtFontDialog::kSampleText = QStringLiteral("あいうえお アイウエオ ABC 123");

QtFontDialog::QtFontDialog(const QString& initialFace, QWidget* parent) : QDialog(parent), mInitialFace(initialFace) {
    setObjectName(QStringLiteral("dlgFont"));
    setWindowTitle(QStringLiteral("フォントの指定"));
    auto* grid = new QGridLayout(this);

    auto* faceLabel = new QLabel(QStringLiteral("フォント名(&F):"), this);
    faceEdit = new QLineEdit(this);
    faceEdit->setObjectName(QStringLiteral("txtFaceName"));
    faceLabel->setBuddy(faceEdit);
    faceList = new QListWidget(this);
    faceList->setObjectName(QStringLiteral("lstFaceName"));
    // Faces that can write Japanese, without symbol fonts and faces kept for
    // the system's own use.
    for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese))
        if (!QFontDatabase::isPrivateFamily(family) &&
            !QFontDatabase::writingSystems(family).contains(QFontDatabase::Symbol))
            faceList->addItem(family);
    faceList->setMinimumWidth(220);

    auto* sizeLabel = new QLabel(QStringLiteral("サイズ(&S):"), this);
    sizeList = new QListWidget(this);
    sizeList->setObjectName(QStringLiteral("lstFontSize"));
    sizeLabel->setBuddy(sizeList);
    for (int s : kSizes) sizeList->addItem(QString::number(s));
    sizeList->setMaximumWidth(70);

    auto* sampleBox = new QGroupBox(QStringLiteral("サンプル"), this);
    auto* sampleLayout = new QVBoxLayout(sampleBox);
    sample = new QLabel(kSampleText, sampleBox);
    sample->setObjectName(QStringLiteral("lblSample"));
    sample->setAlignment(Qt::AlignCenter);
    sample->setMinimumSize(360, 64);
    sampleLayout->addWidget(sample);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QtFontDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    grid->addWidget(faceLabel, 0, 0);
    grid->addWidget(sizeLabel, 0, 1);
    grid->addWidget(faceEdit, 1, 0);
    grid->addWidget(faceList, 2, 0);
    grid->addWidget(sizeList, 1, 1, 2, 1);
    grid->addWidget(sampleBox, 3, 0, 1, 2);
    grid->addWidget(buttons, 4, 0, 1, 2);

    connect(faceList, &QListWidget::currentTextChanged, this, [this](const QString& f) {
        if (!f.isEmpty() && faceEdit->text() != f) faceEdit->setText(f);
        updateSample();
    });
    connect(faceEdit, &QLineEdit::textEdited, this, &QtFontDialog::faceTyped);
    connect(sizeList, &QListWidget::currentRowChanged, this, [this] { updateSample(); });

    for (int i = 0; i < sizeList->count(); ++i)
        if (sizeList->item(i)->text().toInt() == kDefaultSize) sizeList->setCurrentRow(i);
    selectFace(initialFace);
}

namespace {
// Every name of the installed faces called `face` in any language (IPAGothic
// and IPAゴシック are one face); empty when no face has that name.
QStringList namesOfFace(const QString& face) {
    QStringList names;
    const QByteArray name = face.toUtf8();
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* families = FcObjectSetBuild(FC_FAMILY, nullptr);
    if (pattern && families &&
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.constData()))) {
        if (FcFontSet* fonts = FcFontList(nullptr, pattern, families)) {
            for (int i = 0; i < fonts->nfont; ++i) {
                FcChar8* family = nullptr;
                for (int n = 0; FcPatternGetString(fonts->fonts[i], FC_FAMILY, n, &family) == FcResultMatch; ++n)
                    names << QString::fromUtf8(reinterpret_cast<const char*>(family));
            }
            FcFontSetDestroy(fonts);
        }
    }
    if (families) FcObjectSetDestroy(families);
    if (pattern) FcPatternDestroy(pattern);
    return names;
}
}  // namespace

// The list's entry for a face, found by any of the face's names.
QListWidgetItem* QtFontDialog::findFace(const QString& face) const {
    const auto found = faceList->findItems(face, Qt::MatchFixedString);
    if (!found.isEmpty()) return found.first();
    if (face.trimmed().isEmpty()) return nullptr;
    for (const QString& name : namesOfFace(face.trimmed()))
        if (const auto other = faceList->findItems(name, Qt::MatchFixedString); !other.isEmpty()) return other.first();
    return nullptr;
}

// The face in use, or the installed face the program draws it with.
void QtFontDialog::selectFace(const QString& face) {
    QListWidgetItem* item = findFace(face);
    if (!item) item = findFace(QFontInfo(QFont(face)).family());
    if (item) {
        faceList->setCurrentItem(item);
        faceList->scrollToItem(item, QAbstractItemView::PositionAtCenter);
    }
    faceEdit->setText(face);
    updateSample();
}

void QtFontDialog::faceTyped(const QString& text) {
    if (QListWidgetItem* item = findFace(text)) {
        const QSignalBlocker block(faceList);
        faceList->setCurrentItem(item);
        faceList->scrollToItem(item);
    }
    updateSample();
}

void QtFontDialog::updateSample() {
    QFont f(face());
    // Room for the sample at the largest size, so that it fits at every size
    // and the dialog keeps its size while the user goes through the list.
    f.setPointSize(std::end(kSizes)[-1]);
    const QSize largest = QFontMetrics(f).size(Qt::TextSingleLine, kSampleText) + QSize(24, 12);
    sample->setMinimumSize(sample->minimumSize().expandedTo(largest));
    const QListWidgetItem* size = sizeList->currentItem();
    f.setPointSize(size ? size->text().toInt() : kDefaultSize);
    sample->setFont(f);
}

QString QtFontDialog::face() const { return faceEdit->text().trimmed(); }

void QtFontDialog::accept() {
    const QString f = face();
    if (QListWidgetItem* item = findFace(f)) {
        faceEdit->setText(item->text());  // the face as the system spells it
        QDialog::accept();
        return;
    }
    if (!f.isEmpty() && f == mInitialFace) {
        QDialog::accept();
        return;
    }
    QMessageBox::warning(this, windowTitle(),
                         QStringLiteral("指定されたフォント名がありません。\nフォント名を一覧から選んでください。"));
    faceEdit->setFocus();
    faceEdit->selectAll();
}
