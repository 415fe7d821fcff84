#pragma once
#include <QString>
#include <cstdint>
#include <vector>

class basParam;

// The colours of one graph window, kept as colour values and stored as
// "RRRGGGBBB" strings under their settings keys. Index i is the colour menu's
// item i (0 = foreground/axis, 1 = background, then the series colours).
class GraphColors {
public:
    enum class Graph { Test, Type, Text };
    struct Entry {
        QString key;
        QString defaultValue;
    };

    GraphColors(basParam& param, Graph graph);

    int size() const { return static_cast<int>(mTable.entries.size()); }
    uint32_t color(int i) const;
    const QString& key(int i) const;

    // Reads every colour from its setting.
    void load();
    // A colour the user picked: kept and stored in its setting at once.
    void set(int i, uint32_t color);
    // Stores the default strings and reads them back.
    void restoreDefaults();

private:
    // A graph's colour keys with their defaults, and the settings store's
    // accessors of that graph's colours.
    struct Table {
        std::vector<Entry> entries;
        QString (basParam::*get)(const QString& key) const;
        void (basParam::*set)(const QString& key, const QString& value);
    };
    static Table table(Graph graph);
    QString stored(int i) const;
    void store(int i, const QString& value);

    basParam& mParam;
    Table mTable;
    std::vector<uint32_t> mColors;
};

// A stored window size (twips) as the window keeps it: the absolute value,
// held in 16 bits, so anything beyond 32767 is cut to 32767.
int16_t graphSizeFromSetting(int32_t stored);
