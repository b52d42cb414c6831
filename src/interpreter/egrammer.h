#pragma once
// The exceptions of a VTL run. EGrammer is a script error: the run ends and
// the user sees its text. Its descendants carry control flow that leaves
// blocks (their texts are never shown).

#include <stdexcept>
#include <string>

class EGrammer : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Break: leaves the innermost running compound statement.
class EExitSentence : public EGrammer {
public:
    EExitSentence() : EGrammer("複文を抜ける") {}
};
// ExitLoop: leaves the innermost running loop.
class EExitLoop : public EGrammer {
public:
    EExitLoop() : EGrammer("ループ構文を抜ける") {}
};
// Continue: starts the next pass of the innermost running loop.
class EContinue : public EGrammer {
public:
    EContinue() : EGrammer("ループ構文の頭に戻る") {}
};
// Exit and QuitVELK: end the whole run normally.
class EExitVTL : public EGrammer {
public:
    EExitVTL() : EGrammer("VTLを抜ける") {}
};
// ExitProc, Return in a #SUB or a binding: leave that #SUB, #DLG or binding.
class EExitProc : public EGrammer {
public:
    explicit EExitProc(const char* text = "#SUB又は#KEYを抜ける") : EGrammer(text) {}
};
// Return in a #FUNC: leave it with the value in its result slot.
class ERetFunc : public EGrammer {
public:
    ERetFunc() : EGrammer("#FUNCを抜ける") {}
};
// Raise: a user error; its text and number are in the run record.
class EUserRaise : public EGrammer {
public:
    EUserRaise() : EGrammer("User Raise") {}
};
// The stop request ended the run.
class EExitForce : public EGrammer {
public:
    EExitForce() : EGrammer("VTLを強制終了") {}
};
// An error that is not the program's fault (a dialog could not be made).
class EExitError : public EGrammer {
public:
    using EGrammer::EGrammer;
};

// A key-assign file that cannot be loaded.
class EKeyReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
