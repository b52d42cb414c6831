#pragma once
// The run's notes of the marked entries of windows 1 and 2, which the
// GetMark* builtins read: made by the first query of the run that names the
// window, kept whatever the program does to marks and panes until it asks
// for them again, freed with the run record.

#include "interpreter/initdatas.h"
#include "panes/paneops.h"

class TKeySrc;

// Window 1 or 2's snapshot, taken from the pane when the run has none yet.
const TSnapshotEntries& RunMarkSnapshot(TKeySrc& vtl, TInitDatas& rec, int window);
// Takes the window's snapshot again from the pane, but only when the run
// has one (ReloadMarkInfo; Update after its reload).
void RetakeMarkSnapshot(TKeySrc& vtl, TInitDatas& rec, int window);
