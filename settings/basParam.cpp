#include "basParam.h"

#include <type_traits>

#include "Cp932.h"
#include "Dialogs.h"
#include "Numbers.h"
#include "Paths.h"
#include "SafeWrite.h"

namespace {

QString trimBlanks(const QString& s) {
    qsizetype b = 0, e = s.size();
    while (b < e && (s[b] == u' ' || s[b] == u'\t')) ++b;
    while (e > b && (s[e - 1] == u' ' || s[e - 1] == u'\t')) --e;
    return s.mid(b, e - b);
}

std::optional<bool> parseBool(const QString& v) {
    const QString t = trimBlanks(v);
    if (t.compare(u"True", Qt::CaseInsensitive) == 0) return true;
    if (t.compare(u"False", Qt::CaseInsensitive) == 0) return false;
    if (const auto n = num::parseNumber(t)) return *n != 0.0;
    return std::nullopt;
}

// What each kind of key (SettingKinds.h) does with its default, with a line
// of the file, and when it is written.
QString defaultText(const char* utf8) { return QString::fromUtf8(utf8); }
QString defaultText(const QString& s) { return s; }

void reset(setting::Int16, int16_t& m, int d) { m = static_cast<int16_t>(d); }
void reset(setting::Either, int16_t& m, int d) { m = static_cast<int16_t>(d); }
void reset(setting::Int32, int32_t& m, int d) { m = d; }
void reset(setting::Size, int32_t&, int) {}  // window sizes keep their values
void reset(setting::Flag, bool& m, bool d) { m = d; }
template <class K, class D>
void reset(K, QString& m, const D& d) {
    m = defaultText(d);
}

bool isDefault(setting::Int16, int16_t m, int d) { return m == d; }
bool isDefault(setting::Either, int16_t m, int d) { return m == d; }
bool isDefault(setting::Int32, int32_t m, int d) { return m == d; }
bool isDefault(setting::Size, int32_t, int) { return false; }  // always written
bool isDefault(setting::Flag, bool m, bool d) { return m == d; }
template <class K, class D>
bool isDefault(K, const QString& m, const D& d) {
    return m == defaultText(d);
}

QString valueText(int16_t m) { return QString::number(m); }
QString valueText(int32_t m) { return QString::number(m); }
QString valueText(bool m) { return m ? QStringLiteral("True") : QStringLiteral("False"); }
QString valueText(const QString& m) { return m; }

// A number out of range reads as the default; text that is no number (or
// does not fit the type) leaves the value as it was.
void load(setting::Int16, int16_t& m, const QString& v, int d, int lo, int hi) {
    const auto n = num::parseNumber(v);
    const auto i = n ? num::toInt16(*n) : std::nullopt;
    if (i) m = *i >= lo && *i <= hi ? *i : static_cast<int16_t>(d);
}
void load(setting::Either, int16_t& m, const QString& v, int d, int lo, int hi) {
    const auto n = num::parseNumber(v);
    const auto i = n ? num::toInt16(*n) : std::nullopt;
    if (i) m = *i == lo || *i == hi ? *i : static_cast<int16_t>(d);
}
void load(setting::Int32, int32_t& m, const QString& v, int d, int lo, int hi) {
    const auto n = num::parseNumber(v);
    const auto i = n ? num::toInt32(*n) : std::nullopt;
    if (i) m = *i >= lo && *i <= hi ? *i : d;
}
void load(setting::Size, int32_t& m, const QString& v, int, int, int) {
    const auto n = num::parseNumber(v);
    if (const auto i = n ? num::toInt32(*n) : std::nullopt) m = *i;
}
void load(setting::Flag, bool& m, const QString& v, bool, int, int) {
    if (const auto b = parseBool(v)) m = *b;
}
template <class D>
void load(setting::Text, QString& m, const QString& v, const D&, int, int) {
    m = trimBlanks(v);
}
template <class D>
void load(setting::Name, QString& m, const QString& v, const D&, int, int) {
    m = trimBlanks(v).left(10);
}
template <class D>
void load(setting::Color, QString& m, const QString& v, const D&, int, int) {
    const QString t = trimBlanks(v);
    if (t.size() == 9) m = t;
}

// The member of a colour key; null for the other kinds.
template <class K, class T>
QString basParam::*colorMember(K, T basParam::*m) {
    if constexpr (std::is_same_v<K, setting::Color>)
        return m;
    else
        return nullptr;
}

// The keys in file order.
constexpr const char* kKeyNames[] = {
#define LUMBRA_SETTING(Kind, Name, Default, Low, High) #Name,
#include "SettingsTable.h"
#undef LUMBRA_SETTING
};
}  // namespace

