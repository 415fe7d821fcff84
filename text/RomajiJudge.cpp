#include "RomajiJudge.h"

#include <algorithm>

#include "RomajiTable.h"
#include "TextFile.h"

namespace {

using Candidate = RomajiJudge::Candidate;

// The table rows by their first kana, built once from the table.
struct Index {
    std::unordered_map<char16_t, std::vector<const romaji::Spelling*>> byFirst;
    std::unordered_map<char16_t, std::string_view> single;  // first one-kana spelling of each kana
    Index() {
        for (const romaji::Spelling& s : romaji::table()) {
            byFirst[s.kana[0]].push_back(&s);
            if (s.kana.size() == 1) single.try_emplace(s.kana[0], s.roman);
        }
    }
};
const Index& tableIndex() {
    static const Index i;
    return i;
}

// っ and ん joined to the kana after them nest this deep (っっっっか, んっか ...):
// far beyond any word, and a bound on the work for a line of nothing but っ.
constexpr int kMaxJoin = 16;
// Room left before the guide when it is built, for spellings longer than the file's.
constexpr qsizetype kGuidePad = 16;

bool isVowel(char c) { return c == 'a' || c == 'i' || c == 'u' || c == 'e' || c == 'o'; }
bool isConsonant(char c) { return c >= 'a' && c <= 'z' && !isVowel(c); }
// っ as the doubled first letter of what follows: a consonant, never n.
bool doublesForSmallTsu(char c) { return isConsonant(c) && c != 'n'; }
// ん as a single n: before a consonant other than n and y, and before a mark
// (ー, 、, 。, 「 ... cannot go on from an n, so the n is ん at once).
bool singleNBefore(char c) { return (isConsonant(c) && c != 'n' && c != 'y') || (c < 'a' || c > 'z'); }

char lowerAscii(QChar ch) {
    const char16_t u = ch.unicode();
    if (u >= u'A' && u <= u'Z') return static_cast<char>(u - u'A' + 'a');
    return u < 0x80 ? static_cast<char>(u) : '\0';
}

void collect(std::u16string_view kana, size_t pos, int depth, std::vector<Candidate>& out) {
    if (pos >= kana.size()) return;
    const auto& rows = tableIndex().byFirst;
    if (const auto it = rows.find(kana[pos]); it != rows.end()) {
        for (const romaji::Spelling* s : it->second)
            if (kana.substr(pos).starts_with(s->kana))
                out.push_back({std::string(s->roman), static_cast<int>(s->kana.size()), true});
    }
    const char16_t k = kana[pos];
    if ((k != u'っ' && k != u'ん') || depth >= kMaxJoin || pos + 1 >= kana.size()) return;
    std::vector<Candidate> next;
    collect(kana, pos + 1, depth + 1, next);
    for (const Candidate& c : next) {
        const char first = c.roman[0];
        if (k == u'っ' ? doublesForSmallTsu(first) : singleNBefore(first))
            out.push_back({(k == u'っ' ? std::string(1, first) : std::string("n")) + c.roman, c.kana + 1, false});
    }
}

}  // namespace

void RomajiJudge::candidatesAt(std::u16string_view kana, size_t pos, std::vector<Candidate>& out) {
    out.clear();
    collect(kana, pos, 0, out);
}

bool RomajiJudge::start(const QString& input, const QString& display, bool upperCase) {
    mKana.clear();
    mChunks.clear();
    mCands.clear();
    mPos = 0;
    mDisplayRemoved = 0;
    mUpper = upperCase;
    for (const QChar c : display) {
        const char16_t k = romaji::toTableKana(c.unicode());
        if (k == 0) return false;
        mKana.push_back(k);
    }
    if (mKana.empty() || textfile::countDisplayMarkers(input) + 1 != static_cast<int>(mKana.size())) return false;
    if (!parse(input)) {
        mKana.clear();
        return false;
    }
    rebuildGuide(kGuidePad);
    beginChunk();
    return true;
}

