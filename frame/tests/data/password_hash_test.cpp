#include "password_hash.h"

#include <gtest/gtest.h>

TEST(PasswordHash, Pbkdf2MatchesThePublishedVectors)
{
    EXPECT_EQ(mc::pbkdf2Sha256("password", "salt", 1, 32).toHex(),
              "120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b");
    EXPECT_EQ(mc::pbkdf2Sha256("password", "salt", 4096, 32).toHex(),
              "c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a");
}

TEST(PasswordHash, VerifiesOnlyTheRightPassword)
{
    const QString stored = mc::hashPassword(QStringLiteral("口令1"));
    EXPECT_LE(stored.size(), 128);
    EXPECT_FALSE(stored.contains(QStringLiteral("口令1")));
    EXPECT_TRUE(mc::verifyPassword(QStringLiteral("口令1"), stored));
    EXPECT_FALSE(mc::verifyPassword(QStringLiteral("口令2"), stored));
    EXPECT_FALSE(mc::verifyPassword(QString(), stored));
    // The same password hashes differently each time.
    EXPECT_NE(mc::hashPassword(QStringLiteral("口令1")), stored);
    // An empty password is a password like any other.
    EXPECT_TRUE(mc::verifyPassword(QString(), mc::hashPassword(QString())));
}

TEST(PasswordHash, MalformedStoredValuesNeverVerify)
{
    for (const char* stored : {"", "1", "pbkdf2$x$a$b", "pbkdf2$0$AAAA$AAAA", "md5$1$AAAA$AAAA", "pbkdf2$1$AAAA$"})
        EXPECT_FALSE(mc::verifyPassword(QStringLiteral("1"), QString::fromLatin1(stored))) << stored;
}
