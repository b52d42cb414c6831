#include "compiler/binmaker.h"

#include <windows.h>

#include <cstdio>

#include "compiler/kindsets.h"
#include "compiler/listing.h"
#include "compiler/paths.h"
#include "platform/sjis.h"
#include "platform/syserror.h"
#include "platform/textcase.h"
#include "script-format/binconst.h"
#include "script-format/vtlname.h"

namespace {

// Routine and dialog names: at most 60 characters.
constexpr std::size_t kMaxRoutineName = bc::kMaxNameLength;

// The names a #SUB, #FUNC or #DLG header reads (clashes are rejected after).
constexpr TTokenKinds kRoutineNameKinds = kinds::kRoutines | TTokenKinds{tiNewIdent, tiSysProc, tiCondFunc};

bool IsFunction(TTokenKind kind) { return kind == tiIntFunc || kind == tiStrFunc || kind == tiBoolFunc; }

// Sets the function kind for one #FUNC section and resets it afterwards,
// also when the section fails.
class TFunctionSection {
public:
    TFunctionSection(TCompileContext& ctx, TFuncKind kind) : ctx_(ctx) { ctx_.funcKind = kind; }
    ~TFunctionSection() { ctx_.funcKind = TFuncKind::None; }
    TFunctionSection(const TFunctionSection&) = delete;
    TFunctionSection& operator=(const TFunctionSection&) = delete;

private:
    TCompileContext& ctx_;
};

}  // namespace

TBinMaker::TBinMaker(const TBinMakerOpt& opt, TConsole& console)
    : opt_(opt), console_(console), ctx_(analyzer_, console, opt.Verbose)
{
}

void ReportSourceError(TConsole& console, const TSrcReader& reader, const std::string& message)
{
    console.WriteLine("Error : " + message);
    int line = reader.CurrentLine();
    char number[32];
    std::snprintf(number, sizeof number, "Line  : %4d", line);
    console.WriteLine(std::string(number) + " " + reader.LineText(line - 1));
    console.WriteLine(std::string(12 + static_cast<std::size_t>(std::max(0, reader.CurrentColumn())), ' ') + "^");
}

int TBinMaker::Run()
{
    filesRead_.AddName(opt_.SrcName);
    console_.WriteLine("COMPILE >> " + opt_.SrcName);
    console_.WriteLine();

    int exitCode = kExitDone;
    try {
        {
            // The source text is let go before the file is written.
            TSrcReader reader = OpenSource(opt_.SrcName);
            try {
                CompileFile(reader);
            } catch (const ESrcReaderError& e) {
                ReportSourceError(console_, reader, e.what());
                return kExitSourceError;
            }
        }
        CheckMissingBodies();
        WriteKeyFile();
    } catch (const ENoDefineError& e) {
        console_.WriteLine(std::string("Error : ") + e.what());
        return kExitMissingBody;
    } catch (const EErrInclude&) {
        return kExitIncludeError;
    } catch (const EKeyFileWriteError& e) {
        console_.WriteLine(std::string("Error : ") + e.what());
        exitCode = kExitWriteFailed;
    } catch (const ESrcReaderError& e) {
        // The main source vanished or could not be read after it was found.
        console_.WriteLine(std::string("Error : ") + e.what());
        return kExitSourceError;
    }
    console_.WriteLine();
    console_.WriteLine("COMPILE >> DONE");
    console_.WriteLine();
    return exitCode;
}

TProgramTables TBinMaker::Tables() const
{
    return TProgramTables{analyzer_.globals, analyzer_.routines, keyAssigns_, builtins_.Keys(),
                          preKey_.get(),     init_.get(),        done_.get()};
}

TSrcReader TBinMaker::OpenSource(const std::string& path)
{
    return TSrcReader(path);
}

bool TBinMaker::SourceExists(const std::string& path)
{
    return FileExists(path);
}

void TBinMaker::CompileFile(TSrcReader& reader)
{
    struct TReaderSwap {
        TCompileContext& ctx;
        TSrcReader* outer;
        ~TReaderSwap() { ctx.reader = outer; }
    } swap{ctx_, ctx_.reader};
    ctx_.reader = &reader;

    for (;;) {
        const std::string token = reader.NextToken();
        if (token.empty()) return;
        analyzer_.scope.ClearArguments();
        analyzer_.scope.ClearLocals();
        const TTokenKind kind = TTokenAnalyzer::ClassifySection(token);
        ctx_.sectionKind = kind;
        try {
            CompileSection(kind);
        } catch (const EHashError& e) {
            throw ESrcReaderError(std::string("Hash Err : ") + e.what());
        }
    }
}

