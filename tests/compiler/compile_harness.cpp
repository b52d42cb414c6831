#include "compile_harness.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "compiler/binmaker.h"
#include "script-format/binconst.h"
#include "script-format/binconst_catalog.h"
#include "script-format/vtlname.h"

const char kSourceDir[] = "C:\\vtl-memory\\";

namespace {

// File names are found without regard to case, as on the real file system.
using TSourceFiles = std::map<std::string, std::string, TNameLess>;

// Bytes beyond this are counted only (a declared array may make a file of
// gigabytes).
constexpr std::uint64_t kMaxKeptBytes = 64 << 20;

// Sources come from the map; the key-assign file goes into memory.
class TMemoryBinMaker : public TBinMaker {
public:
    TMemoryBinMaker(const TBinMakerOpt& opt, TConsole& console, const TSourceFiles& files)
        : TBinMaker(opt, console), files_(files)
    {
    }
    std::string bytes;
    std::uint64_t size = 0;

protected:
    TSrcReader OpenSource(const std::string& path) override
    {
        auto it = files_.find(path);
        if (it == files_.end()) throw ESrcReaderError("ファイルが開けません : " + path);
        return TSrcReader::FromBytes(it->second, path);
    }
    bool SourceExists(const std::string& path) override { return files_.count(path) > 0; }
    void* CreateOutputFile(const std::string&) override { return this; }
    bool WriteOutput(void*, const char* data, std::size_t n) override
    {
        size += n;
        if (size <= kMaxKeptBytes)
            bytes.append(data, n);
        else
            std::string().swap(bytes);
        return true;
    }
    bool CloseOutput(void*) override { return true; }

private:
    TSourceFiles files_;
};

class TByteReader {
public:
    explicit TByteReader(const std::string& b) : b_(b) {}
    bool ok = true;
    bool AtEnd() const { return pos_ >= b_.size(); }
    std::size_t Position() const { return pos_; }
    std::string Bytes(std::size_t n)
    {
        if (!ok || b_.size() - pos_ < n) {
            ok = false;
            pos_ = b_.size();
            return std::string(n, '\0');
        }
        std::string s = b_.substr(pos_, n);
        pos_ += n;
        return s;
    }
    std::uint32_t Word()
    {
        std::string s = Bytes(4);
        std::uint32_t w;
        std::memcpy(&w, s.data(), 4);
        return w;
    }
    std::int64_t Int64()
    {
        std::string s = Bytes(8);
        std::int64_t v;
        std::memcpy(&v, s.data(), 8);
        return v;
    }
    std::string Name()
    {
        std::string s = Bytes(64);
        return s.substr(0, s.find('\0'));
    }
    std::string Padded()
    {
        std::uint32_t n = Word();
        if (n > b_.size()) ok = false;
        std::string s = Bytes(n);
        std::string pad = Bytes(4 - n % 4);
        if (pad.find_first_not_of('\0') != std::string::npos) ok = false;
        return s;
    }
    // A compound statement: its statements as words.
    Words Compound()
    {
        if (Word() != static_cast<std::uint32_t>(bc::bcCompoundBegin)) ok = false;
        std::uint32_t size = Word();
        if (size % 4 || size > b_.size()) ok = false;
        Words w(ok ? size / 4 : 0);
        for (std::uint32_t& x : w) x = Word();
        if (Word() != static_cast<std::uint32_t>(bc::bcCompoundEnd)) ok = false;
        return w;
    }

private:
    const std::string& b_;
    std::size_t pos_ = 0;
};

void ReadRoutines(TByteReader& r, std::vector<TDecodedRoutine>& routines)
{
    for (std::uint32_t n = r.Word(); r.ok && n > 0; --n) {
        TDecodedRoutine routine;
        routine.name = r.Name();
        for (std::uint32_t a = r.Word(); r.ok && a > 0; --a) routine.args.push_back(r.Word());
        routine.body = r.Compound();
        routines.push_back(std::move(routine));
    }
}

void ReadSet(TByteReader& r, std::vector<TDecodedSet>& sets, bool named)
{
    TDecodedSet set;
    set.name = named ? r.Name() : "DEFAULT";
    for (std::uint32_t n = r.Word(); r.ok && n > 0; --n) {
        TDecodedBinding b;
        b.input = r.Word();
        b.body = r.Compound();
        set.bindings.push_back(std::move(b));
    }
    sets.push_back(std::move(set));
}

}  // namespace

