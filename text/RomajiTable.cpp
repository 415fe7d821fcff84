#include "RomajiTable.h"

#include <array>
#include <utility>

namespace romaji {
namespace {

// The romaji input conventions of the common Japanese input methods, all of
// them at once: Hepburn and Kunrei spellings alike (shi/si, chi/ti, tsu/tu,
// fu/hu, ji/zi), c and q for the k sounds, x or l before a kana for its small
// form, palatal and foreign sounds as one spelling (sha, cha, ja, fa, thi, dhi,
// ye, wi, whu, kwi, hwa ...) or with an apostrophe (t'i, d'u, t'yu ...), ゐ and
// ゑ as wyi and wye, ゔ as vu, and the long-vowel mark and the punctuation on
// the keys of their look-alikes (~ for the wave dash, which files write as
// 〜 or ～).
//
// Most spellings are a consonant part and a vowel: one row per consonant
// part, one column per vowel a i u e o, the kana in each cell (none where the
// convention has no such spelling). Rows come in order of preference: the
// first row that spells a kana gives the spelling the program shows itself.
struct Row {
    std::string_view consonant;
    std::array<std::u16string_view, 5> kana;  // a, i, u, e, o
};
// clang-format off
constexpr Row kGrid[] = {
    {"",    {u"あ", u"い", u"う", u"え", u"お"}},
    {"x",   {u"ぁ", u"ぃ", u"ぅ", u"ぇ", u"ぉ"}},
    {"l",   {u"ぁ", u"ぃ", u"ぅ", u"ぇ", u"ぉ"}},
    {"k",   {u"か", u"き", u"く", u"け", u"こ"}},
    {"ky",  {u"きゃ", u"きぃ", u"きゅ", u"きぇ", u"きょ"}},
    {"c",   {u"か", u"", u"く", u"", u"こ"}},
    {"q",   {u"くぁ", u"くぃ", u"く", u"くぇ", u"くぉ"}},
    {"kw",  {u"くぁ", u"くぃ", u"", u"くぇ", u"くぉ"}},
    {"qw",  {u"くぁ", u"くぃ", u"くぅ", u"くぇ", u"くぉ"}},
    {"qy",  {u"くゃ", u"くぃ", u"くゅ", u"くぇ", u"くょ"}},
    {"xk",  {u"ゕ", u"", u"", u"ゖ", u""}},
    {"lk",  {u"ゕ", u"", u"", u"ゖ", u""}},
    {"g",   {u"が", u"ぎ", u"ぐ", u"げ", u"ご"}},
    {"gy",  {u"ぎゃ", u"ぎぃ", u"ぎゅ", u"ぎぇ", u"ぎょ"}},
    {"gw",  {u"ぐぁ", u"ぐぃ", u"ぐぅ", u"ぐぇ", u"ぐぉ"}},
    {"sh",  {u"しゃ", u"し", u"しゅ", u"しぇ", u"しょ"}},
    {"s",   {u"さ", u"し", u"す", u"せ", u"そ"}},
    {"sy",  {u"しゃ", u"しぃ", u"しゅ", u"しぇ", u"しょ"}},
    {"c",   {u"", u"し", u"", u"せ", u""}},
    {"sw",  {u"すぁ", u"すぃ", u"すぅ", u"すぇ", u"すぉ"}},
    {"j",   {u"じゃ", u"じ", u"じゅ", u"じぇ", u"じょ"}},
    {"z",   {u"ざ", u"じ", u"ず", u"ぜ", u"ぞ"}},
    {"zy",  {u"じゃ", u"じぃ", u"じゅ", u"じぇ", u"じょ"}},
    {"jy",  {u"じゃ", u"じぃ", u"じゅ", u"じぇ", u"じょ"}},
    {"ch",  {u"ちゃ", u"ち", u"ちゅ", u"ちぇ", u"ちょ"}},
    {"ts",  {u"つぁ", u"つぃ", u"つ", u"つぇ", u"つぉ"}},
    {"t",   {u"た", u"ち", u"つ", u"て", u"と"}},
    {"ty",  {u"ちゃ", u"ちぃ", u"ちゅ", u"ちぇ", u"ちょ"}},
    {"cy",  {u"ちゃ", u"ちぃ", u"ちゅ", u"ちぇ", u"ちょ"}},
    {"th",  {u"てゃ", u"てぃ", u"てゅ", u"てぇ", u"てょ"}},
    {"tw",  {u"とぁ", u"とぃ", u"とぅ", u"とぇ", u"とぉ"}},
    {"t'",  {u"", u"てぃ", u"とぅ", u"", u""}},
    {"t'y", {u"", u"", u"てゅ", u"", u""}},
    {"xt",  {u"", u"", u"っ", u"", u""}},
    {"lt",  {u"", u"", u"っ", u"", u""}},
    {"xts", {u"", u"", u"っ", u"", u""}},
    {"lts", {u"", u"", u"っ", u"", u""}},
    {"d",   {u"だ", u"ぢ", u"づ", u"で", u"ど"}},
    {"dy",  {u"ぢゃ", u"ぢぃ", u"ぢゅ", u"ぢぇ", u"ぢょ"}},
    {"dh",  {u"でゃ", u"でぃ", u"でゅ", u"でぇ", u"でょ"}},
    {"dw",  {u"どぁ", u"どぃ", u"どぅ", u"どぇ", u"どぉ"}},
    {"d'",  {u"", u"でぃ", u"どぅ", u"", u""}},
    {"d'y", {u"", u"", u"でゅ", u"", u""}},
    {"n",   {u"な", u"に", u"ぬ", u"ね", u"の"}},
    {"ny",  {u"にゃ", u"にぃ", u"にゅ", u"にぇ", u"にょ"}},
    {"f",   {u"ふぁ", u"ふぃ", u"ふ", u"ふぇ", u"ふぉ"}},
    {"h",   {u"は", u"ひ", u"ふ", u"へ", u"ほ"}},
    {"hy",  {u"ひゃ", u"ひぃ", u"ひゅ", u"ひぇ", u"ひょ"}},
    {"fy",  {u"ふゃ", u"ふぃ", u"ふゅ", u"ふぇ", u"ふょ"}},
    {"fw",  {u"ふぁ", u"ふぃ", u"ふぅ", u"ふぇ", u"ふぉ"}},
    {"hw",  {u"ふぁ", u"ふぃ", u"", u"ふぇ", u"ふぉ"}},
    {"hwy", {u"", u"", u"ふゅ", u"", u""}},
    {"b",   {u"ば", u"び", u"ぶ", u"べ", u"ぼ"}},
    {"by",  {u"びゃ", u"びぃ", u"びゅ", u"びぇ", u"びょ"}},
    {"p",   {u"ぱ", u"ぴ", u"ぷ", u"ぺ", u"ぽ"}},
    {"py",  {u"ぴゃ", u"ぴぃ", u"ぴゅ", u"ぴぇ", u"ぴょ"}},
    {"m",   {u"ま", u"み", u"む", u"め", u"も"}},
    {"my",  {u"みゃ", u"みぃ", u"みゅ", u"みぇ", u"みょ"}},
    {"y",   {u"や", u"い", u"ゆ", u"いぇ", u"よ"}},
    {"xy",  {u"ゃ", u"ぃ", u"ゅ", u"ぇ", u"ょ"}},
    {"ly",  {u"ゃ", u"ぃ", u"ゅ", u"ぇ", u"ょ"}},
    {"r",   {u"ら", u"り", u"る", u"れ", u"ろ"}},
    {"ry",  {u"りゃ", u"りぃ", u"りゅ", u"りぇ", u"りょ"}},
    {"w",   {u"わ", u"うぃ", u"う", u"うぇ", u"を"}},
    {"wh",  {u"うぁ", u"うぃ", u"う", u"うぇ", u"うぉ"}},
    {"xw",  {u"ゎ", u"", u"", u"", u""}},
    {"lw",  {u"ゎ", u"", u"", u"", u""}},
    {"wy",  {u"", u"ゐ", u"", u"ゑ", u""}},
    {"v",   {u"ゔぁ", u"ゔぃ", u"ゔ", u"ゔぇ", u"ゔぉ"}},
    {"vy",  {u"ゔゃ", u"ゔぃ", u"ゔゅ", u"ゔぇ", u"ゔょ"}},
};
// clang-format on

// Spellings outside the grid: ん, the long-vowel mark and the punctuation.
constexpr std::pair<std::string_view, std::u16string_view> kOthers[] = {
    {"nn", u"ん"}, {"xn", u"ん"}, {"n'", u"ん"}, {"-", u"ー"}, {",", u"、"}, {".", u"。"},
    {"[", u"「"},  {"]", u"」"},  {"!", u"！"},  {"?", u"？"}, {"/", u"・"}, {"~", u"～"},
};

std::vector<Spelling> buildTable() {
    std::vector<Spelling> t;
    for (const Row& r : kGrid)
        for (size_t v = 0; v < 5; ++v)
            if (!r.kana[v].empty()) t.push_back({std::string(r.consonant) + "aiueo"[v], r.kana[v]});
    for (const auto& [roman, kana] : kOthers) t.push_back({std::string(roman), kana});
    return t;
}

}  // namespace

const std::vector<Spelling>& table() {
    static const std::vector<Spelling> t = buildTable();
    return t;
}

char16_t toTableKana(char16_t c) {
    if (c >= u'ぁ' && c <= u'ゖ') return c;
    if (c >= u'ァ' && c <= u'ヶ') return static_cast<char16_t>(c - (u'ァ' - u'ぁ'));
    if (c == u'〜') return u'～';  // the two code points of the wave dash
    for (const char16_t mark : {u'ー', u'、', u'。', u'「', u'」', u'！', u'？', u'・', u'～'})
        if (c == mark) return c;
    return 0;
}

}  // namespace romaji
