// The shared histories in one process: each TRefCountEx is one copy of the
// program. Base names are unique to the test, so that nothing else in the
// Wine prefix shares their blocks.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "dialogs/refcountex.h"
#include "support/testsupport.h"

namespace {

std::string UniqueBase()
{
    static int n = 0;
    return "VelkHistTest" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++n);
}

class SharedHistory : public ::testing::Test {
protected:
    TTempDir dir;
    std::string base = UniqueBase();
    std::string file = dir.File("VELK.HIS");

    std::unique_ptr<TRefCountEx> Attach(int dirs = 30, int execs = 20, int regs = 20, unsigned waitMs = 5000)
    {
        return std::make_unique<TRefCountEx>(base, dirs, execs, regs, file, waitMs);
    }
};

std::string Lines(std::initializer_list<const char*> lines)
{
    std::string s;
    for (const char* l : lines) s += std::string(l) + "\r\n";
    return s;
}

}  // namespace

TEST_F(SharedHistory, AddingMovesAnEqualLineToTheTop)
{
    auto h = Attach();
    h->Add(hlDirectory, "C:\\A");
    h->Add(hlDirectory, "C:\\B");
    h->Add(hlDirectory, "c:\\a");
    EXPECT_EQ(h->Get(hlDirectory), Lines({"c:\\a", "C:\\B"}));
    EXPECT_EQ(h->Get(hlExecution), "");
    h->Add(hlExecution, "notepad");
    EXPECT_EQ(h->Get(hlExecution), Lines({"notepad"}));
    EXPECT_EQ(h->Get(hlDirectory), Lines({"c:\\a", "C:\\B"}));
}

TEST_F(SharedHistory, TheConfiguredCountsLimitTheLists)
{
    auto h = Attach(2, 1, 150);
    EXPECT_EQ(h->AreaSize(hlDirectory), 512);
    EXPECT_EQ(h->AreaSize(hlExecution), 256);
    EXPECT_EQ(h->AreaSize(hlRegExp), 25600);  // above 100 counts as 100
    h->Add(hlDirectory, "C:\\1");
    h->Add(hlDirectory, "C:\\2");
    h->Add(hlDirectory, "C:\\3");
    EXPECT_EQ(h->Get(hlDirectory), Lines({"C:\\3", "C:\\2"}));
    // A line that does not fit is ignored; the bytes limit the lines too.
    h->Add(hlExecution, std::string(256, 'x'));
    EXPECT_EQ(h->Get(hlExecution), "");
    h->Add(hlExecution, std::string(250, 'a'));
    h->Add(hlExecution, "b");
    EXPECT_EQ(h->Get(hlExecution), Lines({"b"}));
    h->Set(hlDirectory, "x\r\ny\nz\n");
    EXPECT_EQ(h->Get(hlDirectory), Lines({"x", "y"}));
    h->Set(hlDirectory, std::string(300, 'p') + "\r\n" + std::string(300, 'q'));
    EXPECT_EQ(h->Get(hlDirectory), std::string(300, 'p') + "\r\n");
    h->Set(hlDirectory, "");
    EXPECT_EQ(h->Get(hlDirectory), "");

    auto none = std::make_unique<TRefCountEx>(UniqueBase(), 0, -3, 0, file);
    none->Add(hlDirectory, "x");
    EXPECT_EQ(none->Get(hlDirectory), "");
    EXPECT_EQ(none->AreaSize(hlExecution), 0);
}

TEST_F(SharedHistory, CopiesShareTheBlockAndTheLastOneSaves)
{
    auto first = Attach(2, 20, 20);
    EXPECT_EQ(first->Serial(), 1);
    auto second = Attach(30, 30, 30);  // the first copy fixed the sizes
    EXPECT_EQ(second->Serial(), 2);
    EXPECT_EQ(second->AreaSize(hlDirectory), 512);
    EXPECT_EQ(first->AttachedCount(), 2);
    second->Add(hlRegExp, "^a.*");
    EXPECT_EQ(first->Get(hlRegExp), Lines({"^a.*"}));
    first.reset();
    EXPECT_EQ(second->AttachedCount(), 1);
    auto third = Attach();
    EXPECT_EQ(third->Serial(), 3);  // never counted down
    third.reset();
    second.reset();
    // The block is gone with its last copy: the next one starts afresh.
    auto fresh = Attach();
    EXPECT_EQ(fresh->Serial(), 1);
    EXPECT_EQ(fresh->Get(hlRegExp), "");
}

