// Opening the reader: probe, model query, port mapping, re-identification, rate change.
#include "reader_fixture.h"
#include "state.h"
#include "transport/byte_protocol.h"

namespace {

using tavriksim::Protocol;

class Opening : public ReaderTest {};

TEST_F(Opening, ProbeAndModelQueryIdentifyEachByteProtocolModel)
{
    for (int model : {0, 1, 2}) {
        resetLibrary();
        tavriksim::Options o;
        o.model = model;
        auto &reader = startReader(o);
        EXPECT_EQ(TK_Com_Open(2, 115200), 0) << model;
        waitQuiet();
        EXPECT_EQ(hostBytes(), wire({':', 0xAA}));
        EXPECT_EQ(readerBytes(), model == 0 ? "3AAA" : model == 1 ? "3A02" : "3A03");
        EXPECT_EQ(tavrik::state().readerModel, model);
        EXPECT_EQ(tavrik::state().link, tavrik::LinkKind::Byte);
        EXPECT_EQ(reader.probeRates(), std::vector<std::uint32_t>{115200});
    }
}

TEST_F(Opening, PortsOutsideOneToSixOpenComOne)
{
    auto &reader = startReader({}, 1);
    for (std::uint8_t port : {0, 7, 255}) {
        resetLibrary();
        reader.clearTranscript();
        EXPECT_EQ(TK_Com_Open(port, 115200), 0) << int{port};
        EXPECT_EQ(TK_TestDevice(), 0) << int{port};
    }
}

TEST_F(Opening, ComFiveIsProbedOnEveryOpenOthersOnlyTheFirstTime)
{
    struct Case {
        int com;
        int secondOpenProbes;
    };
    for (const Case c : {Case{5, 1}, Case{2, 0}}) {
        resetLibrary();
        auto &reader = startReader({}, c.com);
        const auto port = static_cast<std::uint8_t>(c.com);
        ASSERT_EQ(TK_Com_Open(port, 115200), 0);
        TK_Com_Close();
        reader.clearTranscript();
        ASSERT_EQ(TK_Com_Open(port, 115200), 0);
        waitQuiet();
        EXPECT_EQ(reader.probeRates().size(), 1u + c.secondOpenProbes) << "COM" << c.com;
        EXPECT_EQ(hostBytes(), c.secondOpenProbes ? wire({':', 0xAA}) : "") << "COM" << c.com;
    }
}

TEST_F(Opening, FramedReaderIsRecognisedByItsRawProbeAnswer)
{
    tavriksim::Options o;
    o.protocol = Protocol::Framed;
    startReader(o);
    EXPECT_EQ(TK_Com_Open(2, 115200), 0);
    EXPECT_EQ(tavrik::state().link, tavrik::LinkKind::Framed);
    EXPECT_EQ(readerBytes(), wire({0x01, 0x22}));
}

TEST_F(Opening, MissingDeviceGivesThirtyOne)
{
    setenv("TAVRIK_COM3", "/nonexistent/tty", 1);
    EXPECT_EQ(TK_Com_Open(3, 115200), 31);
    unsetenv("TAVRIK_COM3");
}

TEST_F(Opening, ReaderWithoutAnyKnownAnswerNeedsVelsorAndGivesTenWithoutIt)
{
    setenv("TAVRIK_VELSOR", "/nonexistent/libVelsor.so", 1);
    tavriksim::Options o;
    o.protocol = Protocol::Foreign;
    startReader(o);
    EXPECT_EQ(TK_Com_Open(2, 115200), 10);
    EXPECT_NE(tavrik::state().link, tavrik::LinkKind::Velsor);
    EXPECT_EQ(tavrik::state().identifiedPort, 5) << "probed again on the next open";
    unsetenv("TAVRIK_VELSOR");
}

TEST_F(Opening, FirstOpenAtAnotherRateSwitchesTheReaderFromTheStartRate)
{
    auto &reader = startReader();
    ASSERT_TRUE(tavrik::state().baudPending);
    EXPECT_EQ(TK_Com_Open(2, 9600), 0);
    EXPECT_EQ(reader.rateCode(), 3);
    // Identification and the rate command at the start rate, the check at the new one.
    EXPECT_EQ(reader.probeRates(), (std::vector<std::uint32_t>{115200, 115200, 9600}));
    EXPECT_EQ(tavrik::state().currentBaud, 9600u);
    EXPECT_FALSE(tavrik::state().baudPending);
    EXPECT_EQ(TK_TestDevice(), 0);
    EXPECT_EQ(reader.probeRates().back(), 9600u);
}

TEST_F(Opening, RateChangeOnAClosedPortOpensAtTheReadersCurrentRate)
{
    auto &reader = startReader();
    ASSERT_EQ(tavrik::state().currentBaud, 0u);
    EXPECT_EQ(TK_UpdateBaud(57600, 38400, 2), 0);
    ASSERT_FALSE(reader.probeRates().empty());
    EXPECT_EQ(reader.probeRates().front(), 57600u);
    EXPECT_EQ(reader.rateCode(), 5);
    EXPECT_FALSE(tavrik::state().serial.isOpen()) << "the rate change closes the port";
}

TEST_F(Opening, RatesWithoutACodeForTheLinkGiveTwentyFive)
{
    startReader();
    ASSERT_EQ(TK_Com_Open(2, 115200), 0);
    EXPECT_EQ(TK_UpdateBaud(115200, 14400, 2), 25);
    EXPECT_EQ(TK_UpdateBaud(115200, 12345, 2), 25);

    resetLibrary();
    tavriksim::Options o;
    o.protocol = Protocol::Framed;
    auto &framed = startReader(o);
    ASSERT_EQ(TK_Com_Open(2, 115200), 0);
    EXPECT_EQ(TK_UpdateBaud(115200, 1200, 2), 25);
    EXPECT_EQ(TK_UpdateBaud(115200, 28800, 2), 0);
    EXPECT_EQ(framed.rateCode(), 3);
    EXPECT_EQ(tavrik::state().currentBaud, 28800u);
}

TEST_F(Opening, RateChangeIsRefusedOnUsbAndVelsorLinks)
{
    tavrik::state().link = tavrik::LinkKind::Usb;
    EXPECT_EQ(TK_UpdateBaud(115200, 9600, 2), 34);
    EXPECT_EQ(TK_Com_Open(2, 9600), 34) << "USB with the rate change still pending";
    tavrik::state().link = tavrik::LinkKind::Velsor;
    EXPECT_EQ(TK_UpdateBaud(115200, 9600, 2), 99);
}

}  // namespace
