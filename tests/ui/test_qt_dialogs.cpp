// The platform's own dialogs as the program shows them: in Japanese, opened on
// the values in use; the bell.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractProxyModel>
#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryFile>
#include <QTimer>

#include "QtFontDialog.h"
#include "QtServices.h"
#include "Widgets.h"

namespace {

// Saves a grab of the widget when LUMBRA_SHOTS names a folder.
void shot(QWidget* w, const char* name) {
    const QString dir = qEnvironmentVariable("LUMBRA_SHOTS");
    if (!dir.isEmpty()) w->grab().save(dir + u'/' + QString::fromUtf8(name) + QStringLiteral(".png"));
}

// Runs `check` on the modal dialog of type T once it is up, then closes it.
template <typename T>
void whenShown(std::function<void(T*)> check) {
    QTimer::singleShot(50, [check] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<T*>(w); d && d->isVisible()) {
                check(d);
                d->reject();
                return;
            }
        ADD_FAILURE() << "no dialog";
    });
}

QStringList buttonTexts(QWidget* w) {
    QStringList out;
    for (auto* b : w->findChildren<QAbstractButton*>()) out << b->text();
    return out;
}

}  // namespace

TEST(JapaneseDialogs, StandardButtonsAndDialogsSpeakJapanese) {
    ASSERT_TRUE(ui::installQtJapanese()) << "qt6-translations-l10n installed";
    QtDialogs dialogs;
    whenShown<QMessageBox>([](QMessageBox* box) {
        const QStringList texts = buttonTexts(box);
        EXPECT_TRUE(texts.join(u'|').contains(QStringLiteral("はい"))) << texts.join(u'|').toStdString();
        EXPECT_TRUE(texts.join(u'|').contains(QStringLiteral("いいえ")));
        shot(box, "msgbox_yes_no");
    });
    dialogs.msgBox(QStringLiteral("今までの成績を消去しますか？"), QStringLiteral("確認"), MsgIcon::Question,
                   MsgButtons::YesNo, 1);
    whenShown<QMessageBox>([](QMessageBox* box) {
        EXPECT_TRUE(buttonTexts(box).join(u'|').contains(QStringLiteral("再試行")));
        EXPECT_FALSE(buttonTexts(box).join(u'|').contains(QStringLiteral("Retry")));
        shot(box, "msgbox_retry");
    });
    dialogs.msgBox(QStringLiteral("設定ファイルの書き込みに失敗しました。\r\n/tmp/Lumbra.ini"),
                   QStringLiteral("エラー"), MsgIcon::Critical, MsgButtons::RetryCancel);
    whenShown<QFileDialog>([](QFileDialog* d) {
        const QString all = buttonTexts(d).join(u'|') + u'|' + d->findChildren<QLabel*>().value(0)->text();
        EXPECT_FALSE(all.contains(QStringLiteral("Look in"))) << all.toStdString();
        EXPECT_FALSE(buttonTexts(d).contains(QStringLiteral("&Open")));
        const QAbstractProxyModel* proxy = d->proxyModel();
        const QString eight = d->selectedFiles().value(0);
        const auto* files = qobject_cast<QFileSystemModel*>(proxy->sourceModel());
        const auto cell = [&](int c) { return proxy->mapFromSource(files->index(eight, c)).data().toString(); };
        EXPECT_EQ(cell(1), QStringLiteral("8 バイト"));  // sizes and dates the Japanese way
        EXPECT_EQ(cell(3), QLocale(QLocale::Japanese).toString(QFileInfo(eight).lastModified(), QLocale::ShortFormat));
        d->resize(640, 420);
        shot(d, "file_dialog");
    });
    QTemporaryFile eight;
    ASSERT_TRUE(eight.open() && eight.write("12345678") == 8 && eight.flush());
    dialogs.openFile(
        {QStringLiteral("テキストファイル(*.txt)|*.txt|すべてのファイル (*.*)|*.*"), eight.fileName(), 0x1004});
}

TEST(JapaneseDialogs, ColourDialogOpensOnTheColourInUse) {
    QtDialogs dialogs;
    whenShown<QColorDialog>([](QColorDialog* d) {
        EXPECT_EQ(d->currentColor(), QColor(0, 128, 255));
        EXPECT_NE(d->windowTitle(), QStringLiteral("Select Color"));
        EXPECT_FALSE(buttonTexts(d).contains(QStringLiteral("Cancel")));
        for (const QLabel* l : d->findChildren<QLabel*>()) EXPECT_FALSE(l->text().contains(QStringLiteral("HTML")));
        shot(d, "colour_dialog");
    });
    EXPECT_EQ(dialogs.chooseColor(0 + 128 * 256 + 255 * 65536), std::nullopt);  // cancelled
}

