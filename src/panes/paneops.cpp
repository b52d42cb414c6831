#include "panes/paneops.h"

TSnapshotEntries TPaneOps::TakeMarkSnapshot()
{
    TSnapshotEntries snapshot;
    if (MarkedCount() > 0) {
        for (int i = 0, n = EntryCount(); i < n; ++i)
            if (IsMarked(i)) snapshot.push_back(*EntryAt(i));
    } else if (const TFileInfo* e = CurrentEntry()) {
        snapshot.push_back(*e);
    }
    return snapshot;
}
