// Loading the key-assign file: every compound statement is copied into the
// one code stream; globals, routine tables and key sets refer to it by
// offset. Every check ends the load with its message.
#include <windows.h>

#include <new>

#include "interpreter/keysrc.h"
#include "panes/pathutils.h"
#include "platform/format.h"

namespace {

constexpr char kStreamReadError[] = "ストリームの読み込みエラー";

// Reads the file's bytes; running past the end is the stream's read error.
class TImageReader {
public:
    explicit TImageReader(std::string_view bytes) : bytes_(bytes) {}

    bool AtEnd() const { return pos_ >= bytes_.size(); }
    std::size_t Remaining() const { return bytes_.size() - pos_; }
    void Need(std::uint64_t n) const
    {
        if (n > Remaining()) throw EKeyReadError(kStreamReadError);
    }
    std::int32_t Word()
    {
        Need(4);
        std::int32_t w;
        std::memcpy(&w, bytes_.data() + pos_, 4);
        pos_ += 4;
        return w;
    }
    std::int64_t Int64()
    {
        Need(8);
        std::int64_t v;
        std::memcpy(&v, bytes_.data() + pos_, 8);
        pos_ += 8;
        return v;
    }
    std::string_view Bytes(std::size_t n)
    {
        Need(n);
        std::string_view s = bytes_.substr(pos_, n);
        pos_ += n;
        return s;
    }
    // A 64-byte name field, up to its first zero byte.
    std::string Name()
    {
        std::string_view field = Bytes(bc::kNameFieldSize);
        return std::string(field.substr(0, std::min(field.find('\0'), field.size())));
    }
    std::string Padded()
    {
        std::int32_t n = Word();
        if (n < 0) throw EKeyReadError("文字列の長さが不正です : " + IntToStr(n));
        std::string s(Bytes(static_cast<std::size_t>(n)));
        Bytes(4 - static_cast<std::size_t>(n) % 4);
        return s;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// Reads the sections into the interpreter's lists.
class TKeyFileParser {
public:
    TKeyFileParser(TKeySrc& vtl, TSenObject& code, TImageReader& in) : vtl_(vtl), code_(code), in_(in) {}

    void Section(std::int32_t marker);
    std::int32_t CopyCompound();

private:
    std::int32_t Count(std::int32_t marker);
    template <class TArray, class TReadElement>
    void Arrays(std::vector<std::unique_ptr<TArray>>& list, std::size_t leastElementBytes, TReadElement readElement);
    void Routines(std::int32_t marker, TUserSubProcList& list, const char* label);
    template <class TBind>
    void Bindings(std::int32_t marker, TKeySet& set, TBind bind);

    TKeySrc& vtl_;
    TSenObject& code_;
    TImageReader& in_;
};

std::int32_t TKeyFileParser::Count(std::int32_t marker)
{
    std::int32_t n = in_.Word();
    if (n < 0) throw EKeyReadError("セクション $" + Hex8(marker) + " の個数が不正です : " + IntToStr(n));
    return n;
}

std::int32_t TKeyFileParser::CopyCompound()
{
    const std::int32_t offset = static_cast<std::int32_t>(code_.Position());
    std::int32_t w = in_.Word();
    if (w != bc::bcCompoundBegin) throw EKeyReadError("複文開始マーカーが見つかりません");
    code_.WriteWord(w);
    std::int32_t size = in_.Word();
    code_.WriteWord(size);
    if (size > 0) {
        std::string_view body = in_.Bytes(static_cast<std::size_t>(size));
        code_.Write(body.data(), body.size());
    }
    w = in_.Word();
    if (w != bc::bcCompoundEnd) throw EKeyReadError("複文終了マーカーが見つかりません");
    code_.WriteWord(w);
    return offset;
}

template <class TArray, class TReadElement>
void TKeyFileParser::Arrays(std::vector<std::unique_ptr<TArray>>& list, std::size_t leastElementBytes, TReadElement readElement)
{
    const std::int32_t count = in_.Word();
    for (std::int32_t i = 0; i < count; ++i) {
        std::string name = in_.Name();
        const std::int32_t size = in_.Word();
        if (size < 1 || size > bc::kMaxArraySize)
            throw EKeyReadError("配列の添字範囲が不正 : " + IntToStr(size) + " " + name);
        const std::int32_t reserved = in_.Word();
        if (reserved != 0) throw EKeyReadError("配列の添字定義が不正 : " + Hex8(reserved) + " " + name);
        // A size the file cannot hold is a read error before anything is
        // allocated for it.
        in_.Need(static_cast<std::uint64_t>(size) * leastElementBytes);
        std::unique_ptr<TArray> a;
        try {
            a = std::make_unique<TArray>(size, name);
        } catch (const std::bad_alloc&) {
            throw EKeyReadError("配列を確保できません : " + IntToStr(size) + " " + name);
        }
        for (auto& item : a->Items) item = readElement();
        list.push_back(std::move(a));
    }
}

void TKeyFileParser::Routines(std::int32_t marker, TUserSubProcList& list, const char* label)
{
    const std::int32_t count = Count(marker);
    for (std::int32_t i = 0; i < count; ++i) {
        TUserSubProc r;
        r.CodeOffset = static_cast<std::int32_t>(code_.Position());
        r.Name = in_.Name();
        const std::int32_t args = in_.Word();
        if (args < 0)
            throw EKeyReadError("引数の数が不正です : " + IntToStr(args) + "\r\n" + label + " : " + r.Name);
        in_.Need(static_cast<std::uint64_t>(args) * 4);
        for (std::int32_t a = 0; a < args; ++a) {
            const std::int32_t word = in_.Word();
            const char letter = bc::LetterOfArgClass(bc::ClassOf(word));
            if (!letter) throw EKeyReadError("不明な引数コード : " + Hex8(word) + "\r\n" + label + " : " + r.Name);
            r.Signature += letter;
        }
        CopyCompound();
        list.push_back(std::move(r));
    }
}

template <class TBind>
void TKeyFileParser::Bindings(std::int32_t marker, TKeySet& set, TBind bind)
{
    const std::int32_t count = Count(marker);
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t input = in_.Word();
        const std::int32_t offset = CopyCompound();
        bind(set, input, offset);
    }
}

void BindKey(TKeySet& set, std::int32_t input, std::int32_t offset)
{
    if (input & bc::kInputVirtualBit) {
        const int k = bc::IndexOf(input);
        if (!IsVirtualKey(k)) throw EKeyReadError("不明なキーコード : " + IntToStr(k));
        set.BindKey(bc::ModifiersOf(input), k, offset);
    } else {
        if (!IsCharKey(input)) throw EKeyReadError("不明なキーコード : " + Hex8(input));
        set.BindChar(input, offset);
    }
}

void BindMouse(TKeySet& set, std::int32_t input, std::int32_t offset)
{
    const int m = bc::IndexOf(input);
    if (m >= kMouseCodes) throw EKeyReadError("不明なマウスコード : " + IntToStr(m));
    set.BindMouse(bc::ModifiersOf(input), m, offset);
}

void BindEvent(TKeySet& set, std::int32_t input, std::int32_t offset)
{
    if (input < 0 || input >= kEventCodes) throw EKeyReadError("不明なイベントコード : " + IntToStr(input));
    set.BindEvent(input, offset);
}

void TKeyFileParser::Section(std::int32_t marker)
{
    switch (marker) {
    case bc::bcSecGlobalNum: {
        const std::int32_t count = Count(marker);
        for (std::int32_t i = 0; i < count; ++i) {
            TUserNum v;
            v.Name = in_.Name();
            v.Value = in_.Int64();
            vtl_.GlobalNums.push_back(std::move(v));
        }
        return;
    }
    case bc::bcSecGlobalStr: {
        const std::int32_t count = Count(marker);
        for (std::int32_t i = 0; i < count; ++i) {
            TUserStr v;
            v.Name = in_.Name();
            v.Value = in_.Padded();
            vtl_.GlobalStrs.push_back(std::move(v));
        }
        return;
    }
    case bc::bcSecGlobalNumArrays: Arrays(vtl_.GlobalNumArrays, 8, [&] { return in_.Int64(); }); return;
    case bc::bcSecGlobalStrArrays: Arrays(vtl_.GlobalStrArrays, 8, [&] { return in_.Padded(); }); return;
    case bc::bcSecSubs: Routines(marker, vtl_.SubProcs, "SUB"); return;
    case bc::bcSecIntFuncs: Routines(marker, vtl_.NumFuncs, "SUB"); return;
    case bc::bcSecStrFuncs: Routines(marker, vtl_.StrFuncs, "SUB"); return;
    case bc::bcSecBoolFuncs: Routines(marker, vtl_.BoolFuncs, "SUB"); return;
    case bc::bcSecDialogs: Routines(marker, vtl_.Dialogs, "DLG"); return;
    case bc::bcSecDefaultKeys: Bindings(marker, vtl_.KeySets().FindOrAddKeySet("DEFAULT"), BindKey); return;
    case bc::bcSecDefaultMouse: Bindings(marker, vtl_.KeySets().FindOrAddKeySet("DEFAULT"), BindMouse); return;
    case bc::bcSecDefaultEvents: Bindings(marker, vtl_.KeySets().FindOrAddKeySet("DEFAULT"), BindEvent); return;
    case bc::bcSecKeySet: Bindings(marker, vtl_.KeySets().FindOrAddKeySet(in_.Name()), BindKey); return;
    case bc::bcSecMouseSet: Bindings(marker, vtl_.KeySets().FindOrAddKeySet(in_.Name()), BindMouse); return;
    case bc::bcSecEventSet: Bindings(marker, vtl_.KeySets().FindOrAddKeySet(in_.Name()), BindEvent); return;
    }
    throw EKeyReadError("未知のマーカー : $" + Hex8(marker));
}

// Completed as every full path is, UNC steps included.
std::string FullPath(const std::string& name)
{
    std::string full = ExpandPath(name);
    return full.empty() ? name : full;
}

// The version text as a decimal number, -1 for anything else ("$0E4"
// reads as 228 in hexadecimal but is no version).
int VersionOf(const std::string& text)
{
    std::int64_t v;
    if (text.find('$') != std::string::npos || !TryStrToInt64(text, v)) return -1;
    return static_cast<int>(v);
}

// The file's bytes, shared for reading only; false when it cannot be opened.
bool ReadWholeFile(const std::string& path, std::string& bytes, bool& readFailed)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    readFailed = false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(h, &size) || size.QuadPart > 0x7FFFFFFF) {
        readFailed = true;
    } else {
        try {
            bytes.resize(static_cast<std::size_t>(size.QuadPart));
            DWORD got = 0;
            readFailed = !bytes.empty() && (!ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
                                            got != bytes.size());
        } catch (const std::bad_alloc&) {
            readFailed = true;
        }
    }
    CloseHandle(h);
    return true;
}

}  // namespace

