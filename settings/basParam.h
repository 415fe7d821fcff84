#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

class Dialogs;
class FileFaults;

// The parameter store: one value per settings key, each with a property named
// exactly like its key (getter Level(), setter Level(v)), and the two routines
// that move all values between memory and the settings file
// "<product>.ini" in the program folder.
//
// Setters store what they are given without any range check (the only one
// that changes its argument is TextDisplayNavi). LoadSettings applies the load
// checks; SaveSettings writes the keys that differ from their defaults, in
// table order, CP932 with CR LF (UTF-8 when a value has characters CP932
// cannot hold), through a temporary file that replaces the old one, so a
// failed save never leaves a damaged file behind. LoadSettings reads UTF-8
// when the file is valid UTF-8, otherwise CP932.
class basParam {
public:
    // programFolder: the folder of the executable; productName: "Lumbra".
    basParam(const QString& programFolder, const QString& productName, Dialogs& dialogs);
    // faults: the file layer's fault seam (tests script failures through it).
    basParam(const QString& programFolder, const QString& productName, Dialogs& dialogs, FileFaults& faults);

    // False when there is no settings file or it could not be read. A file
    // that is there but cannot be read (no permission, an I/O error, not a
    // regular file) is remembered: SaveSettings then does not write over it
    // until a later read succeeds.
    bool LoadSettings();
    bool SettingsUnreadable() const { return !mUnreadable.isEmpty(); }
    // Tells the user, once, that the settings file could not be read and will
    // not be written; nothing when it was read or is missing.
    void ReportUnreadableSettings();
    // What LoadSettings does with the file's contents: the defaults, then
    // every line (UTF-8 when valid, otherwise CP932). Only the first
    // kMaxSettingsBytes count, up to the last whole line in them.
    void LoadSettingsFromBytes(const QByteArray& bytes);
    // A settings file holds a few hundred bytes; a damaged or foreign file in
    // its place is read no further than this, so it cannot hold up start-up.
    static constexpr qint64 kMaxSettingsBytes = 1024 * 1024;
    // Writes the settings. After a failed read at start-up it first reads the
    // file again: still unreadable, nothing is written (false); readable now,
    // the file's values are kept and only what changed during this run is laid
    // over them.
    bool SaveSettings();