basParam::basParam(const QString& programFolder, const QString& productName, Dialogs& dialogs)
    : basParam(programFolder, productName, dialogs, FileFaults::none()) {}

basParam::basParam(const QString& programFolder, const QString& productName, Dialogs& dialogs, FileFaults& faults)
    : mDialogs(dialogs), mFaults(faults), mFolder(withTrailingSlash(programFolder)), mProduct(productName) {
    AssignDefaults();
}

QString basParam::SettingsFileName() const { return mFolder + mProduct + QStringLiteral(".ini"); }
QString basParam::DefaultDataFileName() const { return mFolder + mProduct + QStringLiteral(".dat"); }
QString basParam::KeystrokeFileName() const { return mFolder + mProduct + QStringLiteral(".db"); }
QString basParam::DefaultTextFileName() const { return mFolder + QStringLiteral("Text/Pref.txt"); }

void basParam::AssignDefaults() {
#define LUMBRA_SETTING(Kind, Name, Default, Low, High) reset(setting::Kind{}, m_##Name, Default);
#include "SettingsTable.h"
#undef LUMBRA_SETTING
}

bool basParam::LoadSettings() {
    AssignDefaults();
    // Only a regular file: a pipe or a device in its place could block or
    // never end.
    const FileRead read = readWholeFile(SettingsFileName(), kMaxSettingsBytes + 1, mFaults);
    mUnreadable = read.status == FileRead::Failed ? read.reason : QString();
    if (read.status == FileRead::Read) LoadSettingsFromBytes(read.bytes);
    mStartValues = ValueTexts();  // what a save lays over the file is what changes from here
    return read.status == FileRead::Read;
}

void basParam::ReportUnreadableSettings() {
    if (mUnreadable.isEmpty()) return;
    mDialogs.msgBox(
        QStringLiteral("設定ファイルを読み込めませんでした。") + QStringLiteral("\r\n") + SettingsFileName() +
            QStringLiteral("\r\n") + mUnreadable + QStringLiteral("\r\n\r\n") +
            QStringLiteral("今回は標準の設定で始めます。読み込めるようになるまで、このファイルには書き込みません。"),
        mProduct, MsgIcon::Exclamation);
}

void basParam::LoadSettingsFromBytes(const QByteArray& bytes) {
    AssignDefaults();
    QByteArray head = bytes;
    if (head.size() > kMaxSettingsBytes) {  // the line cut off at the limit is dropped too
        head.truncate(kMaxSettingsBytes);
        head.truncate(head.lastIndexOf('\n') + 1);
    }
    const QString text = cp932::decodeTextFile(head);
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        ApplySettingsLine(line.toString());
    }
}

void basParam::ApplySettingsLine(const QString& rawLine) {
    qsizetype start = 0;
    while (start < rawLine.size() && (rawLine[start] == u' ' || rawLine[start] == u'\t')) ++start;
    const QString line = rawLine.mid(start);
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0) return;
    const QString key = trimBlanks(line.left(eq));
    if (key.isEmpty()) return;
    const QString value = line.mid(eq + 1);
