#include "interpreter/filenames.h"

#include <vector>

#include "panes/pathutils.h"
#include "platform/sjis.h"
#include "platform/textcase.h"

namespace {

// The root of a full path ("C:\" or "\\server\share") and the components
// after it, without empty ones.
struct TSplitPath {
    std::string root;
    std::vector<std::string> components;
    bool trailingBackslash = false;
};

TSplitPath SplitFullPath(std::string_view path)
{
    TSplitPath s;
    s.root = IsUNCPath(path) ? UNCRoot(path) : std::string(path.substr(0, 3));
    std::string_view rest = path.substr(s.root.size());
    s.trailingBackslash = !rest.empty() && SjisHasTrailingBackslash(rest);
    for (std::string& c : SjisSplit(rest, '\\'))
        if (!c.empty()) s.components.push_back(std::move(c));
    return s;
}

std::string Joined(const std::vector<std::string>& parts, std::size_t from, std::size_t to)
{
    std::string out;
    for (std::size_t i = from; i < to; ++i) {
        if (i > from) out += '\\';
        out += parts[i];
    }
    return out;
}

}  // namespace

TPathAndName DivPathAndName(std::string_view path)
{
    TPathAndName out;
    std::size_t i = SjisLastDelimiter(path, "\\:");
    if (i == std::string_view::npos) {
        out.name = std::string(path);
        return out;
    }
    // A root: the backslash follows a single-byte ":" or "\\" (not a trail byte).
    const bool root = path[i] != '\\' || (i > 0 && SjisByteKind(path, i - 1) == TSjisByteKind::Single &&
                                           (path[i - 1] == ':' || path[i - 1] == '\\'));
    out.dir = std::string(path.substr(0, root ? i + 1 : i));
    out.name = std::string(path.substr(i + 1));
    return out;
}

TNameAndExt DivNameAndExt(std::string_view path, bool wholeName)
{
    TNameAndExt out;
    const std::string component = SjisExtractFileName(path);
    out.ext = wholeName ? std::string() : SjisExtractFileExt(component);
    out.name = component.substr(0, component.size() - out.ext.size());
    return out;
}

std::string ExtractDirLevel(std::string_view path, int level)
{
    const TSplitPath s = SplitFullPath(path);
    if (level < 1) return s.root;
    if (static_cast<std::size_t>(level) >= s.components.size()) return std::string(path);
    std::string out = SjisIncludeTrailingBackslash(s.root);
    return out + Joined(s.components, 0, static_cast<std::size_t>(level));
}

std::string RelativeName(std::string_view base, std::string_view target)
{
    const TSplitPath b = SplitFullPath(base), t = SplitFullPath(target);
    if (!SameFileName(SjisExcludeTrailingBackslash(b.root), SjisExcludeTrailingBackslash(t.root)))
        return std::string(target);
    std::size_t shared = 0;
    while (shared < b.components.size() && shared < t.components.size() &&
           SameFileName(b.components[shared], t.components[shared]))
        ++shared;
    std::string out;
    for (std::size_t i = shared; i < b.components.size(); ++i) out += "..\\";
    out += Joined(t.components, shared, t.components.size());
    if (t.trailingBackslash && shared < t.components.size()) out += '\\';
    return out;
}
