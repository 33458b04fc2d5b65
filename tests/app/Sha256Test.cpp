#include <gtest/gtest.h>

#include "app/Sha256.h"
#include "support/TempFolder.h"

TEST(Sha256Test, KnownDigests) {
    const struct {
        std::string bytes;
        const char* digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        // 56 bytes: the length no longer fits the first block.
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& c : cases) EXPECT_EQ(Sha256Hex(c.bytes), c.digest) << c.bytes.size();
}

TEST(Sha256Test, FileDigestIsOfItsBytes) {
    TempFolder folder;
    folder.Write("abc", "abc");
    std::string hex;
    ASSERT_TRUE(Sha256OfFile(folder.File("abc"), hex));
    EXPECT_EQ(hex, Sha256Hex("abc"));
    EXPECT_FALSE(Sha256OfFile(folder.File("none"), hex));
}
