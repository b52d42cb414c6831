#include "script-format/binconst_catalog.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "script-format/vtlname.h"

namespace bc {

namespace {

// Entries of one kind ordered by name, for binary search.
struct TNameIndex {
    std::vector<const TBuiltin*> byName[std::size(kBuiltinKinds)];
    std::vector<const TBuiltin*> byId;
    TNameIndex()
    {
        for (TBuiltinKind kind : kBuiltinKinds) {
            auto& v = byName[static_cast<int>(kind)];
            for (const TBuiltin& b : Builtins(kind)) {
                v.push_back(&b);
                byId.push_back(&b);
            }
            std::sort(v.begin(), v.end(),
                      [](const TBuiltin* a, const TBuiltin* b) { return CompareNames(a->name, b->name) < 0; });
        }
        std::sort(byId.begin(), byId.end(), [](const TBuiltin* a, const TBuiltin* b) { return a->id < b->id; });
    }
};

const TNameIndex& Index()
{
    static const TNameIndex index;
    return index;
}

}  // namespace

const TBuiltin* FindBuiltin(TBuiltinKind kind, std::string_view name)
{
    const auto& v = Index().byName[static_cast<int>(kind)];
    auto it = std::lower_bound(v.begin(), v.end(), name,
                               [](const TBuiltin* b, std::string_view n) { return CompareNames(b->name, n) < 0; });
    return it != v.end() && SameName((*it)->name, name) ? *it : nullptr;
}

const TBuiltin* FindBuiltinById(std::int32_t id)
{
    const auto& v = Index().byId;
    auto it = std::lower_bound(v.begin(), v.end(), id, [](const TBuiltin* b, std::int32_t i) { return b->id < i; });
    return it != v.end() && (*it)->id == id ? *it : nullptr;
}

}  // namespace bc
