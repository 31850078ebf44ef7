#include "reader_fixture.h"

#include "state.h"
#include "transport/timing.h"

#include <chrono>
#include <cstdlib>
#include <thread>

void resetLibrary()
{
    TK_Com_Close();
    tavrik::ConnectionState &s = tavrik::state();
    s.serial.close();
    s.usb.reset();
    s.link = tavrik::LinkKind::Byte;
    s.identifiedPort = 5;
    s.language = 1;
    s.baudPending = true;
    s.currentBaud = 0;
    s.readerModel = 0;
    s.cardType = 0;
    s.rawReplies = false;
    s.rxCount = s.rxPos = 0;
    s.protectionImage.clear();
}

void ReaderTest::SetUp()
{
    resetLibrary();
    // Lost replies cost this long each instead of two seconds; still far above how long the
    // simulator takes to answer on a busy machine.
    tavrik::setSilenceLimitMs(1000);
}

void ReaderTest::TearDown()
{
    resetLibrary();
    sim_.reset();
    if (com_) unsetenv(("TAVRIK_COM" + std::to_string(com_)).c_str());
}

tavriksim::Simulator &ReaderTest::startReader(tavriksim::Options options, int com)
{
    sim_ = std::make_unique<tavriksim::Simulator>(std::move(options));
    com_ = com;
    setenv(("TAVRIK_COM" + std::to_string(com)).c_str(), sim_->slavePath().c_str(), 1);
    return *sim_;
}

tavriksim::Simulator &ReaderTest::openWithCard(const tavriksim::MemoryCard &card, int model)
{
    tavriksim::Options o;
    o.model = model;
    startReader(o).insert(card);
    EXPECT_EQ(TK_Com_Open(2, 115200), 0);
    sim_->clearTranscript();
    return *sim_;
}

void ReaderTest::waitQuiet()
{
    std::size_t last = sim_->transcript().size();
    for (int quiet = 0; quiet < 10;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const std::size_t now = sim_->transcript().size();
        quiet = now == last ? quiet + 1 : 0;
        last = now;
    }
}
