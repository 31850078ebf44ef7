// What the simulated reader answers: the byte protocol's commands and the framed requests.
#include "simulator.h"

namespace tavriksim {

void Simulator::serveByteProtocol(std::uint8_t b)
{
    if (b == kProbe) {
        probed_ = false;
        if (dropProbes_ > 0) {
            --dropProbes_;
            return;
        }
        replyHex({kProbe});
        probed_ = true;
        return;
    }
    // Anything but a probe is a command only right after an answered probe; other bytes
    // begin a frame, which these readers also take (SAM and contactless commands).
    if (!probed_) {
        serveFrame(b);
        return;
    }
    probed_ = false;
    command(b);
}

void Simulator::command(std::uint8_t cmd)
{
    if (refused_.count(cmd)) {
        replyHex({'?'});
        return;
    }
    if (removeOn_ == cmd) {
        card_.reset();
        removeOn_.reset();
    }
    switch (cmd) {
    case 0xAA:
        replyHex({static_cast<std::uint8_t>(options_.model == 0 ? 0xAA : options_.model + 1)});
        return;
    case 'S': replyHex({cmd}); return;
    case 'T':
        replyHex({cmd});
        replyHex({static_cast<std::uint8_t>(card_ ? 0 : 1)});
        return;
    case 'U':
        replyHex({cmd});
        replyHex({static_cast<std::uint8_t>(card_ ? card_->type : 0)});
        return;
    case 'D':
        replyHex({cmd});
        if (card_) {
            replyHex({card_->type, 0x00, '.'});
        } else {
            replyHex({0x00, 0x01, '.'});
        }
        return;
    case 'V':
        replyHex({cmd});
        light_ = next();
        return;
    case 'R':
        replyHex({cmd});
        beep_ = next();
        replyHex({0x00});
        return;
    case 'p':
        replyHex({cmd});
        rate_ = next();
        return;
    case 'q': {
        replyHex({cmd});
        // With a processor card powered, 'q' switches the card holder.
        if (processorPowered_) {
            replyHex({next()});
            return;
        }
        // Reader selection sends the number; the check after a rate change does not.
        const std::uint8_t n = next();
        if (n > 1) {
            pushedBack_ = n;
            return;
        }
        replyHex({n, '.'});
        return;
    }
    case 'C': {
        replyHex({cmd});
        const std::uint8_t type = next();
        if (!card_)
            replyHex({0x01, '.'});
        else if (type != card_->type)
            replyHex({0x00, '?'});
        else
            replyHex({0x00, '.'});
        if (card_) card_->verified = false;
        processorPowered_ = card_ && type == card_->type && card_->family == Family::Processor;
        return;
    }
    case 'A': case 'B': case 'E': case 'F': case 'G': case 'H': case 'I': case 'Y': case 'X':
    case 'W': case '\\': case ']': case 'b': case 'c': case 'd': case 'e': case 'f': case 0x60:
    case '^': case '_': case '[': case 'i': case 'j': case 'h': case 'Q':
        cardCommand(cmd);
        return;
    default: replyHex({'?'}); return;
    }
}

void Simulator::cardCommand(std::uint8_t cmd)
{
    if (!card_) {
        replyHex({0x01});
        return;
    }
    replyHex({cmd});
    MemoryCard &c = *card_;
    const bool sle = c.family == Family::Sle4442 || c.family == Family::Sle4428;
    if (!sle && cmd != 'A' && cmd != 'B') {
        familyCommand(cmd);
        return;
    }
    const bool sle4442 = c.family == Family::Sle4442;
    switch (cmd) {
    case 'A': {
        const std::uint16_t address = word(), length = word();
        replyHex(c.read(address, length));
        return;
    }
    case 'B': {
        const std::uint16_t address = word(), length = word();
        c.write(address, receiveBlocks(length));
        return;
    }
    case 'E':
        if (sle4442) {
            replyHex(c.protectionBits());
        } else {
            const std::uint16_t address = word(), length = word();
            replyHex(c.protectionFlags(address, length));
        }
        return;
    case 'F': {
        const std::uint16_t address = word(), length = word();
        c.protect(address, receiveBlocks(length));
        return;
    }
    case 'H': {
        const bool ok = c.present(take(c.code.size()));
        replyHex({static_cast<std::uint8_t>(ok ? 0x00 : 0x02)});
        return;
    }
    case 'G': {
        const bool ok = c.changeCode(take(c.code.size()));
        replyHex({static_cast<std::uint8_t>(ok ? 0x00 : 0x02)});
        return;
    }
    case 'I': replyHex(c.securityMemory()); return;
    default: return;
    }
}

// Data of a write: each full 64-byte block is acknowledged; the last partial block is
// acknowledged by readers of models 1 and 2.
Bytes Simulator::receiveBlocks(std::size_t n)
{
    Bytes data;
    while (n - data.size() >= 64) {
        const Bytes block = take(64);
        data.insert(data.end(), block.begin(), block.end());
        replyHex({0x00});
    }
    if (data.size() < n) {
        const Bytes rest = take(n - data.size());
        data.insert(data.end(), rest.begin(), rest.end());
        if (options_.model != 0) replyHex({0x00});
    }
    return data;
}

void Simulator::serveFrame(std::uint8_t length)
{
    if (length == 0) return;
    const Bytes frame = take(length);
    const std::uint8_t cmd = frame[0];
    const std::uint8_t param = frame.size() > 1 ? frame[1] : 0;
    if (refused_.count(cmd)) {
        reply({0x01, 0x01});
        return;
    }
    switch (cmd) {
    case 0x02:
        authenticated_.clear();
        if (card_ && card_->family == Family::Contactless)
            reply({0x02, 0x00, card_->kind});
        else if (card_)
            reply({0x02, 0x00, options_.framedCardKind});
        else
            reply({0x01, 0x01});
        return;
    case 0x0B: beep_ = param; return;  // a serial reader does not answer the beep
    case 0x0D:
        rate_ = param;
        reply({0x01, 0x00});
        return;
    case 0x16:
        light_ = param;
        reply({0x01, 0x00});
        return;
    default: cardFrame(cmd, Bytes(frame.begin() + 1, frame.end())); return;
    }
}

}  // namespace tavriksim