TEST_F(SharedHistory, TheHistoryFile)
{
    {
        auto h = Attach();
        h->Add(hlDirectory, "D2");
        h->Add(hlDirectory, "D1");
        h->Add(hlRegExp, "R1");
        ASSERT_TRUE(h->Save());
    }
    EXPECT_EQ(ReadBytes(file), "D1\r\nD2\r\n\r\n\r\nR1\r\n");
    auto next = Attach();
    EXPECT_EQ(next->Get(hlDirectory), Lines({"D1", "D2"}));
    EXPECT_EQ(next->Get(hlExecution), "");
    EXPECT_EQ(next->Get(hlRegExp), Lines({"R1"}));
}

TEST_F(SharedHistory, ReadingTheFile)
{
    const int sizes[3] = {256, 256, 20};
    // A first empty line leaves list 1 empty; lines that do not fit are
    // skipped and shorter ones after them still taken.
    std::vector<std::string> lists = TRefCountEx::ReadHistoryText(
        "\r\ne1\r\ne2\r\n\r\n0123456789abcdef\r\nlong line that does not fit\r\nr2\r\n\r\nignored\r\n", sizes);
    EXPECT_EQ(lists[0], "");
    EXPECT_EQ(lists[1], Lines({"e1", "e2"}));
    EXPECT_EQ(lists[2], Lines({"0123456789abcdef"}));
    const int small[3] = {20, 20, 20};
    lists = TRefCountEx::ReadHistoryText("a\r\n0123456789abcdef\r\nb\r\n", small);
    EXPECT_EQ(lists[0], Lines({"a", "b"}));
    // A missing file gives empty lists.
    auto h = Attach();
    EXPECT_EQ(h->Get(hlDirectory), "");

    const std::string saved[3] = {"", Lines({"e"}), ""};
    EXPECT_EQ(TRefCountEx::HistoryText(saved), "\r\ne\r\n\r\n");
}

TEST_F(SharedHistory, BadBaseNames)
{
    for (const std::string& name : {std::string(), std::string(256, 'n')}) {
        try {
            TRefCountEx h(name, 1, 1, 1, file);
            ADD_FAILURE() << name.size();
        } catch (const ERefCountError& e) {
            EXPECT_STREQ(e.what(), name.empty() ? "空文字列は却下されます" : "文字列は最大 255 文字まで");
        }
    }
    const std::string longest = base + std::string(255 - base.size(), 'n');
    EXPECT_NO_THROW(TRefCountEx(longest, 1, 1, 1, file));
}

TEST_F(SharedHistory, ACopyThatDiedHoldingTheSemaphoreHangsNoOne)
{
    auto h = Attach(30, 20, 20, 300);
    // Taken and never given back, as by a copy that died meanwhile.
    HANDLE sem = OpenSemaphoreA(SEMAPHORE_ALL_ACCESS, FALSE, (base + "SMPH").c_str());
    ASSERT_TRUE(sem);
    ASSERT_EQ(WaitForSingleObject(sem, 0), WAIT_OBJECT_0);
    LARGE_INTEGER f, t0, t1, t2;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t0);
    h->Add(hlDirectory, "C:\\after");
    QueryPerformanceCounter(&t1);
    EXPECT_EQ(h->Get(hlDirectory), Lines({"C:\\after"}));
    QueryPerformanceCounter(&t2);
    const double first = double(t1.QuadPart - t0.QuadPart) / double(f.QuadPart);
    const double second = double(t2.QuadPart - t1.QuadPart) / double(f.QuadPart);
    EXPECT_GE(first, 0.25);  // waited for its time-out ...
    EXPECT_LT(second, 0.25);  // ... and freed the semaphore for the next step
    // It is free again for everyone.
    EXPECT_EQ(WaitForSingleObject(sem, 0), WAIT_OBJECT_0);
    ReleaseSemaphore(sem, 1, nullptr);
    CloseHandle(sem);
}
