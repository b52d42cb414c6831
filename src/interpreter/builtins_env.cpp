// The environment and the system's error texts.
#include <windows.h>

#include "interpreter/keysrc.h"
#include "platform/sjis.h"
#include "platform/syserror.h"
#include "platform/textcase.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

constexpr std::size_t kMaxEnvValue = 511;

// At most kMaxEnvValue bytes, never half a double-byte character.
std::string Limited(std::string value)
{
    if (value.size() <= kMaxEnvValue) return value;
    std::size_t end = 0;
    while (end + SjisCharLength(value, end) <= kMaxEnvValue) end += SjisCharLength(value, end);
    value.resize(end);
    return value;
}

// T S: #_RESULT 1 and the value, or 0 and T empty when it is not set. Read
// in its wide form: the narrow one of some systems cuts double-byte values.
void GetEnv(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    const std::wstring name = SjisToWide(vtl.ReadStr(rec));
    std::wstring value(kMaxEnvValue + 1, L'\0');
    bool set = true;
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        DWORD n = GetEnvironmentVariableW(name.c_str(), value.data(), static_cast<DWORD>(value.size()));
        if (n < value.size()) {
            set = n > 0 || GetLastError() != ERROR_ENVVAR_NOT_FOUND;
            value.resize(n);
            break;
        }
        value.assign(n, L'\0');  // n is the size it needs
    }
    rec.Result = set ? 1 : 0;
    vtl.WriteStrVar(target, Limited(WideToSjis(value)), rec);
}

void GetSysErrMsg(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    std::int32_t code = vtl.ReadInt(rec);
    vtl.WriteStrVar(target, SysErrorMessage(static_cast<unsigned long>(code)), rec);
}

void Register(TDispatchTables& t)
{
    t.SetProcedure(ProcId("GetEnv"), GetEnv);
    t.SetProcedure(ProcId("GetSysErrMsg"), GetSysErrMsg);
}

const TBuiltinFamilyRegistration family(Register);

}  // namespace
