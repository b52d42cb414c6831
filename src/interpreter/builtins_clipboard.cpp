// The clipboard's text (code page 932). The clipboard is shared by every
// program: it is opened only for the moment of one builtin, and another
// program holding it open is waited for a little.
#include <windows.h>

#include <cstring>

#include "interpreter/keysrc.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

constexpr std::int64_t kNoText = -1;
constexpr std::int64_t kUnreachable = -10;

// What the builtins put on the clipboard is owned by a hidden window of
// their own, which lives as long as the program.
HWND OwnerWindow()
{
    static HWND owner =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
    return owner;
}

class TOpenClipboard {
public:
    TOpenClipboard()
    {
        for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
            if (attempt) Sleep(10);
            open_ = OpenClipboard(OwnerWindow()) != 0;
        }
    }
    ~TOpenClipboard()
    {
        if (open_) CloseClipboard();
    }
    TOpenClipboard(const TOpenClipboard&) = delete;
    TOpenClipboard& operator=(const TOpenClipboard&) = delete;
    bool Open() const { return open_; }

    bool ReadText(std::string& text) const
    {
        if (!IsClipboardFormatAvailable(CF_TEXT)) return false;
        HANDLE h = GetClipboardData(CF_TEXT);
        const char* p = h ? static_cast<const char*>(GlobalLock(h)) : nullptr;
        if (!p) return false;
        // The text ends at its NUL, and never beyond the memory block.
        const std::size_t size = GlobalSize(h);
        const void* nul = std::memchr(p, 0, size);
        text.assign(p, nul ? static_cast<const char*>(nul) - p : size);
        GlobalUnlock(h);
        return true;
    }

    bool PutText(const std::string& text) const
    {
        if (!EmptyClipboard()) return false;
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        char* p = h ? static_cast<char*>(GlobalLock(h)) : nullptr;
        if (!p) {
            if (h) GlobalFree(h);
            return false;
        }
        std::memcpy(p, text.c_str(), text.size() + 1);
        GlobalUnlock(h);
        if (SetClipboardData(CF_TEXT, h)) return true;
        GlobalFree(h);
        return false;
    }

private:
    bool open_ = false;
};

// T N: #_RESULT 0, -1 when the clipboard holds no text (T unchanged), -10
// when it cannot be opened. With N = 1 the text read is removed.
void GetClipStr(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    const bool empty = vtl.ReadInt(rec) == 1;
    std::string text;
    {
        TOpenClipboard clip;
        if (!clip.Open()) {
            rec.Result = kUnreachable;
            return;
        }
        if (!clip.ReadText(text)) {
            rec.Result = kNoText;
            return;
        }
        if (empty) EmptyClipboard();
    }
    vtl.WriteStrVar(target, std::move(text), rec);
    rec.Result = 0;
}

// #_RESULT 0, or -10 when the text could not be put there.
void SetClipStr(TKeySrc& vtl, TInitDatas& rec)
{
    std::string text = vtl.ReadStr(rec);
    TOpenClipboard clip;
    rec.Result = clip.Open() && clip.PutText(text) ? 0 : kUnreachable;
}

void AddClipStr(TKeySrc& vtl, TInitDatas& rec)
{
    std::string text = vtl.ReadStr(rec);
    TOpenClipboard clip;
    std::string old;
    if (clip.Open() && clip.ReadText(old)) text = old + text;
    rec.Result = clip.Open() && clip.PutText(text) ? 0 : kUnreachable;
}

void Register(TDispatchTables& t)
{
    t.SetProcedure(ProcId("GetClipStr"), GetClipStr);
    t.SetProcedure(ProcId("SetClipStr"), SetClipStr);
    t.SetProcedure(ProcId("AddClipStr"), AddClipStr);
}

const TBuiltinFamilyRegistration family(Register);

}  // namespace
