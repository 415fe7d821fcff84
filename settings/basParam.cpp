#include "basParam.h"

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

// A 16-bit value; nullopt when the text is not a number or out of range.
// viaLong: converted to a 32-bit value first and then narrowed, which fails
// the same way for anything outside the 16-bit range.
std::optional<int16_t> parseInt16(const QString& value, bool viaLong) {
    const auto n = num::parseNumber(value);
    if (!n) return std::nullopt;
    if (!viaLong) return num::toInt16(*n);
    const auto l = num::toInt32(*n);
    if (!l || *l < INT16_MIN || *l > INT16_MAX) return std::nullopt;
    return static_cast<int16_t>(*l);
}

std::optional<bool> parseBool(const QString& v) {
    const QString t = trimBlanks(v);
    if (t.compare(u"True", Qt::CaseInsensitive) == 0) return true;
    if (t.compare(u"False", Qt::CaseInsensitive) == 0) return false;
    if (const auto n = num::parseNumber(t)) return *n != 0.0;
    return std::nullopt;
}
}  // namespace

// One settings key: where it lives, its default and its load check.
struct basParam::KeyDef {
    enum Kind { Int16, Int32, Size, Text, Name, Color, Flag };
    const char* name;
    Kind kind;
    int16_t basParam::*i16 = nullptr;
    int32_t basParam::*i32 = nullptr;
    QString basParam::*str = nullptr;
    bool basParam::*flag = nullptr;
    int32_t def = 0;        // numeric default (Flag: 1 = True)
    int32_t lo = 0, hi = 0; // accepted range of a number
    const char* defText = nullptr;  // default of a string or colour; null = computed
    bool onlyZeroOrTwo = false;     // TestGraphIndex accepts 0 or 2
    bool viaLong = false;           // parsed as a Long, then narrowed (TypeGraphFillStyle)

    static KeyDef i(const char* n, int16_t basParam::*m, int d, int l, int h) {
        KeyDef k{n, Int16}; k.i16 = m; k.def = d; k.lo = l; k.hi = h; return k;
    }
    static KeyDef l(const char* n, int32_t basParam::*m, int d, int lo, int hi) {
        KeyDef k{n, Int32}; k.i32 = m; k.def = d; k.lo = lo; k.hi = hi; return k;
    }
    static KeyDef size(const char* n, int32_t basParam::*m) { KeyDef k{n, Size}; k.i32 = m; return k; }
    static KeyDef text(const char* n, QString basParam::*m, const char* d) {
        KeyDef k{n, Text}; k.str = m; k.defText = d; return k;
    }
    static KeyDef color(const char* n, QString basParam::*m, const char* d) {
        KeyDef k{n, Color}; k.str = m; k.defText = d; return k;
    }
};

