// Digests of files (MD5, SHA-1, SHA-256, SHA-512 as lower-case hexadecimal,
// CRC-32 as an unsigned number). Between chunks the window handles its
// messages once and the stop request is looked at, not cleared: a stop
// gives no digest, and the run then stops before its next statement.
#include "interpreter/keysrc.h"
#include "panes/pathutils.h"
#include "platform/filedigest.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

TStopTest StopTest(TKeySrc& vtl)
{
    return [&vtl] {
        vtl.Host().ProcessMessages();
        return vtl.Host().PeekStopRequest();
    };
}

// T S: #_RESULT 1 and the digest, or 0 and T unchanged.
template <TDigestKind Kind>
void CalcDigest(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    std::string path = vtl.ReadStr(rec);
    std::string hex;
    TCriticalErrorsOff quiet;
    rec.Result = FileDigestHex(path, Kind, hex, StopTest(vtl)) ? 1 : 0;
    if (rec.Result) vtl.WriteStrVar(target, std::move(hex), rec);
}

void CalcCRC32(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadNumRef(rec);
    std::string path = vtl.ReadStr(rec);
    std::uint32_t crc = 0;
    TCriticalErrorsOff quiet;
    rec.Result = FileCrc32(path, crc, StopTest(vtl)) ? 1 : 0;
    if (rec.Result) vtl.WriteNumVar(target, rec, crc);
}

void Register(TDispatchTables& t)
{
    t.SetProcedure(ProcId("CalcMD5"), CalcDigest<TDigestKind::Md5>);
    t.SetProcedure(ProcId("CalcSHA1"), CalcDigest<TDigestKind::Sha1>);
    t.SetProcedure(ProcId("CalcSHA256"), CalcDigest<TDigestKind::Sha256>);
    t.SetProcedure(ProcId("CalcSHA512"), CalcDigest<TDigestKind::Sha512>);
    t.SetProcedure(ProcId("CalcCRC32"), CalcCRC32);
}

const TBuiltinFamilyRegistration family(Register);

}  // namespace
