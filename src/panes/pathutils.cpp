#include "panes/pathutils.h"

#include <windows.h>

#include <vector>

#include "platform/sjis.h"
#include "platform/syserror.h"
#include "platform/textcase.h"

TCriticalErrorsOff::TCriticalErrorsOff() : saved_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
TCriticalErrorsOff::~TCriticalErrorsOff() { SetErrorMode(saved_); }

namespace {
DWORD QuietAttributes(std::string_view path)
{
    if (path.empty()) return INVALID_FILE_ATTRIBUTES;
    TCriticalErrorsOff quiet;
    return GetFileAttributesA(std::string(path).c_str());
}
}  // namespace

bool DirectoryExists(std::string_view path)
{
    DWORD a = QuietAttributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExistsQuietly(std::string_view path)
{
    DWORD a = QuietAttributes(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

bool StartsWithTwoBackslashes(std::string_view p) { return p.size() >= 2 && p[0] == '\\' && p[1] == '\\'; }

std::string_view WithoutTrailingBackslash(std::string_view p)
{
    return SjisHasTrailingBackslash(p) ? p.substr(0, p.size() - 1) : p;
}

// Index of the n-th backslash (1-based) outside double-byte characters, or npos.
std::size_t NthBackslash(std::string_view p, int n)
{
    for (std::size_t i = 0; i < p.size(); i += SjisCharLength(p, i))
        if (p[i] == '\\' && SjisCharLength(p, i) == 1 && --n == 0) return i;
    return std::string_view::npos;
}

bool HasWildcard(std::string_view component) { return SjisFindFirstOf(component, "*?") != std::string_view::npos; }

[[noreturn]] void RaiseCode(DWORD code, std::string_view path)
{
    throw EInOutError(code, SysErrorMessage(code) + "\r\n" + std::string(path));
}

// The name a directory search gives for the path's last component: the long
// name, or the short one when the long name cannot be written in the code
// page or is too long for it.
std::string SearchedName(const std::string& partial, std::string_view whole)
{
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(SjisToWide(partial).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) RaiseCode(GetLastError(), whole);
    FindClose(h);
    bool lossy = false;
    std::string name = WideToSjis(fd.cFileName, &lossy);
    if ((lossy || name.size() > MAX_PATH) && fd.cAlternateFileName[0]) name = WideToSjis(fd.cAlternateFileName);
    return name;
}

// root, then each component of rest by its searched name.
std::string Rebuild(std::string root, std::string_view rest, std::string_view whole)
{
    std::string partial = SjisExcludeTrailingBackslash(root);
    for (const std::string& component : SjisSplit(rest, '\\')) {
        if (component.empty()) continue;
        if (HasWildcard(component)) RaiseCode(ERROR_INVALID_NAME, whole);
        partial += '\\';
        std::string probe = partial + component;
        partial += SearchedName(probe, whole);
    }
    return partial;
}

DWORD QuietAttributes(const std::string& path)
{
    TCriticalErrorsOff quiet;
    return GetFileAttributesA(path.c_str());
}

bool IsDirectory(const std::string& path)
{
    DWORD a = QuietAttributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

char DriveLetter(std::string_view path) { return path.empty() ? '\0' : AsciiUpper(path[0]); }

}  // namespace

// --- Kinds -----------------------------------------------------------------

bool IsDriveListPath(std::string_view path) { return path == "\\\\"; }

bool IsUNCPath(std::string_view path) { return path.size() >= 3 && StartsWithTwoBackslashes(path) && path[2] != '\\'; }

int CountBackslashes(std::string_view path)
{
    int n = 0;
    for (std::size_t i = 0; i < path.size(); i += SjisCharLength(path, i))
        if (path[i] == '\\' && SjisCharLength(path, i) == 1) ++n;
    return n;
}

bool IsServerPath(std::string_view path)
{
    std::string_view p = WithoutTrailingBackslash(path);
    return p.size() >= 3 && StartsWithTwoBackslashes(p) && CountBackslashes(p) == 2;
}

bool IsSharePath(std::string_view path)
{
    std::string_view p = WithoutTrailingBackslash(path);
    return p.size() >= 5 && StartsWithTwoBackslashes(p) && p[2] != '\\' && CountBackslashes(p) == 3;
}

bool IsDriveRoot(std::string_view path)
{
    return path.size() == 3 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
           path[1] == ':' && path[2] == '\\';
}

std::string UNCRoot(std::string_view uncPath)
{
    std::size_t end = NthBackslash(uncPath, 4);
    return std::string(uncPath.substr(0, end));
}

std::string ServerPart(std::string_view uncPath)
{
    std::size_t end = NthBackslash(uncPath, 3);
    return std::string(uncPath.substr(0, end));
}

// --- Completion ------------------------------------------------------------

std::string ResolveUNCSteps(std::string_view uncPath, bool climbAboveShare)
{
    std::vector<std::string> kept;
    for (std::string& step : SjisSplit(uncPath.substr(2), '\\')) {
        if (step == ".") continue;
        if (step == "..") {
            // Steps 1 and 2 are the server and the share.
            if (kept.size() > 2 || (climbAboveShare && !kept.empty())) kept.pop_back();
            continue;
        }
        kept.push_back(std::move(step));
    }
    std::string out = "\\\\";
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (i) out += '\\';
        out += kept[i];
    }
    return out;
}

std::string ExpandPath(std::string_view path, bool climbAboveShare)
{
    if (IsDriveListPath(path)) return std::string(path);
    if (IsUNCPath(path)) return ResolveUNCSteps(path, climbAboveShare);
    std::string in(path);
    std::string out(MAX_PATH, '\0');
    for (;;) {
        DWORD n = GetFullPathNameA(in.c_str(), static_cast<DWORD>(out.size()), out.data(), nullptr);
        if (n == 0) return {};
        if (n < out.size()) {
            out.resize(n);
            return out;
        }
        out.assign(n, '\0');
    }
}

std::string CanonicalPath(std::string_view path, const TNetResourceNames* net)
{
    const std::string full = ExpandPath(path);
    if (full.empty()) RaiseCode(ERROR_INVALID_NAME, path);
    if (IsDriveListPath(full)) return full;
    TCriticalErrorsOff quiet;
    if (IsUNCPath(full)) {
        std::string server, root;
        if (!net || !net->IsKnownNetPath(ServerPart(full), 0, server)) RaiseCode(ERROR_BAD_NETPATH, full);
        if (IsServerPath(full)) return server;
        if (!net->IsKnownNetPath(UNCRoot(full), 0, root)) RaiseCode(ERROR_BAD_NETPATH, full);
        if (IsSharePath(full)) return root;
        return Rebuild(root, std::string_view(full).substr(UNCRoot(full).size()), full);
    }
    if (full.size() < 2 || full[1] != ':') RaiseCode(ERROR_INVALID_DRIVE, full);
    std::string drive = std::string(1, DriveLetter(full)) + ":\\";
    if (!DriveExists(drive[0])) RaiseCode(ERROR_INVALID_DRIVE, full);
    if (IsDriveRoot(full)) return drive;
    return Rebuild(drive, std::string_view(full).substr(2), full);
}

// --- Status ----------------------------------------------------------------

TPathStatus PathStatus(std::string_view path, const TNetResourceNames* net)
{
    if (path.empty()) return psEmpty;
    TCriticalErrorsOff quiet;
    const std::string full = ExpandPath(path);
    if (IsDriveListPath(full)) return psDirectory;
    if (IsUNCPath(full)) {
        std::string name;
        const std::string server = ServerPart(full);
        if (!net || !net->IsKnownNetPath(server, 0, name)) return psNoServer;
        if (IsServerPath(full)) return net->RefusesUnauthenticated(server) ? psNeedPassword : psDirectory;
        const std::string root = UNCRoot(full);
        if (!net->IsKnownNetPath(root, 0, name)) return psNoShare;
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((root + "\\*.*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE)
            FindClose(h);
        else if (GetLastError() == ERROR_INVALID_PASSWORD)
            return psNeedPassword;
        DWORD a = GetFileAttributesA(full.c_str());
        if (a == INVALID_FILE_ATTRIBUTES) return psNoUNCDirectory;
        return a & FILE_ATTRIBUTE_DIRECTORY ? psDirectory : psFile;
    }
    if (full.empty() || !DriveExists(DriveLetter(full))) return psNoDrive;
    if (!DriveReady(DriveLetter(full))) return psNotReady;
    DWORD a = GetFileAttributesA(full.c_str());
    if (a == INVALID_FILE_ATTRIBUTES) return psNoDirectory;
    return a & FILE_ATTRIBUTE_DIRECTORY ? psDirectory : psFile;
}

std::string PathStatusMessage(TPathStatus status, std::string_view path)
{
    const std::string p(path);
    switch (status) {
    case psNoDrive: return "Drive " + std::string(1, DriveLetter(p)) + " は存在しません";
    case psNotReady: return "Drive " + std::string(1, DriveLetter(p)) + " の準備ができていません";
    case psFile: return p + " はファイルです";
    case psNoDirectory:
    case psNoUNCDirectory: return p + " が見つかりません";
    case psNoServer: return ServerPart(p) + " が見つかりません";
    case psNoShare: return UNCRoot(p) + " が見つかりません";
    case psDirectory:
    case psNeedPassword:
    case psEmpty: break;
    }
    return {};
}

// --- Utilities -------------------------------------------------------------

bool IsRecycleBinPath(std::string_view path)
{
    if (path.size() < 2) return false;
    const std::string rest = SjisUpperCase(path.substr(1));
    for (std::string_view bin : {":\\RECYCLE.BIN", ":\\RECYCLED", ":\\RECYCLER"}) {
        if (rest == bin) return true;
        if (rest.size() > bin.size() && rest.compare(0, bin.size(), bin) == 0 && rest[bin.size()] == '\\') return true;
    }
    return false;
}

bool ForceDirectories(std::string_view path)
{
    if (path.empty()) throw EInOutError(0, "ディレクトリを作成できません");
    const std::string dir = SjisExcludeTrailingBackslash(path);
    if (dir.size() <= 2 || IsDirectory(dir)) return true;
    const std::string parent = SjisExtractFilePath(dir);
    // A path without a separator has no parent to make first.
    if (!parent.empty() && parent != dir && !ForceDirectories(parent)) return false;
    return CreateDirectoryA(dir.c_str(), nullptr) != 0;
}

bool DriveExists(char letter)
{
    letter = AsciiUpper(letter);
    if (letter < 'A' || letter > 'Z') return false;
    return (GetLogicalDrives() >> (letter - 'A')) & 1;
}

bool DriveReady(char letter)
{
    TDiskSpace space;
    return DiskSpace(std::string(1, letter) + ":\\", space);
}

bool DiskSpace(const std::string& root, TDiskSpace& space)
{
    TCriticalErrorsOff quiet;
    ULARGE_INTEGER available, total;
    if (GetDiskFreeSpaceExA(root.c_str(), &available, &total, nullptr)) {
        space.total = total.QuadPart;
        space.free = available.QuadPart;
        return true;
    }
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, clusters;
    if (!GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters)) return false;
    const std::uint64_t cluster = std::uint64_t{sectorsPerCluster} * bytesPerSector;
    space.total = cluster * clusters;
    space.free = cluster * freeClusters;
    return true;
}

std::string VolumeRoot(std::string_view path)
{
    if (IsUNCPath(path)) return UNCRoot(path) + "\\";
    return std::string(path.substr(0, 3));
}

TVolumeInfo VolumeInfo(std::string_view path, const TNetResourceNames* net)
{
    TVolumeInfo info;
    if (IsDriveListPath(path)) {
        info.type = "ROOT";
        return info;
    }
    if (IsServerPath(path)) {
        info.type = "SRV";
        if (net) info.label = net->Comment(SjisExcludeTrailingBackslash(path));
        return info;
    }
    const std::string root = VolumeRoot(path);
    TCriticalErrorsOff quiet;
    char label[MAX_PATH + 1] = {}, fileSystem[MAX_PATH + 1] = {};
    DWORD serial = 0, maxComponent = 0, flags = 0;
    if (GetVolumeInformationA(root.c_str(), label, sizeof label, &serial, &maxComponent, &flags, fileSystem,
                              sizeof fileSystem) ||
        GetLastError() == ERROR_BAD_LENGTH) {
        info.label = label;
        info.type = fileSystem;
        if (info.type == "FAT" && maxComponent > 12) info.type = "VFAT";
        if (info.type.empty()) info.type = "????";
    } else {
        info.type = "????";
        info.label = "???";
    }
    TDiskSpace space;
    if (DiskSpace(root, space)) {
        info.total = space.total;
        info.used = space.total - space.free;
    }
    return info;
}

bool IsRemovableRemoteOrCD(std::string_view path)
{
    UINT type = GetDriveTypeA(VolumeRoot(path).c_str());
    return type == DRIVE_REMOVABLE || type == DRIVE_REMOTE || type == DRIVE_CDROM;
}

bool IsShortNameVolume(std::string_view path)
{
    TCriticalErrorsOff quiet;
    char fileSystem[MAX_PATH + 1] = {};
    DWORD maxComponent = 0, flags = 0;
    if (!GetVolumeInformationA(VolumeRoot(path).c_str(), nullptr, 0, nullptr, &maxComponent, &flags, fileSystem,
                               sizeof fileSystem))
        return false;
    return std::string_view(fileSystem) == "FAT" && maxComponent == 12;
}
