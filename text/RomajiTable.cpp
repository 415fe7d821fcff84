#include "RomajiTable.h"

#include <array>

namespace romaji {
namespace {

// The romaji input convention Japanese input methods share: Hepburn and
// Kunrei spellings alike (shi/si, chi/ti, tsu/tu, fu/hu, ji/zi), c and q for
// the k sounds, x or l before a kana for its small form, palatal and foreign
// sounds as one spelling (sha, cha, ja, fa, thi, dhi, ye, wi, whu ...), ゐ and
// ゑ as wyi and wye, ゔ as vu, and the long-vowel mark and the punctuation on
// the keys of their look-alikes.
// clang-format off
constexpr std::array kTable = std::to_array<Spelling>({
    // vowels
    {"a", u"あ"}, {"i", u"い"}, {"yi", u"い"}, {"u", u"う"}, {"wu", u"う"}, {"whu", u"う"}, {"e", u"え"}, {"o", u"お"},
    {"xa", u"ぁ"}, {"la", u"ぁ"}, {"xi", u"ぃ"}, {"li", u"ぃ"}, {"xyi", u"ぃ"}, {"lyi", u"ぃ"},
    {"xu", u"ぅ"}, {"lu", u"ぅ"}, {"xe", u"ぇ"}, {"le", u"ぇ"}, {"xye", u"ぇ"}, {"lye", u"ぇ"},
    {"xo", u"ぉ"}, {"lo", u"ぉ"},
    {"ye", u"いぇ"}, {"wha", u"うぁ"}, {"wi", u"うぃ"}, {"whi", u"うぃ"}, {"we", u"うぇ"}, {"whe", u"うぇ"},
    {"who", u"うぉ"},
    // k
    {"ka", u"か"}, {"ca", u"か"}, {"ki", u"き"}, {"ku", u"く"}, {"cu", u"く"}, {"qu", u"く"},
    {"ke", u"け"}, {"ko", u"こ"}, {"co", u"こ"},
    {"xka", u"ゕ"}, {"lka", u"ゕ"}, {"xke", u"ゖ"}, {"lke", u"ゖ"},
    {"kya", u"きゃ"}, {"kyi", u"きぃ"}, {"kyu", u"きゅ"}, {"kye", u"きぇ"}, {"kyo", u"きょ"},
    {"qa", u"くぁ"}, {"kwa", u"くぁ"}, {"qwa", u"くぁ"}, {"qi", u"くぃ"}, {"qwi", u"くぃ"}, {"qwu", u"くぅ"},
    {"qe", u"くぇ"}, {"qwe", u"くぇ"}, {"qo", u"くぉ"}, {"qwo", u"くぉ"},
    {"qya", u"くゃ"}, {"qyu", u"くゅ"}, {"qyo", u"くょ"},
    {"ga", u"が"}, {"gi", u"ぎ"}, {"gu", u"ぐ"}, {"ge", u"げ"}, {"go", u"ご"},
    {"gya", u"ぎゃ"}, {"gyi", u"ぎぃ"}, {"gyu", u"ぎゅ"}, {"gye", u"ぎぇ"}, {"gyo", u"ぎょ"},
    {"gwa", u"ぐぁ"}, {"gwi", u"ぐぃ"}, {"gwu", u"ぐぅ"}, {"gwe", u"ぐぇ"}, {"gwo", u"ぐぉ"},
    // s
    {"sa", u"さ"}, {"shi", u"し"}, {"si", u"し"}, {"ci", u"し"}, {"su", u"す"}, {"se", u"せ"}, {"ce", u"せ"},
    {"so", u"そ"},
    {"sha", u"しゃ"}, {"sya", u"しゃ"}, {"syi", u"しぃ"}, {"shu", u"しゅ"}, {"syu", u"しゅ"},
    {"she", u"しぇ"}, {"sye", u"しぇ"}, {"sho", u"しょ"}, {"syo", u"しょ"},
    {"swa", u"すぁ"}, {"swi", u"すぃ"}, {"swu", u"すぅ"}, {"swe", u"すぇ"}, {"swo", u"すぉ"},
    {"za", u"ざ"}, {"ji", u"じ"}, {"zi", u"じ"}, {"zu", u"ず"}, {"ze", u"ぜ"}, {"zo", u"ぞ"},
    {"ja", u"じゃ"}, {"zya", u"じゃ"}, {"jya", u"じゃ"}, {"zyi", u"じぃ"}, {"jyi", u"じぃ"},
    {"ju", u"じゅ"}, {"zyu", u"じゅ"}, {"jyu", u"じゅ"}, {"je", u"じぇ"}, {"zye", u"じぇ"}, {"jye", u"じぇ"},
    {"jo", u"じょ"}, {"zyo", u"じょ"}, {"jyo", u"じょ"},
    // t
    {"ta", u"た"}, {"chi", u"ち"}, {"ti", u"ち"}, {"tsu", u"つ"}, {"tu", u"つ"}, {"te", u"て"}, {"to", u"と"},
    {"xtu", u"っ"}, {"ltu", u"っ"}, {"xtsu", u"っ"}, {"ltsu", u"っ"},
    {"cha", u"ちゃ"}, {"tya", u"ちゃ"}, {"cya", u"ちゃ"}, {"tyi", u"ちぃ"}, {"cyi", u"ちぃ"},
    {"chu", u"ちゅ"}, {"tyu", u"ちゅ"}, {"cyu", u"ちゅ"}, {"che", u"ちぇ"}, {"tye", u"ちぇ"}, {"cye", u"ちぇ"},
    {"cho", u"ちょ"}, {"tyo", u"ちょ"}, {"cyo", u"ちょ"},
    {"tsa", u"つぁ"}, {"tsi", u"つぃ"}, {"tse", u"つぇ"}, {"tso", u"つぉ"},
    {"tha", u"てゃ"}, {"thi", u"てぃ"}, {"thu", u"てゅ"}, {"the", u"てぇ"}, {"tho", u"てょ"},
    {"twa", u"とぁ"}, {"twi", u"とぃ"}, {"twu", u"とぅ"}, {"twe", u"とぇ"}, {"two", u"とぉ"},
    {"da", u"だ"}, {"di", u"ぢ"}, {"du", u"づ"}, {"de", u"で"}, {"do", u"ど"},
    {"dya", u"ぢゃ"}, {"dyi", u"ぢぃ"}, {"dyu", u"ぢゅ"}, {"dye", u"ぢぇ"}, {"dyo", u"ぢょ"},
    {"dha", u"でゃ"}, {"dhi", u"でぃ"}, {"dhu", u"でゅ"}, {"dhe", u"でぇ"}, {"dho", u"でょ"},
    {"dwa", u"どぁ"}, {"dwi", u"どぃ"}, {"dwu", u"どぅ"}, {"dwe", u"どぇ"}, {"dwo", u"どぉ"},
    // n
    {"na", u"な"}, {"ni", u"に"}, {"nu", u"ぬ"}, {"ne", u"ね"}, {"no", u"の"},
    {"nya", u"にゃ"}, {"nyi", u"にぃ"}, {"nyu", u"にゅ"}, {"nye", u"にぇ"}, {"nyo", u"にょ"},
    {"nn", u"ん"}, {"xn", u"ん"}, {"n'", u"ん"},
    // h, f
    {"ha", u"は"}, {"hi", u"ひ"}, {"fu", u"ふ"}, {"hu", u"ふ"}, {"he", u"へ"}, {"ho", u"ほ"},
    {"hya", u"ひゃ"}, {"hyi", u"ひぃ"}, {"hyu", u"ひゅ"}, {"hye", u"ひぇ"}, {"hyo", u"ひょ"},
    {"fa", u"ふぁ"}, {"fwa", u"ふぁ"}, {"fi", u"ふぃ"}, {"fyi", u"ふぃ"}, {"fwi", u"ふぃ"}, {"fwu", u"ふぅ"},
    {"fe", u"ふぇ"}, {"fye", u"ふぇ"}, {"fwe", u"ふぇ"}, {"fo", u"ふぉ"}, {"fwo", u"ふぉ"},
    {"fya", u"ふゃ"}, {"fyu", u"ふゅ"}, {"fyo", u"ふょ"},
    {"ba", u"ば"}, {"bi", u"び"}, {"bu", u"ぶ"}, {"be", u"べ"}, {"bo", u"ぼ"},
    {"bya", u"びゃ"}, {"byi", u"びぃ"}, {"byu", u"びゅ"}, {"bye", u"びぇ"}, {"byo", u"びょ"},
    {"pa", u"ぱ"}, {"pi", u"ぴ"}, {"pu", u"ぷ"}, {"pe", u"ぺ"}, {"po", u"ぽ"},
    {"pya", u"ぴゃ"}, {"pyi", u"ぴぃ"}, {"pyu", u"ぴゅ"}, {"pye", u"ぴぇ"}, {"pyo", u"ぴょ"},
    // m, y, r, w, v
    {"ma", u"ま"}, {"mi", u"み"}, {"mu", u"む"}, {"me", u"め"}, {"mo", u"も"},
    {"mya", u"みゃ"}, {"myi", u"みぃ"}, {"myu", u"みゅ"}, {"mye", u"みぇ"}, {"myo", u"みょ"},
    {"ya", u"や"}, {"yu", u"ゆ"}, {"yo", u"よ"},
    {"xya", u"ゃ"}, {"lya", u"ゃ"}, {"xyu", u"ゅ"}, {"lyu", u"ゅ"}, {"xyo", u"ょ"}, {"lyo", u"ょ"},
    {"ra", u"ら"}, {"ri", u"り"}, {"ru", u"る"}, {"re", u"れ"}, {"ro", u"ろ"},
    {"rya", u"りゃ"}, {"ryi", u"りぃ"}, {"ryu", u"りゅ"}, {"rye", u"りぇ"}, {"ryo", u"りょ"},
    {"wa", u"わ"}, {"wo", u"を"}, {"xwa", u"ゎ"}, {"lwa", u"ゎ"}, {"wyi", u"ゐ"}, {"wye", u"ゑ"},
    {"vu", u"ゔ"}, {"va", u"ゔぁ"}, {"vi", u"ゔぃ"}, {"vyi", u"ゔぃ"}, {"ve", u"ゔぇ"}, {"vye", u"ゔぇ"},
    {"vo", u"ゔぉ"}, {"vya", u"ゔゃ"}, {"vyu", u"ゔゅ"}, {"vyo", u"ゔょ"},
    // the long-vowel mark and punctuation
    {"-", u"ー"}, {",", u"、"}, {".", u"。"}, {"[", u"「"}, {"]", u"」"}, {"!", u"！"}, {"?", u"？"},
    {"/", u"・"}, {"~", u"～"},
});
// clang-format on

}  // namespace

std::span<const Spelling> table() { return kTable; }

char16_t toTableKana(char16_t c) {
    if (c >= u'ぁ' && c <= u'ゖ') return c;
    if (c >= u'ァ' && c <= u'ヶ') return static_cast<char16_t>(c - (u'ァ' - u'ぁ'));
    for (const char16_t mark : {u'ー', u'、', u'。', u'「', u'」', u'！', u'？', u'・', u'～'})
        if (c == mark) return c;
    return 0;
}

}  // namespace romaji