const std::vector<basParam::KeyDef>& basParam::Keys() {
    using K = KeyDef;
    static const std::vector<KeyDef> keys = [] {
        std::vector<KeyDef> v{
            K::i("Level", &basParam::m_Level, 0, 0, 13),
            K::l("NeedCount", &basParam::m_NeedCount, 50, 1, 9999),
            K::i("KeyBoard", &basParam::m_KeyBoard, 1, 0, 1),
            K::i("KeyBoardSize", &basParam::m_KeyBoardSize, 0, 0, 1),
            K::i("KeyBoardType", &basParam::m_KeyBoardType, 0, 0, 1),
            K::text("FontName", &basParam::m_FontName, "ＭＳ ゴシック"),
            K::text("DataFileName", &basParam::m_DataFileName, nullptr),
            K::i("BindKey6", &basParam::m_BindKey6, 4, 3, 4),
            K::i("LetterType", &basParam::m_LetterType, 0, 0, 1),
            K::i("MissBeep", &basParam::m_MissBeep, 0, 0, 1),
            K::i("MissNext", &basParam::m_MissNext, 0, 0, 1),
            K::i("MissKeyDisp", &basParam::m_MissKeyDisp, 1, 0, 1),
            K::text("TextFileName", &basParam::m_TextFileName, nullptr),
            K::i("TextRead", &basParam::m_TextRead, 0, 0, 2),
        };
        KeyDef navi{"TextDisplayNavi", KeyDef::Flag};
        navi.flag = &basParam::m_TextDisplayNavi;
        navi.def = 1;
        v.push_back(navi);
        v.push_back(K::i("TextRomaji", &basParam::m_TextRomaji, 1, 0, 1));
        KeyDef player{"PlayerName", KeyDef::Name};
        player.str = &basParam::m_PlayerName;
        player.defText = "";
        v.push_back(player);
        v.push_back(K::i("SpeedGameType", &basParam::m_SpeedGameType, 1, 0, 1));
        v.push_back(K::color("SpeedNormalColor", &basParam::m_SpeedNormalColor, "255055055"));
        v.push_back(K::color("SpeedActiveColor", &basParam::m_SpeedActiveColor, "055055255"));
        v.push_back(K::size("TestGraphWidth", &basParam::m_TestGraphWidth));
        v.push_back(K::size("TestGraphHeight", &basParam::m_TestGraphHeight));
        KeyDef index = K::i("TestGraphIndex", &basParam::m_TestGraphIndex, 2, 0, 2);
        index.onlyZeroOrTwo = true;
        v.push_back(index);
        v.push_back(K::color("TestGraphForeColor", &basParam::m_TestGraphForeColor, "000000000"));
        v.push_back(K::color("TestGraphBackColor", &basParam::m_TestGraphBackColor, "239239239"));
        v.push_back(K::color("TestGraphTimeColor", &basParam::m_TestGraphTimeColor, "255000000"));
        v.push_back(K::color("TestGraphMissColor", &basParam::m_TestGraphMissColor, "000128255"));
        v.push_back(K::size("TypeGraphWidth", &basParam::m_TypeGraphWidth));
        v.push_back(K::size("TypeGraphHeight", &basParam::m_TypeGraphHeight));
        v.push_back(K::color("TypeGraphForeColor", &basParam::m_TypeGraphForeColor, "000000000"));
        v.push_back(K::color("TypeGraphBackColor", &basParam::m_TypeGraphBackColor, "239239239"));
        v.push_back(K::color("TypeGraphMissColor", &basParam::m_TypeGraphMissColor, "055155055"));
        KeyDef fill = K::i("TypeGraphFillStyle", &basParam::m_TypeGraphFillStyle, 5, 0, 7);
        fill.viaLong = true;
        v.push_back(fill);
        v.push_back(K::size("TextGraphWidth", &basParam::m_TextGraphWidth));
        v.push_back(K::size("TextGraphHeight", &basParam::m_TextGraphHeight));
        v.push_back(K::color("TextGraphForeColor", &basParam::m_TextGraphForeColor, "000000000"));
        v.push_back(K::color("TextGraphBackColor", &basParam::m_TextGraphBackColor, "239239239"));
        v.push_back(K::color("TextGraphInputColor", &basParam::m_TextGraphInputColor, "255128128"));
        v.push_back(K::color("TextGraphMissColor", &basParam::m_TextGraphMissColor, "000128000"));
        v.push_back(K::color("TextGraphInpPMinColor", &basParam::m_TextGraphInpPMinColor, "000128255"));
        v.push_back(K::i("TextGraphDisp", &basParam::m_TextGraphDisp, 7, 0, 7));
        // Beyond the keys above: the on-screen keyboard coloured by weakness.
        v.push_back(K::i("KeyBoardHeatMap", &basParam::m_KeyBoardHeatMap, 0, 0, 1));
        return v;
    }();
    return keys;
}

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
    for (const KeyDef& k : Keys()) {
        switch (k.kind) {
            case KeyDef::Int16: this->*k.i16 = static_cast<int16_t>(k.def); break;
            case KeyDef::Int32: this->*k.i32 = k.def; break;
            case KeyDef::Size: break;  // window sizes keep their values
            case KeyDef::Flag: this->*k.flag = k.def != 0; break;
            case KeyDef::Text: case KeyDef::Name: case KeyDef::Color:
                if (k.defText) this->*k.str = QString::fromUtf8(k.defText);
                break;
        }
    }
    m_DataFileName = DefaultDataFileName();
    m_TextFileName = DefaultTextFileName();
}

bool basParam::LoadSettings() {
    AssignDefaults();
    // Only a regular file: a pipe or a device in its place could block or
    // never end.
    const FileRead read = readWholeFile(SettingsFileName(), kMaxSettingsBytes + 1, mFaults);
    mUnreadable = read.status == FileRead::Failed ? read.reason : QString();
    mStartValues = ValueTexts();
    if (read.status != FileRead::Read) return false;
    LoadSettingsFromBytes(read.bytes);
    return true;
}

