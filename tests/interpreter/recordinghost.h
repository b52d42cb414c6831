#pragma once
// A host for the interpreter without a main window: it records every
// message box and status message as one line ("[caption] text", CR LF shown
// as \n), answers message boxes from a script, and raises the stop request
// when told to.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "interpreter/vtlhost.h"

class TRecordingHost : public TVtlHost, public TVtlDialogs, public TVtlWindow, public TVtlPanes {
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
    // What the ends of runs did: "plugins", "archiver N", "after".
    std::vector<std::string> runEnds;
    // Called with each line as it is recorded.
    std::function<void(const std::string&)> echo;

    void ProcessMessages() override { ++pumps; }
    bool ReadStopRequest() override;
    bool PeekStopRequest() override { return stopAfterPolls >= 0 && polls >= stopAfterPolls; }
    TVtlPanes& Panes() override { return *this; }
    TVtlWindow& Window() override { return *this; }
    TVtlDialogs& Dialogs() override { return *this; }
    void UnloadImagePlugins() override { runEnds.push_back("plugins"); }
    void UnloadArchiverLibrary(int library) override { runEnds.push_back("archiver " + std::to_string(library)); }
    void AfterRun() override { runEnds.push_back("after"); }

    int MessageBox(const TVtlMessageBox& box) override;
    void ShowSimpleMessage(const std::string& text) override { Record(Line("Velkano", text)); }
    void ShowTimedStatusMessage(const std::string& text, int alignment, int ms) override;

private:
    void Record(const std::string& line);
};