TCompileResult CompileFiles(const std::map<std::string, std::string>& files, const std::string& main, Shown shown,
                            const std::string& incPath)
{
    TSourceFiles full;
    for (const auto& [name, bytes] : files) full[name.find(':') == std::string::npos ? kSourceDir + name : name] = bytes;
    TBinMakerOpt opt;
    opt.SrcName = kSourceDir + main;
    opt.BinName = kSourceDir + std::string("out.KEY");
    opt.IncPath = incPath;
    opt.ListMode = shown == Shown::list;
    opt.Verbose = shown == Shown::verbose;
    TStringConsole console;
    TMemoryBinMaker maker(opt, console, full);
    TCompileResult result;
    result.exitCode = maker.Run();
    result.output = console.output;
    result.bytes = std::move(maker.bytes);
    result.size = maker.size;
    return result;
}

TCompileResult CompileSource(const std::string& source, Shown shown)
{
    return CompileFiles({{"main.src", source}}, "main.src", shown);
}

TDecodedFile DecodeKeyFile(const std::string& bytes)
{
    TDecodedFile f;
    TByteReader r(bytes);
    if (r.Bytes(24) != std::string("VELK BINCODE VER 0228\r\n\x1a", 24)) ADD_FAILURE() << "no header";
    while (r.ok && !r.AtEnd()) {
        const std::uint32_t marker = r.Word();
        f.markers.push_back(marker);
        switch (static_cast<std::int32_t>(marker)) {
        case bc::bcSecGlobalNum:
            for (std::uint32_t n = r.Word(); r.ok && n > 0; --n) {
                std::string name = r.Name();
                f.nums.emplace_back(name, r.Int64());
            }
            break;
        case bc::bcSecGlobalStr:
            for (std::uint32_t n = r.Word(); r.ok && n > 0; --n) {
                std::string name = r.Name();
                f.strs.emplace_back(name, r.Padded());
            }
            break;
        case bc::bcSecGlobalNumArrays:
        case bc::bcSecGlobalStrArrays:
            for (std::uint32_t n = r.Word(); r.ok && n > 0; --n) {
                std::string name = r.Name();
                std::uint32_t size = r.Word();
                if (r.Word() != 0 || size < 1 || size > 0x10000000) r.ok = false;
                if (marker == static_cast<std::uint32_t>(bc::bcSecGlobalNumArrays)) {
                    f.numArrays.emplace_back(name, std::vector<std::int64_t>());
                    for (std::uint32_t i = 0; r.ok && i < size; ++i) f.numArrays.back().second.push_back(r.Int64());
                } else {
                    f.strArrays.emplace_back(name, std::vector<std::string>());
                    for (std::uint32_t i = 0; r.ok && i < size; ++i) f.strArrays.back().second.push_back(r.Padded());
                }
            }
            break;
        case bc::bcSecSubs: ReadRoutines(r, f.subs); break;
        case bc::bcSecIntFuncs: ReadRoutines(r, f.intFuncs); break;
        case bc::bcSecStrFuncs: ReadRoutines(r, f.strFuncs); break;
        case bc::bcSecBoolFuncs: ReadRoutines(r, f.boolFuncs); break;
        case bc::bcSecDialogs: ReadRoutines(r, f.dialogs); break;
        case bc::bcSecDefaultKeys: ReadSet(r, f.keySets, false); break;
        case bc::bcSecKeySet: ReadSet(r, f.keySets, true); break;
        case bc::bcSecDefaultMouse: ReadSet(r, f.mouseSets, false); break;
        case bc::bcSecMouseSet: ReadSet(r, f.mouseSets, true); break;
        case bc::bcSecDefaultEvents: ReadSet(r, f.eventSets, false); break;
        case bc::bcSecEventSet: ReadSet(r, f.eventSets, true); break;
        case bc::bcSecPreKey: f.preKey = r.Compound(); break;
        case bc::bcSecInit: f.init = r.Compound(); break;
        case bc::bcSecDone: f.done = r.Compound(); break;
        default: r.ok = false; break;
        }
    }
    if (!r.ok) ADD_FAILURE() << "malformed key-assign file near byte " << r.Position();
    return f;
}

