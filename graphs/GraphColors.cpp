#include "GraphColors.h"

#include <algorithm>
#include <cstdlib>

#include "basMain.h"
#include "basParam.h"

GraphColors::Table GraphColors::table(Graph graph) {
    switch (graph) {
        case Graph::Test:
            return {{{QStringLiteral("TestGraphForeColor"), QStringLiteral("000000000")},
                     {QStringLiteral("TestGraphBackColor"), QStringLiteral("239239239")},
                     {QStringLiteral("TestGraphTimeColor"), QStringLiteral("255000000")},
                     {QStringLiteral("TestGraphMissColor"), QStringLiteral("000128255")}},
                    &basParam::GetTestGraphColor,
                    &basParam::SetTestGraphColor};
        case Graph::Type:
            return {{{QStringLiteral("TypeGraphForeColor"), QStringLiteral("000000000")},
                     {QStringLiteral("TypeGraphBackColor"), QStringLiteral("239239239")},
                     {QStringLiteral("TypeGraphMissColor"), QStringLiteral("055155055")}},
                    &basParam::GetTypeGraphColor,
                    &basParam::SetTypeGraphColor};
        case Graph::Text:
            break;
    }
    return {{{QStringLiteral("TextGraphForeColor"), QStringLiteral("000000000")},
             {QStringLiteral("TextGraphBackColor"), QStringLiteral("239239239")},
             {QStringLiteral("TextGraphInputColor"), QStringLiteral("255128128")},
             {QStringLiteral("TextGraphMissColor"), QStringLiteral("000128000")},
             {QStringLiteral("TextGraphInpPMinColor"), QStringLiteral("000128255")}},
            &basParam::GetTextGraphColor,
            &basParam::SetTextGraphColor};
}

GraphColors::GraphColors(basParam& param, Graph graph)
    : mParam(param), mTable(table(graph)), mColors(mTable.entries.size(), 0) {
    load();
}

uint32_t GraphColors::color(int i) const { return i >= 0 && i < size() ? mColors[static_cast<size_t>(i)] : 0; }

const QString& GraphColors::key(int i) const { return mTable.entries.at(static_cast<size_t>(i)).key; }

QString GraphColors::stored(int i) const { return (mParam.*mTable.get)(key(i)); }
void GraphColors::store(int i, const QString& value) { (mParam.*mTable.set)(key(i), value); }

void GraphColors::load() {
    for (int i = 0; i < size(); ++i) mColors[static_cast<size_t>(i)] = basMain::ColorFromString(stored(i));
}

void GraphColors::set(int i, uint32_t color) {
    if (i < 0 || i >= size()) return;
    mColors[static_cast<size_t>(i)] = color & 0xFFFFFFu;
    store(i, basMain::ColorToString(color & 0xFFFFFFu));
}

void GraphColors::restoreDefaults() {
    for (int i = 0; i < size(); ++i) store(i, mTable.entries[static_cast<size_t>(i)].defaultValue);
    load();
}

int16_t graphSizeFromSetting(int32_t stored) {
    const int64_t v = std::llabs(static_cast<int64_t>(stored));
    return static_cast<int16_t>(std::min<int64_t>(v, 32767));
}
