// The workstation settings file sysset.ini.

#include "utils/sysset.h"

#include "globals.h"
#include "qt_print.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class Settings : public testing::Test {
protected:
    void SetUp() override { mc::appPath = dir.path() + "/"; }
    void TearDown() override { mc::appPath.clear(); }

    QByteArray fileBytes() const
    {
        QFile f(mc::syssetPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeFile(const QByteArray& bytes) const
    {
        QFile f(mc::syssetPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir dir;
};

TEST_F(Settings, MissingFileAndKeysGiveDefaults)
{
    EXPECT_EQ(mc::readstr("sys", "useime"), "");
    EXPECT_EQ(mc::readint("sys", "txdays"), 0);
    EXPECT_FALSE(mc::readbool("sys", "srtx"));
    EXPECT_FALSE(QFile::exists(mc::syssetPath()));  // reading never creates the file

    ASSERT_TRUE(mc::writeint("sys", "txdays", 7));
    EXPECT_EQ(mc::readint("sys", "txdays"), 7);
    EXPECT_EQ(mc::readstr("sys", "dqtxday"), "");
    EXPECT_EQ(mc::readstr("smsset", "txdays"), "");
}

TEST_F(Settings, ValuesRoundTripAndBooleansAreWrittenOneZero)
{
    ASSERT_TRUE(mc::writestr("sys", "xpprintmode", "POS打印机"));
    ASSERT_TRUE(mc::writebool("sys", "srtx", true));
    ASSERT_TRUE(mc::writebool("sys", "yetx", false));
    ASSERT_TRUE(mc::writestr("smsset", "smswg", " 前后有空格 "));
    ASSERT_TRUE(mc::writestr("smsset", "xltdx", "a\nforged=1"));
    ASSERT_TRUE(mc::writestr("sys", "xpprintmode", "普通打印机"));  // overwrite in place

    EXPECT_EQ(mc::readstr("sys", "xpprintmode"), "普通打印机");
    EXPECT_TRUE(mc::readbool("sys", "srtx"));
    EXPECT_FALSE(mc::readbool("sys", "yetx"));
    EXPECT_EQ(mc::readstr("smsset", "smswg"), " 前后有空格 ");
    EXPECT_EQ(mc::readstr("smsset", "forged"), "");  // a line break cannot make a new key

    const QString text = QString::fromUtf8(fileBytes());
    EXPECT_TRUE(text.contains("srtx=1\n"));
    EXPECT_TRUE(text.contains("yetx=0\n"));
    EXPECT_EQ(text.count("xpprintmode="), 1);
    EXPECT_EQ(text.count("[sys]"), 1);
}

TEST_F(Settings, HandWrittenFilesAreRead)
{
    // CRLF line ends, blanks around names, comments, letter case, GBK text from a Chinese Windows.
    QByteArray bytes = "; written by hand\r\n[SYS]\r\n  TxDays = 12 \r\n# comment\r\nsrtx=true\r\n"
                       "dqtx=0\r\n\r\n[machine]\r\nckh=COM2\r\nname=";
    bytes += QByteArray("\xB2\xE2\xCA\xD4");  // 测试 in GBK
    bytes += "\r\n";
    writeFile(bytes);

    EXPECT_EQ(mc::readint("sys", "txdays"), 12);
    EXPECT_TRUE(mc::readbool("sys", "srtx"));
    EXPECT_FALSE(mc::readbool("sys", "dqtx"));
    EXPECT_EQ(mc::readstr("machine", "ckh"), "COM2");
    EXPECT_EQ(mc::readstr("machine", "name"), "测试");
    EXPECT_EQ(mc::readint("machine", "ckh"), 0);  // not a number

    // A write keeps the other lines, comments included.
    ASSERT_TRUE(mc::writestr("machine", "ckh", "COM3"));
    const QString text = QString::fromUtf8(fileBytes());
    EXPECT_TRUE(text.contains("; written by hand"));
    EXPECT_TRUE(text.contains("# comment"));
    EXPECT_EQ(mc::readint("sys", "txdays"), 12);
    EXPECT_EQ(mc::readstr("machine", "ckh"), "COM3");
    EXPECT_EQ(mc::readstr("machine", "name"), "测试");
}

TEST_F(Settings, AFailedWriteSaysSoAndKeepsTheFile)
{
    ASSERT_TRUE(mc::writestr("sys", "useime", "a"));
    mc::appPath = dir.path() + "/missing-folder/";
    EXPECT_FALSE(mc::writestr("sys", "useime", "b"));
    mc::appPath = dir.path() + "/";
    EXPECT_EQ(mc::readstr("sys", "useime"), "a");
}

}  // namespace
