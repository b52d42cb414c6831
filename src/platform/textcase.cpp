#include "textcase.h"

#include <windows.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "sjis.h"

std::wstring SjisToWide(std::string_view s)
{
    if (s.empty()) return std::wstring();
    int n = MultiByteToWideChar(932, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(932, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string WideToSjis(std::wstring_view w, bool* usedDefault)
{
    BOOL used = FALSE;
    std::string s;
    if (!w.empty()) {
        int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()), nullptr, 0, "?",
                                    &used);
        s.assign(static_cast<std::size_t>(n), '\0');
        WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()), s.data(), n, "?", &used);
    }
    if (usedDefault) *usedDefault = used != FALSE;
    return s;
}

namespace {
// Maps one character at a time through the wide case mapping, so that a
// byte sequence that does not survive the round trip is left untouched.
std::string LocaleMapCase(std::string_view s, bool upper)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = SjisCharLength(s, i);
        std::string_view ch = s.substr(i, n);
        i += n;
        if (n == 1) {
            out += upper ? AsciiUpper(ch[0]) : AsciiLower(ch[0]);
            continue;
        }
        wchar_t w[2];
        if (MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, ch.data(), 2, w, 2) != 1) {
            out += ch;
            continue;
        }
        if (upper)
            CharUpperBuffW(w, 1);
        else
            CharLowerBuffW(w, 1);
        char back[4];
        BOOL used = FALSE;
        int m = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, w, 1, back, sizeof back, nullptr, &used);
        if (m == 2 && !used)
            out.append(back, 2);
        else
            out += ch;
    }
    return out;
}

int CompareWith(DWORD flags, std::string_view a, std::string_view b)
{
    int r = CompareStringA(LOCALE_USER_DEFAULT, flags, a.data(), static_cast<int>(a.size()), b.data(),
                           static_cast<int>(b.size()));
    if (r == 0) return CompareBytes(a, b);  // the locale refused: fall back to bytes
    return r - CSTR_EQUAL;
}

// The system's key appended to out, without its closing zero byte; the
// bytes themselves when the locale refuses the text. Through the wide call,
// with the conversion on the stack: the narrow one converts on the heap.
void AppendSystemSortKey(std::string_view s, std::string& out)
{
    const std::size_t at = out.size();
    wchar_t stackWide[256];
    std::wstring heapWide;
    wchar_t* wide = stackWide;
    int length = 0;
    if (!s.empty()) {
        length = MultiByteToWideChar(932, 0, s.data(), static_cast<int>(s.size()), stackWide, 256);
        if (length == 0) {
            heapWide = SjisToWide(s);
            wide = heapWide.data();
            length = static_cast<int>(heapWide.size());
        }
    }
    int room = length * 8 + 16;
    for (int attempt = 0; length > 0 && attempt < 2; ++attempt) {
        out.resize(at + static_cast<std::size_t>(room));
        int n = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, wide, length, reinterpret_cast<wchar_t*>(&out[at]),
                             room);
        if (n > 0) {
            out.resize(at + static_cast<std::size_t>(n));
            while (out.size() > at && out.back() == '\0') out.pop_back();
            return;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
        room = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, wide, length, nullptr, 0);
        if (room <= 0) break;
    }
    out.resize(at);
    out.append(s);
}

std::string SystemSortKey(std::string_view s)
{
    std::string key;
    AppendSystemSortKey(s, key);
    return key;
}

// A character whose own key is just a two-byte primary weight and the level
// separators (no case, accent, width, kana or special weight) contributes
// exactly that weight to the key of a longer string, so the key of a text
// made only of such characters can be composed without asking the system,
// which is slow. Most file names are made of them: lower-case ASCII, digits,
// most punctuation, kanji. Each character is tested once against the
// system's own keys, alone and beside another; texts with any other
// character get the system's key.
class TPlainWeights {
public:
    TPlainWeights() : doubleByte_(new std::atomic<std::uint16_t>[0x10000])
    {
        for (std::size_t i = 0; i < 0x10000; ++i) doubleByte_[i].store(kUnknown, std::memory_order_relaxed);
        std::string a = SystemSortKey("a");
        if (a.size() < 3) return;
        separators_ = a.substr(2);
        for (char c : separators_)
            if (c != '\x01') return;
        weightA_ = WeightOf(a);
        usable_ = true;
        for (int b = 1; b < 256; ++b)
            if (!IsSjisLeadByte(static_cast<unsigned char>(b)))
                singleByte_[static_cast<std::size_t>(b)] = Plain(Probe(std::string(1, static_cast<char>(b))));
        usable_ = singleByte_['a'] == weightA_;
    }

