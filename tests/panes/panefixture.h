#pragma once
// A pane with a recording view, a lister that returns a prepared listing,
// and counters of the notifications.

#include <string>
#include <vector>

#include "paneentries.h"
#include "panes/panestate.h"

class TRecordingView : public TPaneView {
public:
    void RedrawItem(int index) override { redrawn.push_back(index); }
    void Repaint() override { ++repaints; }
    void BeginUpdate() override { ++held; }
    void EndUpdate() override { --held; }
    void LayoutChanged() override { ++layouts; }
    std::vector<int> redrawn;
    int repaints = 0, held = 0, layouts = 0;
};

class TPreparedLister : public TPaneLister {
public:
    TListing ReadListing(const TPaneState&) override
    {
        ++reads;
        TListing copy;
        copy.status = next.status;
        copy.totalSize = next.totalSize;
        for (int i = 0; i < next.entries.Count(); ++i) copy.entries.Add(next.entries[i]);
        return copy;
    }
    TListing next;
    int reads = 0;
};

class TPaneFixture {
public:
    explicit TPaneFixture(const TCustData& cust = TCustData()) : pane(cust)
    {
        pane.SetView(&view);
        pane.SetLister(&lister);
        pane.OnMarkInfo = [this](TPaneState&) { ++markInfos; };
        pane.OnDirInfo = [this](TPaneState&) { ++dirInfos; };
    }
    void Show(std::vector<TFileInfo> entries)
    {
        pane.ShowListing(ListingOf(entries));
        lister.next = ListingOf(std::move(entries));
        markInfos = dirInfos = 0;
    }
    // What the next reload will read.
    void WillRead(std::vector<TFileInfo> entries) { lister.next = ListingOf(std::move(entries)); }
    int IndexOf(const std::string& name) const
    {
        for (int i = 0; i < pane.EntryCount(); ++i)
            if (pane.EntryAt(i)->FileName() == name) return i;
        return -1;
    }

    TRecordingView view;
    TPreparedLister lister;
    TPaneState pane;
    int markInfos = 0, dirInfos = 0;
};
