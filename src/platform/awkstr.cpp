#include "awkstr.h"

#include <algorithm>
#include <bitset>
#include <utility>
#include <vector>

#include "sjis.h"

namespace {

enum class TOp : std::uint8_t { Char, Any, Class, Split, Jmp, Bol, Eol, Match };

struct TInst {
    TOp op;
    int x = -1, y = -1;
    std::uint16_t c = 0;
    int cls = -1;
};

struct TCharClass {
    bool negated = false;
    std::bitset<256> low;
    std::vector<std::pair<std::uint16_t, std::uint16_t>> high;  // ranges of double-byte codes

    void Add(std::uint16_t lo, std::uint16_t hi)
    {
        for (unsigned c = lo; c <= hi && c < 256; ++c) low.set(c);
        if (hi >= 256) high.emplace_back(static_cast<std::uint16_t>(lo < 256 ? 256 : lo), hi);
    }
    bool Contains(std::uint16_t c) const
    {
        if (c < 256) return low.test(c);
        for (const auto& r : high)
            if (c >= r.first && c <= r.second) return true;
        return false;
    }
};

// Thompson fragments: the holes (unset x or y fields) are a list threaded
// through holeNext, with head and tail for joining in constant time.
struct TFrag {
    int start;
    int head, tail;
};

constexpr int kMaxDepth = 1000;


// One character of s at i: its code and its length in bytes. Uses the code
// page's fixed lead-byte ranges, as the patterns and names are Shift-JIS.
inline std::uint16_t DecodeAt(std::string_view s, std::size_t i, std::size_t& len)
{
    unsigned char b = static_cast<unsigned char>(s[i]);
    if (IsCp932LeadByte(b) && i + 1 < s.size()) {
        len = 2;
        return static_cast<std::uint16_t>(b << 8 | static_cast<unsigned char>(s[i + 1]));
    }
    len = 1;
    return b;
}

inline unsigned FirstByte(std::uint16_t code) { return code < 256 ? code : code >> 8; }

}  // namespace

struct TAWKStr::TProgram {
    std::vector<TInst> code;
    std::vector<TCharClass> classes;
    int start = 0;

    // Work space of Match, sized to the program.
    struct TThread {
        int pc;
        std::size_t start;
    };
    mutable std::vector<TThread> clist, nlist;
    mutable std::vector<unsigned> mark;
    mutable std::vector<int> stack;
    mutable unsigned generation = 0;

    // Bytes that can begin a match, per fuzzy mode; unusable when the
    // pattern can match the empty string.
    mutable bool filterReady[2] = {false, false};
    mutable bool filterUsable[2] = {false, false};
    mutable std::bitset<256> filter[2];

    void BuildFilter(bool fuzzy, const TFuzzyCharDict& dict) const;
};

namespace {

class TParser {
public:
    TParser(std::string_view p, std::vector<TInst>& code, std::vector<TCharClass>& classes)
        : p_(p), code_(code), classes_(classes)
    {
    }

    int Compile()
    {
        TFrag f = ParseAlt();
        if (i_ < p_.size()) Fail("正規表現の ( がありません");  // not reached: ")" at top level is a literal
        int match = Emit(TInst{TOp::Match});
        Patch(f, match);
        return f.start;
    }

private:
    [[noreturn]] void Fail(const std::string& text) const { throw EAWKStrError(text + " : " + std::string(p_)); }

    int Emit(TInst inst)
    {
        code_.push_back(inst);
        holeNext_.push_back(-1);
        holeNext_.push_back(-1);
        return static_cast<int>(code_.size()) - 1;
    }
    static int Hole(int inst, int field) { return inst * 2 + field; }
    TFrag Single(TInst inst)
    {
        int i = Emit(inst);
        return TFrag{i, Hole(i, 0), Hole(i, 0)};
    }
    void Patch(const TFrag& f, int target)
    {
        for (int h = f.head; h >= 0;) {
            int next = holeNext_[static_cast<std::size_t>(h)];
            TInst& inst = code_[static_cast<std::size_t>(h / 2)];
            (h % 2 == 0 ? inst.x : inst.y) = target;
            if (h == f.tail) break;
            h = next;
        }
    }
    TFrag Join(TFrag a, int head, int tail)
    {
        holeNext_[static_cast<std::size_t>(a.tail)] = head;
        return TFrag{a.start, a.head, tail};
    }
    TFrag Concat(const TFrag& a, const TFrag& b)
    {
        Patch(a, b.start);
        return TFrag{a.start, b.head, b.tail};
    }
    TFrag Alternate(const TFrag& a, const TFrag& b)
    {
        int s = Emit(TInst{TOp::Split});
        code_[static_cast<std::size_t>(s)].x = a.start;
        code_[static_cast<std::size_t>(s)].y = b.start;
        TFrag f = Join(a, b.head, b.tail);
        f.start = s;
        return f;
    }
    TFrag Repeat(const TFrag& e, char q)
    {
        int s = Emit(TInst{TOp::Split});
        code_[static_cast<std::size_t>(s)].x = e.start;
        if (q == '?') {
            TFrag f = Join(e, Hole(s, 1), Hole(s, 1));
            f.start = s;
            return f;
        }
        Patch(e, s);
        return TFrag{q == '*' ? s : e.start, Hole(s, 1), Hole(s, 1)};
    }

