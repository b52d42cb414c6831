#include "panes/attrmask.h"

#include "panes/fileinfo.h"
#include "platform/sjis.h"
#include "platform/stringlist.h"

namespace {
const char kLetters[] = "RHSACD";
const std::uint32_t kBits[6] = {file_attr::kReadOnly, file_attr::kHidden,     file_attr::kSystem,
                                file_attr::kArchive,  file_attr::kCompressed, file_attr::kDirectory};
}  // namespace

bool TAttrMask::TryParse(std::string_view line, TAttrMask& mask)
{
    if (line.size() != 6) return false;
    TAttrMask m;
    for (std::size_t i = 0; i < 6; ++i) {
        char c = AsciiUpper(line[i]);
        if (c == kLetters[i]) m.need_[i] = TNeed::Set;
        else if (c == '-') m.need_[i] = TNeed::Clear;
        else if (c == '*') m.need_[i] = TNeed::Any;
        else return false;
    }
    mask = m;
    return true;
}

bool TAttrMask::Open() const
{
    for (TNeed n : need_)
        if (n != TNeed::Any) return false;
    return true;
}

bool TAttrMask::Matches(std::uint32_t attributes) const
{
    for (std::size_t i = 0; i < 6; ++i) {
        bool set = (attributes & kBits[i]) != 0;
        if ((need_[i] == TNeed::Set && !set) || (need_[i] == TNeed::Clear && set)) return false;
    }
    return true;
}

std::string TAttrMask::Text() const
{
    std::string text;
    for (std::size_t i = 0; i < 6; ++i)
        text += need_[i] == TNeed::Set ? kLetters[i] : need_[i] == TNeed::Clear ? '-' : '*';
    return text;
}

void TAttrMaskList::SetText(std::string_view text)
{
    std::vector<TAttrMask> masks;
    for (const std::string& line : SplitLines(text)) {
        TAttrMask m;
        if (!TAttrMask::TryParse(line, m)) throw EAttrMaskError("invalid mask string");
        masks.push_back(m);
    }
    masks_ = std::move(masks);
}

std::string TAttrMaskList::Text() const
{
    if (masks_.empty()) return "******";
    std::string text;
    for (const TAttrMask& m : masks_) {
        if (!text.empty()) text += "\r\n";
        text += m.Text();
    }
    return text;
}

bool TAttrMaskList::Passes(std::uint32_t attributes) const
{
    // An open line matches every entry, so a list of open lines passes all.
    if (masks_.empty()) return true;
    for (const TAttrMask& m : masks_)
        if (m.Matches(attributes)) return true;
    return false;
}