TDecodedFile CompileAndDecode(const std::string& source)
{
    TCompileResult r = CompileSource(source);
    EXPECT_EQ(r.exitCode, 0) << r.output;
    return DecodeKeyFile(r.bytes);
}

std::string WordBytes(std::uint32_t w)
{
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[i] = static_cast<char>(w >> (8 * i));
    return s;
}

std::string EmptyKeyFile()
{
    std::string s("VELK BINCODE VER 0228\r\n\x1a", 24);
    for (std::int32_t m : {bc::bcSecGlobalNum, bc::bcSecGlobalStr, bc::bcSecSubs, bc::bcSecIntFuncs, bc::bcSecStrFuncs,
                           bc::bcSecBoolFuncs, bc::bcSecDialogs})
        s += WordBytes(static_cast<std::uint32_t>(m)) + WordBytes(0);
    return s;
}

Words StatementWords(const std::string& prelude, const std::string& statements)
{
    TCompileResult r = CompileSource(prelude + "\r\n#KEY A\r\n{\r\n" + statements + "\r\n}\r\n");
    if (r.exitCode != 0) {
        ADD_FAILURE() << statements << "\n" << r.output;
        return {};
    }
    TDecodedFile f = DecodeKeyFile(r.bytes);
    if (f.keySets.size() != 1 || f.keySets[0].bindings.size() != 1) {
        ADD_FAILURE() << "no binding";
        return {};
    }
    return f.keySets[0].bindings[0].body;
}

Words Seq(std::initializer_list<TWordsPart> parts)
{
    Words w;
    for (const TWordsPart& p : parts) w.insert(w.end(), p.words.begin(), p.words.end());
    return w;
}

Words Num(std::int64_t v)
{
    const auto u = static_cast<std::uint64_t>(v);
    return {static_cast<std::uint32_t>(bc::bcNumConst), static_cast<std::uint32_t>(u), static_cast<std::uint32_t>(u >> 32)};
}

Words Str(const std::string& s)
{
    std::string padded = s;
    padded.resize(s.size() + 4 - s.size() % 4, '\0');
    Words w{static_cast<std::uint32_t>(bc::bcStrConst), static_cast<std::uint32_t>(s.size())};
    for (std::size_t i = 0; i < padded.size(); i += 4) {
        std::uint32_t x;
        std::memcpy(&x, padded.data() + i, 4);
        w.push_back(x);
    }
    return w;
}

Words Block(const Words& statements)
{
    return Seq({bc::bcCompoundBegin, static_cast<long long>(statements.size() * 4), statements, bc::bcCompoundEnd});
}

std::uint32_t Proc(const char* name)
{
    const bc::TBuiltin* b = bc::FindBuiltin(bc::TBuiltinKind::SysProc, name);
    EXPECT_NE(b, nullptr) << name;
    return b ? static_cast<std::uint32_t>(b->id) : 0;
}

std::uint32_t Cond(const char* name)
{
    const bc::TBuiltin* b = bc::FindBuiltin(bc::TBuiltinKind::CondFunc, name);
    EXPECT_NE(b, nullptr) << name;
    return b ? static_cast<std::uint32_t>(b->id) : 0;
}

std::string Hex(const Words& w)
{
    std::ostringstream s;
    s << std::hex;
    for (std::uint32_t x : w) s << x << ' ';
    return s.str();
}
