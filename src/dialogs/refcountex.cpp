#include "dialogs/refcountex.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "platform/filebytes.h"
#include "platform/stringlist.h"
#include "platform/syserror.h"
#include "platform/textcase.h"

namespace {

constexpr std::size_t kHeaderBytes = 20;
constexpr std::size_t kTrailerBytes = 4;

std::string LastErrorText() { return SysErrorMessage(GetLastError()); }

int AreaSizeFor(int entries)
{
    if (entries < 0) entries = 0;
    if (entries > TRefCountEx::kMaxEntries) entries = TRefCountEx::kMaxEntries;
    return entries * TRefCountEx::kEntryBytes;
}

// Drops lines from the bottom until the text with its line ends leaves room
// for the NUL, then until no more lines than entries remain.
void Trim(std::vector<std::string>& lines, int areaSize)
{
    while (!lines.empty() && JoinLines(lines).size() >= static_cast<std::size_t>(areaSize)) lines.pop_back();
    while (lines.size() > static_cast<std::size_t>(areaSize / TRefCountEx::kEntryBytes)) lines.pop_back();
}

}  // namespace

// Holds the semaphore for one step. A wait that times out goes on as the
// holder (see kDefaultWaitMs); only a failed wait leaves it untaken.
class TRefCountEx::TLock {
public:
    TLock(void* semaphore, unsigned waitMs) : semaphore_(semaphore)
    {
        DWORD r = WaitForSingleObject(semaphore_, waitMs);
        held_ = r == WAIT_OBJECT_0 || r == WAIT_TIMEOUT;
    }
    ~TLock()
    {
        // After a take-over the semaphore may be free already; a release
        // beyond its maximum count then fails and changes nothing.
        if (held_) ReleaseSemaphore(semaphore_, 1, nullptr);
    }
    TLock(const TLock&) = delete;
    TLock& operator=(const TLock&) = delete;
    bool Held() const { return held_; }

private:
    void* semaphore_;
    bool held_;
};

// The whole block mapped for one step.
class TRefCountEx::TView {
public:
    explicit TView(void* mapping) : base_(static_cast<unsigned char*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0)))
    {
        MEMORY_BASIC_INFORMATION mbi;
        if (base_ && VirtualQuery(base_, &mbi, sizeof mbi)) size_ = mbi.RegionSize;
    }
    ~TView()
    {
        if (base_) UnmapViewOfFile(base_);
    }
    TView(const TView&) = delete;
    TView& operator=(const TView&) = delete;

    bool Valid() const { return base_ != nullptr; }
    std::size_t Size() const { return size_; }
    unsigned char* Bytes() const { return base_; }
    std::int32_t Word(int i) const
    {
        std::int32_t w;
        std::memcpy(&w, base_ + 4 * i, 4);
        return w;
    }
    void SetWord(int i, std::int32_t w) { std::memcpy(base_ + 4 * i, &w, 4); }

private:
    unsigned char* base_;
    std::size_t size_ = 0;
};

int TRefCountEx::Slot(THistoryList list)
{
    if (list < hlDirectory || list > hlRegExp) throw std::logic_error("no such history list");
    return list - hlDirectory;
}

std::size_t TRefCountEx::AreaOffset(int slot) const
{
    std::size_t offset = kHeaderBytes;
    for (int i = 0; i < slot; ++i) offset += static_cast<std::size_t>(sizes_[i]);
    return offset;
}

std::string TRefCountEx::ReadArea(const TView& view, int slot) const
{
    // A copy that died while writing may have left the area without its NUL:
    // the text never runs past the area.
    const char* area = reinterpret_cast<const char*>(view.Bytes() + AreaOffset(slot));
    std::size_t size = static_cast<std::size_t>(sizes_[slot]);
    const void* nul = std::memchr(area, 0, size);
    return std::string(area, nul ? static_cast<const char*>(nul) - area : size);
}

void TRefCountEx::WriteArea(TView& view, int slot, std::string_view text) const
{
    unsigned char* area = view.Bytes() + AreaOffset(slot);
    std::memset(area, 0, static_cast<std::size_t>(sizes_[slot]));
    std::memcpy(area, text.data(), std::min(text.size(), static_cast<std::size_t>(sizes_[slot])));
}

TRefCountEx::TRefCountEx(const std::string& baseName, int dirEntries, int execEntries, int regEntries,
                         std::string historyFile, unsigned waitMs)
    : historyFile_(std::move(historyFile)), waitMs_(waitMs)
{
    if (baseName.empty()) throw ERefCountError("空文字列は却下されます");
    if (baseName.size() > 255) throw ERefCountError("文字列は最大 255 文字まで");
    semaphore_ = CreateSemaphoreA(nullptr, 1, 1, (baseName + "SMPH").c_str());
    if (!semaphore_) throw ERefCountError("セマフォを取得できません\r\n" + LastErrorText());
    try {
        TLock lock(semaphore_, waitMs_);
        if (!lock.Held()) throw ERefCountError("セマフォを取得できません\r\n" + LastErrorText());
        const std::string name = baseName + "MMF";
        mapping_ = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name.c_str());
        if (mapping_) {
            OpenBlock();
        } else {
            const int counts[3] = {dirEntries, execEntries, regEntries};
            CreateBlock(name, counts);
        }
    } catch (...) {
        if (mapping_) CloseHandle(mapping_);
        CloseHandle(semaphore_);
        throw;
    }
}

