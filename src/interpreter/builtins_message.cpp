// Message boxes: a message, a caption and one to five buttons; the answer
// is the number of the button pressed (0 for Escape).
#include "interpreter/keysrc.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

std::vector<std::string> ReadButtons(TKeySrc& vtl, TInitDatas& rec)
{
    std::vector<std::string> captions = vtl.ReadStrList(rec);
    if (captions.empty()) throw EGrammer("文字列が最低１つは必要です");
    if (captions.size() > 5) throw EGrammer("文字列が５つを越えています");
    return captions;
}

int IconKind(int kind) { return kind >= kIconNone && kind <= kIconError ? kind : kIconNone; }

int Show(TKeySrc& vtl, std::string text, std::string caption, std::vector<std::string> buttons, int icon, int defaultButton)
{
    TVtlMessageBox box;
    box.text = std::move(text);
    box.caption = std::move(caption);
    box.buttons = std::move(buttons);
    box.icon = icon;
    box.defaultButton = defaultButton;
    return vtl.Host().Dialogs().MessageBox(box);
}

void MsgBox(TKeySrc& vtl, TInitDatas& rec)
{
    std::string text = vtl.ReadStr(rec);
    std::string caption = vtl.ReadStr(rec);
    int defaultButton = vtl.ReadInt(rec);
    std::vector<std::string> buttons = ReadButtons(vtl, rec);
    rec.Result = Show(vtl, std::move(text), std::move(caption), std::move(buttons), -1, defaultButton);
}

void MsgBoxEx(TKeySrc& vtl, TInitDatas& rec)
{
    int icon = IconKind(vtl.ReadInt(rec));
    std::string text = vtl.ReadStr(rec);
    std::string caption = vtl.ReadStr(rec);
    int defaultButton = vtl.ReadInt(rec);
    std::vector<std::string> buttons = ReadButtons(vtl, rec);
    rec.Result = Show(vtl, std::move(text), std::move(caption), std::move(buttons), icon, defaultButton);
}

// The three fixed boxes (S S N N): message, caption, default button, icon.
int FixedBox(TKeySrc& vtl, TInitDatas& rec, std::vector<std::string> buttons)
{
    std::string text = vtl.ReadStr(rec);
    std::string caption = vtl.ReadStr(rec);
    int defaultButton = vtl.ReadInt(rec);
    int icon = vtl.ReadInt(rec);
    return Show(vtl, std::move(text), std::move(caption), std::move(buttons), icon, defaultButton);
}

void YesNoBox(TKeySrc& vtl, TInitDatas& rec) { rec.Result = FixedBox(vtl, rec, {"&YES", "&NO"}) == 1 ? 1 : 0; }

void OkCancelBox(TKeySrc& vtl, TInitDatas& rec) { rec.Result = FixedBox(vtl, rec, {"&OK", "CANCEL"}) == 1 ? 1 : 0; }

void YesNoCancelBox(TKeySrc& vtl, TInitDatas& rec)
{
    int answer = FixedBox(vtl, rec, {"&YES", "&NO", "&CANCEL"});
    rec.Result = answer == 1 ? 2 : answer == 2 ? 1 : 0;
}

void ShowMessage(TKeySrc& vtl, TInitDatas& rec)
{
    std::string text = vtl.ReadStr(rec);
    std::string caption = vtl.ReadStr(rec);
    int icon = vtl.ReadInt(rec);
    Show(vtl, std::move(text), std::move(caption), {"&OK"}, icon, 0);
}

void Register(TDispatchTables& t)
{
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "MsgBox"), MsgBox);
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "MsgBoxEx"), MsgBoxEx);
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "YesNoBox"), YesNoBox);
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "OkCancelBox"), OkCancelBox);
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "YesNoCancelBox"), YesNoCancelBox);
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "ShowMessage"), ShowMessage);
}

const TBuiltinFamilyRegistration family(Register);

}  // namespace
