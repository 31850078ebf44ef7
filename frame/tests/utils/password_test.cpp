// Scrambling of stored passwords.

#include "utils/password.h"

#include "database.h"
#include "scratch_database.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(Passwords, ScramblingIsATrueInverseOverEveryByte)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    // Every byte value at every key position, and every length up to a full key cycle and more.
    for (int length = 0; length <= all.size(); ++length) {
        for (int shift : {0, 1, 2, 3, 4, 5}) {
            const QByteArray plain = (all.mid(shift) + all.left(shift)).left(length);
            QByteArray back;
            ASSERT_TRUE(mc::unscrambleBytes(mc::scrambleBytes(plain), back));
            ASSERT_EQ(back, plain) << "length " << length << " shift " << shift;
        }
    }
}

TEST(Passwords, EveryCharacterTakesPart)
{
    EXPECT_NE(mc::encodepwd("1234"), mc::encodepwd("1235"));
    EXPECT_NE(mc::encodepwd("1"), mc::encodepwd("2"));
    EXPECT_NE(mc::encodepwd("1"), mc::encodepwd("11"));
    EXPECT_EQ(mc::encodepwd(""), "");

    // One-character passwords all differ from each other.
    std::set<QString> forms;
    for (char c = '!'; c <= '~'; ++c)
        forms.insert(mc::encodepwd(QString(QChar(c))));
    EXPECT_EQ(forms.size(), size_t('~' - '!' + 1));
}

TEST(Passwords, DecodeUndoesEncodeForChineseText)
{
    for (const QString& text : {QString("1234"), QString("密码abc"), QString("  空格 "), QString("a")})
        EXPECT_EQ(mc::decodepwd(mc::encodepwd(text)), text);
    EXPECT_EQ(mc::decodepwd(""), "");
    EXPECT_EQ(mc::decodepwd("not hex"), "");
    EXPECT_EQ(mc::decodepwd("ABC"), "");       // odd length
    EXPECT_EQ(mc::decodepwd("0011"), "");      // lacks the leading key mark
}

TEST(Passwords, StoredFormIsFixedAcrossWorkstations)
{
    // Every workstation must compute the same form, today and after any upgrade: stored
    // passwords would stop matching otherwise.
    EXPECT_EQ(mc::encodepwd("1234"), "5A0D952AD6");
    EXPECT_EQ(mc::encodepwd("1234"), mc::encodepwd(QStringLiteral("1234")));
}

class StoredPasswords : public mctest::EngineTest {};

TEST_P(StoredPasswords, FormSurvivesTheDatabaseAsText)
{
    const QString forms[] = {mc::encodepwd("密码1234"), mc::encodepwd(QString(QChar(0x5A ^ 0x3C))),
                             mc::encodepwd(QString(24, QChar(u'中')))};
    int id = 0;
    for (const QString& form : forms) {
        const QString no = QString::number(++id);
        mc::db::exec(db(), "insert into membercurlist(memberno, truecard, memberpwd) values(?, ?, ?)",
                     {no, no, form});
        EXPECT_EQ(mc::db::scalar(db(), "select memberpwd from membercurlist where memberno = ?", {no}).toString(), form);
        EXPECT_EQ(mc::db::scalar(db(), "select count(*) from membercurlist where memberpwd = ?", {form}).toInt(), 1);
    }
}

MC_ENGINES(StoredPasswords);

}  // namespace