void basParam::ReportUnreadableSettings() {
    if (mUnreadable.isEmpty()) return;
    mDialogs.msgBox(QStringLiteral("設定ファイルを読み込めませんでした。") + QStringLiteral("\r\n") + SettingsFileName() +
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
    for (const KeyDef& k : Keys()) {
        if (key.compare(QLatin1String(k.name), Qt::CaseInsensitive) != 0) continue;
        switch (k.kind) {
            case KeyDef::Int16: {
                const auto v = parseInt16(value, k.viaLong);
                if (!v) return;
                const bool ok = k.onlyZeroOrTwo ? (*v == 0 || *v == 2) : (*v >= k.lo && *v <= k.hi);
                this->*k.i16 = ok ? *v : static_cast<int16_t>(k.def);
                return;
            }
            case KeyDef::Int32: case KeyDef::Size: {
                const auto n = num::parseNumber(value);
                const auto v = n ? num::toInt32(*n) : std::nullopt;
                if (!v) return;
                const bool ok = k.kind == KeyDef::Size || (*v >= k.lo && *v <= k.hi);
                this->*k.i32 = ok ? *v : k.def;
                return;
            }
            case KeyDef::Flag:
                if (const auto b = parseBool(value)) this->*k.flag = *b;
                return;
            case KeyDef::Text: this->*k.str = trimBlanks(value); return;
            case KeyDef::Name: this->*k.str = trimBlanks(value).left(10); return;
            case KeyDef::Color: {
                const QString t = trimBlanks(value);
                if (t.size() == 9) this->*k.str = t;
                return;
            }
        }
    }
}

QByteArray basParam::SettingsFileBytes() const {
    QString out = u'[' + mProduct + QStringLiteral("]\r\n\r\n");
    auto line = [&out](const char* key, const QString& value) {
        out += QLatin1String(key) + u'=' + value + QStringLiteral("\r\n");
    };
    for (const KeyDef& k : Keys()) {
        switch (k.kind) {
            case KeyDef::Int16:
                if (this->*k.i16 != k.def) line(k.name, ValueText(k));
                break;
            case KeyDef::Int32:
                if (this->*k.i32 != k.def) line(k.name, ValueText(k));
                break;
            case KeyDef::Size: line(k.name, ValueText(k)); break;
            case KeyDef::Flag:
                if (this->*k.flag != (k.def != 0)) line(k.name, ValueText(k));
                break;
            case KeyDef::Text: case KeyDef::Name: case KeyDef::Color: {
                QString def = k.defText ? QString::fromUtf8(k.defText) : QString();
                if (k.str == &basParam::m_DataFileName) def = DefaultDataFileName();
                if (k.str == &basParam::m_TextFileName) def = DefaultTextFileName();
                if (this->*k.str != def) line(k.name, this->*k.str);
                break;
            }
        }
    }
    // CP932 as the settings file always was; when a value has no CP932 form
    // (a folder name with accented letters, say) or its bytes could be taken
    // for UTF-8, the file is UTF-8 with a byte-order mark, so that it always
    // reads back as written (the rule is cp932::decodeTextFile's).
    return cp932::encodeTextFile(out);
}

bool basParam::SaveSettings() {
    QByteArray bytes = SettingsFileBytes();
    if (!mUnreadable.isEmpty()) {
        const FileRead read = readWholeFile(SettingsFileName(), kMaxSettingsBytes + 1, mFaults);
        if (read.status == FileRead::Failed) return false;  // the user's file stays as it is
        basParam merged(mFolder, mProduct, mDialogs, mFaults);
        if (read.status == FileRead::Read) merged.LoadSettingsFromBytes(read.bytes);
        const QStringList now = ValueTexts();
        for (size_t i = 0; i < Keys().size(); ++i) {
            if (now[i] != mStartValues[i]) merged.ApplySettingsLine(QLatin1String(Keys()[i].name) + u'=' + now[i]);
        }
        bytes = merged.SettingsFileBytes();
    }
    return writeFileWithRetry(SettingsFileName(), bytes, mDialogs,
                              QStringLiteral("設定ファイルの書き込みに失敗しました。"), mFaults);
}

QString basParam::ValueText(const KeyDef& k) const {
    switch (k.kind) {
        case KeyDef::Int16: return QString::number(this->*k.i16);
        case KeyDef::Int32: case KeyDef::Size: return QString::number(this->*k.i32);
        case KeyDef::Flag: return this->*k.flag ? QStringLiteral("True") : QStringLiteral("False");
        case KeyDef::Text: case KeyDef::Name: case KeyDef::Color: break;
    }
    return this->*k.str;
}

QStringList basParam::ValueTexts() const {
    QStringList values;
    for (const KeyDef& k : Keys()) values << ValueText(k);
    return values;
}

// A graph's colour keys are the colour keys of the table that begin with the
// graph's name ("TestGraph", "TypeGraph", "TextGraph").
QString basParam::* basParam::graphColorMember(const QString& key, const char* graph) {
    if (!key.startsWith(QLatin1String(graph))) return nullptr;
    for (const KeyDef& k : Keys())
        if (k.kind == KeyDef::Color && key == QLatin1String(k.name)) return k.str;
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
