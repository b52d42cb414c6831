#pragma once
// The histories shared by every running VELK: one named block of memory,
// guarded by a named semaphore, that counts the running copies, gives each
// its serial number and holds three lists (directories, executed command
// lines, regular expressions), newest first. The first copy to start reads
// the lists from the history file; the last one to close writes them back.
//
// Block layout (little-endian 32-bit words): attached copies, serial
// counter, the three area sizes; then the three areas back to back, each a
// NUL-terminated text of CR LF-ended lines; then 4 zero bytes.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class ERefCountError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum THistoryList { hlDirectory = 1, hlExecution = 2, hlRegExp = 3 };

class TRefCountEx {
public:
    static constexpr int kMaxEntries = 100;
    static constexpr int kEntryBytes = 256;
    // Every copy holds the semaphore only for one short step, so a copy that
    // holds it this long has died holding it: the waiting copy then goes on
    // as its holder and releases it afterwards, which frees it for all.
    static constexpr unsigned kDefaultWaitMs = 5000;

    // Attaches to the block of the base name ("SMPH" and "MMF" are added),
    // creating it when this is the first copy; the counts of entries (each
    // limited to 0 ... 100) size its areas. Raises ERefCountError.
    TRefCountEx(const std::string& baseName, int dirEntries, int execEntries, int regEntries, std::string historyFile,
                unsigned waitMs = kDefaultWaitMs);
    // Detaches; the system frees the block with its last handle.
    ~TRefCountEx();
    TRefCountEx(const TRefCountEx&) = delete;
    TRefCountEx& operator=(const TRefCountEx&) = delete;

    // The copies attached now; -1 when the block cannot be read.
    int AttachedCount() const;
    // This copy's serial number, as seen when it attached.
    int Serial() const { return serial_; }
    int AreaSize(THistoryList list) const { return sizes_[Slot(list)]; }

    // The list's text: its lines, each followed by CR LF.
    std::string Get(THistoryList list) const;
    // Puts the line on top, removing an earlier equal one (without regard to
    // case); the oldest lines go when the area is full. A line that does not
    // fit the area is ignored.
    void Add(THistoryList list, std::string_view line);
    // Replaces the list by the lines of the text, cut to fit the area.
    void Set(THistoryList list, std::string_view text);
    // Writes the three lists to the history file; false when it fails.
    bool Save() const;

    // The lists read from a history file's bytes for areas of these sizes.
    static std::vector<std::string> ReadHistoryText(std::string_view bytes, const int sizes[3]);
    // The history file's bytes for the three lists.
    static std::string HistoryText(const std::string lists[3]);

private:
    class TLock;
    class TView;
    static int Slot(THistoryList list);
    std::size_t AreaOffset(int slot) const;
    std::string ReadArea(const TView& view, int slot) const;
    void WriteArea(TView& view, int slot, std::string_view text) const;
    void Store(THistoryList list, std::vector<std::string> lines);
    void CreateBlock(const std::string& name, const int counts[3]);
    void OpenBlock();

    void* semaphore_ = nullptr;
    void* mapping_ = nullptr;
    std::string historyFile_;
    unsigned waitMs_;
    int count_ = -1;
    int serial_ = -1;
    int sizes_[3] = {};
};