    TFrag ParseAlt()
    {
        TFrag f = ParseBranch();
        while (i_ < p_.size() && p_[i_] == '|') {
            ++i_;
            f = Alternate(f, ParseBranch());
        }
        return f;
    }

    TFrag ParseBranch()
    {
        bool haveAcc = false, haveLast = false, lastIsAnchor = false;
        TFrag acc{}, last{};
        for (;;) {
            if (i_ >= p_.size() || p_[i_] == '|' || (p_[i_] == ')' && depth_ > 0)) break;
            char c = p_[i_];
            if ((c == '*' || c == '+' || c == '?') && haveLast && !lastIsAnchor) {
                last = Repeat(last, c);
                ++i_;
                continue;
            }
            if (haveLast) {
                acc = haveAcc ? Concat(acc, last) : last;
                haveAcc = true;
            }
            lastIsAnchor = c == '^' || c == '$';
            last = ParseAtom();
            haveLast = true;
        }
        if (haveLast) {
            acc = haveAcc ? Concat(acc, last) : last;
            haveAcc = true;
        }
        return haveAcc ? acc : Single(TInst{TOp::Jmp});
    }

    TFrag Literal(std::uint16_t c)
    {
        TInst inst{TOp::Char};
        inst.c = c;
        return Single(inst);
    }

    TFrag ParseAtom()
    {
        char c = p_[i_];
        switch (c) {
        case '(': {
            if (++depth_ > kMaxDepth) Fail("正規表現の括弧が深すぎます");
            ++i_;
            TFrag f = ParseAlt();
            if (i_ >= p_.size() || p_[i_] != ')') Fail("正規表現の ( が閉じていません");
            ++i_;
            --depth_;
            return f;
        }
        case '[':
            ++i_;
            return ParseBracket();
        case '.':
            ++i_;
            return Single(TInst{TOp::Any});
        case '^':
            ++i_;
            return Single(TInst{TOp::Bol});
        case '$':
            ++i_;
            return Single(TInst{TOp::Eol});
        default:
            return Literal(ReadChar());
        }
    }

    // One character, escapes included.
    std::uint16_t ReadChar()
    {
        std::size_t len;
        std::uint16_t code = DecodeAt(p_, i_, len);
        i_ += len;
        if (code != '\\') return code;
        if (i_ >= p_.size()) Fail("正規表現の最後に \\ があります");
        code = DecodeAt(p_, i_, len);
        i_ += len;
        switch (code) {
        case 't': return '\t';
        case 'n': return '\n';
        case 'r': return '\r';
        case 'f': return '\f';
        case 'v': return '\v';
        case 'a': return '\a';
        case 'b': return '\b';
        case 'x': {
            unsigned v = 0;
            int digits = 0;
            for (; digits < 2 && i_ < p_.size(); ++digits, ++i_) {
                char h = AsciiUpper(p_[i_]);
                if (h >= '0' && h <= '9') v = v * 16 + static_cast<unsigned>(h - '0');
                else if (h >= 'A' && h <= 'F') v = v * 16 + static_cast<unsigned>(h - 'A' + 10);
                else break;
            }
            return digits ? static_cast<std::uint16_t>(v) : 'x';
        }
        default:
            if (code >= '0' && code <= '7') {
                unsigned v = code - '0';
                for (int digits = 1; digits < 3 && i_ < p_.size() && p_[i_] >= '0' && p_[i_] <= '7'; ++digits, ++i_)
                    v = v * 8 + static_cast<unsigned>(p_[i_] - '0');
                return static_cast<std::uint16_t>(v & 0xFF);
            }
            return code;
        }
    }

