#pragma once
#include <gtest/gtest.h>

#include <QString>

#include "Fakes.h"
#include "TestFiles.h"
#include "TextPractice.h"
#include "basParam.h"
#include "basResults.h"

// A text-practice session over a scratch program folder with scripted services.
class TextFixture : public ::testing::Test {
protected:
    ScratchFolder folder;
    FakeDialogs dialogs;
    FakeClock clock;
    FakeRandom random;
    FakeBeeper beeper;
    basParam param{folder.path(), QStringLiteral("Lumbra"), dialogs};
    basResults results{param, dialogs};
    TextPractice tp{param, results, clock, random, dialogs, beeper};

    TextFixture() { clock.now = 1000; }

    // Writes a UTF-8 practice file into the scratch folder; returns its path.
    QString practiceFile(const QString& name, const QString& text) {
        folder.write(name, text.toUtf8());
        return folder.file(name);
    }
    // Loads text as a practice file.
    void load(const QString& text) { ASSERT_TRUE(tp.LoadText(practiceFile(QStringLiteral("p.txt"), text))); }
    void type(const QString& keys) {
        for (QChar c : keys) tp.keyPress(c);
    }
    // Types the rest of the current entry, its last key totalMs after the others.
    void typeEntry(uint32_t totalMs) {
        const QString& input = tp.texts()[tp.textIndex()].Input;
        const int keys = static_cast<int>(input.size()) - (tp.charPos() - 1);
        for (int i = 0; i < keys; ++i) {
            if (i == keys - 1) clock.advance(totalMs);
            tp.keyPress(input[tp.charPos() - 1]);
        }
    }
};
