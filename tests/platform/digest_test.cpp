#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>

#include "platform/digest.h"
#include "platform/filedigest.h"
#include "support/testsupport.h"

namespace {

TEST(Digest, KnownAnswers)
{
    const std::string million(1000000, 'a');
    const std::string two = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
    const std::string sha512two =
        "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu";
    struct Case {
        TDigest* digest;
        std::string input, hex;
    };
    TMd5 md5;
    TSha1 sha1;
    TSha256 sha256;
    TSha512 sha512;
    const Case cases[] = {
        // RFC 1321
        {&md5, "", "d41d8cd98f00b204e9800998ecf8427e"},
        {&md5, "a", "0cc175b9c0f1b6a831c399e269772661"},
        {&md5, "abc", "900150983cd24fb0d6963f7d28e17f72"},
        {&md5, "message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {&md5, "abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {&md5, "12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
        {&md5, million, "7707d6ae4e027c70eea2a935c2296f21"},
        // FIPS 180
        {&sha1, "", "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
        {&sha1, "abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
        {&sha1, two, "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
        {&sha1, million, "34aa973cd4c4daa4f61eeb2bdbad27316534016f"},
        {&sha256, "", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {&sha256, "abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {&sha256, two, "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {&sha256, million, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
        {&sha512, "",
         "cf83e1357eefb8bdf1542850d66d8007d620e4050b5715dc83f4a921d36ce9ce47d0d13c5d85f2b0ff8318d2877eec2f63b931bd47417a81a538327af927da3e"},
        {&sha512, "abc",
         "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a2192992a274fc1a836ba3c23a3feebbd454d4423643ce80e2a9ac94fa54ca49f"},
        {&sha512, sha512two,
         "8e959b75dae313da8cf4f72814fc143f8f7779c6eb9f7fa17299aeadb6889018501d289e4900f7e4331b99dec4b5433ac7d329eeb6dd26545e96e55b874be909"},
        {&sha512, million,
         "e718483d0ce769644e2e42c7bc15b4638e1f98b13b2044285632a803afa973ebde0ff244877ea60a4cb0432ce577c31beb009c5c2c49aa2e4eadb217ad8cc09b"},
    };
    for (const Case& c : cases) EXPECT_EQ(DigestHex(*c.digest, c.input), c.hex) << c.input.substr(0, 20);
}

TEST(Digest, PiecesGiveTheSameDigest)
{
    // Every split of a message across the block and padding boundaries.
    std::string msg;
    for (int i = 0; i < 300; ++i) msg += static_cast<char>(i * 7 + 3);
    TSha256 whole, parts;
    TSha512 whole512, parts512;
    for (std::size_t len : {0u, 55u, 56u, 63u, 64u, 111u, 112u, 127u, 128u, 129u, 300u}) {
        std::string m = msg.substr(0, len);
        std::string expect = DigestHex(whole, m), expect512 = DigestHex(whole512, m);
        for (std::size_t cut = 0; cut <= len; cut += 13) {
            parts.Update(m.substr(0, cut));
            parts.Update(m.substr(cut));
            parts512.Update(m.substr(0, cut));
            parts512.Update(m.substr(cut));
            EXPECT_EQ(ToHexLower(parts.Final()), expect) << len << " " << cut;
            EXPECT_EQ(ToHexLower(parts512.Final()), expect512) << len << " " << cut;
        }
    }
}

TEST(Digest, Crc32)
{
    EXPECT_EQ(TCrc32::Of("123456789"), 0xCBF43926u);
    EXPECT_EQ(TCrc32::Of(""), 0u);
    EXPECT_EQ(TCrc32::Of("The quick brown fox jumps over the lazy dog"), 0x414FA339u);
    TCrc32 c;
    c.Update("1234");
    c.Update("56789");
    EXPECT_EQ(c.Value(), 0xCBF43926u);
}

// Several megabytes from a fixed generator; the digests were computed by
// other tools (md5sum, sha1sum, sha256sum, sha512sum, zlib's crc32).
std::string GeneratedFile()
{
    std::string data(5 * 1024 * 1024 + 333, '\0');
    std::uint32_t x = 12345;
    for (char& b : data) {
        x = x * 1103515245u + 12345u;
        b = static_cast<char>(x >> 16 & 0xFF);
    }
    return data;
}

TEST(Digest, Files)
{
    TTempDir dir;
    const std::string path = dir.File("大きい表.bin");
    WriteBytes(path, GeneratedFile());
    struct Case {
        TDigestKind kind;
        const char* hex;
    };
    const Case cases[] = {
        {TDigestKind::Md5, "44380596ae39039d9ce8fc0a809b14e0"},
        {TDigestKind::Sha1, "3cb6136b481ad2c036981ce941466ec35f36b36c"},
        {TDigestKind::Sha256, "2e6a28c5e5ba91f1492ee983fa43a5e7ccd588511c6ad5f137747aabdd4fc224"},
        {TDigestKind::Sha512,
         "8996092e525c8ecdec42fd55a57cd87bf5bc7899ef4ec3b3d55b742e7c92314999b3dcd9fca9ca03240ed0a582214cbad0b07fc4dfbf03b7f5a1b62169181d15"},
    };
    for (const Case& c : cases) {
        std::string hex;
        ASSERT_TRUE(FileDigestHex(path, c.kind, hex));
        EXPECT_EQ(hex, c.hex);
    }
    std::uint32_t crc = 0;
    ASSERT_TRUE(FileCrc32(path, crc));
    EXPECT_EQ(crc, 0x48F36212u);

    // An empty file: the digest of empty input and a CRC of 0, both successes.
    const std::string empty = dir.File("empty");
    WriteBytes(empty, "");
    std::string hex;
    ASSERT_TRUE(FileDigestHex(empty, TDigestKind::Md5, hex));
    EXPECT_EQ(hex, "d41d8cd98f00b204e9800998ecf8427e");
    crc = 1;
    ASSERT_TRUE(FileCrc32(empty, crc));
    EXPECT_EQ(crc, 0u);

    // A missing file and a stop request give no result and leave the output.
    hex = "unchanged";
    EXPECT_FALSE(FileDigestHex(dir.File("missing"), TDigestKind::Sha256, hex));
    std::atomic<int> asked{0};
    EXPECT_FALSE(FileDigestHex(path, TDigestKind::Sha1, hex, [&] { return ++asked == 3; }));
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(hex, "unchanged");
    crc = 7;
    EXPECT_FALSE(FileCrc32(path, crc, [] { return true; }));
    EXPECT_EQ(crc, 7u);
}

TEST(Digest, AFileHeldByAWriterGivesNoDigest)
{
    TTempDir dir;
    const std::string path = dir.File("open.txt");
    WriteBytes(path, "abc");
    // Another program writes the file and lets others read; reading it
    // "sharing read" only is refused while that writer holds it.
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    std::string hex;
    EXPECT_FALSE(FileDigestHex(path, TDigestKind::Md5, hex));
    CloseHandle(h);
    EXPECT_TRUE(FileDigestHex(path, TDigestKind::Md5, hex));
    EXPECT_EQ(hex, "900150983cd24fb0d6963f7d28e17f72");
}

}  // namespace