    bool AddNamedClass(std::string_view name, TCharClass& cls)
    {
        auto add = [&](bool (*pred)(unsigned)) {
            for (unsigned c = 0; c < 128; ++c)
                if (pred(c)) cls.low.set(c);
        };
        static const struct {
            const char* name;
            bool (*pred)(unsigned);
        } kClasses[] = {
            {"alpha", [](unsigned c) { return (c | 32) >= 'a' && (c | 32) <= 'z'; }},
            {"digit", [](unsigned c) { return c >= '0' && c <= '9'; }},
            {"alnum", [](unsigned c) { return ((c | 32) >= 'a' && (c | 32) <= 'z') || (c >= '0' && c <= '9'); }},
            {"upper", [](unsigned c) { return c >= 'A' && c <= 'Z'; }},
            {"lower", [](unsigned c) { return c >= 'a' && c <= 'z'; }},
            {"space", [](unsigned c) { return c == ' ' || (c >= 9 && c <= 13); }},
            {"blank", [](unsigned c) { return c == ' ' || c == '\t'; }},
            {"punct", [](unsigned c) { return c > 32 && c < 127 && !((c | 32) >= 'a' && (c | 32) <= 'z') && !(c >= '0' && c <= '9'); }},
            {"print", [](unsigned c) { return c >= 32 && c < 127; }},
            {"graph", [](unsigned c) { return c > 32 && c < 127; }},
            {"cntrl", [](unsigned c) { return c < 32 || c == 127; }},
            {"xdigit", [](unsigned c) { return (c >= '0' && c <= '9') || ((c | 32) >= 'a' && (c | 32) <= 'f'); }},
        };
        for (const auto& k : kClasses)
            if (name == k.name) {
                add(k.pred);
                return true;
            }
        return false;
    }

    TFrag ParseBracket()
    {
        TCharClass cls;
        if (i_ < p_.size() && p_[i_] == '^') {
            cls.negated = true;
            ++i_;
        }
        bool first = true, afterRange = false;
        for (;;) {
            if (i_ >= p_.size()) Fail("正規表現の [ が閉じていません");
            char c = p_[i_];
            if (c == ']' && !first) {
                ++i_;
                break;
            }
            first = false;
            if (c == '[' && i_ + 1 < p_.size() && p_[i_ + 1] == ':') {
                std::size_t end = p_.find(":]", i_ + 2);
                if (end == std::string_view::npos) Fail("正規表現の [ が閉じていません");
                std::string_view name = p_.substr(i_ + 2, end - i_ - 2);
                if (!AddNamedClass(name, cls)) Fail("正規表現の文字クラス名が不正です");
                i_ = end + 2;
                afterRange = false;
                continue;
            }
            if (c == '-' && afterRange && i_ + 1 < p_.size() && p_[i_ + 1] != ']') Fail("正規表現の範囲指定が不正です");
            std::uint16_t lo = ReadChar(), hi = lo;
            afterRange = false;
            if (i_ + 1 < p_.size() && p_[i_] == '-' && p_[i_ + 1] != ']') {
                ++i_;
                if (p_[i_] == '[' && i_ + 1 < p_.size() && p_[i_ + 1] == ':') Fail("正規表現の範囲指定が不正です");
                hi = ReadChar();
                if (hi < lo) Fail("正規表現の範囲指定が不正です");
                afterRange = true;
            }
            cls.Add(lo, hi);
        }
        classes_.push_back(std::move(cls));
        TInst inst{TOp::Class};
        inst.cls = static_cast<int>(classes_.size()) - 1;
        return Single(inst);
    }

    std::string_view p_;
    std::size_t i_ = 0;
    int depth_ = 0;
    std::vector<TInst>& code_;
    std::vector<TCharClass>& classes_;
    std::vector<int> holeNext_;
};

}  // namespace

void TAWKStr::TProgram::BuildFilter(bool fuzzy, const TFuzzyCharDict& dict) const
{
    std::bitset<256>& f = filter[fuzzy];
    f.reset();
    bool usable = true;
    std::vector<bool> seen(code.size(), false);
    std::vector<int> todo{start};
    while (!todo.empty() && usable) {
        int pc = todo.back();
        todo.pop_back();
        if (pc < 0 || seen[static_cast<std::size_t>(pc)]) continue;
        seen[static_cast<std::size_t>(pc)] = true;
        const TInst& in = code[static_cast<std::size_t>(pc)];
        switch (in.op) {
        case TOp::Split:
            todo.push_back(in.y);
            [[fallthrough]];
        case TOp::Jmp:
        case TOp::Bol:
        case TOp::Eol:
            todo.push_back(in.x);
            break;
        case TOp::Match:
        case TOp::Any:
            usable = false;
            break;
        case TOp::Char:
            if (fuzzy)
                for (std::uint16_t m : dict.GroupOf(in.c)) f.set(FirstByte(m));
            else
                f.set(FirstByte(in.c));
            break;
        case TOp::Class: {
            const TCharClass& cls = classes[static_cast<std::size_t>(in.cls)];
            if (fuzzy || cls.negated) {
                usable = false;
                break;
            }
            f |= cls.low;
            for (const auto& r : cls.high)
                for (unsigned lead = r.first >> 8; lead <= static_cast<unsigned>(r.second >> 8); ++lead) f.set(lead);
            break;
        }
        }
    }
    filterUsable[fuzzy] = usable;
    filterReady[fuzzy] = true;
}