    const QString& ProductName() const { return mProduct; }
    QString SettingsFileName() const;     // <folder>/<product>.ini
    QString DefaultDataFileName() const;  // <folder>/<product>.dat
    QString DefaultTextFileName() const;  // <folder>/Text/Pref.txt
    // The keystroke store, "<product>.db" in the folder of the settings file.
    QString KeystrokeFileName() const;
    const QString& ProgramFolder() const { return mFolder; }  // ends in "/"

#define LUMBRA_PROP(Type, Name) \
    Type Name() const { return m_##Name; } \
    void Name(Type v) { m_##Name = v; }
    LUMBRA_PROP(int16_t, Level)
    LUMBRA_PROP(int32_t, NeedCount)
    LUMBRA_PROP(int16_t, KeyBoard)
    LUMBRA_PROP(int16_t, KeyBoardSize)
    LUMBRA_PROP(int16_t, KeyBoardType)
    LUMBRA_PROP(QString, FontName)
    LUMBRA_PROP(QString, DataFileName)
    LUMBRA_PROP(int16_t, BindKey6)
    LUMBRA_PROP(int16_t, LetterType)
    LUMBRA_PROP(int16_t, MissBeep)
    LUMBRA_PROP(int16_t, MissNext)
    LUMBRA_PROP(int16_t, MissKeyDisp)
    LUMBRA_PROP(QString, TextFileName)
    LUMBRA_PROP(int16_t, TextRead)
    // 1 = text practice takes every romaji spelling a Japanese input method
    // takes (si for し, tu for つ ...); 0 = only the file's spelling.
    LUMBRA_PROP(int16_t, TextRomaji)
    LUMBRA_PROP(QString, PlayerName)
    LUMBRA_PROP(int16_t, SpeedGameType)
    LUMBRA_PROP(QString, SpeedNormalColor)
    LUMBRA_PROP(QString, SpeedActiveColor)
    LUMBRA_PROP(int32_t, TestGraphWidth)
    LUMBRA_PROP(int32_t, TestGraphHeight)
    LUMBRA_PROP(int16_t, TestGraphIndex)
    LUMBRA_PROP(QString, TestGraphForeColor)
    LUMBRA_PROP(QString, TestGraphBackColor)
    LUMBRA_PROP(QString, TestGraphTimeColor)
    LUMBRA_PROP(QString, TestGraphMissColor)
    LUMBRA_PROP(int32_t, TypeGraphWidth)
    LUMBRA_PROP(int32_t, TypeGraphHeight)
    LUMBRA_PROP(QString, TypeGraphForeColor)
    LUMBRA_PROP(QString, TypeGraphBackColor)
    LUMBRA_PROP(QString, TypeGraphMissColor)
    LUMBRA_PROP(int16_t, TypeGraphFillStyle)
    LUMBRA_PROP(int32_t, TextGraphWidth)
    LUMBRA_PROP(int32_t, TextGraphHeight)
    LUMBRA_PROP(QString, TextGraphForeColor)
    LUMBRA_PROP(QString, TextGraphBackColor)
    LUMBRA_PROP(QString, TextGraphInputColor)
    LUMBRA_PROP(QString, TextGraphMissColor)
    LUMBRA_PROP(QString, TextGraphInpPMinColor)
    LUMBRA_PROP(int16_t, TextGraphDisp)
    LUMBRA_PROP(int16_t, KeyBoardHeatMap)  // 1 = keys coloured by weakness instead of by finger
#undef LUMBRA_PROP

    bool TextDisplayNavi() const { return m_TextDisplayNavi; }
    void TextDisplayNavi(bool v) { m_TextDisplayNavi = v; }
    void TextDisplayNavi(int v) { m_TextDisplayNavi = v != 0; }  // any non-zero value is True

    // Graph colours by key name (exact, case-sensitive). An unknown key reads
    // as "" and is not stored.
    QString GetTestGraphColor(const QString& key) const;
    void SetTestGraphColor(const QString& key, const QString& value);
    QString GetTypeGraphColor(const QString& key) const;
    void SetTypeGraphColor(const QString& key, const QString& value);
    QString GetTextGraphColor(const QString& key) const;
    void SetTextGraphColor(const QString& key, const QString& value);

    // The settings file as SaveSettings would write it (CP932 bytes).
    QByteArray SettingsFileBytes() const;
    // Applies one line of a settings file, as LoadSettings does.
    void ApplySettingsLine(const QString& line);

private:
    struct KeyDef;
    static const std::vector<KeyDef>& Keys();
    void AssignDefaults();
    static QString basParam::*graphColorMember(const QString& key, const char* graph);
    QString graphColor(const QString& key, const char* graph) const;
    void setGraphColor(const QString& key, const char* graph, const QString& value);
    QString ValueText(const KeyDef& k) const;
    QStringList ValueTexts() const;

    Dialogs& mDialogs;
    FileFaults& mFaults;
    QString mFolder;
    QString mProduct;
    QString mUnreadable;        // why the existing file could not be read at start-up
    QStringList mStartValues;   // every key's value then, to find what this run changed

    int16_t m_Level = 0;
    int32_t m_NeedCount = 0;
    int16_t m_KeyBoard = 0;
    int16_t m_KeyBoardSize = 0;
    int16_t m_KeyBoardType = 0;
    QString m_FontName;
    QString m_DataFileName;
    int16_t m_BindKey6 = 0;
    int16_t m_LetterType = 0;
    int16_t m_MissBeep = 0;
    int16_t m_MissNext = 0;
    int16_t m_MissKeyDisp = 0;
    QString m_TextFileName;
    int16_t m_TextRead = 0;
    int16_t m_TextRomaji = 0;
    bool m_TextDisplayNavi = false;
    QString m_PlayerName;
    int16_t m_SpeedGameType = 0;
    QString m_SpeedNormalColor;
    QString m_SpeedActiveColor;
    int32_t m_TestGraphWidth = 0;
    int32_t m_TestGraphHeight = 0;
    int16_t m_TestGraphIndex = 0;
    QString m_TestGraphForeColor;
    QString m_TestGraphBackColor;
    QString m_TestGraphTimeColor;
    QString m_TestGraphMissColor;
    int32_t m_TypeGraphWidth = 0;
    int32_t m_TypeGraphHeight = 0;
    QString m_TypeGraphForeColor;
    QString m_TypeGraphBackColor;
    QString m_TypeGraphMissColor;
    int16_t m_TypeGraphFillStyle = 0;
    int32_t m_TextGraphWidth = 0;
    int32_t m_TextGraphHeight = 0;
    QString m_TextGraphForeColor;
    QString m_TextGraphBackColor;
    QString m_TextGraphInputColor;
    QString m_TextGraphMissColor;
    QString m_TextGraphInpPMinColor;
    int16_t m_TextGraphDisp = 0;
    int16_t m_KeyBoardHeatMap = 0;
};
