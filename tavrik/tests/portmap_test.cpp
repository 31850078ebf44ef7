#include "transport/portmap.h"
#include "transport/usb.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// A program folder of its own with a serialports.conf, and no TAVRIK_COM variables.
class PortConfig : public testing::Test {
protected:
    void SetUp() override
    {
        for (int n = 1; n <= 6; ++n) unsetenv(("TAVRIK_COM" + std::to_string(n)).c_str());
        folder_ = fs::temp_directory_path() /
                  ("tavrik-portmap-" + std::to_string(getpid()) + "-" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
    }
    void TearDown() override
    {
        for (int n = 1; n <= 6; ++n) unsetenv(("TAVRIK_COM" + std::to_string(n)).c_str());
        fs::remove_all(folder_);
    }
    void writeConfig(const std::string &text) { std::ofstream(folder_ / "serialports.conf") << text; }
    std::string folder() const { return folder_.string(); }

private:
    fs::path folder_;
};

TEST_F(PortConfig, DefaultsToTtySOfTheZeroBasedNumber)
{
    EXPECT_EQ(tavrik::comDevicePath(1, folder()), "/dev/ttyS0");
    EXPECT_EQ(tavrik::comDevicePath(6, folder()), "/dev/ttyS5");
}

TEST_F(PortConfig, NumbersOutsideOneToSixMeanComOne)
{
    writeConfig("COM1=/dev/ttyUSB7\n");
    for (std::uint8_t port : {0, 7, 255}) {
        EXPECT_EQ(tavrik::comNumber(port), 1) << int{port};
        EXPECT_EQ(tavrik::comDevicePath(port, folder()), "/dev/ttyUSB7") << int{port};
    }
}

TEST_F(PortConfig, ConfigurationLineBeatsDefaultAndEnvironmentBeatsBoth)
{
    writeConfig("# readers\n com2 = /dev/ttyUSB9 \n com2 = /dev/ttyUSB0 \nCOM3=\n;COM4=/dev/x\n"
                "USB=1a86:7523\n");
    EXPECT_EQ(tavrik::comDevicePath(2, folder()), "/dev/ttyUSB0");
    EXPECT_EQ(tavrik::comDevicePath(3, folder()), "/dev/ttyS2") << "an empty value is no setting";
    setenv("TAVRIK_COM2", "/dev/pts/9", 1);
    EXPECT_EQ(tavrik::comDevicePath(2, folder()), "/dev/pts/9");
    EXPECT_EQ(tavrik::comDevicePath(4, folder()), "/dev/ttyS3");
}

TEST(UsbId, ParsesHexadecimalVendorAndProduct)
{
    const auto id = tavrik::parseUsbId("1a86:7523");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->vendor, 0x1a86);
    EXPECT_EQ(id->product, 0x7523);
    for (const char *bad : {"", "1a86", ":7523", "1a86:", "12345:1", "xyz:1", "1a86:75g3"})
        EXPECT_FALSE(tavrik::parseUsbId(bad)) << bad;
}

TEST_F(PortConfig, UsbOpenWithoutConfiguredOrPresentReaderGivesFifty)
{
    EXPECT_EQ(tavrik::openUsbReader(folder()), 50);
    // A pair no device on this machine has.
    writeConfig("USB=0000:0001\n");
    EXPECT_EQ(tavrik::openUsbReader(folder()), 50);
}

}  // namespace
