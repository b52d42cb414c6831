#include "orumask.h"

#include "format.h"
#include "sjis.h"

namespace {

[[noreturn]] void Invalid(std::string_view mask, std::size_t position)
{
    throw EOruMatchError(Format("'%s' is an invalid mask at (%d)", {mask, static_cast<long long>(position)}));
}

[[noreturn]] void BadChar(const char* text, std::size_t position)
{
    throw EOruMatchError(text + IntToStr(static_cast<std::int64_t>(position)) + ")");
}

bool IsLead(char c) { return IsSjisLeadByte(static_cast<unsigned char>(c)); }

}  // namespace

TOruMask::TOruMask(std::string_view mask, bool exactCase) : exactCase_(exactCase)
{
    auto fold = [exactCase](char c) { return static_cast<unsigned char>(exactCase ? c : AsciiUpper(c)); };
    bool pendingStar = false;
    int stars = 0;
    auto add = [&](TStep step, std::size_t position) {
        step.star = pendingStar;
        pendingStar = false;
        if (step.star && ++stars > kMaxStars) Invalid(mask, position);
        steps_.push_back(step);
    };
    const std::size_t n = mask.size();
    for (std::size_t i = 0; i < n;) {
        char c = mask[i];
        if (c == '*') {
            pendingStar = true;
            ++i;
        } else if (c == '?') {
            if (!pendingStar) add(TStep(TStepKind::Any), i + 1);
            ++i;
        } else if (c == '<') {
            TStep step(TStepKind::Set);
            std::size_t j = i + 1;
            if (j < n && mask[j] == '!') {
                step.negated = true;
                ++j;
            }
            bool closed = false, havePrev = false;
            char prev = 0;
            while (j < n) {
                char b = mask[j];
                if (b == '>') {
                    closed = true;
                    ++j;
                    break;
                }
                if (IsLead(b) && j + 1 < n) {
                    j += 2;  // a double-byte character has no place in a byte set
                    continue;
                }
                if (b == '-') {
                    // Only between two bytes: not first, not before ">" or a
                    // double-byte character, not at the end.
                    if (!havePrev || j + 1 >= n || mask[j + 1] == '>' || IsLead(mask[j + 1])) Invalid(mask, j + 1);
                    char next = mask[j + 1];
                    for (unsigned x = fold(prev); x <= fold(next); ++x) step.set.set(x);
                    prev = next;
                    j += 2;
                    continue;
                }
                step.set.set(fold(b));
                prev = b;
                havePrev = true;
                ++j;
            }
            if (!closed) Invalid(mask, n + 1);
            if (step.set.none()) Invalid(mask, j);
            add(step, i + 1);
            i = j;
        } else if (IsLead(c)) {
            if (i + 1 >= n) Invalid(mask, i + 2);
            TStep step(TStepKind::DoubleByte);
            step.b1 = static_cast<unsigned char>(c);
            step.b2 = static_cast<unsigned char>(mask[i + 1]);
            add(step, i + 1);
            i += 2;
        } else {
            TStep step(TStepKind::Literal);
            step.b1 = fold(c);
            add(step, i + 1);
            ++i;
        }
    }
    add(TStep(TStepKind::End), n + 1);
}

int TOruMask::MatchAt(const TStep& step, std::string_view name, std::size_t pos) const
{
    auto byteAt = [&](std::size_t p) {
        return static_cast<unsigned char>(exactCase_ ? name[p] : AsciiUpper(name[p]));
    };
    switch (step.kind) {
    case TStepKind::Literal:
        return pos < name.size() && byteAt(pos) == step.b1 ? 1 : -1;
    case TStepKind::Any:
        return pos < name.size() ? 1 : -1;
    case TStepKind::Set:
        return pos < name.size() && step.set.test(byteAt(pos)) != step.negated ? 1 : -1;
    case TStepKind::DoubleByte:
        return pos + 1 < name.size() && static_cast<unsigned char>(name[pos]) == step.b1 &&
                       static_cast<unsigned char>(name[pos + 1]) == step.b2
                   ? 2
                   : -1;
    case TStepKind::End:
        return pos == name.size() ? 0 : -1;
    }
    return -1;
}

