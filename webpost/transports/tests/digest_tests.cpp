// Base64 and SHA-256 as the platform's cryptography gives them to the WebDAV
// transport, against the published test vectors (RFC 4648, FIPS 180-2): one
// header line without line breaks, and the digest of every padding case;
// the digest of a local file read in pieces, for the site's memory.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/win32_handles.h"

#include "digest.h"

namespace webpost_test {
namespace {

using namespace webpost;

TEST(DigestTest, Base64OfTheRfcVectors) {
    const std::pair<const char *, const char *> vectors[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
        {"ann:s3cret", "YW5uOnMzY3JldA=="},
        {"Aladdin:open sesame", "QWxhZGRpbjpvcGVuIHNlc2FtZQ=="},
        // Longer than one line of the platform's usual output: still one line.
        {"webpost-publisher:correct horse battery staple correct horse battery staple ",
         "d2VicG9zdC1wdWJsaXNoZXI6Y29ycmVjdCBob3JzZSBiYXR0ZXJ5IHN0YXBsZSBjb3JyZWN0IGhvcnNlIGJhdHRl"
         "cnkgc3RhcGxlIA=="},
    };
    for (const auto &v : vectors)
        EXPECT_EQ(Base64Encode(v.first), v.second) << v.first;
}

std::string HexSha256(const std::string &text) {
    std::string hex;
    for (std::uint8_t b :
         Sha256(reinterpret_cast<const std::uint8_t *>(text.data()), text.size())) {
        static const char digits[] = "0123456789abcdef";
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

TEST(DigestTest, Sha256OfTheStandardVectorsAndBlockEdges) {
    EXPECT_EQ(HexSha256(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(HexSha256("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(HexSha256("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(HexSha256(std::string(1000000, 'a')),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
    // 55, 56 and 64 bytes: the padding's three cases.
    EXPECT_EQ(HexSha256(std::string(55, 'a')),
              "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318");
    EXPECT_EQ(HexSha256(std::string(56, 'a')),
              "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a");
    EXPECT_EQ(HexSha256(std::string(64, 'a')),
              "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb");
}

// A file of its own in the temporary folder, removed afterwards.
class ScratchFile {
public:
    explicit ScratchFile(const std::string &bytes) {
        char folder[MAX_PATH];
        ::GetTempPathA(MAX_PATH, folder);
        char name[MAX_PATH];
        ::GetTempFileNameA(folder, "dig", 0, name);
        path_ = name;
        platform::UniqueFile file(::CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                                FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        EXPECT_TRUE(file &&
                    ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                &written, nullptr) &&
                    written == bytes.size());
    }
    ~ScratchFile() { ::DeleteFileA(path_.c_str()); }
    const std::string &Path() const { return path_; }

private:
    std::string path_;
};

TEST(DigestTest, Sha256OfAFileReadInPieces) {
    const std::pair<std::string, const char *> files[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {std::string(1000000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto &f : files) {
        SCOPED_TRACE(f.first.size());
        ScratchFile file(f.first);
        EXPECT_EQ(Sha256OfFile(file.Path()).value_or("none"), f.second);
    }
    // One byte past a piece of the reader, and exactly one piece.
    for (std::size_t size : {256u * 1024 + 1, 256u * 1024}) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>(i * 7 + i / 251);
        ScratchFile file(bytes);
        EXPECT_EQ(Sha256OfFile(file.Path()).value_or("none"), HexSha256(bytes)) << size;
    }
}

TEST(DigestTest, AFileThatCannotBeReadHasNoDigest) {
    EXPECT_FALSE(Sha256OfFile("C:\\no such folder\\no such file").has_value());
    ScratchFile file("locked");
    // Held open by another without sharing: it cannot be read.
    platform::UniqueFile holder(::CreateFileA(file.Path().c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                              nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    EXPECT_FALSE(Sha256OfFile(file.Path()).has_value());
    holder.Reset();
    EXPECT_EQ(Sha256OfFile(file.Path()).value_or("none"), HexSha256("locked"));
}

}  // namespace
}  // namespace webpost_test