void TRefCountEx::OpenBlock()
{
    TView view(mapping_);
    if (!view.Valid()) throw ERefCountError("メモリをマップできません\r\n" + LastErrorText());
    std::size_t total = kHeaderBytes + kTrailerBytes;
    for (int i = 0; i < 3; ++i) {
        sizes_[i] = view.Word(2 + i);
        if (sizes_[i] < 0 || sizes_[i] > kMaxEntries * kEntryBytes) sizes_[i] = -1;
        total += static_cast<std::size_t>(sizes_[i]);
    }
    // Sizes that do not fit the block would read past it: not ours to use.
    if (sizes_[0] < 0 || sizes_[1] < 0 || sizes_[2] < 0 || total > view.Size())
        throw ERefCountError("メモリをマップできません\r\n" + SysErrorMessage(ERROR_INVALID_DATA));
    view.SetWord(0, view.Word(0) + 1);
    view.SetWord(1, view.Word(1) + 1);
    count_ = view.Word(0);
    serial_ = view.Word(1);
}

void TRefCountEx::CreateBlock(const std::string& name, const int counts[3])
{
    for (int i = 0; i < 3; ++i) sizes_[i] = AreaSizeFor(counts[i]);
    const DWORD total = static_cast<DWORD>(kHeaderBytes + kTrailerBytes + sizes_[0] + sizes_[1] + sizes_[2]);
    SetLastError(ERROR_SUCCESS);
    mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, total, name.c_str());
    if (!mapping_) throw ERefCountError("メモリマップドファイルを作成できません\r\n" + LastErrorText());
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        // Made meanwhile by a copy that took the semaphore over.
        OpenBlock();
        return;
    }
    TView view(mapping_);
    if (!view.Valid()) throw ERefCountError("メモリをマップできません\r\n" + LastErrorText());
    std::memset(view.Bytes(), 0, total);
    view.SetWord(0, 1);
    view.SetWord(1, 1);
    for (int i = 0; i < 3; ++i) view.SetWord(2 + i, sizes_[i]);
    count_ = serial_ = 1;
    std::string bytes;
    if (!ReadFileBytes(historyFile_, bytes)) bytes.clear();
    std::vector<std::string> lists = ReadHistoryText(bytes, sizes_);
    for (int i = 0; i < 3; ++i) WriteArea(view, i, lists[static_cast<std::size_t>(i)]);
}

TRefCountEx::~TRefCountEx()
{
    {
        TLock lock(semaphore_, waitMs_);
        TView view(mapping_);
        if (lock.Held() && view.Valid()) view.SetWord(0, view.Word(0) - 1);
    }
    CloseHandle(mapping_);
    CloseHandle(semaphore_);
}

int TRefCountEx::AttachedCount() const
{
    TLock lock(semaphore_, waitMs_);
    TView view(mapping_);
    if (!lock.Held() || !view.Valid()) return -1;
    return view.Word(0);
}

std::string TRefCountEx::Get(THistoryList list) const
{
    const int slot = Slot(list);
    TLock lock(semaphore_, waitMs_);
    TView view(mapping_);
    if (!lock.Held() || !view.Valid()) return {};
    return ReadArea(view, slot);
}

void TRefCountEx::Store(THistoryList list, std::vector<std::string> lines)
{
    const int slot = Slot(list);
    Trim(lines, sizes_[slot]);
    TLock lock(semaphore_, waitMs_);
    TView view(mapping_);
    if (lock.Held() && view.Valid()) WriteArea(view, slot, JoinLines(lines));
}

void TRefCountEx::Add(THistoryList list, std::string_view line)
{
    const int slot = Slot(list);
    if (line.size() >= static_cast<std::size_t>(sizes_[slot])) return;
    const int size = sizes_[slot];
    TLock lock(semaphore_, waitMs_);
    TView view(mapping_);
    if (!lock.Held() || !view.Valid()) return;
    std::vector<std::string> lines = SplitLines(ReadArea(view, slot));
    for (auto it = lines.begin(); it != lines.end(); ++it)
        if (LocaleCompareText(*it, line) == 0) {
            lines.erase(it);
            break;
        }
    lines.insert(lines.begin(), std::string(line));
    Trim(lines, size);
    WriteArea(view, slot, JoinLines(lines));
}

void TRefCountEx::Set(THistoryList list, std::string_view text) { Store(list, SplitLines(text)); }

bool TRefCountEx::Save() const
{
    std::string lists[3];
    {
        TLock lock(semaphore_, waitMs_);
        TView view(mapping_);
        if (!lock.Held() || !view.Valid()) return false;
        for (int i = 0; i < 3; ++i) lists[i] = ReadArea(view, i);
    }
    return WriteFileBytes(historyFile_, HistoryText(lists));
}

std::vector<std::string> TRefCountEx::ReadHistoryText(std::string_view bytes, const int sizes[3])
{
    std::vector<std::string> lists(3);
    std::size_t k = 0;
    for (const std::string& line : SplitLines(bytes)) {
        if (line.empty()) {
            if (++k == 3) break;
            continue;
        }
        // Lines that do not fit are skipped; shorter ones after them may.
        std::string& list = lists[k];
        if (list.size() + line.size() + 2 < static_cast<std::size_t>(sizes[k])) list += line + "\r\n";
    }
    return lists;
}

std::string TRefCountEx::HistoryText(const std::string lists[3])
{
    std::string out;
    for (int i = 0; i < 3; ++i) {
        std::string_view text = lists[i];
        if (text.size() >= 2 && text.substr(text.size() - 2) == "\r\n") text.remove_suffix(2);
        if (i) out += "\r\n";
        out += text;
        if (!text.empty()) out += "\r\n";
    }
    return out;
}
