#include "filedigest.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "digest.h"

namespace {

class THandle {
public:
    explicit THandle(HANDLE h) : h_(h) {}
    ~THandle()
    {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    THandle(const THandle&) = delete;
    THandle& operator=(const THandle&) = delete;
    HANDLE Get() const { return h_; }

private:
    HANDLE h_;
};

// Feeds the file to sink chunk by chunk. False on any failure or stop.
template <class TSink>
bool ReadChunks(const std::string& path, std::size_t chunk, bool sizeRequired, const TStopTest& stop, TSink sink)
{
    THandle h(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (h.Get() == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    bool sized = GetFileSizeEx(h.Get(), &size) != 0;
    if (!sized && sizeRequired) return false;
    std::uint64_t remaining = sized ? static_cast<std::uint64_t>(size.QuadPart) : UINT64_MAX;
    std::vector<char> buf(chunk);
    while (remaining > 0) {
        DWORD want = static_cast<DWORD>(std::min<std::uint64_t>(remaining, chunk));
        DWORD got = 0;
        if (!ReadFile(h.Get(), buf.data(), want, &got, nullptr)) return false;
        if (got == 0) break;
        sink(buf.data(), got);
        remaining -= got;
        if (stop && stop()) return false;
    }
    return true;
}

std::unique_ptr<TDigest> MakeDigest(TDigestKind kind)
{
    switch (kind) {
    case TDigestKind::Md5: return std::make_unique<TMd5>();
    case TDigestKind::Sha1: return std::make_unique<TSha1>();
    case TDigestKind::Sha256: return std::make_unique<TSha256>();
    case TDigestKind::Sha512: break;
    }
    return std::make_unique<TSha512>();
}

}  // namespace

bool FileDigestHex(const std::string& path, TDigestKind kind, std::string& hex, const TStopTest& stop)
{
    std::unique_ptr<TDigest> d = MakeDigest(kind);
    if (!ReadChunks(path, 8192, true, stop, [&](const char* p, DWORD n) { d->Update(p, n); })) return false;
    hex = ToHexLower(d->Final());
    return true;
}

bool FileCrc32(const std::string& path, std::uint32_t& crc, const TStopTest& stop)
{
    TCrc32 c;
    if (!ReadChunks(path, 4096, false, stop, [&](const char* p, DWORD n) { c.Update(p, n); })) return false;
    crc = c.Value();
    return true;
}
