#pragma once
// What builtins do to a pane's marks and ask of its entries. The pane
// implements it; a test host may implement it with a pane of its own.

#include <cstdint>
#include <string_view>
#include <vector>

#include "panes/fileinfo.h"

// The marked entries of a pane at one moment (or the cursor entry when
// none is marked), as copies: they stay valid whatever happens to the pane
// afterwards, a reload included.
using TSnapshotEntries = std::vector<TFileInfo>;

// Pane status values: nothing listed yet, listed, no such drive, drive not
// ready, directory does not exist.
constexpr int kPaneNothing = 0, kPaneListed = 1, kPaneNoDrive = 2, kPaneNotReady = 3, kPaneNotExist = 4;

class TPaneOps {
public:
    virtual ~TPaneOps() = default;

    virtual int EntryCount() const = 0;
    // One of the pane status values.
    virtual int PaneStatus() const = 0;
    // nullptr outside 0..EntryCount()-1.
    virtual const TFileInfo* EntryAt(int i) const = 0;
    // The cursor entry (the cursor goes to the first entry when there is
    // none); nullptr for a pane without entries.
    virtual const TFileInfo* CurrentEntry() = 0;

    virtual bool IsMarked(int i) const = 0;
    virtual int MarkedCount() const = 0;
    virtual std::int64_t MarkedSize() const = 0;
    // True: patterns are wildcard masks; false: regular expressions.
    virtual bool WildcardMasks() const = 0;

    // Each does nothing on a pane without entries, for an index outside the
    // list, and for ".", "..", drives, servers and shares.
    virtual void SetMark(int i, bool on) = 0;
    virtual void ToggleMark(int i) = 0;
    virtual void InvertMarks() = 0;
    // Clears every mark when any entry is marked, else marks every file.
    virtual void MarkAllFiles() = 0;
    // Sets or clears the marks of the entries whose long names match; exact:
    // case counts; dirsToo: directories are affected too. A regular
    // expression that does not compile raises EAWKStrError; a wildcard mask
    // that is invalid matches nothing.
    virtual void MarkByPattern(std::string_view pattern, bool on, bool exact, bool dirsToo) = 0;
    virtual void ToggleMarkByPattern(std::string_view pattern, bool dirsToo, bool exact) = 0;

    // The marked entries in list order; else the cursor entry; else none.
    TSnapshotEntries TakeMarkSnapshot();
};
