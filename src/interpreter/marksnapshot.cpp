#include "interpreter/marksnapshot.h"

#include "interpreter/keysrc.h"

namespace {

// Copies of the entries, so that a reload of the pane during the run
// leaves them intact.
class TPaneMarkSnapshot final : public TMarkSnapshot {
public:
    explicit TPaneMarkSnapshot(TSnapshotEntries e) : entries(std::move(e)) {}
    TSnapshotEntries entries;
};

std::unique_ptr<TMarkSnapshot>& SnapshotOf(TInitDatas& rec, int window)
{
    return window == 2 ? rec.MarkSnapshot2 : rec.MarkSnapshot1;
}

void Take(TKeySrc& vtl, std::unique_ptr<TMarkSnapshot>& slot, int window)
{
    slot = std::make_unique<TPaneMarkSnapshot>(vtl.Host().Panes().Pane(window).TakeMarkSnapshot());
}

}  // namespace

const TSnapshotEntries& RunMarkSnapshot(TKeySrc& vtl, TInitDatas& rec, int window)
{
    std::unique_ptr<TMarkSnapshot>& slot = SnapshotOf(rec, window);
    if (!slot) Take(vtl, slot, window);
    return static_cast<const TPaneMarkSnapshot&>(*slot).entries;
}

void RetakeMarkSnapshot(TKeySrc& vtl, TInitDatas& rec, int window)
{
    std::unique_ptr<TMarkSnapshot>& slot = SnapshotOf(rec, window);
    if (slot) Take(vtl, slot, window);
}
