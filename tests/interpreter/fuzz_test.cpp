// Damaged key-assign files: every mutation of a file VELKC or the test
// writer produced ends in a load error or a run that ends (normally or with
// its message); none crashes or hangs.
#include <gtest/gtest.h>

#include <random>

#include "interpreter/keysrc.h"
#include "interpreter/recordinghost.h"
#include "interpreter/seedprograms.h"
#include "support/testsupport.h"

namespace {

std::string Mutate(std::string file, std::mt19937& rng)
{
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    static const std::uint32_t kWords[] = {0, 1, 2, 0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, 0x10000000u, 0x10000001u,
                                           0xFFFF, 0x10000, 0x00100011, 0x00100012, 0x00100036, 0x00100034};
    const int edits = 1 + static_cast<int>(pick(4));
    for (int e = 0; e < edits && !file.empty(); ++e) {
        switch (pick(4)) {
        case 0:  // flip bits of a byte
            file[pick(file.size())] ^= static_cast<char>(1 + pick(255));
            break;
        case 1:  // cut the file short
            file.resize(pick(file.size()));
            break;
        case 2: {  // a count, size or code word changed
            if (file.size() < 28) break;
            std::size_t at = 24 + (pick(file.size() - 27) & ~std::size_t{3});
            std::uint32_t w = kWords[pick(std::size(kWords))];
            for (int i = 0; i < 4; ++i) file[at + static_cast<std::size_t>(i)] = static_cast<char>(w >> (8 * i));
            break;
        }
        case 3: {  // a stretch of the file repeated or removed
            std::size_t from = pick(file.size()), n = pick(64) + 1;
            if (pick(2))
                file.insert(from, file.substr(from, n));
            else
                file.erase(from, n);
            break;
        }
        }
    }
    return file;
}

// Runs everything the file binds; each run is stopped if it goes on too long.
void RunAll(TKeySrc& vtl, TRecordingHost& host)
{
    auto run = [&](auto start) {
        host.stopAfterPolls = 20000;
        host.polls = 0;
        start();
    };
    run([&] { vtl.RunInit(); });
    run([&] { vtl.RunKey('A', 0, 0, 0, 0); });
    run([&] { vtl.RunCharKey(';', 0, 0, 0, 0); });
    run([&] { vtl.RunMouse(1, 0, 0, 0, 0); });
    run([&] { vtl.RunEvent(0, 0, 0, 0, 0); });
    run([&] { vtl.RunDone(0); });
}

std::vector<std::string> Seeds()
{
    std::vector<std::string> seeds = SeedPrograms();
    // What VELKC writes for a source (the empty program until it compiles
    // sections).
    TTempDir dir;
    WriteBytes(dir.File("a.src"), "#GLOBALVAR #a = 1, $s = 'x';\r\n#INIT { #a = #a + 1; }\r\n");
    RunProgram("\"" + TestProgramDir() + "VELKC.exe\" /Sa.src", dir.Path());
    if (PathExists(dir.File("a.KEY"))) seeds.push_back(ReadBytes(dir.File("a.KEY")));
    return seeds;
}

}  // namespace

TEST(Fuzz, MutatedKeyFilesEndInAnErrorOrARunThatEnds)
{
    std::mt19937 rng(20240607);
    const std::vector<std::string> seeds = Seeds();
    int loaded = 0, failed = 0, outOfMemory = 0;
    for (int i = 0; i < 4000; ++i) {
        const std::string& seed = seeds[static_cast<std::size_t>(i) % seeds.size()];
        const std::string file = Mutate(seed, rng);
        TRecordingHost host;
        TKeySrc vtl(host);
        if (!vtl.LoadKeyImage(file, "C:\\FUZZ.KEY")) {
            ++failed;
            ASSERT_EQ(host.lines.size(), 1u) << "case " << i;
            EXPECT_EQ(host.lines[0].rfind("[Velkano] ", 0), 0u) << "case " << i;
            continue;
        }
        ++loaded;
        try {
            RunAll(vtl, host);
        } catch (const std::bad_alloc&) {
            ++outOfMemory;  // VELK's general error handler reports it
        }
        EXPECT_FALSE(vtl.Running()) << "case " << i;
    }
    // Both kinds of outcome occurred.
    EXPECT_GT(loaded, 100);
    EXPECT_GT(failed, 100);
    RecordProperty("loaded", loaded);
    RecordProperty("outOfMemory", outOfMemory);
}