// Reads Input as spellings of the display's kana, one after another; every
// spelling must end where the file's markers have counted off its kana.
bool RomajiJudge::parse(const QString& input) {
    mSource = input;
    mInput.resize(input.size());
    for (qsizetype i = 0; i < input.size(); ++i) {
        const char c = lowerAscii(input[i]);
        if (c == '\0') return false;
        mInput[i] = QLatin1Char(c);
    }
    mChunkAt.assign(mKana.size() + 1, -1);
    std::vector<Candidate> cands;
    qsizetype i = 0;
    int markers = 0;  // markers in Input after its first character, up to the next spelling
    for (size_t p = 0; p < mKana.size();) {
        candidatesAt(mKana, p, cands);
        const Candidate* found = nullptr;
        for (const Candidate& c : cands) {
            if (QStringView(mInput).mid(i).startsWith(QLatin1String(c.roman.data(), c.roman.size())) &&
                (!found || c.roman.size() > found->roman.size()))
                found = &c;
        }
        if (!found) return false;
        const auto len = static_cast<qsizetype>(found->roman.size());
        for (qsizetype j = i + 1; j <= i + len && j < input.size(); ++j)
            markers += textfile::continuesSyllable(input[j]) ? 0 : 1;
        if (i + len < input.size() && markers != static_cast<int>(p) + found->kana) return false;
        mChunkAt[p] = static_cast<int32_t>(mChunks.size());
        mChunks.push_back({static_cast<int32_t>(p), static_cast<int32_t>(i), static_cast<int16_t>(found->kana),
                           static_cast<int16_t>(len), found->fromTable});
        p += static_cast<size_t>(found->kana);
        i += len;
    }
    mChunkAt[mKana.size()] = static_cast<int32_t>(mChunks.size());
    return i == input.size();
}

std::string RomajiJudge::fileRoman(const FileChunk& c) const {
    return QStringView(mInput).mid(c.inputStart, c.romanLen).toLatin1().toStdString();
}

std::string RomajiJudge::plannedRoman(size_t chunk) const {
    const FileChunk& c = mChunks[chunk];
    if (c.fromTable && !mPreferred.empty()) {
        const auto it =
            mPreferred.find(mKana.substr(static_cast<size_t>(c.kanaStart), static_cast<size_t>(c.kanaCount)));
        if (it != mPreferred.end()) return it->second;
    }
    return fileRoman(c);
}

std::string RomajiJudge::defaultRoman(size_t pos) const {
    if (const auto it = mPreferred.find(mKana.substr(pos, 1)); it != mPreferred.end()) return it->second;
    const auto& single = tableIndex().single;
    const auto it = single.find(mKana[pos]);
    return it != single.end() ? std::string(it->second) : std::string();
}

size_t RomajiJudge::chunkEndingAtOrAfter(size_t pos) const {
    while (mChunkAt[pos] < 0) ++pos;
    return static_cast<size_t>(mChunkAt[pos]);
}

// Spells the whole entry into the guide, each file chunk as planned, behind
// `pad` characters of room.
void RomajiJudge::rebuildGuide(qsizetype pad) {
    mGuide = QString(pad, u' ');
    mChunkOffset.resize(mChunks.size() + 1);
    for (size_t i = 0; i < mChunks.size(); ++i) {
        mChunkOffset[i] = mGuide.size();
        const std::string r = plannedRoman(i);
        mGuide += QLatin1String(r.data(), static_cast<qsizetype>(r.size()));
    }
    mChunkOffset[mChunks.size()] = mGuide.size();
    mGuide = mUpper ? textfile::upperSameLength(mGuide) : mGuide;
    mGuidePos = mGuide.size();
}

