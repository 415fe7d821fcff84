#pragma once
#include <string>
#include <string_view>
#include <vector>

// The romaji spellings text practice accepts for kana: the table of the
// common romaji input convention of Japanese input methods (RomajiTable.cpp).
// Besides the table, two rules of that convention work across kana and live
// in the judge (RomajiJudge): っ typed as the doubled first consonant of the
// next kana, and ん typed as a single n before a consonant other than n and y
// or before a mark.
namespace romaji {

// One spelling: the letters typed and the kana (hiragana) they give, one kana
// or a kana with its small kana (しゃ, ふぁ ...).
struct Spelling {
    std::string roman;
    std::u16string_view kana;
};

// Every spelling, built once from the table. Where a kana has several
// spellings the first is the one shown when the program has to spell the kana
// itself.
const std::vector<Spelling>& table();

// The hiragana a display character is typed as: hiragana as they are,
// katakana as their hiragana, ー and the punctuation as themselves. 0 for a
// character the table has no spelling for (kanji, letters, digits ...).
char16_t toTableKana(char16_t c);

}  // namespace romaji
