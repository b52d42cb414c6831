// Conditions on the form of network names: \\server and \\server\share.
// They look at the text only; whether the name exists is another question.
#include <string_view>

#include "interpreter/keysrc.h"
#include "platform/sjis.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

// Backslashes that are characters of their own, not trail bytes.
int CountBackslashes(std::string_view s)
{
    int n = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (IsSjisLeadByte(static_cast<unsigned char>(s[i])))
            ++i;
        else if (s[i] == '\\')
            ++n;
    }
    return n;
}

bool StartsWithTwoBackslashes(std::string_view s) { return s.size() >= 2 && s[0] == '\\' && s[1] == '\\'; }

bool UncName(std::string_view s)
{
    return s == "\\\\" || (s.size() >= 3 && StartsWithTwoBackslashes(s) && s[2] != '\\');
}

bool UncServer(std::string_view text)
{
    std::string s = SjisExcludeTrailingBackslash(text);
    return s.size() >= 3 && StartsWithTwoBackslashes(s) && CountBackslashes(s) == 2;
}

bool UncShareName(std::string_view text)
{
    std::string s = SjisExcludeTrailingBackslash(text);
    return s.size() >= 5 && StartsWithTwoBackslashes(s) && s[2] != '\\' && CountBackslashes(s) == 3;
}

template <bool (*Test)(std::string_view)>
bool TextCondition(TKeySrc& vtl, TInitDatas& rec)
{
    std::string text = vtl.ReadStr(rec);
    if (rec.SkipMode) return false;
    return Test(text);
}

void Register(TDispatchTables& t)
{
    t.SetCondition(BuiltinId(TBuiltinKind::CondFunc, "IsUNCName"), TextCondition<UncName>);
    t.SetCondition(BuiltinId(TBuiltinKind::CondFunc, "IsUNCServer"), TextCondition<UncServer>);
    t.SetCondition(BuiltinId(TBuiltinKind::CondFunc, "IsUNCSharename"), TextCondition<UncShareName>);
}

const TBuiltinFamilyRegistration family(Register);

}  // namespace
