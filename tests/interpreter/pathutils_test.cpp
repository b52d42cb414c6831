// Path kinds, canonical paths, the status before a change of directory, the
// recycle bin test, forced directories and the drive queries.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>

#include "panes/pathutils.h"
#include "platform/syserror.h"
#include "platform/textcase.h"
#include "support/testsupport.h"

namespace {

const std::string H = "表";  // 0x95 0x5C

// A network cache that knows a few names (compared without case).
class TFakeNet : public TNetResourceNames {
public:
    std::map<std::string, std::string> known;  // upper-cased name -> cached name
    bool refuses = false;

    void Add(const std::string& name) { known[LocaleUpperCase(name)] = name; }
    bool IsKnownNetPath(std::string_view path, int, std::string& name) const override
    {
        auto it = known.find(LocaleUpperCase(path));
        if (it == known.end()) return false;
        name = it->second;
        return true;
    }
    bool RefusesUnauthenticated(std::string_view) const override { return refuses; }
    std::string Comment(std::string_view remoteName) const override { return "comment of " + std::string(remoteName); }
};

}  // namespace

TEST(PathKinds, Table)
{
    struct TKinds {
        std::string path;
        bool list, unc, server, share, root;
    };
    const TKinds cases[] = {
        {"\\\\", true, false, false, false, false},
        {"\\\\srv", false, true, true, false, false},
        {"\\\\srv\\", false, true, true, false, false},
        {"\\\\srv\\share", false, true, false, true, false},
        {"\\\\srv\\share\\", false, true, false, true, false},
        {"\\\\srv\\share\\dir", false, true, false, false, false},
        // A trail byte 0x5C is no backslash.
        {"\\\\" + H, false, true, true, false, false},
        {"\\\\srv\\" + H, false, true, false, true, false},
        {"\\\\\\x", false, false, false, false, false},
        {"\\\\\\x\\y", false, false, false, false, false},
        {"C:\\", false, false, false, false, true},
        {"c:\\", false, false, false, false, true},
        {"C:", false, false, false, false, false},
        {"C:\\a", false, false, false, false, false},
        {"1:\\", false, false, false, false, false},
    };
    for (const TKinds& c : cases) {
        EXPECT_EQ(IsDriveListPath(c.path), c.list) << c.path;
        EXPECT_EQ(IsUNCPath(c.path), c.unc) << c.path;
        EXPECT_EQ(IsServerPath(c.path), c.server) << c.path;
        EXPECT_EQ(IsSharePath(c.path), c.share) << c.path;
        EXPECT_EQ(IsDriveRoot(c.path), c.root) << c.path;
    }
    EXPECT_EQ(UNCRoot("\\\\srv\\" + H + "\\a\\b"), "\\\\srv\\" + H);
    EXPECT_EQ(UNCRoot("\\\\srv\\share"), "\\\\srv\\share");
    EXPECT_EQ(ServerPart("\\\\" + H + "\\share\\a"), "\\\\" + H);
    EXPECT_EQ(CountBackslashes("\\" + H + "\\"), 2);
}

class PathsOnDisk : public ::testing::Test {
protected:
    TTempDir dir;
    std::string saved;
    void SetUp() override
    {
        char buf[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, buf);
        saved = buf;
        SetCurrentDirectoryA(dir.Path().c_str());
    }
    void TearDown() override { SetCurrentDirectoryA(saved.c_str()); }
};

TEST_F(PathsOnDisk, CanonicalPathOfLocalPaths)
{
    CreateDirectoryA(dir.File("Mixed Dir").c_str(), nullptr);
    WriteBytes(dir.File("Mixed Dir\\" + H + "File.TXT"), "");
    EXPECT_EQ(CanonicalPath("mixed dir\\" + H + "file.txt"), dir.File("Mixed Dir\\" + H + "File.TXT"));
    EXPECT_EQ(CanonicalPath("MIXED DIR\\.\\x\\..\\"), dir.File("Mixed Dir"));
    EXPECT_EQ(CanonicalPath("c:\\"), "C:\\");
    EXPECT_EQ(CanonicalPath("\\\\"), "\\\\");
    struct TFail {
        std::string path;
        unsigned long code;
    };
    char freeDrive = 0;
    for (char d = 'Y'; d > 'D' && !freeDrive; --d)
        if (!DriveExists(d)) freeDrive = d;
    ASSERT_TRUE(freeDrive);
    const TFail fails[] = {
        {"missing\\x", ERROR_FILE_NOT_FOUND},
        {"Mixed Dir\\missing", ERROR_FILE_NOT_FOUND},
        // A wildcard would find some other file: refused.
        {"Mixed Dir\\*.txt", ERROR_INVALID_NAME},
        {std::string(1, freeDrive) + ":\\x", ERROR_INVALID_DRIVE},
        {"\\\\srv\\share\\x", ERROR_BAD_NETPATH},
    };
    for (const TFail& f : fails) {
        try {
            CanonicalPath(f.path);
            ADD_FAILURE() << f.path;
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.Code(), f.code) << f.path;
            const std::string text = e.what();
            EXPECT_EQ(text.substr(0, text.find("\r\n")), SysErrorMessage(e.Code())) << f.path;
            EXPECT_NE(text.find("\r\n"), std::string::npos) << f.path;
        }
    }
}

