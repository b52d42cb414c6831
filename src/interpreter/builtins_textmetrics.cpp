// Texts measured in a font given by its face name and point size: a path
// shortened with the system's path ellipsis to fit a width, and the width
// and height of a text.
#include <windows.h>

#include <cstring>

#include "interpreter/keysrc.h"
#include "platform/sjis.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

// A device context of the screen with the font selected.
class TMeasuringDC {
public:
    TMeasuringDC(const std::string& face, int points) : dc_(CreateCompatibleDC(nullptr))
    {
        LOGFONTA lf{};
        lf.lfHeight = -MulDiv(points, GetDeviceCaps(dc_, LOGPIXELSY), 72);
        lf.lfCharSet = DEFAULT_CHARSET;
        // The face name as far as it fits, never half a double-byte character.
        std::size_t n = 0;
        while (n < face.size() && n + SjisCharLength(face, n) < LF_FACESIZE) n += SjisCharLength(face, n);
        std::memcpy(lf.lfFaceName, face.data(), n);
        font_ = CreateFontIndirectA(&lf);
        old_ = SelectObject(dc_, font_);
    }
    ~TMeasuringDC()
    {
        SelectObject(dc_, old_);
        DeleteObject(font_);
        DeleteDC(dc_);
    }
    TMeasuringDC(const TMeasuringDC&) = delete;
    TMeasuringDC& operator=(const TMeasuringDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ old_;
};

// T S N S N: font face, point size, path, width in pixels.
void ShrinkPath(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    std::string face = vtl.ReadStr(rec);
    int points = vtl.ReadInt(rec);
    std::string path = vtl.ReadStr(rec);
    int width = vtl.ReadInt(rec);
    TMeasuringDC dc(face, points);
    // The system may write up to four bytes more than it was given.
    std::string buf = path;
    buf.resize(path.size() + 8, '\0');
    RECT rc{0, 0, width < 0 ? 0 : width, 0x7FFF};
    DrawTextA(dc.Get(), buf.data(), static_cast<int>(path.size()), &rc,
              DT_PATH_ELLIPSIS | DT_MODIFYSTRING | DT_SINGLELINE | DT_NOPREFIX);
    vtl.WriteStrVar(target, buf.c_str(), rec);
}

// V V S N S: width, height, font face, point size, text.
void TextWH(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef widthTarget = vtl.ReadNumRef(rec);
    TVarRef heightTarget = vtl.ReadNumRef(rec);
    std::string face = vtl.ReadStr(rec);
    int points = vtl.ReadInt(rec);
    std::string text = vtl.ReadStr(rec);
    TMeasuringDC dc(face, points);
    SIZE size{};
    GetTextExtentPoint32A(dc.Get(), text.data(), static_cast<int>(text.size()), &size);
    vtl.WriteNumVar(widthTarget, rec, size.cx);
    vtl.WriteNumVar(heightTarget, rec, size.cy);
}

void Register(TDispatchTables& t)
{
    t.SetProcedure(ProcId("ShrinkPath"), ShrinkPath);
    t.SetProcedure(ProcId("TextWH"), TextWH);
}

const TBuiltinFamilyRegistration family(Register);

}  // namespace
