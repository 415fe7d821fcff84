#include "GraphColors.h"

#include <algorithm>
#include <cstdlib>

#include "basMain.h"
#include "basParam.h"

std::vector<GraphColors::Entry> GraphColors::entries(Graph graph) {
    switch (graph) {
        case Graph::Test:
            return {{QStringLiteral("TestGraphForeColor"), QStringLiteral("000000000")},
                    {QStringLiteral("TestGraphBackColor"), QStringLiteral("239239239")},
                    {QStringLiteral("TestGraphTimeColor"), QStringLiteral("255000000")},
                    {QStringLiteral("TestGraphMissColor"), QStringLiteral("000128255")}};
        case Graph::Type:
            return {{QStringLiteral("TypeGraphForeColor"), QStringLiteral("000000000")},
                    {QStringLiteral("TypeGraphBackColor"), QStringLiteral("239239239")},
                    {QStringLiteral("TypeGraphMissColor"), QStringLiteral("055155055")}};
        case Graph::Text:
            return {{QStringLiteral("TextGraphForeColor"), QStringLiteral("000000000")},
                    {QStringLiteral("TextGraphBackColor"), QStringLiteral("239239239")},
                    {QStringLiteral("TextGraphInputColor"), QStringLiteral("255128128")},
                    {QStringLiteral("TextGraphMissColor"), QStringLiteral("000128000")},
                    {QStringLiteral("TextGraphInpPMinColor"), QStringLiteral("000128255")}};
    }
    return {};
}

GraphColors::GraphColors(basParam& param, Graph graph)
    : mParam(param), mGraph(graph), mEntries(entries(graph)), mColors(mEntries.size(), 0) {
    load();
}

uint32_t GraphColors::color(int i) const { return i >= 0 && i < size() ? mColors[static_cast<size_t>(i)] : 0; }

const QString& GraphColors::key(int i) const { return mEntries.at(static_cast<size_t>(i)).key; }

QString GraphColors::stored(int i) const {
    const QString& k = key(i);
    switch (mGraph) {
        case Graph::Test:
            return mParam.GetTestGraphColor(k);
        case Graph::Type:
            return mParam.GetTypeGraphColor(k);
        case Graph::Text:
            return mParam.GetTextGraphColor(k);
    }
    return {};
}

void GraphColors::store(int i, const QString& value) {
    const QString& k = key(i);
    switch (mGraph) {
        case Graph::Test:
            mParam.SetTestGraphColor(k, value);
            break;
        case Graph::Type:
            mParam.SetTypeGraphColor(k, value);
            break;
        case Graph::Text:
            mParam.SetTextGraphColor(k, value);
            break;
    }
}

void GraphColors::load() {
    for (int i = 0; i < size(); ++i) mColors[static_cast<size_t>(i)] = basMain::ColorFromString(stored(i));
}

void GraphColors::set(int i, uint32_t color) {
    if (i < 0 || i >= size()) return;
    mColors[static_cast<size_t>(i)] = color & 0xFFFFFFu;
    store(i, basMain::ColorToString(color & 0xFFFFFFu));
}

void GraphColors::restoreDefaults() {
    for (int i = 0; i < size(); ++i) store(i, mEntries[static_cast<size_t>(i)].defaultValue);
    load();
}

int16_t graphSizeFromSetting(int32_t stored) {
    const int64_t v = std::llabs(static_cast<int64_t>(stored));
    return static_cast<int16_t>(std::min<int64_t>(v, 32767));
}