// Writes the rest of the spelling being typed, and the kana up to the next
// file chunk, just before that chunk.
void RomajiJudge::placeHead() {
    if (finished()) {
        mGuidePos = mGuide.size();
        return;
    }
    const Candidate& c = mCands.front();
    const size_t end = mPos + static_cast<size_t>(c.kana);
    const size_t chunk = chunkEndingAtOrAfter(end);
    const size_t next = chunk < mChunks.size() ? static_cast<size_t>(mChunks[chunk].kanaStart) : mKana.size();
    std::string head = c.roman.substr(mTyped.size());
    for (size_t p = end; p < next; ++p) head += defaultRoman(p);
    const auto len = static_cast<qsizetype>(head.size());
    if (len > mChunkOffset[chunk]) rebuildGuide(len + kGuidePad);
    const qsizetype at = mChunkOffset[chunk] - len;
    for (qsizetype i = 0; i < len; ++i) {
        const char h = head[static_cast<size_t>(i)];
        mGuide[at + i] = QLatin1Char(mUpper && h >= 'a' && h <= 'z' ? static_cast<char>(h - 'a' + 'A') : h);
    }
    mGuidePos = at;
}

// The candidates of the current position, the one the guide is to show first.
void RomajiJudge::beginChunk() {
    mTyped.clear();
    if (finished()) {
        mCands.clear();
        placeHead();
        return;
    }
    candidatesAt(mKana, mPos, mCands);
    const int32_t chunk = mChunkAt[mPos];
    mPlanned = chunk >= 0 ? plannedRoman(static_cast<size_t>(chunk)) : defaultRoman(mPos);
    const auto it = std::find_if(mCands.begin(), mCands.end(), [&](const Candidate& c) { return c.roman == mPlanned; });
    if (it != mCands.end()) std::rotate(mCands.begin(), it, it + 1);
    placeHead();
}

QChar RomajiJudge::expected() const {
    if (mCands.empty()) return {};
    return QLatin1Char(mCands.front().roman[mTyped.size()]);
}

bool RomajiJudge::key(QChar ch) {
    if (finished() || mCands.empty()) return false;
    const char k = lowerAscii(ch);
    const size_t at = mTyped.size();
    if (k == '\0') return false;
    const auto keep =
        std::stable_partition(mCands.begin(), mCands.end(), [&](const Candidate& c) { return c.roman[at] == k; });
    if (keep == mCands.begin()) return false;
    mCands.erase(keep, mCands.end());
    mTyped.push_back(k);
    const auto done =
        std::find_if(mCands.begin(), mCands.end(), [&](const Candidate& c) { return c.roman.size() == mTyped.size(); });
    if (done != mCands.end()) {
        const Candidate taken = *done;  // the candidates are replaced by the next position's
        completeChunk(taken);
        return true;
    }
    shrinkAlongFile();
    placeHead();
    return true;
}

// While the learner follows the file, the display loses a character each time
// the file's next letter is a marker, as when judging letter by letter.
void RomajiJudge::shrinkAlongFile() {
    const int32_t chunk = mChunkAt[mPos];
    if (chunk < 0) return;
    const FileChunk& c = mChunks[static_cast<size_t>(chunk)];
    if (!fileRoman(c).starts_with(mTyped)) return;
    qsizetype markers = 0;
    for (size_t j = 1; j <= mTyped.size(); ++j) {
        const qsizetype i = c.inputStart + static_cast<qsizetype>(j);
        if (i < mSource.size() && !textfile::continuesSyllable(mSource[i])) ++markers;
    }
    mDisplayRemoved = std::max(mDisplayRemoved, static_cast<qsizetype>(mPos) + markers);
}

void RomajiJudge::completeChunk(const Candidate& c) {
    const std::u16string kana = mKana.substr(mPos, static_cast<size_t>(c.kana));
    mPos += static_cast<size_t>(c.kana);
    mDisplayRemoved = std::max(mDisplayRemoved, static_cast<qsizetype>(mPos));
    if (c.fromTable && c.roman != mPlanned) {
        mPreferred[kana] = c.roman;
        rebuildGuide(kGuidePad);
    }
    beginChunk();
}