bool TKeySrc::LoadKeyFile(const std::string& fileName)
{
    TCriticalErrorsOff quiet;
    const std::string path = FullPath(fileName);
    std::string bytes;
    bool readFailed = false;
    if (!ReadWholeFile(path, bytes, readFailed)) {
        host_.Dialogs().ShowSimpleMessage(path + " が開けません");
        return false;
    }
    if (readFailed) {
        host_.Dialogs().ShowSimpleMessage(kStreamReadError);
        ClearKeyData();
        return false;
    }
    return LoadKeyImage(bytes, path);
}

bool TKeySrc::LoadKeyImage(std::string_view bytes, const std::string& fullPath)
{
    try {
        if (bytes.size() < static_cast<std::size_t>(bc::kHeaderSize)) throw EKeyReadError("ヘッダーを読み込めません");
        auto text = [&](std::size_t at, std::size_t n) {
            std::string_view s = bytes.substr(at, n);
            return std::string(s.substr(0, std::min(s.find('\0'), s.size())));
        };
        if (text(0, bc::kMagicLength) != bc::kMagic) throw EKeyReadError("KEYファイルではありません");
        const std::string version = text(bc::kMagicLength, 4);
        fileVersion_ = VersionOf(version);
        if (fileVersion_ < bc::kMinVersion || fileVersion_ > bc::kMaxVersion)
            throw EKeyReadError("未サポートのバージョンです : " + version);

        TImageReader in(bytes.substr(bc::kHeaderSize));
        TKeyFileParser parser(*this, codeStream_, in);
        while (!in.AtEnd()) {
            const std::int32_t marker = in.Word();
            switch (marker) {
            case bc::bcSecInit: initOffset_ = parser.CopyCompound(); break;
            case bc::bcSecDone: doneOffset_ = parser.CopyCompound(); break;
            case bc::bcSecPreKey: preKeyOffset_ = parser.CopyCompound(); break;
            default: parser.Section(marker);
            }
        }
        keyFileName_ = fullPath;
        code_.Attach(codeStream_);
        return true;
    } catch (const EKeyReadError& e) {
        host_.Dialogs().ShowSimpleMessage(e.what());
    }
    ClearKeyData();
    return false;
}

void TKeySrc::ClearKeySets()
{
    keySets_.Clear();
    initOffset_ = doneOffset_ = preKeyOffset_ = -1;
}

void TKeySrc::ClearKeyData()
{
    ClearKeySets();
    GlobalNums.clear();
    GlobalStrs.clear();
    GlobalNumArrays.clear();
    GlobalStrArrays.clear();
    SubProcs.clear();
    NumFuncs.clear();
    StrFuncs.clear();
    BoolFuncs.clear();
    Dialogs.clear();
    codeStream_.Clear();
    code_.Attach(codeStream_);
    keyFileName_.clear();
}
