// Tests of the library against tavrik-sim on a real pseudo-terminal.
#pragma once
#include "simulator.h"
#include "tavrik.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// Puts the library back into its state at load, without a port open.
void resetLibrary();

class ReaderTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts a simulated reader and points COM<com> at it.
    tavriksim::Simulator &startReader(tavriksim::Options options = {}, int com = 2);
    // Starts a byte-protocol reader of `model` with an SLE4442 in it and opens COM2 at 115200;
    // the transcript starts after the open.
    tavriksim::Simulator &openWithCard(const tavriksim::MemoryCard &card, int model = 2);
    tavriksim::Simulator &sim() { return *sim_; }
    // Waits until the reader has seen the host's last byte.
    void waitQuiet();
    // Starts the transcript afresh once the reader has taken everything sent so far.
    void restartTranscript()
    {
        waitQuiet();
        sim_->clearTranscript();
    }
    // Bytes the host sent since the transcript was cleared.
    std::string hostBytes() { return text(sim_->fromHost()); }
    std::string readerBytes() { return text(sim_->toHost()); }
    static std::string text(const tavriksim::Bytes &b) { return std::string(b.begin(), b.end()); }

private:
    std::unique_ptr<tavriksim::Simulator> sim_;
    int com_ = 0;
};

// A text of bytes written as a C++ string literal would need escapes for.
inline std::string wire(std::initializer_list<int> bytes)
{
    std::string s;
    for (int b : bytes) s += static_cast<char>(b);
    return s;
}

// 16-bit command parameters as the host sends them, high byte first.
inline std::string words(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values) s += wire({v >> 8, v & 0xFF});
    return s;
}
