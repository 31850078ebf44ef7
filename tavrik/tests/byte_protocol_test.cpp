// Reply units and block reads taken from characters already received.
#include "state.h"
#include "transport/byte_protocol.h"
#include "transport/timing.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class Buffered : public testing::Test {
protected:
    void SetUp() override { tavrik::setSilenceLimitMs(100); }
    void TearDown() override
    {
        tavrik::bp::clearReceive();
        tavrik::setSilenceLimitMs(2000);
    }
    static void receive(const std::string &chars)
    {
        tavrik::ConnectionState &s = tavrik::state();
        std::memcpy(s.rx, chars.data(), chars.size());
        s.rxCount = static_cast<int>(chars.size());
        s.rxPos = 0;
    }
};

TEST_F(Buffered, HundredByteReadIsTakenUnitByUnitFromTheBuffer)
{
    std::string chars;
    for (int i = 0; i < 100; ++i) chars += "0123456789ABCDEF"[i % 16], chars += "FEDCBA9876543210"[i % 16];
    receive(chars + "2E");
    std::string out(200, '?');
    EXPECT_EQ(tavrik::bp::readHexBlock(100, out.data()), 0);
    EXPECT_EQ(out, chars);
    EXPECT_TRUE(tavrik::bp::readTerminator()) << "what follows stays buffered";
}

TEST_F(Buffered, UnitsDecodeOrNot)
{
    receive("3A3F0g");
    EXPECT_EQ(tavrik::bp::readUnit().value(), 0x3A);
    EXPECT_EQ(tavrik::bp::readUnit().value(), '?');
    const auto odd = tavrik::bp::readUnit();
    EXPECT_TRUE(odd.ok);
    EXPECT_EQ(odd.value(), -1) << "not a hexadecimal pair";
    EXPECT_EQ(odd.second(), 'g');
}

TEST_F(Buffered, ShortBufferWithoutAPortFailsInsteadOfWaiting)
{
    receive("0102030");
    char out[8];
    EXPECT_EQ(tavrik::bp::readHexBlock(4, out), 5);
    EXPECT_EQ(tavrik::bp::readHexBlock(0, out), 0) << "nothing wanted, nothing awaited";
}

}  // namespace