    bool Usable() const { return usable_; }
    const std::string& Separators() const { return separators_; }

    // The weight of the character at s[i] (taking n bytes), or 0.
    std::uint16_t Weight(std::string_view s, std::size_t i, std::size_t n)
    {
        if (n == 1) return singleByte_[static_cast<unsigned char>(s[i])];
        std::size_t code = static_cast<unsigned char>(s[i]) << 8 | static_cast<unsigned char>(s[i + 1]);
        std::uint16_t w = doubleByte_[code].load(std::memory_order_relaxed);
        if (w == kUnknown) {
            w = Probe(std::string(s.substr(i, 2)));
            doubleByte_[code].store(w, std::memory_order_relaxed);
        }
        return Plain(w);
    }

private:
    static constexpr std::uint16_t kUnknown = 0, kNotPlain = 1;
    static std::uint16_t Plain(std::uint16_t w) { return w > kNotPlain ? w : 0; }

    // The first two bytes of a key as a weight.
    static std::uint16_t WeightOf(const std::string& key)
    {
        return static_cast<std::uint16_t>(static_cast<unsigned char>(key[0]) << 8 | static_cast<unsigned char>(key[1]));
    }

    std::string Weighted(std::uint16_t w) const
    {
        return std::string{static_cast<char>(w >> 8), static_cast<char>(w & 0xFF)};
    }

    std::uint16_t Probe(const std::string& ch) const
    {
        std::string k = SystemSortKey(ch);
        if (k.size() != 2 + separators_.size() || k.compare(2, std::string::npos, separators_) != 0) return kNotPlain;
        if (k[0] == '\0' || k[1] == '\0') return kNotPlain;
        std::uint16_t w = WeightOf(k);
        if (w <= kNotPlain) return kNotPlain;
        if (SystemSortKey(ch + "a") != Weighted(w) + Weighted(weightA_) + separators_ ||
            SystemSortKey("a" + ch) != Weighted(weightA_) + Weighted(w) + separators_)
            return kNotPlain;
        return w;
    }

    std::array<std::uint16_t, 256> singleByte_{};  // 0: not plain
    std::unique_ptr<std::atomic<std::uint16_t>[]> doubleByte_;
    std::string separators_;
    std::uint16_t weightA_ = 0;
    bool usable_ = false;
};

TPlainWeights& PlainWeights()
{
    static TPlainWeights table;
    return table;
}

// Texts longer than this are keyed by the system alone.
constexpr std::size_t kComposedMax = 512;

// The weights of the plain characters of a text of at most kComposedMax
// bytes into weights (two bytes each); returns their byte count. With
// headEnd, only those after the last character that is not plain count,
// and headEnd receives where that character ends (0 when there is none);
// without it, a character that is not plain ends the scan and the result
// is npos.
std::size_t PlainWeightsOf(TPlainWeights& plain, std::string_view s, char* weights, std::size_t* headEnd)
{
    const std::array<bool, 256>& lead = SjisLeadByteTable();
    std::size_t n = 0;
    if (headEnd) *headEnd = 0;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t length = lead[static_cast<unsigned char>(s[i])] && i + 1 < s.size() ? 2 : 1;
        std::uint16_t w = plain.Weight(s, i, length);
        i += length;
        if (w == 0) {
            if (!headEnd) return std::string_view::npos;
            *headEnd = i;
            n = 0;
            continue;
        }
        weights[n++] = static_cast<char>(w >> 8);
        weights[n++] = static_cast<char>(w & 0xFF);
    }
    return n;
}

}  // namespace

void AppendLocaleSortKey(std::string_view s, std::string& out)
{
    TPlainWeights& plain = PlainWeights();
    if (plain.Usable() && s.size() <= kComposedMax) {
        char weights[2 * kComposedMax];
        std::size_t n = PlainWeightsOf(plain, s, weights, nullptr);
        if (n != std::string_view::npos) {
            out.append(weights, n);
            out += plain.Separators();
            return;
        }
    }
    AppendSystemSortKey(s, out);
}