TEST_F(PathsOnDisk, CanonicalPathOfUNCPathsUsesTheNetworkCache)
{
    TFakeNet net;
    net.Add("\\\\Server");
    net.Add("\\\\Server\\Share");
    EXPECT_EQ(CanonicalPath("\\\\server\\", &net), "\\\\Server");
    EXPECT_EQ(CanonicalPath("\\\\SERVER\\share\\x\\..", &net), "\\\\Server\\Share");
    for (const char* unknown : {"\\\\other\\share", "\\\\server\\other"}) {
        try {
            CanonicalPath(unknown, &net);
            ADD_FAILURE() << unknown;
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.Code(), static_cast<unsigned long>(ERROR_BAD_NETPATH)) << unknown;
        }
    }
}

TEST_F(PathsOnDisk, PathStatusAndItsMessages)
{
    WriteBytes(dir.File("file.txt"), "");
    CreateDirectoryA(dir.File("sub").c_str(), nullptr);
    char freeDrive = 0;
    for (char d = 'Y'; d > 'D' && !freeDrive; --d)
        if (!DriveExists(d)) freeDrive = d;
    TFakeNet net;
    net.Add("\\\\srv");
    net.Add("\\\\srv\\share");
    struct TStatus {
        std::string path;
        TPathStatus status;
        std::string message;
    };
    const std::string lower(1, static_cast<char>(freeDrive - 'A' + 'a'));
    const TStatus cases[] = {
        {"", psEmpty, ""},
        {"\\\\", psDirectory, ""},
        {"sub", psDirectory, ""},
        {"file.txt", psFile, dir.File("file.txt") + " はファイルです"},
        {"none", psNoDirectory, dir.File("none") + " が見つかりません"},
        {lower + ":\\x", psNoDrive, "Drive " + std::string(1, freeDrive) + " は存在しません"},
        {"\\\\other\\share\\d", psNoServer, "\\\\other が見つかりません"},
        {"\\\\srv", psDirectory, ""},
        {"\\\\srv\\other\\d", psNoShare, "\\\\srv\\other が見つかりません"},
        {"\\\\srv\\share\\d", psNoUNCDirectory, "\\\\srv\\share\\d が見つかりません"},
    };
    for (const TStatus& c : cases) {
        EXPECT_EQ(PathStatus(c.path, &net), c.status) << c.path;
        EXPECT_EQ(PathStatusMessage(c.status, ExpandPath(c.path)), c.message) << c.path;
    }
    EXPECT_EQ(PathStatusMessage(psNotReady, "a:\\x"), "Drive A の準備ができていません");
    EXPECT_EQ(PathStatus("\\\\srv\\share"), psNoServer);  // no cache at all
    net.refuses = true;
    EXPECT_EQ(PathStatus("\\\\srv\\", &net), psNeedPassword);
}

TEST(PathUtilities, IsRecycleBinPath)
{
    struct TBin {
        const char* path;
        bool bin;
    };
    const TBin cases[] = {
        {"C:\\RECYCLED", true},          {"d:\\recycler\\S-1-5\\x", true}, {"C:\\$Recycle.Bin", false},
        {"C:\\Recycle.Bin", true},       {"C:\\RECYCLEDX", false},        {"C:\\a\\RECYCLED", false},
        {"C:\\RECYCLER\\", true},        {"C:", false},                   {"", false},
    };
    for (const TBin& c : cases) EXPECT_EQ(IsRecycleBinPath(c.path), c.bin) << c.path;
}

TEST_F(PathsOnDisk, ForceDirectories)
{
    const std::string deep = dir.File(H + "\\b\\c\\");
    EXPECT_TRUE(ForceDirectories(deep));
    DWORD a = GetFileAttributesA(dir.File(H + "\\b\\c").c_str());
    ASSERT_NE(a, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(a & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(ForceDirectories(deep));  // already there
    EXPECT_TRUE(ForceDirectories("C:"));
    EXPECT_TRUE(ForceDirectories("rel"));  // relative, without a parent to make
    EXPECT_NE(GetFileAttributesA(dir.File("rel").c_str()), INVALID_FILE_ATTRIBUTES);
    WriteBytes(dir.File("file"), "");
    EXPECT_FALSE(ForceDirectories(dir.File("file\\sub")));
    try {
        ForceDirectories("");
        ADD_FAILURE();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "ディレクトリを作成できません");
    }
}

TEST(PathUtilities, DrivesAndVolumes)
{
    EXPECT_TRUE(DriveExists('c'));
    EXPECT_TRUE(DriveReady('C'));
    EXPECT_FALSE(DriveExists('1'));
    TDiskSpace space;
    ASSERT_TRUE(DiskSpace("C:\\", space));
    EXPECT_GT(space.total, 0u);
    EXPECT_LE(space.free, space.total);
    TVolumeInfo v = VolumeInfo("C:\\windows");
    EXPECT_EQ(v.type, "NTFS");
    EXPECT_GT(v.total, 0u);
    EXPECT_EQ(VolumeInfo("\\\\").type, "ROOT");
    TFakeNet net;
    TVolumeInfo srv = VolumeInfo("\\\\srv\\", &net);
    EXPECT_EQ(srv.type, "SRV");
    EXPECT_EQ(srv.label, "comment of \\\\srv");
    TVolumeInfo none = VolumeInfo("\\\\nosuch\\share\\x");
    EXPECT_EQ(none.type, "????");
    EXPECT_EQ(none.label, "???");
    EXPECT_FALSE(IsRemovableRemoteOrCD("C:\\x"));
    EXPECT_FALSE(IsShortNameVolume("C:\\x"));
    EXPECT_EQ(VolumeRoot("\\\\srv\\share\\a"), "\\\\srv\\share\\");
}
