#pragma once
// Digests of whole files, read in chunks with a stop test between them.

#include <cstdint>
#include <functional>
#include <string>

// Asked after each chunk; true stops the digest (no result).
using TStopTest = std::function<bool()>;

enum class TDigestKind { Md5, Sha1, Sha256, Sha512 };

// Opens the file for reading (others may read), takes its 64-bit size, and
// feeds chunks of 8,192 bytes until the size has been read or the file ends.
// False, and hex unchanged, when the file cannot be opened, its size not
// taken or a chunk not read, or when the stop test answers true.
bool FileDigestHex(const std::string& path, TDigestKind kind, std::string& hex, const TStopTest& stop = {});
// The same for CRC-32, in chunks of 4,096 bytes; when the size cannot be
// taken the file is read to its end.
bool FileCrc32(const std::string& path, std::uint32_t& crc, const TStopTest& stop = {});
