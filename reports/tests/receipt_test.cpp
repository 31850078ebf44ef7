// The receipt frame: blank lines, titles, footers and copies; GBK bytes; the ordinary printer's
// choice between printing and preview; delivery to POS printers.

#include "pos_printer.h"
#include "receipt.h"

#include "globals.h"
#include "settings/settings_cache.h"
#include "utils/sysset.h"

#include "output_files.h"
#include "qt_print.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <sys/stat.h>

using namespace mc::receipts;

namespace {

ReceiptSettings frame(int before, int after, const QString& t1 = {}, const QString& t2 = {}, const QString& f1 = {},
                      const QString& f2 = {})
{
    ReceiptSettings s;
    s.blankBefore = before;
    s.blankAfter = after;
    s.title1 = t1;
    s.title2 = t2;
    s.footer1 = f1;
    s.footer2 = f2;
    return s;
}

}  // namespace

TEST(Receipt, FrameOfOneCopy)
{
    const QStringList body = {QStringLiteral("会员编号:0001"), QStringLiteral("类别:消费")};
    const struct {
        ReceiptSettings settings;
        QStringList expected;
    } cases[] = {
        // Blank counts of 0 still give one empty line before and after.
        {frame(0, 0), {"", QStringLiteral("会员编号:0001"), QStringLiteral("类别:消费"), ""}},
        {frame(2, 1, "T1", "T2", "F1", "F2"),
         {"", "", "", "T1", "T2", QStringLiteral("会员编号:0001"), QStringLiteral("类别:消费"), "F1", "F2", "", ""}},
        // Empty titles and footers leave no line behind.
        {frame(0, 0, "", "T2", "F1", ""), {"", "T2", QStringLiteral("会员编号:0001"), QStringLiteral("类别:消费"), "F1", ""}},
        {frame(-3, -1), {"", QStringLiteral("会员编号:0001"), QStringLiteral("类别:消费"), ""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(receiptCopy(c.settings, body), c.expected);
}

TEST(Receipt, SettingsComeFromTheCacheAndTheWorkstation)
{
    QTemporaryDir dir;
    const QString saved = mc::appPath;
    mc::appPath = dir.path() + "/";
    ASSERT_TRUE(mc::writestr("sys", "xpprint", QStringLiteral("前台打印机")));
    mc::SettingsCache cache;
    cache.receiptPrinterKind = 1;
    cache.receiptTitle1 = "T1";
    cache.receiptFooter2 = "F2";
    cache.dyys = 3;
    cache.xfqkh = 2;
    cache.xfhkh = 1;
    cache.autoprint = true;
    const ReceiptSettings s = receiptSettings(cache);
    mc::appPath = saved;
    EXPECT_EQ(s.printerKind, 1);
    EXPECT_EQ(s.title1, "T1");
    EXPECT_EQ(s.footer2, "F2");
    EXPECT_EQ(s.copies, 3);
    EXPECT_EQ(s.blankBefore, 2);
    EXPECT_EQ(s.blankAfter, 1);
    EXPECT_TRUE(s.autoprint);
    EXPECT_EQ(s.printerName, QStringLiteral("前台打印机"));
}

TEST(Receipt, CopiesRepeatTheWholeFrameAndZeroPrintsNothing)
{
    ReceiptSettings s;
    s.title1 = "T";
    s.blankAfter = 1;
    const QStringList one = receiptCopy(s, {"x"});
    ASSERT_EQ(one, QStringList({"", "T", "x", "", ""}));
    s.copies = 3;
    EXPECT_EQ(receiptLines(s, {"x"}), one + one + one);
    s.copies = 0;
    EXPECT_TRUE(receiptLines(s, {"x"}).isEmpty());
}

TEST(Receipt, PrinterBytesAreGbkWithCrLf)
{
    EXPECT_EQ(posBytes({QStringLiteral("会员编号:0001"), ""}), QByteArray("\xBB\xE1\xD4\xB1\xB1\xE0\xBA\xC5:0001\r\n\r\n"));
    EXPECT_EQ(printWidth(QStringLiteral("矿泉水2")), 7);
    EXPECT_EQ(padLeft(QStringLiteral("矿泉水"), 10), QStringLiteral("    矿泉水"));
    EXPECT_EQ(padLeft("12.50", 6), " 12.50");
    EXPECT_EQ(padLeft("1234567", 6), "1234567");
}

TEST(Receipt, OrdinaryPrinterPrintsCopiesOnlyWithAutoprint)
{
    ReceiptSettings s;
    s.copies = 2;
    EXPECT_TRUE(ordinaryPlan(s).preview);
    s.autoprint = true;
    EXPECT_FALSE(ordinaryPlan(s).preview);
    EXPECT_EQ(ordinaryPlan(s).copies, 2);
    s.copies = 0;
    EXPECT_EQ(ordinaryPlan(s).copies, 0);
}

class PosPrinter : public testing::Test {
protected:
    QTemporaryDir dir;
};

TEST_F(PosPrinter, DeviceReceivesEveryCopyInOnePiece)
{
    const QString device = dir.filePath("lp0");
    QFile(device).open(QIODevice::WriteOnly);  // stands for the device node
    ReceiptSettings s;
    s.copies = 2;
    s.posTarget = device;
    ASSERT_EQ(printPosReceipt(s, {QStringLiteral("会员")}), "");
    EXPECT_EQ(mctest::readAll(device), QByteArray("\r\n\xBB\xE1\xD4\xB1\r\n\r\n\r\n\xBB\xE1\xD4\xB1\r\n\r\n"));
}

TEST_F(PosPrinter, WorkstationSettingNamesThePrinter)
{
    const QString saved = mc::appPath;
    mc::appPath = dir.path() + "/";
    const QString device = dir.filePath("usblp");
    QFile(device).open(QIODevice::WriteOnly);
    EXPECT_EQ(configuredPosTarget(), defaultPosTarget());
    ASSERT_TRUE(mc::writestr("sys", "posprinter", device));
    EXPECT_EQ(configuredPosTarget(), device);
    const QString error = sendToPosPrinter(QString(), "AB\r\n");
    mc::appPath = saved;
    EXPECT_EQ(error, "");
    EXPECT_EQ(mctest::readAll(device), "AB\r\n");
}

TEST_F(PosPrinter, UnreachablePrintersAreReportedAndNoFileAppears)
{
    const QString missing = dir.filePath("nolp");
    const QString error = sendToPosPrinter(missing, "x\r\n");
    EXPECT_TRUE(error.startsWith(QStringLiteral("小票打印机无法打印: ") + missing)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(missing));

    // A pipe nobody reads: like a port with no printer behind it.
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_NE(sendToPosPrinter(fifo, "x\r\n"), "");

    // No copies: the printer is not even opened.
    ReceiptSettings s;
    s.copies = 0;
    s.posTarget = missing;
    EXPECT_EQ(printPosReceipt(s, {"x"}), "");
}

TEST_F(PosPrinter, APrinterThatStopsTakingBytesIsReported)
{
    // A terminal nobody reads fills up: the write waits for the stall limit, then gives up.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const QString error = sendToPosPrinter(QString::fromLocal8Bit(::ptsname(master)), QByteArray(1 << 20, 'x'));
    ::close(master);
    EXPECT_TRUE(error.endsWith(QStringLiteral("打印机没有响应"))) << error.toStdString();
}

TEST_F(PosPrinter, QueueGetsRawBytesThroughLp)
{
    // A stand-in `lp` that keeps its arguments and input, or fails for the queue "broken".
    const QString bin = dir.filePath("bin");
    QDir().mkpath(bin);
    QFile lp(bin + "/lp");
    ASSERT_TRUE(lp.open(QIODevice::WriteOnly));
    lp.write(QStringLiteral("#!/bin/sh\n[ \"$2\" = broken ] && { echo 'lp: The printer or class does not exist.' >&2; exit 1; }\n"
                            "echo \"$@\" > %1/args; cat > %1/data\n").arg(dir.path()).toUtf8());
    lp.close();
    lp.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin) + ":" + path);
    const QString ok = sendToPosPrinter("queue:pos58", "AB\r\n");
    const QString broken = sendToPosPrinter("queue:broken", "AB\r\n");
    qputenv("PATH", QFile::encodeName(dir.filePath("empty")));
    const QString absent = sendToPosPrinter("queue:pos58", "AB\r\n");
    qputenv("PATH", path);

    EXPECT_EQ(ok, "");
    EXPECT_EQ(mctest::readAll(dir.filePath("args")), "-d pos58 -o raw\n");
    EXPECT_EQ(mctest::readAll(dir.filePath("data")), "AB\r\n");
    EXPECT_EQ(broken, QStringLiteral("小票打印机无法打印: broken\nlp: The printer or class does not exist."));
    EXPECT_TRUE(absent.startsWith(QStringLiteral("小票打印机无法打印: pos58\n无法启动 lp"))) << absent.toStdString();
}
