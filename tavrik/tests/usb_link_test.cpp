// The general operations on a USB link, with a fake link in place of the device's endpoints.
#include "fake_link.h"
#include "state.h"
#include "tavrik.h"

#include <gtest/gtest.h>

namespace {

using tavriktest::Bytes;
using tavriktest::FakeLink;

class UsbLink : public testing::Test {
protected:
    void SetUp() override
    {
        auto link = std::make_unique<FakeLink>(true);
        link_ = link.get();
        tavrik::state().usb = std::move(link);
        tavrik::state().link = tavrik::LinkKind::Usb;
    }
    void TearDown() override
    {
        tavrik::state().usb.reset();
        tavrik::state().link = tavrik::LinkKind::Byte;
    }
    FakeLink *link_ = nullptr;
};

TEST_F(UsbLink, CardRequestCountsItsLengthByteAndMapsRefusals)
{
    link_->pieces = {{0x02, 0x00, 0x04}, {0x01, 0x15}, {0x01, 0x01}};
    EXPECT_EQ(TK_TestCard(), 0);
    EXPECT_EQ(TK_TestCard(), 20);
    char code[3] = "??";
    EXPECT_EQ(TK_AutoTestCard(code), 27);
    EXPECT_EQ(link_->sent.at(0), (Bytes{0x03, 0x02, 0x52}));
    EXPECT_EQ(link_->sent.at(2), (Bytes{0x03, 0x02, 0x26}));
    EXPECT_EQ(TK_TestCard(), 5) << "no reply at all";
}

TEST_F(UsbLink, LightAndBeepAreAnsweredOverUsb)
{
    link_->pieces = {{0x01, 0x00}, {0x01, 0x01}, {0x01, 0x00}};
    EXPECT_EQ(TK_Control_light(2), 0);
    EXPECT_EQ(TK_Control_light(2), 23);
    EXPECT_EQ(TK_Scream(4), 0);
    EXPECT_EQ(link_->sent.at(2), (Bytes{0x03, 0x0B, 0x04}));
    EXPECT_EQ(TK_Scream(4), 5) << "the beep's reply is awaited over USB";
    EXPECT_EQ(TK_TestDevice(), 0);
    EXPECT_EQ(link_->sent.size(), 4u) << "the device test asks nothing";
}

TEST_F(UsbLink, RateChangeIsRefusedAndClosingReleasesTheLink)
{
    EXPECT_EQ(TK_UpdateBaud(115200, 9600, 1), 34);
    EXPECT_EQ(TK_Com_Close(), 0);
    EXPECT_EQ(tavrik::state().usb, nullptr);
    EXPECT_EQ(tavrik::state().link, tavrik::LinkKind::Usb) << "the link kind is kept";
}

}  // namespace