// A beginning of texts seen lately, and the two parts of its key around the
// plain weights of a tail: its primary weights, and the rest (the other
// levels, which plain characters at the end leave as they are).
struct TLocaleSortKeys::THead {
    enum class TState { Free, SeenOnce, Composable, NotComposable };
    std::string_view text;
    std::string primary, rest;
    TState state = TState::Free;
};

namespace {
constexpr std::size_t kHeadSlots = 4096;
}

TLocaleSortKeys::TLocaleSortKeys() : heads_(new THead[kHeadSlots]) {}
TLocaleSortKeys::~TLocaleSortKeys() = default;

void TLocaleSortKeys::Append(std::string_view s, std::string& out)
{
    TPlainWeights& plain = PlainWeights();
    if (!plain.Usable() || s.size() > kComposedMax) {
        AppendSystemSortKey(s, out);
        return;
    }
    char weights[2 * kComposedMax];
    std::size_t headEnd = 0;
    const std::string_view tail(weights, PlainWeightsOf(plain, s, weights, &headEnd));
    if (headEnd == 0) {  // all plain
        out += tail;
        out += plain.Separators();
        return;
    }
    if (headEnd == s.size()) {
        AppendSystemSortKey(s, out);
        return;
    }
    const std::string_view head = s.substr(0, headEnd);
    THead& h = heads_[std::hash<std::string_view>()(head) % kHeadSlots];
    if (h.state != THead::TState::Free && h.text == head) {
        if (h.state == THead::TState::Composable) {
            out += h.primary;
            out += tail;
            out += h.rest;
            return;
        }
        const std::size_t at = out.size();
        AppendSystemSortKey(s, out);
        // Seen once: the second text with this beginning tells whether the
        // composition holds for it.
        if (h.state == THead::TState::SeenOnce) {
            std::string composed = h.primary;
            composed += tail;
            composed += h.rest;
            h.state = std::string_view(out).substr(at) == composed ? THead::TState::Composable
                                                                   : THead::TState::NotComposable;
        }
        return;
    }
    const std::size_t at = out.size();
    AppendSystemSortKey(s, out);
    // The primary weights end at the first separator byte on a weight
    // boundary; the tail's weights must be their end.
    std::string_view key = std::string_view(out).substr(at);
    std::size_t end = 0;
    while (end + 1 < key.size() && key[end] != '\x01') end += 2;
    h.text = head;
    h.state = THead::TState::NotComposable;
    if (end < key.size() && key[end] == '\x01' && end >= tail.size() &&
        key.substr(end - tail.size(), tail.size()) == tail) {
        h.primary.assign(key.substr(0, end - tail.size()));
        h.rest.assign(key.substr(end));
        h.state = THead::TState::SeenOnce;
    }
}

std::string LocaleSortKey(std::string_view s)
{
    std::string key;
    AppendLocaleSortKey(s, key);
    return key;
}

std::string LocaleLowerCase(std::string_view s) { return LocaleMapCase(s, false); }
std::string LocaleUpperCase(std::string_view s) { return LocaleMapCase(s, true); }

int LocaleCompareStr(std::string_view a, std::string_view b) { return CompareWith(0, a, b); }
int LocaleCompareText(std::string_view a, std::string_view b) { return CompareWith(NORM_IGNORECASE, a, b); }

int CompareFileName(std::string_view a, std::string_view b)
{
    return LocaleCompareStr(SjisLowerCase(a), SjisLowerCase(b));
}

int CompareBytes(std::string_view a, std::string_view b)
{
    int r = a.compare(b);
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

int CompareByRule(std::string_view a, std::string_view b, TCompareRule rule)
{
    int caseRule = rule.caseRule == 1 || rule.caseRule == 2 ? rule.caseRule : 0;
    if (rule.method == 0) {
        if (caseRule == 0) return CompareBytes(LocaleLowerCase(a), LocaleLowerCase(b));
        if (caseRule == 1) return CompareBytes(SjisLowerCase(a), SjisLowerCase(b));
        return CompareBytes(a, b);
    }
    if (caseRule == 0) return LocaleCompareText(a, b);
    if (caseRule == 1) return CompareFileName(a, b);
    return LocaleCompareStr(a, b);
}
