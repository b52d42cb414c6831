#pragma once
// Paths as the panes and the builtins see them: their kinds, completion to
// full paths, the canonical form with every component as the file system
// stores it, the status checked before a change of directory, the recycle
// bin, forced directory creation, and drive and volume queries. Every test
// on a path steps over double-byte characters, so a trail byte 0x5C is never
// taken for a backslash.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// A failure of the file system: the system error code and a message.
class EInOutError : public std::runtime_error {
public:
    EInOutError(unsigned long code, const std::string& message) : std::runtime_error(message), code_(code) {}
    unsigned long Code() const { return code_; }

private:
    unsigned long code_;
};

// Keeps the system's critical-error boxes (no floppy, an empty CD drive)
// off while it lives, so that such a drive answers with an error code.
class TCriticalErrorsOff {
public:
    TCriticalErrorsOff();
    ~TCriticalErrorsOff();
    TCriticalErrorsOff(const TCriticalErrorsOff&) = delete;
    TCriticalErrorsOff& operator=(const TCriticalErrorsOff&) = delete;

private:
    unsigned saved_;
};

// What the network resource cache knows (the network layer provides it).
class TNetResourceNames {
public:
    virtual ~TNetResourceNames() = default;
    // The path (a UNC path) compared without case with the cached remote
    // names; kind 1 accepts only connectable resources, 2 only containers,
    // 8 only attached ones, 0 any. True with the cached (canonical) name.
    virtual bool IsKnownNetPath(std::string_view path, int kind, std::string& name) const = 0;
    // Opening an enumeration of the server is refused as not authenticated.
    virtual bool RefusesUnauthenticated(std::string_view serverPath) const = 0;
    // The comment of a cached resource; empty when it has none.
    virtual std::string Comment(std::string_view remoteName) const = 0;
};

// --- Kinds -----------------------------------------------------------------
bool IsDriveListPath(std::string_view path);  // exactly two backslashes
bool IsUNCPath(std::string_view path);        // "\\" and a byte other than "\"
bool IsServerPath(std::string_view path);     // "\\server", one trailing "\" allowed
bool IsSharePath(std::string_view path);      // "\\server\share", the same
bool IsDriveRoot(std::string_view path);      // "C:\"
// Backslashes outside double-byte characters.
int CountBackslashes(std::string_view path);
// "\\server\share" and "\\server" of a UNC path.
std::string UNCRoot(std::string_view uncPath);
std::string ServerPart(std::string_view uncPath);

// --- Completion ------------------------------------------------------------
// The text of a UNC path with its "." steps dropped and each ".." removing
// the step before it. A ".." that would climb above the share or the server
// is dropped, unless climbAboveShare is set: then it climbs from the share
// to its server and from the server to the network root "\\", never above.
std::string ResolveUNCSteps(std::string_view uncPath, bool climbAboveShare);
// A full path: "\\" as it is, a UNC path by ResolveUNCSteps, anything else
// completed against the current directory by the system (empty when the
// system refuses the path).
std::string ExpandPath(std::string_view path, bool climbAboveShare = true);

// Every component as the file system stores it (long form, stored case),
// the drive letter upper-cased, a UNC root as the network cache names it.
// Raises EInOutError: 67 for a server or share the cache does not know
// (none without a cache), 15 for a drive that does not exist, 123 for a
// component with a wildcard, otherwise the code of the failing search.
std::string CanonicalPath(std::string_view path, const TNetResourceNames* net = nullptr);

// --- Status before a change of directory ----------------------------------
enum TPathStatus {
    psDirectory = 0,   // a directory, or "\\"
    psNoDrive = 1,     // the drive letter does not exist
    psNotReady = 2,    // the drive has no medium
    psFile = 3,        // an existing file
    psNoDirectory = 4, // a local directory that does not exist
    psNoServer = 5,    // the server is not in the network cache
    psNoShare = 6,     // the share is not in the network cache
    psNoUNCDirectory = 7,
    psNeedPassword = 8,  // the server or share asks for a user name and password
    psEmpty = 9,
};
TPathStatus PathStatus(std::string_view path, const TNetResourceNames* net = nullptr);
// What the main window shows for a status of the (expanded) path; empty
// when it shows nothing.
std::string PathStatusMessage(TPathStatus status, std::string_view path);

// --- Utilities -------------------------------------------------------------
// "X:\RECYCLE.BIN", "X:\RECYCLED", "X:\RECYCLER" or a path inside one.
bool IsRecycleBinPath(std::string_view path);
// Creates the directory and its missing parents. An empty path raises
// EInOutError "ディレクトリを作成できません"; false when a directory cannot
// be made.
bool ForceDirectories(std::string_view path);

// Whether a directory or a file of that name exists, asked with the
// critical-error boxes off (a missing floppy answers "no", not a prompt).
bool DirectoryExists(std::string_view path);
bool FileExistsQuietly(std::string_view path);

bool DriveExists(char letter);
// The drive answers a size query (it has a medium).
bool DriveReady(char letter);
struct TDiskSpace {
    std::uint64_t total = 0;
    std::uint64_t free = 0;
};
bool DiskSpace(const std::string& root, TDiskSpace& space);

// The pane header's volume texts: file system (or "ROOT", "SRV", "????"),
// label, and total and used bytes.
struct TVolumeInfo {
    std::string type;
    std::string label;
    std::uint64_t total = 0;
    std::uint64_t used = 0;
};
TVolumeInfo VolumeInfo(std::string_view path, const TNetResourceNames* net = nullptr);
// The drive holding the path is removable, remote or a CD-ROM.
bool IsRemovableRemoteOrCD(std::string_view path);
// The volume keeps only short (8.3) names.
bool IsShortNameVolume(std::string_view path);
// The root of the volume that holds a full path: "C:\" or "\\server\share\".
std::string VolumeRoot(std::string_view path);