bool TOruMask::Match(std::string_view name) const
{
    struct TPoint {
        std::size_t pos, step;
    };
    std::vector<TPoint> resume;
    // States (position, step) already tried. Whether the rest of the mask
    // matches from a state depends on nothing else, so a state seen again
    // cannot succeed: this bounds the work by positions x steps. It is only
    // needed once matching has gone back at least once.
    std::vector<bool> seen;
    const std::size_t width = steps_.size();
    auto visit = [&](std::size_t pos, std::size_t k) {
        if (seen.empty()) return true;
        std::size_t bit = pos * width + k;
        if (seen[bit]) return false;
        seen[bit] = true;
        return true;
    };

    std::size_t pos = 0, k = 0;
    for (;;) {
        bool ok = true;
        while (k < width) {
            const TStep& step = steps_[k];
            if (step.star) {
                // Move on to the next place where the step matches; a
                // double-byte literal only at character starts.
                std::size_t q = pos;
                int taken = -1;
                while (q <= name.size()) {
                    if (!visit(q, k)) break;
                    if ((taken = MatchAt(step, name, q)) >= 0) break;
                    if (q == name.size()) break;
                    q += step.kind == TStepKind::DoubleByte ? SjisCharLength(name, q) : 1;
                }
                if (taken < 0) {
                    ok = false;
                    break;
                }
                if (q < name.size()) resume.push_back({q + (taken == 2 ? 2 : 1), k});
                pos = q + static_cast<std::size_t>(taken);
            } else {
                int taken = visit(pos, k) ? MatchAt(step, name, pos) : -1;
                if (taken < 0) {
                    ok = false;
                    break;
                }
                pos += static_cast<std::size_t>(taken);
            }
            ++k;
        }
        if (ok) return true;
        if (resume.empty()) return false;
        if (seen.empty()) seen.assign((name.size() + 2) * width, false);
        pos = resume.back().pos;
        k = resume.back().step;
        resume.pop_back();
    }
}

std::vector<std::string> SplitMasks(std::string_view s)
{
    std::vector<std::string> masks;
    std::string cur;
    bool inSet = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (IsLead(c)) {
            if (i + 1 >= s.size()) BadChar("漢字が変？ (", i + 2);
            cur.append(s, i, 2);
            ++i;
            continue;
        }
        if (c == '<') {
            if (inSet) BadChar("不正な文字 < (", i + 1);
            inSet = true;
        } else if (c == '>') {
            if (!inSet) BadChar("不正な文字 > (", i + 1);
            inSet = false;
        } else if (c == '|') {
            if (inSet) BadChar("<>が閉じていません (", i + 1);
            if (!cur.empty()) masks.push_back(cur);
            cur.clear();
            continue;
        }
        cur += c;
    }
    if (!cur.empty()) masks.push_back(cur);
    return masks;
}

bool MatchMask(std::string_view name, std::string_view maskString, bool exactCase)
{
    try {
        for (const std::string& mask : SplitMasks(maskString))
            if (TOruMask(mask, exactCase).Match(name)) return true;
        return false;
    } catch (const EOruMatchError&) {
        throw;
    } catch (const std::exception& e) {
        throw EOruMatchError(e.what());
    }
}

TOruMaskList::TOruMaskList(std::string_view maskString, bool exactCase)
{
    try {
        for (const std::string& mask : SplitMasks(maskString)) masks_.emplace_back(mask, exactCase);
    } catch (const std::exception& e) {
        failed_ = true;
        error_ = e.what();
    }
}

bool TOruMaskList::Match(std::string_view name) const
{
    // MatchMask compiles the masks in order and stops at the first match, so
    // an invalid mask fails only the names that no earlier mask takes.
    for (const TOruMask& mask : masks_)
        if (mask.Match(name)) return true;
    if (failed_) throw EOruMatchError(error_);
    return false;
}

bool IsValidMask(std::string_view maskString)
{
    try {
        for (const std::string& mask : SplitMasks(maskString)) TOruMask(mask, false);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
