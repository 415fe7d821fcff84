#include "basParam.h"

#include <QFile>
#include <QFileInfo>

#include "Cp932.h"
#include "Numbers.h"
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
    : mDialogs(dialogs), mFolder(programFolder), mProduct(productName) {
    if (!mFolder.endsWith(u'/')) mFolder += u'/';
    AssignDefaults();
}

QString basParam::SettingsFileName() const { return mFolder + mProduct + QStringLiteral(".ini"); }
QString basParam::DefaultDataFileName() const { return mFolder + mProduct + QStringLiteral(".dat"); }
QString basParam::KeystrokeFileName() const {
    return QFileInfo(SettingsFileName()).absolutePath() + u'/' + mProduct + QStringLiteral(".db");
}
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
    const QFileInfo info(SettingsFileName());
    if (info.exists() && !info.isFile()) return false;
    QFile f(SettingsFileName());
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = f.read(kMaxSettingsBytes + 1);
    if (f.error() != QFileDevice::NoError) return false;
    LoadSettingsFromBytes(bytes);
    return true;
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
                if (this->*k.i16 != k.def) line(k.name, QString::number(this->*k.i16));
                break;
            case KeyDef::Int32:
                if (this->*k.i32 != k.def) line(k.name, QString::number(this->*k.i32));
                break;
            case KeyDef::Size: line(k.name, QString::number(this->*k.i32)); break;
            case KeyDef::Flag:
                if (this->*k.flag != (k.def != 0)) line(k.name, this->*k.flag ? QStringLiteral("True") : QStringLiteral("False"));
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
    // CP932 as the settings file always was; a value CP932 cannot hold (a
    // folder name with accented letters, say) would turn into "?" and be lost,
    // so such a file is written in UTF-8, which the loader recognises.
    return cp932::canEncode(out) ? cp932::encode(out) : out.toUtf8();
}

bool basParam::SaveSettings() {
    return writeFileWithRetry(SettingsFileName(), SettingsFileBytes(), mDialogs,
                              QStringLiteral("設定ファイルの書き込みに失敗しました。"));
}

QString* basParam::textColorSlot(const QString& key, int graph) {
    static const struct { int graph; const char* key; QString basParam::*m; } kSlots[] = {
        {0, "TestGraphForeColor", &basParam::m_TestGraphForeColor},
        {0, "TestGraphBackColor", &basParam::m_TestGraphBackColor},
        {0, "TestGraphTimeColor", &basParam::m_TestGraphTimeColor},
        {0, "TestGraphMissColor", &basParam::m_TestGraphMissColor},
        {1, "TypeGraphForeColor", &basParam::m_TypeGraphForeColor},
        {1, "TypeGraphBackColor", &basParam::m_TypeGraphBackColor},
        {1, "TypeGraphMissColor", &basParam::m_TypeGraphMissColor},
        {2, "TextGraphForeColor", &basParam::m_TextGraphForeColor},
        {2, "TextGraphBackColor", &basParam::m_TextGraphBackColor},
        {2, "TextGraphInputColor", &basParam::m_TextGraphInputColor},
        {2, "TextGraphMissColor", &basParam::m_TextGraphMissColor},
        {2, "TextGraphInpPMinColor", &basParam::m_TextGraphInpPMinColor},
    };
    for (const auto& s : kSlots)
        if (s.graph == graph && key == QLatin1String(s.key)) return &(this->*s.m);
    return nullptr;
}

QString basParam::GetTestGraphColor(const QString& key) const {
    const QString* s = const_cast<basParam*>(this)->textColorSlot(key, 0);
    return s ? *s : QString();
}
void basParam::SetTestGraphColor(const QString& key, const QString& value) {
    if (QString* s = textColorSlot(key, 0)) *s = value;
}
QString basParam::GetTypeGraphColor(const QString& key) const {
    const QString* s = const_cast<basParam*>(this)->textColorSlot(key, 1);
    return s ? *s : QString();
}
void basParam::SetTypeGraphColor(const QString& key, const QString& value) {
    if (QString* s = textColorSlot(key, 1)) *s = value;
}
QString basParam::GetTextGraphColor(const QString& key) const {
    const QString* s = const_cast<basParam*>(this)->textColorSlot(key, 2);
    return s ? *s : QString();
}
void basParam::SetTextGraphColor(const QString& key, const QString& value) {
    if (QString* s = textColorSlot(key, 2)) *s = value;
}
