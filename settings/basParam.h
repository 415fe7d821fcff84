#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <utility>

#include "SettingKinds.h"

class Dialogs;
class FileFaults;

// The parameter store: one value per settings key, each with a property named
// exactly like its key (getter Level(), setter Level(v)), and the two routines
// that move all values between memory and the settings file
// "<product>.ini" in the program folder.
//
// The keys, their kinds, defaults and load checks are listed once, in
// SettingsTable.h. Setters store what they are given without any range check.
// LoadSettings applies the load checks; SaveSettings writes the keys that
// differ from their defaults, in table order, CP932 with CR LF (UTF-8 when a
// value has characters CP932 cannot hold), through a temporary file that
// replaces the old one, so a failed save never leaves a damaged file behind. LoadSettings reads UTF-8
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
    // Writes the settings as this run's changes laid over the file on disk:
    // the file is read again (before every attempt, a retry too), its values
    // kept, and only what changed since the start (or the last save) is laid
    // over them, so another copy of the program running beside this one loses
    // nothing. After a failed read at start-up a file still unreadable is not
    // written (false).
    bool SaveSettings();

    const QString& ProductName() const { return mProduct; }
    QString SettingsFileName() const;     // <folder>/<product>.ini
    QString DefaultDataFileName() const;  // <folder>/<product>.dat
    QString DefaultTextFileName() const;  // <folder>/Text/Pref.txt
    // The keystroke store, "<product>.db" in the folder of the settings file.
    QString KeystrokeFileName() const;
    const QString& ProgramFolder() const { return mFolder; }  // ends in "/"

    // One getter and one setter per settings key (SettingsTable.h).
#define LUMBRA_SETTING(Kind, Name, Default, Low, High)    \
    setting::Kind::type Name() const { return m_##Name; } \
    void Name(setting::Kind::type v) { m_##Name = std::move(v); }
#include "SettingsTable.h"
#undef LUMBRA_SETTING

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
    void AssignDefaults();
    static QString basParam::*graphColorMember(const QString& key, const char* graph);
    QString graphColor(const QString& key, const char* graph) const;
    void setGraphColor(const QString& key, const char* graph, const QString& value);
    QStringList ValueTexts() const;

    Dialogs& mDialogs;
    FileFaults& mFaults;
    QString mFolder;
    QString mProduct;
    QString mUnreadable;       // why the existing file could not be read at start-up
    QStringList mStartValues;  // every key's value then, to find what this run changed

#define LUMBRA_SETTING(Kind, Name, Default, Low, High) setting::Kind::type m_##Name{};
#include "SettingsTable.h"
#undef LUMBRA_SETTING
};
