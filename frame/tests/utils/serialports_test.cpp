// The COM-number mapping shared with the reader library, and the port list.

#include "utils/serialports.h"

#include "qt_print.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

// A pseudo-terminal whose slave stands in for a serial port.
class PseudoTerminal {
public:
    PseudoTerminal() : master_(posix_openpt(O_RDWR | O_NOCTTY))
    {
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0)
            slave_ = QString::fromLocal8Bit(ptsname(master_));
    }
    ~PseudoTerminal()
    {
        if (master_ >= 0)
            close(master_);
    }
    QString slave() const { return slave_; }

private:
    int master_;
    QString slave_;
};

class SerialPorts : public testing::Test {
protected:
    void TearDown() override
    {
        for (int n : {3, 7, 40})
            qunsetenv(qPrintable(QStringLiteral("TAVRIK_COM%1").arg(n)));
    }
    // A program folder whose serialports.conf holds `lines`.
    QString folderWith(const QByteArray& lines)
    {
        QFile f(dir.path() + "/serialports.conf");
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(lines);
        f.close();
        return dir.path();
    }
    QTemporaryDir dir;
};

TEST_F(SerialPorts, EnvironmentThenFileThenDefault)
{
    const QString folder = folderWith("# readers\nCOM3=/dev/ttyUSB0\ncom4 = /dev/ttyACM1\nCOMX=/dev/null\nCOM5=\n"
                                      "COM12=/dev/ttyUSB1\n");
    qputenv("TAVRIK_COM3", "/dev/pts/99");
    EXPECT_EQ(mc::comDevicePath(3, folder), "/dev/pts/99");
    EXPECT_EQ(mc::comDevicePath(4, folder), "/dev/ttyACM1");
    EXPECT_EQ(mc::comDevicePath(5, folder), "/dev/ttyS4");
    EXPECT_EQ(mc::comDevicePath(1, folder), "/dev/ttyS0");
    EXPECT_EQ(mc::comDevicePath(12, folder), "/dev/ttyUSB1");  // beyond the library's six ports
    EXPECT_EQ(mc::comDevicePath(0, folder), "");
    qputenv("TAVRIK_COM3", "");
    EXPECT_EQ(mc::comDevicePath(3, folder), "/dev/ttyUSB0");  // an empty variable does not count

    EXPECT_EQ(mc::comDevicePath(2, dir.path() + "/none"), "/dev/ttyS1");
}

TEST_F(SerialPorts, ComNames)
{
    EXPECT_EQ(mc::comNumber("COM1"), 1);
    EXPECT_EQ(mc::comNumber("com12"), 12);
    EXPECT_EQ(mc::comNumber(" COM3 "), 3);
    EXPECT_EQ(mc::comNumber("COM0"), 0);
    EXPECT_EQ(mc::comNumber("COM"), 0);
    EXPECT_EQ(mc::comNumber("LPT1"), 0);
}

TEST_F(SerialPorts, ListHoldsThePortsThatExist)
{
    PseudoTerminal a, b;
    ASSERT_FALSE(a.slave().isEmpty());
    qputenv("TAVRIK_COM7", a.slave().toLocal8Bit());
    qputenv("TAVRIK_COM40", b.slave().toLocal8Bit());  // beyond the usual range, named all the same
    const QString folder = folderWith("COM9=/dev/does-not-exist\nCOM10=" + QFile::encodeName(dir.path()) + "\n");

    QStringList list{"kept"};
    ASSERT_TRUE(mc::getcomlist(list, folder));
    EXPECT_EQ(list.first(), "kept");  // the list is appended to
    EXPECT_TRUE(list.contains("COM7"));
    EXPECT_TRUE(list.contains("COM40"));
    EXPECT_FALSE(list.contains("COM9"));
    EXPECT_FALSE(list.contains("COM10"));  // a folder is not a port
    EXPECT_FALSE(mc::isSerialDevice("/dev/null"));
    EXPECT_FALSE(mc::isSerialDevice("/dev/tty"));
    EXPECT_LT(list.indexOf("COM7"), list.indexOf("COM40"));
}

}  // namespace