TEST(FontDialog, OpensOnTheFaceInUseAndTheSampleFollowsTheChoice) {
    // The stored default is a face that is not installed: the face drawn for
    // it is selected, and its name stays as typed.
    QtFontDialog dlg(QStringLiteral("ＭＳ ゴシック"));
    ASSERT_GT(dlg.faceList->count(), 1);
    ASSERT_NE(dlg.faceList->currentItem(), nullptr);
    EXPECT_EQ(dlg.faceList->currentItem()->text(), QFontInfo(QFont(QStringLiteral("ＭＳ ゴシック"))).family());
    EXPECT_EQ(dlg.faceEdit->text(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(dlg.sample->text(), QStringLiteral("あいうえお アイウエオ ABC 123"));
    dlg.show();
    shot(&dlg, "font_dialog");

    const int other = dlg.faceList->currentRow() == 0 ? 1 : 0;
    dlg.faceList->setCurrentRow(other);
    EXPECT_EQ(dlg.faceEdit->text(), dlg.faceList->item(other)->text());
    EXPECT_EQ(dlg.sample->font().family(), dlg.faceList->item(other)->text());
    dlg.sizeList->setCurrentItem(dlg.sizeList->findItems(QStringLiteral("24"), Qt::MatchExactly).value(0));
    EXPECT_EQ(dlg.sample->font().pointSize(), 24);
    dlg.sizeList->setCurrentRow(dlg.sizeList->count() - 1);  // the largest size still fits
    EXPECT_LE(dlg.sample->fontMetrics().horizontalAdvance(dlg.sample->text()), dlg.sample->contentsRect().width());
    EXPECT_LE(dlg.sample->fontMetrics().height(), dlg.sample->contentsRect().height());

    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.face(), dlg.faceList->item(other)->text());
}

TEST(FontDialog, ATypedFaceMustExist) {
    QtFontDialog dlg(QStringLiteral("IPAGothic"));
    dlg.show();
    dlg.faceEdit->setText(QStringLiteral("どこにもない書体"));
    whenShown<QMessageBox>([](QMessageBox* box) { EXPECT_TRUE(box->text().contains(QStringLiteral("ありません"))); });
    dlg.accept();
    EXPECT_TRUE(dlg.isVisible()) << "stays open";
    dlg.faceEdit->setText(QStringLiteral("ipagothic"));
    dlg.accept();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.face(), QStringLiteral("IPAゴシック"));  // by its Japanese name, as the list shows it
}

// The bell: nothing loaded until the first miss; without the library (or
// without a sound server to play on) the fallback sounds, every time.
TEST(Bell, LoadsNothingBeforeTheFirstBeepAndFallsBack) {
    int fallbacks = 0;
    {
        QtBeeper missing([&] { ++fallbacks; }, QStringLiteral("libcanberra-not-there.so.0"));
        missing.Beep();
        missing.Beep();
    }
    EXPECT_EQ(fallbacks, 2);
#if defined(__SANITIZE_ADDRESS__)
    // Where there is no sound card the system's ALSA driver, which the sound
    // library loads and unloads by itself, leaks a few bytes on every attempt.
    GTEST_SKIP() << "the real sound library is not tried in the sanitizer build";
#endif

    const bool loadedBefore = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_NOLOAD) != nullptr;
    ASSERT_FALSE(loadedBefore) << "this test program must not load it elsewhere";
    fallbacks = 0;
    QtBeeper real([&] { ++fallbacks; });
    EXPECT_EQ(dlopen("libcanberra.so.0", RTLD_NOW | RTLD_NOLOAD), nullptr) << "not at construction";
    real.Beep();
    const int afterFirst = fallbacks;
    void* loaded = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_NOLOAD);
    EXPECT_NE(loaded, nullptr) << "loaded at the first beep";
    if (loaded) dlclose(loaded);
    // Without a sound server every beep falls back; with one, none does.
    real.Beep();
    EXPECT_EQ(fallbacks, 2 * afterFirst);
}
