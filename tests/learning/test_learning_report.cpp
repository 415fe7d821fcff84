// Exports and import: CSV that spreadsheet programs read as UTF-8, JSON that
// imports back into another store without duplicates, and files that are
// not an export rejected without a change.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "LearningReport.h"
#include "LearningRig.h"

using namespace learning;

namespace {

std::vector<Keystroke> sample() {
    qint64 t = QDateTime(QDate(2026, 11, 30), QTime(8, 0), Qt::UTC).toMSecsSinceEpoch();
    std::vector<Keystroke> keys = drill(65, 25, 5, 210, t, 83);
    const auto j = drill(220, 25, 0, 330, t);  // the yen key
    keys.insert(keys.end(), j.begin(), j.end());
    keys[2].mode = kTextPracticeMode;
    keys[2].expectedChar = QChar(u'a');
    keys[2].pressedChar = QChar(u's');
    return keys;
}

struct Stores : ::testing::Test {
    ScratchFolder dir;
    KeystrokeStore a{dir.file("a.db")};
    KeystrokeStore b{dir.file("b.db")};
    void SetUp() override {
        ASSERT_TRUE(a.open());
        ASSERT_TRUE(b.open());
        ASSERT_TRUE(a.append(sample()));
    }
};

}  // namespace

TEST_F(Stores, KeystrokeCsvIsUtf8WithAByteOrderMark) {
    const auto csv = keystrokesExport(a, formatOf(QStringLiteral("x.CSV")));
    ASSERT_TRUE(csv);
    ASSERT_TRUE(csv->startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(csv->mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + 55);
    EXPECT_EQ(lines[0],
              QStringLiteral("日時(UTC),練習,打つキー,打つ文字,押したキー,押した文字,正誤,間隔(ms),キーボード"));
    EXPECT_EQ(lines[1], QStringLiteral("2026-11-30T08:00:00.001Z,練習メニュー 10,A,,S,,誤,,日本語(106)"));
    EXPECT_EQ(lines[3], QStringLiteral("2026-11-30T08:00:00.003Z,テキスト練習,A,a,S,s,誤,210,日本語(106)"));
    EXPECT_TRUE(lines.last().endsWith(QStringLiteral(",¥,,¥,,正,330,日本語(106)")));
}

TEST_F(Stores, KeyFiguresExportInBothFormats) {
    const auto f = a.figures(0);
    ASSERT_TRUE(f);
    const QByteArray csv = keyFiguresExport(*f, Format::Csv);
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    // A is quicker than the yen key, but its five misses cost more.
    EXPECT_EQ(lines[1], QStringLiteral("A,30,5,83.3%,210,210 ms,1.04,ミスが多い,未判定（あと 50 回）"));
    EXPECT_EQ(lines[2], QStringLiteral("¥,25,0,100.0%,330,330 ms,0.96,,未判定（あと 55 回）"));
    const QJsonObject doc = QJsonDocument::fromJson(keyFiguresExport(*f, Format::Json)).object();
    EXPECT_EQ(doc.value("keys").toArray().size(), 2);
    EXPECT_EQ(doc.value("keys").toArray()[0].toObject().value("key").toString(), QStringLiteral("A"));
    EXPECT_DOUBLE_EQ(doc.value("keys").toArray()[0].toObject().value("recent_mean_ms").toDouble(), 210.0);
}

TEST_F(Stores, JsonImportMergesWithoutDuplicates) {
    const auto json = keystrokesExport(a, Format::Json);
    ASSERT_TRUE(json);
    qint64 t = 1;
    ASSERT_TRUE(b.append(drill(74, 3, 0, 100, t)));  // b has keys of its own
    QString error;
    auto r = importKeystrokes(b, *json, &error);
    ASSERT_TRUE(r) << error.toStdString();
    EXPECT_EQ(r->read, 55);
    EXPECT_EQ(r->added, 55);
    r = importKeystrokes(b, *json, &error);  // the same file again
    ASSERT_TRUE(r);
    EXPECT_EQ(r->added, 0);
    // The same keys as an older program wrote them: one indented document, no origins.
    QJsonObject older = QJsonDocument::fromJson(*json).object();
    QJsonArray keys;
    for (const QJsonValue& k : older.value("keystrokes").toArray()) {
        QJsonObject o = k.toObject();
        o.remove("origin");
        keys.append(o);
    }
    older["keystrokes"] = keys;
    older["version"] = 1;
    r = importKeystrokes(b, QJsonDocument(older).toJson(QJsonDocument::Indented), &error);
    ASSERT_TRUE(r) << error.toStdString();
    EXPECT_EQ(r->read, 55);
    EXPECT_EQ(r->added, 0);
    auto merged = allKeystrokes(b);
    ASSERT_EQ(merged.size(), 58u);
    EXPECT_EQ(std::vector<Keystroke>(merged.begin() + 3, merged.end()), allKeystrokes(a));
    EXPECT_EQ(b.figures(0)->keystrokes, 58);
}

TEST_F(Stores, AFileThatIsNotAnExportChangesNothing) {
    QString error;
    EXPECT_FALSE(importKeystrokes(b, "not json", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(importKeystrokes(b, R"({"format":"something else","keystrokes":[]})", &error));
    // The right name but the wrong shape is no import of 0 keys.
    for (const char* shape :
         {R"({"format":"lumbra-keystrokes","version":2,"keystrokes":{}})",
          R"({"format":"lumbra-keystrokes","version":2})", R"({"format":"lumbra-keystrokes","keystrokes":[1]})",
          R"({"format":"lumbra-keystrokes","keystrokes":[]} trailing)"})
        EXPECT_FALSE(importKeystrokes(b, QByteArray(shape), &error)) << shape;
    // One bad record among good ones: nothing is added.
    const QByteArray oneBad = R"({"format":"lumbra-keystrokes","keystrokes":[
        {"time_ms":1,"mode":10,"expected_vk":65,"pressed_vk":65,"correct":true,"gap_ms":null,"layout":0},
        {"time_ms":2,"mode":10,"expected_vk":65,"pressed_vk":999,"correct":true,"gap_ms":5,"layout":0}]})";
    EXPECT_FALSE(importKeystrokes(b, oneBad, &error));
    EXPECT_TRUE(allKeystrokes(b).empty());
}
