// The framed protocol over a fake link: frames sent, replies taken apart, refusals, losses.
#include "fake_link.h"
#include "transport/framed.h"

#include <gtest/gtest.h>


namespace {

using tavriktest::Bytes;
using tavriktest::FakeLink;

TEST(FramedProtocol, UsbFramesCountTheirOwnLengthByteSerialFramesDoNot)
{
    FakeLink serial(false), usb(true);
    ASSERT_TRUE(tavrik::framed::send(serial, tavrik::framed::kLight, {0x01}));
    ASSERT_TRUE(tavrik::framed::send(usb, tavrik::framed::kLight, {0x01}));
    EXPECT_EQ(serial.sent.at(0), (Bytes{0x02, 0x16, 0x01}));
    EXPECT_EQ(usb.sent.at(0), (Bytes{0x03, 0x16, 0x01}));
}

TEST(FramedProtocol, ReplyIsAssembledFromPiecesAndExtraBytesAreDropped)
{
    struct Case {
        std::deque<Bytes> pieces;
    };
    const Case cases[] = {
        {{{0x02, 0x00, 0x04}}},
        {{{0x02}, {0x00}, {0x04}}},
        {{{0x02, 0x00}, {0x04, 0x99}}},
    };
    for (const Case &c : cases) {
        FakeLink link(false);
        link.pieces = c.pieces;
        Bytes reply;
        EXPECT_EQ(tavrik::framed::exchange(link, tavrik::framed::kCardRequest, {0x52}, reply), 0);
        EXPECT_EQ(reply, (Bytes{0x00, 0x04}));
        EXPECT_EQ(link.sent.at(0), (Bytes{0x02, 0x02, 0x52}));
    }
}

TEST(FramedProtocol, LostOrShortRepliesAndFailedSendsGiveFive)
{
    FakeLink silent(false);
    Bytes reply;
    EXPECT_EQ(tavrik::framed::exchange(silent, tavrik::framed::kLight, {1}, reply), 5);

    FakeLink shortReply(true);
    shortReply.pieces = {{0x03, 0x00}};
    EXPECT_EQ(tavrik::framed::exchange(shortReply, tavrik::framed::kLight, {1}, reply), 5);

    FakeLink deaf(false);
    deaf.refuseSend = true;
    deaf.pieces = {{0x01, 0x00}};
    EXPECT_EQ(tavrik::framed::exchange(deaf, tavrik::framed::kLight, {1}, reply), 5);
}

TEST(FramedProtocol, RefusalIsALoneStatusOneOrFifteenForTheCardRequest)
{
    using tavrik::framed::refused;
    EXPECT_TRUE(refused({0x01}));
    EXPECT_FALSE(refused({0x15}));
    EXPECT_TRUE(refused({0x15}, true));
    EXPECT_FALSE(refused({0x01, 0x00}));
    EXPECT_FALSE(refused({0x00}));
}

}  // namespace
