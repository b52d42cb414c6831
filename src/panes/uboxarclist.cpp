#include "panes/uboxarclist.h"

#include "platform/sjis.h"

TUBoxArcList::TUBoxArcList() : TTextList(TCompareRule{1, 1}, true) { SetSorted(true); }

std::vector<std::string> ArchivePathComponents(std::string_view path)
{
    std::vector<std::string> parts;
    std::string cur;
    for (std::size_t i = 0; i < path.size();) {
        std::size_t n = SjisCharLength(path, i);
        unsigned char b = static_cast<unsigned char>(path[i]);
        if (n == 1 && (b == '/' || b == '\\' || b == 0xFF)) {
            if (!cur.empty()) parts.push_back(std::move(cur));
            cur.clear();
        } else {
            cur.append(path, i, n);
        }
        i += n;
    }
    if (!cur.empty()) parts.push_back(std::move(cur));
    return parts;
}

namespace {

void MakeDirNode(TArcFileInfo& node)
{
    node.AttrD = 'D';
    if (!node.Children) node.Children = std::make_unique<TUBoxArcList>();
}

// A listing's data into an existing node: the node keeps its children, and
// a directory stays one.
void TakeListing(TArcFileInfo& node, TFileInfo listed)
{
    bool wasDir = node.IsDirectory();
    static_cast<TFileInfo&>(node) = std::move(listed);
    if (wasDir || node.IsDirectory()) MakeDirNode(node);
    node.Replaceable = false;
}

}  // namespace

void TUBoxArcList::AddPath(std::string_view path, const TArcEntryData& data)
{
    std::vector<std::string> parts = ArchivePathComponents(path);
    if (parts.empty()) return;
    TUBoxArcList* level = this;
    for (std::size_t k = 0; k + 1 < parts.size(); ++k) {
        int i;
        if (!level->Find(parts[k], i)) {
            auto node = std::make_unique<TArcFileInfo>();
            node->SetFileName(parts[k]);
            node->ListIndex = data.listIndex;
            node->LastWriteTime = 0;
            i = level->Add(parts[k], std::move(node));
        }
        // A file of the same name as a directory on the way becomes that
        // directory, so that the members below it stay reachable.
        TArcFileInfo& dir = level->Node(i);
        MakeDirNode(dir);
        level = dir.Children.get();
    }
    const std::string& name = parts.back();
    TArcEntryData named = data;
    named.name = name;
    int i;
    if (!level->Find(name, i)) {
        auto node = std::make_unique<TArcFileInfo>();
        static_cast<TFileInfo&>(*node) = MakeArchiveEntry(named);
        if (node->IsDirectory()) MakeDirNode(*node);
        level->Add(name, std::move(node));
        return;
    }
    TArcFileInfo& node = level->Node(i);
    if (node.Replaceable) TakeListing(node, MakeArchiveEntry(named));
}

const TUBoxArcList* TUBoxArcList::FindLevel(std::string_view innerPath) const
{
    const TUBoxArcList* level = this;
    for (const std::string& part : ArchivePathComponents(innerPath)) {
        int i;
        if (!level->Find(part, i) || !level->Node(i).IsDirNode()) return nullptr;
        level = level->Node(i).Children.get();
    }
    return level;
}
