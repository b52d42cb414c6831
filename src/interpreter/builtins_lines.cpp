// A text as a list of lines (broken at CR LF, a lone CR or a lone LF): count,
// read, replace, insert, delete, append and sort lines. Changed lists are
// written back with every line followed by CR LF.
#include <algorithm>

#include "interpreter/keysrc.h"
#include "platform/stringlist.h"
#include "platform/textcase.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

using TLines = std::vector<std::string>;

// The 0-based index of 1-based line n, when there is such a line (or, with
// extra 1, when n is just past the last one).
bool LineIndex(const TLines& lines, std::int64_t n, std::size_t& index, std::int64_t extra = 0)
{
    if (n < 1 || n > static_cast<std::int64_t>(lines.size()) + extra) return false;
    index = static_cast<std::size_t>(n - 1);
    return true;
}

void LineCount(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadNumRef(rec);
    std::string text = vtl.ReadStr(rec);
    vtl.WriteNumVar(target, rec, static_cast<std::int64_t>(SplitLines(text).size()));
}

void GetLine(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    TLines lines = SplitLines(vtl.ReadStr(rec));
    std::int64_t n = vtl.ReadInt(rec);
    std::size_t i;
    rec.Result = LineIndex(lines, n, i) ? 1 : 0;
    if (rec.Result) vtl.WriteStrVar(target, std::move(lines[i]), rec);
}

// SetLine, InsLine: T S N on the lines of T's value.
template <bool Insert>
void PutLine(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    std::string line = vtl.ReadStr(rec);
    std::int64_t n = vtl.ReadInt(rec);
    TLines lines = SplitLines(vtl.ReadStrVar(target, rec));
    std::size_t i;
    rec.Result = LineIndex(lines, n, i, Insert ? 1 : 0) ? 1 : 0;
    if (!rec.Result) return;
    if (Insert)
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i), std::move(line));
    else
        lines[i] = std::move(line);
    vtl.WriteStrVar(target, JoinLines(lines), rec);
}

void DelLine(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    std::int64_t n = vtl.ReadInt(rec);
    TLines lines = SplitLines(vtl.ReadStrVar(target, rec));
    std::size_t i;
    rec.Result = LineIndex(lines, n, i) ? 1 : 0;
    if (!rec.Result) return;
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
    vtl.WriteStrVar(target, JoinLines(lines), rec);
}

void AddLine(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    std::string line = vtl.ReadStr(rec);
    TLines lines = SplitLines(vtl.ReadStrVar(target, rec));
    lines.push_back(std::move(line));
    vtl.WriteStrVar(target, JoinLines(lines), rec);
}

// T N N N: comparison method, case rule, 1 for descending order. Equal
// lines keep their order.
void SortLine(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    TCompareRule rule;
    rule.method = vtl.ReadInt(rec) != 0 ? 1 : 0;
    rule.caseRule = vtl.ReadInt(rec);
    const bool descending = vtl.ReadInt(rec) == 1;
    TLines lines = SplitLines(vtl.ReadStrVar(target, rec));
    std::stable_sort(lines.begin(), lines.end(), [&](const std::string& a, const std::string& b) {
        int c = CompareByRule(a, b, rule);
        return descending ? c > 0 : c < 0;
    });
    vtl.WriteStrVar(target, JoinLines(lines), rec);
    rec.Result = 1;
}

void Register(TDispatchTables& t)
{
    t.SetProcedure(ProcId("LineCount"), LineCount);
    t.SetProcedure(ProcId("GetLine"), GetLine);
    t.SetProcedure(ProcId("SetLine"), PutLine<false>);
    t.SetProcedure(ProcId("InsLine"), PutLine<true>);
    t.SetProcedure(ProcId("DelLine"), DelLine);
    t.SetProcedure(ProcId("AddLine"), AddLine);
    t.SetProcedure(ProcId("SortLine"), SortLine);
}

const TBuiltinFamilyRegistration family(Register);

}  // namespace
