#pragma once
// What the interpreter needs from the rest of VELK: the main window, its
// panes and its dialogs. VELK's main window implements it; tests use a
// recording host. Operations of later builtin families go into the part
// interfaces (panes, window, dialogs), never into the interpreter core.

#include <windows.h>

#include <string>
#include <vector>

// The host's MessageBox keeps its name whether <windows.h>, which makes it
// a macro, comes before or after this header.
#undef MessageBox

class TPaneOps;

// A message box (the program's own, with up to five buttons).
struct TVtlMessageBox {
    std::string caption;
    std::string text;
    std::vector<std::string> buttons;  // caption i answers i (1 to 5)
    // -1 no icon and no sound; 0 no icon, the default beep; 1 information,
    // 2 warning, 3 question, 4 error.
    int icon = -1;
    int defaultButton = 0;  // 0-based
    // Centred on the main window; otherwise placed by the message-box
    // position rule of the settings.
    bool centredOnMainWindow = false;
};

enum TVtlIcon { kIconNone = 0, kIconInformation = 1, kIconWarning = 2, kIconQuestion = 3, kIconError = 4 };

class TVtlDialogs {
public:
    virtual ~TVtlDialogs() = default;
    // Shown modally with the message-box font: 1 to 5 for the button
    // pressed, 0 for Escape or the close box.
    virtual int MessageBox(const TVtlMessageBox& box) = 0;
    // The platform's simple message box: one OK button, the application's
    // title as its caption.
    virtual void ShowSimpleMessage(const std::string& text) = 0;
};

class TVtlWindow {
public:
    virtual ~TVtlWindow() = default;
    // The status bar's message area: text and alignment (0 left, 1 right,
    // 2 centre) for ms milliseconds.
    virtual void ShowTimedStatusMessage(const std::string& text, int alignment, int ms) = 0;
};

// The panes as builtins reach them: window 1 is the left or upper pane,
// window 2 the right or lower one.
class TVtlPanes {
public:
    virtual ~TVtlPanes() = default;
    // The active pane does not split directory names into name and extension.
    virtual bool ActivePaneDirNoExt() = 0;
    // The window number (1 or 2) of the pane with the focus.
    virtual int ActiveWindow() = 0;
    // The entries and marks of window 1 or 2 (the builtins check the number).
    virtual TPaneOps& Pane(int window) = 0;

    TPaneOps& ActivePane() { return Pane(ActiveWindow()); }
    TPaneOps& OtherPane() { return Pane(3 - ActiveWindow()); }
};

// The histories shared by every running VELK: 1 directories, 2 executed
// command lines, 3 regular expressions. Without shared history they read
// empty, store nothing, and the counts are -1.
class TVtlHistories {
public:
    virtual ~TVtlHistories() = default;
    // The list's lines, newest first, each followed by CR LF.
    virtual std::string History(int list) = 0;
    virtual void AddHistory(int list, const std::string& line) = 0;
    virtual void SetHistory(int list, const std::string& text) = 0;
    // Running copies that share the histories, and this copy's number.
    virtual int InstanceCount() = 0;
    virtual int InstanceNumber() = 0;
};

class TVtlHost {
public:
    virtual ~TVtlHost() = default;

    // Lets the window process pending messages (repaints, timers, keys).
    virtual void ProcessMessages() = 0;
    // The stop keys' request: read and cleared, or only looked at.
    virtual bool ReadStopRequest() = 0;
    virtual bool PeekStopRequest() = 0;

    virtual TVtlPanes& Panes() = 0;
    virtual TVtlWindow& Window() = 0;
    virtual TVtlDialogs& Dialogs() = 0;
    virtual TVtlHistories& Histories() = 0;

    // The end of every run, in this order: image plug-ins are unloaded
    // (unless the settings keep them), then each archiver library the run
    // used, then what the window must tidy up (a splash window left open,
    // the main window disabled by a dialog, the incremental search box).
    virtual void UnloadImagePlugins() = 0;
    virtual void UnloadArchiverLibrary(int library) = 0;
    virtual void AfterRun() = 0;
};
