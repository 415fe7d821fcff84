// Practice files: the line rules, line endings, encodings, and files that are
// no practice files at all (missing, binary, enormous).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "Cp932.h"
#include "TestFiles.h"
#include "TextFile.h"

using textfile::parseTextEntries;
using textfile::parseTextLine;

namespace {

struct LineCase {
    const char* name;
    const char16_t* line;
    bool valid;
    const char16_t* input;
    const char16_t* display;
};

class LineRules : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineRules, ParseAsDesigned) {
    const LineCase& c = GetParam();
    const auto e = parseTextLine(QString::fromUtf16(c.line));
    ASSERT_EQ(e.has_value(), c.valid);
    if (!c.valid) return;
    EXPECT_EQ(e->Input, QString::fromUtf16(c.input));
    EXPECT_EQ(e->Display, QString::fromUtf16(c.display));
}

INSTANTIATE_TEST_SUITE_P(
    Format, LineRules,
    ::testing::Values(LineCase{"PlainWordIsUpperCasedForInput", u"apple|", true, u"APPLE", u"apple"},
                      LineCase{"CommentLine", u"#comment|x", false, nullptr, nullptr},
                      LineCase{"OneCharacterEntry", u"a|b", false, nullptr, nullptr},
                      LineCase{"LineWithoutBar", u"abc", false, nullptr, nullptr},
                      LineCase{"FurtherBarsBelongToDisplay", u"ab|c|d", true, u"ab", u"c|d"},
                      LineCase{"EmptyInputPart", u"|xyz", false, nullptr, nullptr},
                      LineCase{"HashInsideIsNoComment", u"a#|x", true, u"a#", u"x"},
                      LineCase{"ReadingKeepsItsCase", u"HoKKaIDoU|ほっかいどう", true, u"HoKKaIDoU", u"ほっかいどう"},
                      LineCase{"SpacesAreKept", u" ab | c", true, u" ab ", u" c"},
                      LineCase{"FullWidthPlainWord", u"ａｂ|", true, u"ＡＢ", u"ａｂ"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextParsing, EveryLineEndingEndsALineAndIsNotKept) {
    const auto entries = parseTextEntries(QStringLiteral("a1|x\r\nb2|y\nc3|z\rd4|w\r\n\r\n"));
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(entries[0].Display, QStringLiteral("x"));
    EXPECT_EQ(entries[1].Display, QStringLiteral("y"));
    EXPECT_EQ(entries[2].Display, QStringLiteral("z"));
    EXPECT_EQ(entries[3].Input, QStringLiteral("d4"));
    EXPECT_EQ(entries[3].Display, QStringLiteral("w"));
}

TEST(TextParsing, MarkersCountNonLowerCaseLettersAfterTheFirst) {
    EXPECT_EQ(textfile::countDisplayMarkers(QStringLiteral("HoKKaIDoU")), 5);
    EXPECT_EQ(textfile::countDisplayMarkers(QStringLiteral("Ko-Hi-")), 3);
    EXPECT_EQ(textfile::countDisplayMarkers(QStringLiteral("abc")), 0);
    EXPECT_EQ(textfile::displayLength(QString::fromUtf16(u"a\U0001F600b")), 3);
}

// The same practice text in every encoding a practice file comes in: CP932,
// UTF-8 with or without a byte-order mark, and UTF-16 with one.
TEST(TextDecoding, AllEncodingsGiveTheSameEntries) {
    const QString text =
        QStringLiteral("# 都道府県\r\nHoKKaIDoU|ほっかいどう\r\nToUKYoU|とうきょう\r\nｱｲｳ|半角カナ\r\n");
    const QList<TextEntry> expected = parseTextEntries(text);
    ASSERT_EQ(expected.size(), 3);
    const QByteArray cp = cp932::encode(text);
    ASSERT_FALSE(cp932::isValidUtf8(cp));
    QByteArray utf16 = "\xFF\xFE";
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    const QByteArray variants[] = {cp, text.toUtf8(), "\xEF\xBB\xBF" + text.toUtf8(), utf16};
    ScratchFolder folder;
    int n = 0;
    for (const QByteArray& bytes : variants) {
        const QString name = QStringLiteral("v%1.txt").arg(n++);
        folder.write(name, bytes);
        const auto r = textfile::readPracticeFile(folder.file(name));
        ASSERT_TRUE(r.ok) << n;
        EXPECT_EQ(r.entries, expected) << n;
    }
}

TEST(TextReading, BinaryFileHasNoEntries) {
    QByteArray bytes("ab|cd\n", 6);
    bytes.append(QByteArray(64, '\0'));
    bytes.append("ef|gh\n\x89PNG\x1a|\xff\xfe\n");
    ScratchFolder folder;
    folder.write(QStringLiteral("b.bin"), bytes);
    const auto r = textfile::readPracticeFile(folder.file(QStringLiteral("b.bin")));
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.entries.isEmpty());
}

TEST(TextReading, FileAboveTheLimitIsRefusedUnread) {
    ScratchFolder folder;
    const QString path = folder.file(QStringLiteral("huge.txt"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("ab|cd\n");
        ASSERT_TRUE(f.resize(textfile::kMaxFileBytes + 1));  // sparse: costs no disk
    }
    const auto r = textfile::readPracticeFile(path);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.entries.isEmpty());
    EXPECT_TRUE(r.error.contains(QStringLiteral("大きすぎます"))) << r.error.toStdString();
}

TEST(TextReading, FileExactlyAtTheLimitIsRead) {
    ScratchFolder folder;
    QByteArray bytes = "ab|cd\n" + QByteArray(1000 - 6, 'x');
    folder.write(QStringLiteral("edge.txt"), bytes);
    EXPECT_TRUE(textfile::readPracticeFile(folder.file(QStringLiteral("edge.txt")), 1000).ok);
    EXPECT_FALSE(textfile::readPracticeFile(folder.file(QStringLiteral("edge.txt")), 999).ok);
}

TEST(TextReading, OneEnormousLineIsOneEntry) {
    ScratchFolder folder;
    folder.write(QStringLiteral("long.txt"), "ab|" + QByteArray(3 * 1024 * 1024, 'y'));
    const auto r = textfile::readPracticeFile(folder.file(QStringLiteral("long.txt")));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.entries.size(), 1);
    EXPECT_EQ(r.entries[0].Display.size(), 3 * 1024 * 1024);
}

