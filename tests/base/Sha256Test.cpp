// The SHA-256 digest against the published test vectors, across the padding boundaries.
#include "base/Sha256.h"

#include <gtest/gtest.h>

#include <string>

TEST(Sha256, KnownVectors) {
    EXPECT_EQ(Sha256::Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256::Hex("abc"),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    // 56 bytes: the length no longer fits into the first block.
    EXPECT_EQ(Sha256::Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    // 112 bytes, two blocks of message.
    EXPECT_EQ(Sha256::Hex("abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnop"
                          "jklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu"),
              "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1");
    EXPECT_EQ(Sha256::Hex(std::string(1000000, 'a')),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(Sha256, PiecesGiveTheDigestOfTheWhole) {
    const std::string text(200, '\xA5');
    Sha256 pieces;
    pieces.Add(text.substr(0, 63));
    pieces.Add(text.substr(63, 2));
    pieces.Add(text.substr(65));
    Sha256 whole;
    whole.Add(text);
    EXPECT_EQ(pieces.Digest(), whole.Digest());
}