void TBinMaker::CompileSection(TTokenKind kind)
{
    switch (kind) {
    case tiGlobalVarDecl: return decls_.GlobalVars();
    case tiSubDecl: return SubSection();
    case tiFuncDecl: return FuncSection();
    case tiDlgDecl: return DialogSection();
    case tiKeyDecl: return Binding(kDefaultKeySet);
    case tiKeySetDecl: return KeySetSection();
    case tiInitDecl: return SpecialBlock(init_, bc::bcSecInit, "#INIT", "初期化セクション");
    case tiDoneDecl: return SpecialBlock(done_, bc::bcSecDone, "#DONE", "終了セクション");
    case tiPreKeyDecl: return SpecialBlock(preKey_, bc::bcSecPreKey, "#PREKEY", "Preview Keyセクション");
    case tiIncludeDecl: return IncludeSection();
    default: throw ESrcReaderError("宣言が必要です");
    }
}

TToken TBinMaker::RoutineName(std::string_view prompt, TTokenKind own)
{
    const TToken name = ctx_.Expect(prompt, kRoutineNameKinds);
    const char* clash = nullptr;
    switch (name.kind) {
    case tiSysProc: clash = " はシステム手続き名です"; break;
    case tiCondFunc: clash = " は判定式名です"; break;
    case tiSub: clash = own == tiSub ? nullptr : " はサブルーチン名です"; break;
    case tiDialog: clash = own == tiDialog ? " は既に定義されています" : " はダイアログ名です"; break;
    case tiIntFunc:
    case tiStrFunc:
    case tiBoolFunc: clash = own == tiFuncDecl ? nullptr : " はユーザー定義関数名です"; break;
    default: break;
    }
    if (clash) throw ESrcReaderError(name.text + clash);
    if (name.text.size() > kMaxRoutineName) throw ESrcReaderError("名前は６０文字以内です");
    return name;
}

TParameters TBinMaker::RoutineHeader(const std::string& header)
{
    ctx_.headerText = header;
    ctx_.Progress(header);
    TParameters p = decls_.Parameters();
    ctx_.Progress("  args : " + p.display);
    return p;
}

bool TBinMaker::CompileRoutineBody(TSenObject& code, bool forwardAllowed)
{
    scratch_.Clear();
    if (!statements_.CompileBody(scratch_, forwardAllowed)) return false;
    scratch_.AppendTo(code);
    code.defined = true;
    return true;
}

void TBinMaker::DefineRoutine(TSenHashTable& table, TSenObject* declared, const TToken& name, const TParameters& p,
                              const char* kind)
{
    if (declared) {
        // The body of a routine declared FORWARD.
        if (declared->defined) throw ESrcReaderError(name.text + " は既に定義されています");
        if (declared->signature != p.letters)
            throw ESrcReaderError(kind + name.text + " の引数がFORWARDしたものと違う");
        CompileRoutineBody(*declared, false);
        return;
    }
    // Added before its body, so that the body may call it.
    auto code = std::make_unique<TSenObject>(0);
    code->signature = p.letters;
    TSenObject& routine = *code;
    table.AddSen(name.text, std::move(code));
    CompileRoutineBody(routine, true);
}

void TBinMaker::SubSection()
{
    const TToken name = RoutineName("サブルーチンの名前を指定してください", tiSub);
    const TParameters p = RoutineHeader("#SUB " + name.text);
    TSenHashTable& subs = analyzer_.routines.subs;
    DefineRoutine(subs, subs.Find(name.text), name, p, "#SUB ");
}

void TBinMaker::FuncSection()
{
    const std::string type = UpperName(ctx_.reader->NextToken());
    const TFuncKind kind = type == "INT" ? TFuncKind::Int : type == "STR" ? TFuncKind::Str : type == "BOOL" ? TFuncKind::Bool
                                                                                                          : TFuncKind::None;
    if (kind == TFuncKind::None) throw ESrcReaderError("戻り値のタイプは INT, STR, BOOL のいずれかです");
    TFunctionSection section(ctx_, kind);
    TRoutineTables& r = analyzer_.routines;
    TSenHashTable& table = kind == TFuncKind::Int ? r.intFuncs : kind == TFuncKind::Str ? r.strFuncs : r.boolFuncs;

    const TToken name = RoutineName("ユーザー定義関数の名前を指定してください", tiFuncDecl);
    const TParameters p = RoutineHeader("#FUNC " + name.text);
    // A function already declared must be in the table of this type.
    TSenObject* declared = IsFunction(name.kind) ? table.Find(name.text) : nullptr;
    if (IsFunction(name.kind) && !declared)
        throw ESrcReaderError("FORWARD宣言したはずの#FUNC " + name.text + " が見つからない");
    DefineRoutine(table, declared, name, p, "#FUNC ");
}

