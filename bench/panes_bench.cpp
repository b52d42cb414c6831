// Speed and size of the pane model: sorting a large listing by the default
// sort set, laying out a full screen of rows, marking by a regular
// expression, and the memory an entry takes. Prints the median of several
// runs for each and its target.
//   panes_bench [--runs N]
#include <windows.h>
#include <psapi.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "benchutil.h"
#include "panes/panestate.h"

// Every allocation of the program is counted, so that the bytes an entry
// takes can be told exactly.
namespace {
std::atomic<long long> gAllocatedBytes{0};
std::atomic<long long> gAllocations{0};
}  // namespace

void* operator new(std::size_t n)
{
    gAllocatedBytes += static_cast<long long>(n);
    ++gAllocations;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr int kEntries = 100000;

// Names as a large folder holds them: camera files, documents, Japanese
// names, numbered logs, several extensions, a tenth of them directories.
std::vector<TFileInfo> Entries(int count)
{
    static const char* const stems[] = {"IMG_2020",       "report_final_", "写真フォルダ",   "readme",
                                        "見積書_株式会社", "setup-x86-",    "データ一覧表", "backup copy of "};
    static const char* const exts[] = {".jpg", ".docx", ".txt", ".TXT", ".tar.gz", ".lzh", ".xlsx", ""};
    std::vector<TFileInfo> out;
    out.reserve(static_cast<std::size_t>(count));
    unsigned x = 12345;
    for (int i = 0; i < count; ++i) {
        x = x * 1103515245u + 12345u;
        TFindData fd;
        fd.fileName = std::string(stems[x >> 8 & 7]) + std::to_string(x >> 12 & 0xFFFFF) + exts[x >> 20 & 7];
        fd.attributes = (x >> 24) % 10 == 0 ? 0x10 : 0x20;
        fd.sizeLow = x >> 4;
        fd.lastWriteTime.dwHighDateTime = 0x01D60000 + (x >> 16 & 0xFFFF);
        fd.lastWriteTime.dwLowDateTime = x;
        out.push_back(MakeFoundEntry(fd, i));
    }
    return out;
}

TListing ListingOf(const std::vector<TFileInfo>& entries)
{
    TListing listing;
    listing.entries.Reserve(static_cast<int>(entries.size()));
    for (const TFileInfo& e : entries) listing.entries.Add(e);
    return listing;
}

// The process's committed memory.
long long CommittedBytes()
{
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    return static_cast<long long>(pmc.PagefileUsage);
}

int volatile sink;

}  // namespace

int main(int argc, char** argv)
{
    int runs = 7;
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));

    const std::vector<TFileInfo> entries = Entries(kEntries);
    // First, while the heap holds no freed blocks that a new list could reuse.
    {
        std::size_t nameBytes = 0;
        for (const TFileInfo& e : entries) nameBytes += e.FileName().size();
        long long bytesBefore = gAllocatedBytes, countBefore = gAllocations, committedBefore = CommittedBytes();
        TListing listing = ListingOf(entries);
        long long bytes = gAllocatedBytes - bytesBefore, count = gAllocations - countBefore;
        long long committed = CommittedBytes() - committedBefore;
        std::printf("memory: %.0f bytes an entry allocated in %.1f blocks, %.0f bytes of the process an entry "
                    "(names of %.1f bytes on average; record %u bytes; target < 300)\n",
                    static_cast<double>(bytes) / kEntries, static_cast<double>(count) / kEntries,
                    static_cast<double>(committed) / kEntries, static_cast<double>(nameBytes) / kEntries,
                    static_cast<unsigned>(sizeof(TFileInfo)));
        sink = listing.entries.Count();
    }
    {
        TUBoxList list;
        double t = MedianSeconds(
            runs, [&] { list.Sort(); },
            [&] {
                list = std::move(ListingOf(entries).entries);
                list.SortSet = DefaultSortSet();
            });
        std::printf("sort 100,000 entries by the default sort set: %.1f ms (target < 60 ms)\n", t * 1e3);
    }
    {
        TPaneState pane;
        pane.ShowListing(ListingOf(entries));
        const int rows = 60;
        const int screens = 200;
        double t = MedianSeconds(runs, [&] {
            for (int s = 0; s < screens; ++s)
                for (int i = 0; i < rows; ++i) sink = static_cast<int>(pane.LayoutRow(s * rows + i).cells.size());
        });
        std::printf("format every cell of 60 rows, default view items: %.3f ms a screen (target < 1 ms)\n",
                    t * 1e3 / screens);
    }
    {
        TPaneState pane;
        pane.ShowListing(ListingOf(entries));
        double t = MedianSeconds(
            runs, [&] { pane.MarkByPattern("[0-9]+\\.(jpg|txt)$", true, false, false); },
            [&] {
                if (pane.MarkedCount()) pane.MarkAllFiles();
            });
        std::printf("mark by a regular expression over 100,000 names: %.1f ms, %d marked (target < 200 ms)\n",
                    t * 1e3, pane.MarkedCount());
        pane.MarkAllFiles();
        pane.MarkAllFiles();
        TListing again = ListingOf(entries);
        double start = BenchSeconds();
        pane.TakeOverListing(std::move(again));
        std::printf("reload keeping %d marks: %.1f ms\n", pane.MarkedCount(), (BenchSeconds() - start) * 1e3);
    }
    return 0;
}