struct FailureCase {
    const char* name;
    const char* path;  // relative to a scratch folder
    const char16_t* reason;
};
class ReadFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ReadFailures, GiveTheReason) {
    ScratchFolder folder;
    QDir().mkpath(folder.file(QStringLiteral("folder")));
    const auto r = textfile::readPracticeFile(folder.file(QString::fromUtf8(GetParam().path)));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, QString::fromUtf16(GetParam().reason));
}

INSTANTIATE_TEST_SUITE_P(Files, ReadFailures,
                         ::testing::Values(FailureCase{"MissingFile", "none.txt", u"ファイルが見つかりません。"},
                                           FailureCase{"MissingFolder", "nofolder/none.txt", u"パスが見つかりません。"},
                                           FailureCase{"Folder", "folder", u"パス/ファイル アクセス エラーです。"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextReading, DeviceIsRefusedWithoutReading) {
    const auto r = textfile::readPracticeFile(QStringLiteral("/dev/zero"));
    EXPECT_FALSE(r.ok);
}

// Every shipped practice file: each entry has one syllable marker per display
// character after the first, so the display empties exactly as the entry ends.
TEST(ShippedTexts, EveryEntryMatchesItsDisplay) {
    const QDir dir(sourceDir() + QStringLiteral("/data/Text"));
    const QStringList files = dir.entryList({QStringLiteral("*.txt")}, QDir::Files);
    ASSERT_GE(files.size(), 3);
    for (const QString& name : files) {
        const QByteArray bytes = [&] {
            QFile f(dir.filePath(name));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        EXPECT_TRUE(cp932::isValidUtf8(bytes)) << name.toStdString();
        const auto r = textfile::readPracticeFile(dir.filePath(name));
        ASSERT_TRUE(r.ok) << name.toStdString();
        EXPECT_GE(r.entries.size(), 15) << name.toStdString();
        for (const TextEntry& e : r.entries)
            EXPECT_EQ(textfile::countDisplayMarkers(e.Input) + 1, textfile::displayLength(e.Display))
                << name.toStdString() << ": " << e.Input.toStdString() << "|" << e.Display.toStdString();
    }
}

TEST(ShippedTexts, PrefecturesAreAllThere) {
    const auto r = textfile::readPracticeFile(sourceDir() + QStringLiteral("/data/Text/Pref.txt"));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.entries.size(), 47);
    EXPECT_EQ(r.entries.front(), (TextEntry{QStringLiteral("HoKKaIDoU"), QStringLiteral("ほっかいどう")}));
    EXPECT_EQ(r.entries.back().Display, QStringLiteral("おきなわ"));
}

}  // namespace