void TBinMaker::DialogSection()
{
    const TToken name = RoutineName("ダイアログの名前を指定してください", tiDialog);
    const TParameters p = RoutineHeader("#DLG " + name.text);
    scratch_.Clear();
    dialogs_.CompileBody(scratch_);
    // A dialog enters its table, and so gets its number, only after its body.
    auto code = std::make_unique<TSenObject>(0);
    code->signature = p.letters;
    scratch_.AppendTo(*code);
    code->defined = true;
    analyzer_.routines.dialogs.AddSen(name.text, std::move(code));
}

void TBinMaker::Binding(const std::string& setName)
{
    auto body = [this](TSenObject& code, const std::string& header) {
        ctx_.headerText = header;
        CompileRoutineBody(code, false);
    };
    keyAssigns_.ParseBinding(*ctx_.reader, analyzer_, setName, body, opt_.Verbose ? &console_ : nullptr);
}

void TBinMaker::KeySetSection()
{
    ctx_.Expect("= がありません", {tiEqual});
    std::string set = UpperName(StringConstantValue(ctx_.Expect("セット名がありません", {tiStrConst})));
    if (set.empty()) {
        console_.WriteLine(" warning : セット名が空なので、デフォルトセットと仮定します。");
        set = kDefaultKeySet;
    }
    if (set.size() > bc::kMaxNameLength) throw ESrcReaderError("セット名は６０文字以内です。");
    Binding(set);
}

void TBinMaker::SpecialBlock(std::unique_ptr<TSenObject>& block, std::int32_t marker, const char* word,
                             const char* header)
{
    if (block) throw ESrcReaderError(std::string("既に") + word + "は定義されています");
    auto code = std::make_unique<TSenObject>(0);
    code->WriteWord(marker);
    ctx_.headerText = header;
    CompileRoutineBody(*code, false);
    block = std::move(code);
}

std::string TBinMaker::ResolveInclude(const std::string& name)
{
    std::string path = FullPathName(name);
    if (SourceExists(path)) return path;
    for (std::string dir : SjisSplit(opt_.IncPath, ';')) {
        if (dir.empty()) continue;
        if (dir.front() == '"') dir.erase(0, 1);
        if (!dir.empty() && dir.back() == '"') dir.pop_back();
        path = FullPathName(SjisIncludeTrailingBackslash(dir) + name);
        if (SourceExists(path)) return path;
    }
    throw ESrcReaderError("インクルードファイルが見つかりません : " + name);
}

void TBinMaker::IncludeSection()
{
    const std::string token = ctx_.reader->NextToken();
    if (analyzer_.Classify(token) != tiStrConst) throw ESrcReaderError("ファイル名を指定してください : " + token);
    const std::string path = ResolveInclude(token.substr(1, token.size() - 2));
    if (filesRead_.IndexOf(path) >= 0) {
        console_.WriteLine("        >> " + path + " is already read.");
        return;
    }
    filesRead_.AddName(path);
    TSrcReader& including = *ctx_.reader;
    {
        TNestingLevel level(ctx_);
        TSrcReader included = OpenSource(path);
        console_.WriteLine("INCLUDE >> " + path);
        try {
            CompileFile(included);
        } catch (const ESrcReaderError& e) {
            console_.WriteLine();
            ReportSourceError(console_, included, e.what());
            throw EErrInclude("abort...");
        }
    }
    console_.WriteLine("        >> DONE");
    console_.WriteLine("COMPILE >> " + including.FileName());
}

void TBinMaker::CheckMissingBodies() const
{
    const TRoutineTables& r = analyzer_.routines;
    const std::pair<const TSenHashTable*, const char*> tables[] = {
        {&r.subs, "#SUB "}, {&r.intFuncs, "#FUNC int "}, {&r.strFuncs, "#FUNC str "}, {&r.boolFuncs, "#FUNC bool "}};
    for (auto [table, kind] : tables)
        for (int i = 0; i < table->Count(); ++i)
            if (!table->PayloadAt(i)->defined)
                throw ENoDefineError(kind + table->NameAt(i) + "()の実体を宣言してください");
}

