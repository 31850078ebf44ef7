// The raw serial port on a pseudo-terminal: bytes pass unchanged, writes cannot hang.
#include "transport/serial.h"
#include "transport/timing.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

class RawSerial : public testing::Test {
protected:
    void SetUp() override
    {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(master_, 0);
        ASSERT_EQ(grantpt(master_), 0);
        ASSERT_EQ(unlockpt(master_), 0);
        path_ = ptsname(master_);
    }
    void TearDown() override
    {
        port_.close();
        close(master_);
        tavrik::setSilenceLimitMs(2000);
    }
    std::vector<std::uint8_t> drainMaster(std::size_t n)
    {
        std::vector<std::uint8_t> got;
        std::uint8_t buf[64];
        while (got.size() < n) {
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, 500) <= 0) break;
            const ssize_t r = read(master_, buf, sizeof buf);
            if (r <= 0) break;
            got.insert(got.end(), buf, buf + r);
        }
        return got;
    }

    int master_ = -1;
    std::string path_;
    tavrik::SerialPort port_;
};

// Control characters a terminal would translate or take as flow control.
const std::vector<std::uint8_t> kTricky = {0x0D, 0x0A, 0x11, 0x13, 0x03, 0x1A, 0x7F, 0x00, 0xFF};

TEST_F(RawSerial, BytesPassUnchangedBothWays)
{
    ASSERT_TRUE(port_.open(path_, 115200));
    ASSERT_EQ(port_.write(kTricky.data(), kTricky.size()), tavrik::WriteResult::Ok);
    EXPECT_EQ(drainMaster(kTricky.size()), kTricky);

    ASSERT_EQ(write(master_, kTricky.data(), kTricky.size()), static_cast<ssize_t>(kTricky.size()));
    ASSERT_EQ(port_.waitReadable(500), 1);
    std::vector<std::uint8_t> got(32);
    std::size_t have = 0;
    while (have < kTricky.size() && port_.waitReadable(200) == 1)
        have += static_cast<std::size_t>(port_.read(got.data() + have, got.size() - have));
    got.resize(have);
    EXPECT_EQ(got, kTricky);
}

TEST_F(RawSerial, RatesWithoutATerminalConstantAreSet)
{
    ASSERT_TRUE(port_.open(path_, 14400));
    EXPECT_TRUE(port_.setBaud(28800));
    EXPECT_TRUE(port_.setBaud(1200));
}

TEST_F(RawSerial, WriteToAReaderThatNeverTakesBytesGivesUp)
{
    tavrik::setSilenceLimitMs(200);
    ASSERT_TRUE(port_.open(path_, 115200));
    // Nobody reads the other side: the terminal's buffer fills and stays full.
    std::vector<std::uint8_t> block(1 << 20, 0x55);
    EXPECT_EQ(port_.write(block.data(), block.size()), tavrik::WriteResult::Failed);
}

TEST_F(RawSerial, ClosedPortNeitherWritesNorWaits)
{
    const std::uint8_t b = 1;
    EXPECT_EQ(port_.write(&b, 1), tavrik::WriteResult::Broken);
    EXPECT_EQ(port_.waitReadable(1000), -1);
    EXPECT_FALSE(port_.open("/nonexistent/tty", 115200));
}

TEST_F(RawSerial, ReceiveWaitsForWhatItIsToldAndNoLonger)
{
    tavrik::setSilenceLimitMs(200);
    ASSERT_TRUE(port_.open(path_, 115200));
    std::uint8_t buf[8] = {};
    EXPECT_EQ(port_.receive(buf, sizeof buf, {.firstMs = 50}), 0) << "nothing came";

    ASSERT_EQ(write(master_, "AB", 2), 2);
    EXPECT_EQ(port_.receive(buf, 4, {.firstMs = 500, .least = 4}), 0)
        << "the rest did not come within the silence limit";
    ASSERT_EQ(write(master_, "CD", 2), 2);
    ASSERT_EQ(port_.receive(buf, 4, {.firstMs = 500, .least = 4}), 4)
        << "what came before stays queued";
    EXPECT_EQ(std::string(buf, buf + 4), "ABCD");

    ASSERT_EQ(write(master_, "EFG", 3), 3);
    EXPECT_EQ(port_.receive(buf, 2, {.firstMs = 500, .settleMs = 20}), 2) << "at most the room";
    EXPECT_EQ(port_.receive(buf, sizeof buf, {.firstMs = 500}), 1);
    port_.close();
    EXPECT_EQ(port_.receive(buf, sizeof buf, {.firstMs = 500}), -1);
}

TEST_F(RawSerial, ReopenTakesTheSameDeviceAgain)
{
    EXPECT_FALSE(port_.reopen()) << "nothing was opened before";
    ASSERT_TRUE(port_.open(path_, 115200));
    ASSERT_TRUE(port_.setBaud(9600));
    // The descriptor goes away under the port, as when the device is unplugged and back.
    close(port_.handle());
    const std::uint8_t b = 0x3A;
    EXPECT_EQ(port_.write(&b, 1), tavrik::WriteResult::Broken);
    ASSERT_TRUE(port_.reopen());
    ASSERT_EQ(port_.write(&b, 1), tavrik::WriteResult::Ok);
    EXPECT_EQ(drainMaster(1), std::vector<std::uint8_t>{0x3A});
}

}  // namespace
