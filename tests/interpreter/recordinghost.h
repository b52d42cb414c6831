#pragma once
// A host for the interpreter without a main window: it records every
// message box and status message as one line ("[caption] text", CR LF shown
// as \n), answers message boxes from a script, and raises the stop request
// when told to. Its two panes are real pane states without windows. Its
// histories are shared when a TRefCountEx is attached.

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/refcountex.h"
#include "interpreter/vtlhost.h"
#include "panes/panestate.h"

class TRecordingHost : public TVtlHost,
                       public TVtlDialogs,
                       public TVtlWindow,
                       public TVtlPanes,
                       public TVtlHistories {
public:
    // The line of a message box or status message.
    static std::string Line(const std::string& caption, const std::string& text);

    std::vector<std::string> lines;
    std::vector<TVtlMessageBox> boxes;
    // Answers of the next message boxes; 1 (the first button) when empty.
    std::deque<int> answers;
    // The stop request is set once ReadStopRequest has been asked this many
    // times (never when negative).
    long stopAfterPolls = -1;
    long polls = 0;
    long pumps = 0;
    // Called each time the window would process its messages.
    std::function<void()> onPump;
    // What the ends of runs did: "plugins", "archiver N", "after".
    std::vector<std::string> runEnds;
    // Called with each line as it is recorded.
    std::function<void(const std::string&)> echo;
    // The active pane's DirNoExt setting.
    bool dirNoExt = false;
    TPaneState pane1, pane2;
    int activeWindow = 1;
    // The shared histories; none when empty.
    std::unique_ptr<TRefCountEx> history;

    void ProcessMessages() override
    {
        ++pumps;
        if (onPump) onPump();
    }
    bool ReadStopRequest() override;
    bool PeekStopRequest() override { return stopAfterPolls >= 0 && polls >= stopAfterPolls; }
    TVtlPanes& Panes() override { return *this; }
    TVtlWindow& Window() override { return *this; }
    TVtlDialogs& Dialogs() override { return *this; }
    TVtlHistories& Histories() override { return *this; }
    void UnloadImagePlugins() override { runEnds.push_back("plugins"); }
    void UnloadArchiverLibrary(int library) override { runEnds.push_back("archiver " + std::to_string(library)); }
    void AfterRun() override { runEnds.push_back("after"); }

    int MessageBox(const TVtlMessageBox& box) override;
    void ShowSimpleMessage(const std::string& text) override { Record(Line("Velkano", text)); }
    void ShowTimedStatusMessage(const std::string& text, int alignment, int ms) override;
    bool ActivePaneDirNoExt() override { return dirNoExt; }
    int ActiveWindow() override { return activeWindow; }
    TPaneOps& Pane(int window) override { return window == 2 ? pane2 : pane1; }

    std::string History(int list) override;
    void AddHistory(int list, const std::string& line) override;
    void SetHistory(int list, const std::string& text) override;
    int InstanceCount() override { return history ? history->AttachedCount() : -1; }
    int InstanceNumber() override { return history ? history->Serial() : -1; }

private:
    void Record(const std::string& line);
};