namespace {

std::string SystemMessage(DWORD code)
{
    std::string s = SysErrorMessage(code);
    return s.empty() ? "error " + std::to_string(code) : s;
}

// Counts the bytes and so checks the tables, touching no file.
class TCheckingSink : public TByteSink {
public:
    void Put(std::string_view) override {}
};

}  // namespace

void* TBinMaker::CreateOutputFile(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return h == INVALID_HANDLE_VALUE ? nullptr : h;
}

bool TBinMaker::WriteOutput(void* file, const char* data, std::size_t n)
{
    std::size_t done = 0;
    while (done < n) {
        DWORD chunk = 0;
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(n - done, 1u << 20));
        if (!WriteFile(file, data + done, want, &chunk, nullptr) || chunk == 0) return false;
        done += chunk;
    }
    return true;
}

bool TBinMaker::CloseOutput(void* file)
{
    bool flushed = FlushFileBuffers(file);
    DWORD error = flushed ? 0 : GetLastError();
    bool closed = CloseHandle(file);
    if (!flushed) SetLastError(error);
    return flushed && closed;
}

void TBinMaker::WriteKeyFile()
{
    // The tables are checked before any file is touched, so that an
    // inconsistency never costs the user the previous key-assign file.
    const TProgramTables tables = Tables();
    if (opt_.ListMode || opt_.Verbose) WriteListing(tables, console_);
    try {
        TCheckingSink check;
        WriteKeyFileBytes(tables, check);
    } catch (const EKeyFileContentError& e) {
        throw EKeyFileWriteError(e.what());
    }

    const std::string& bin = opt_.BinName;
    if (SameFileName(bin, opt_.SrcName))
        throw EKeyFileWriteError("キーアサインファイルがソースファイルと同じです : " + bin);
    const std::string backup = KeyFileBackupName(bin);
    // An output named *.SAV is its own backup name: it cannot be kept beside
    // itself, so the new file is written beside it and moved over it whole.
    const bool ownBackup = SameFileName(backup, bin);
    const std::string target = ownBackup ? bin + ".tmp" : bin;
    bool backedUp = false;
    if (!ownBackup) {
        if (FileExists(backup) && !DeleteFileA(backup.c_str()))
            throw EKeyFileWriteError("バックアップファイルを削除できません : " + backup + " (" + SystemMessage(GetLastError()) + ")");
        if (FileExists(bin)) {
            // Without a backup the old file would be overwritten with nothing to
            // restore if writing then failed: stop while it is still intact.
            if (!MoveFileA(bin.c_str(), backup.c_str()))
                throw EKeyFileWriteError("バックアップファイルを作成できません : " + backup + " (" + SystemMessage(GetLastError()) + ")");
            backedUp = true;
        }
    }

    if (opt_.Verbose) console_.WriteLine();
    console_.WriteLine("WRITE   >> " + bin);

    auto restore = [&](const std::string& message) {
        DeleteFileA(target.c_str());
        if (backedUp && !MoveFileA(backup.c_str(), bin.c_str()))
            throw EKeyFileWriteError(message + "\r\nError : 元のキーアサインファイルは " + backup + " に残っています");
        throw EKeyFileWriteError(message);
    };

    void* file = CreateOutputFile(target);
    if (!file) restore("キーアサインファイルを作成できません : " + target + " (" + SystemMessage(GetLastError()) + ")");
    // After the first failed write nothing more is written.
    struct TFileSink : TByteSink {
        TBinMaker& maker;
        void* file;
        DWORD error = 0;
        bool ok = true;
        TFileSink(TBinMaker& m, void* f) : maker(m), file(f) {}
        void Put(std::string_view bytes) override
        {
            if (ok && !maker.WriteOutput(file, bytes.data(), bytes.size())) {
                ok = false;
                error = GetLastError();
            }
        }
    } sink(*this, file);
    WriteKeyFileBytes(tables, sink);
    if (!CloseOutput(file) && sink.ok) {
        sink.ok = false;
        sink.error = GetLastError();
    }
    if (!sink.ok) restore("キーアサインファイルを書き込めません : " + target + " (" + SystemMessage(sink.error) + ")");
    if (ownBackup && !MoveFileExA(target.c_str(), bin.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        restore("キーアサインファイルを作成できません : " + bin + " (" + SystemMessage(GetLastError()) + ")");
}

std::string KeyFileBackupName(const std::string& binName)
{
    return SjisChangeFileExt(binName, ".SAV");
}