TAWKStr::TAWKStr() : dict_(&TFuzzyCharDict::Standard()) { SetPattern(""); }

TAWKStr::~TAWKStr() = default;

void TAWKStr::SetPattern(std::string_view pattern)
{
    auto program = std::make_unique<TProgram>();
    program->start = TParser(pattern, program->code, program->classes).Compile();
    std::size_t n = program->code.size();
    program->clist.reserve(n);
    program->nlist.reserve(n);
    program->mark.assign(n, 0);
    program_ = std::move(program);
    pattern_ = std::string(pattern);
}

bool TAWKStr::IsValid(std::string_view pattern)
{
    try {
        TAWKStr probe;
        probe.SetPattern(pattern);
        return true;
    } catch (const EAWKStrError&) {
        return false;
    }
}

TAWKMatch TAWKStr::Match(std::string_view subject) const
{
    const TProgram& pg = *program_;
    const TInst* code = pg.code.data();
    const TFuzzyCharDict& dict = *dict_;
    const bool fuzzy = fuzzy_;
    if (!pg.filterReady[fuzzy]) pg.BuildFilter(fuzzy, dict);
    const bool useFilter = pg.filterUsable[fuzzy];
    const std::bitset<256>& filter = pg.filter[fuzzy];
    const std::size_t n = subject.size();

    bool found = false;
    std::size_t bestStart = 0, bestEnd = 0;
    auto& clist = pg.clist;
    auto& nlist = pg.nlist;
    auto& mark = pg.mark;
    auto& stack = pg.stack;
    clist.clear();

    // Adds pc and everything reachable from it without consuming input, at
    // position pos, to list; a Match reached records a match.
    auto add = [&](std::vector<TProgram::TThread>& list, int pc0, std::size_t start, std::size_t pos) {
        stack.clear();
        stack.push_back(pc0);
        while (!stack.empty()) {
            int pc = stack.back();
            stack.pop_back();
            if (mark[static_cast<std::size_t>(pc)] == pg.generation) continue;
            mark[static_cast<std::size_t>(pc)] = pg.generation;
            const TInst& in = code[pc];
            switch (in.op) {
            case TOp::Jmp:
                stack.push_back(in.x);
                break;
            case TOp::Split:
                stack.push_back(in.y);
                stack.push_back(in.x);
                break;
            case TOp::Bol:
                if (pos == 0) stack.push_back(in.x);
                break;
            case TOp::Eol:
                if (pos == n) stack.push_back(in.x);
                break;
            case TOp::Match:
                if (!found || start < bestStart || (start == bestStart && pos > bestEnd)) {
                    found = true;
                    bestStart = start;
                    bestEnd = pos;
                }
                break;
            default:
                list.push_back({pc, start});
            }
        }
    };
    auto matches = [&](const TInst& in, std::uint16_t c) {
        switch (in.op) {
        case TOp::Char:
            return c == in.c || (fuzzy && dict.Same(c, in.c));
        case TOp::Any:
            return true;
        case TOp::Class: {
            const TCharClass& cls = pg.classes[static_cast<std::size_t>(in.cls)];
            bool in_ = cls.Contains(c);
            if (!in_ && fuzzy)
                for (std::uint16_t m : dict.GroupOf(c))
                    if (cls.Contains(m)) {
                        in_ = true;
                        break;
                    }
            return in_ != cls.negated;
        }
        default:
            return false;
        }
    };

    // A new generation empties the marks of every list at once.
    auto nextGeneration = [&] {
        if (++pg.generation == 0) {
            std::fill(mark.begin(), mark.end(), 0);
            pg.generation = 1;
        }
    };
    nextGeneration();
    std::size_t i = 0;
    for (;;) {
        if (!found) {
            if (clist.empty() && useFilter) {
                while (i < n && !filter.test(static_cast<unsigned char>(subject[i]))) {
                    std::size_t len;
                    DecodeAt(subject, i, len);
                    i += len;
                }
                if (i >= n) break;  // a pattern that needs a character cannot match at the end
            }
            add(clist, pg.start, i, i);
        }
        if (clist.empty() && (found || i >= n)) break;
        if (i >= n) break;
        std::size_t len;
        std::uint16_t c = DecodeAt(subject, i, len);
        nlist.clear();
        nextGeneration();
        for (const TProgram::TThread& t : clist) {
            if (found && t.start > bestStart) continue;
            const TInst& in = code[t.pc];
            if (matches(in, c)) add(nlist, in.x, t.start, i + len);
        }
        std::swap(clist, nlist);
        i += len;
    }
    if (!found) return TAWKMatch{};
    return TAWKMatch{static_cast<int>(bestStart) + 1, static_cast<int>(bestEnd - bestStart)};
}