#define LUMBRA_SETTING(Kind, Name, Default, Low, High)                 \
    if (key.compare(QLatin1String(#Name), Qt::CaseInsensitive) == 0) { \
        load(setting::Kind{}, m_##Name, value, Default, Low, High);    \
        return;                                                        \
    }
#include "SettingsTable.h"
#undef LUMBRA_SETTING
}

QByteArray basParam::SettingsFileBytes() const {
    QString out = u'[' + mProduct + QStringLiteral("]\r\n\r\n");
    auto line = [&out](const char* key, const QString& value) {
        out += QLatin1String(key) + u'=' + value + QStringLiteral("\r\n");
    };
#define LUMBRA_SETTING(Kind, Name, Default, Low, High) \
    if (!isDefault(setting::Kind{}, m_##Name, Default)) line(#Name, valueText(m_##Name));
#include "SettingsTable.h"
#undef LUMBRA_SETTING
    // CP932 as the settings file always was; when a value has no CP932 form
    // (a folder name with accented letters, say) or its bytes could be taken
    // for UTF-8, the file is UTF-8 with a byte-order mark, so that it always
    // reads back as written (the rule is cp932::decodeTextFile's).
    return cp932::encodeTextFile(out);
}

// This run's changes laid over the file as it is on disk now, read again for
// every attempt: what another copy of the program saved meanwhile stays,
// and a retry after a failed save merges with the newest file.
bool basParam::SaveSettings() {
    const QStringList now = ValueTexts();
    const SaveContents contents = [&]() -> std::optional<QByteArray> {
        const FileRead read = readWholeFile(SettingsFileName(), kMaxSettingsBytes + 1, mFaults);
        if (read.status == FileRead::Failed) {
            // A file unreadable since the start stays as it is; one that could
            // be read then gets this run's whole settings, which began from it.
            if (!mUnreadable.isEmpty()) return std::nullopt;
            return SettingsFileBytes();
        }
        basParam merged(mFolder, mProduct, mDialogs, mFaults);
        if (read.status == FileRead::Read) merged.LoadSettingsFromBytes(read.bytes);
        for (qsizetype i = 0; i < now.size(); ++i) {
            // A store never loaded has nothing to compare with: all of it is its own.
            if (mStartValues.size() != now.size() || now[i] != mStartValues[i])
                merged.ApplySettingsLine(QLatin1String(kKeyNames[i]) + u'=' + now[i]);
        }
        return merged.SettingsFileBytes();
    };
    const bool saved = writeFileWithRetry(SettingsFileName(), contents, mDialogs,
                                          QStringLiteral("設定ファイルの書き込みに失敗しました。"), mFaults);
    if (saved) mStartValues = now;  // a later save lays only what changed after this one
    return saved;
}

QStringList basParam::ValueTexts() const {
    QStringList values;
#define LUMBRA_SETTING(Kind, Name, Default, Low, High) values << valueText(m_##Name);
#include "SettingsTable.h"
#undef LUMBRA_SETTING
    return values;
}

// A graph's colour keys are the colour keys of the table that begin with the
// graph's name ("TestGraph", "TypeGraph", "TextGraph").
QString basParam::*basParam::graphColorMember(const QString& key, const char* graph) {
    if (!key.startsWith(QLatin1String(graph))) return nullptr;
#define LUMBRA_SETTING(Kind, Name, Default, Low, High) \
    if (auto m = colorMember(setting::Kind{}, &basParam::m_##Name); m && key == QLatin1String(#Name)) return m;
#include "SettingsTable.h"
#undef LUMBRA_SETTING
    return nullptr;
}

QString basParam::graphColor(const QString& key, const char* graph) const {
    QString basParam::*m = graphColorMember(key, graph);
    return m ? this->*m : QString();
}

void basParam::setGraphColor(const QString& key, const char* graph, const QString& value) {
    if (QString basParam::*m = graphColorMember(key, graph)) this->*m = value;
}

QString basParam::GetTestGraphColor(const QString& key) const { return graphColor(key, "TestGraph"); }
void basParam::SetTestGraphColor(const QString& key, const QString& v) { setGraphColor(key, "TestGraph", v); }
QString basParam::GetTypeGraphColor(const QString& key) const { return graphColor(key, "TypeGraph"); }
void basParam::SetTypeGraphColor(const QString& key, const QString& v) { setGraphColor(key, "TypeGraph", v); }
QString basParam::GetTextGraphColor(const QString& key) const { return graphColor(key, "TextGraph"); }
void basParam::SetTextGraphColor(const QString& key, const QString& v) { setGraphColor(key, "TextGraph", v); }
