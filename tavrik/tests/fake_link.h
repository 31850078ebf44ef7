// A frame link that records what is sent and hands out scripted reply pieces.
#pragma once
#include "transport/frame_link.h"

#include <algorithm>
#include <deque>
#include <vector>

namespace tavriktest {

using Bytes = std::vector<std::uint8_t>;

class FakeLink final : public tavrik::FrameLink {
public:
    explicit FakeLink(bool isUsb) : usb_(isUsb) {}
    bool usb() const override { return usb_; }
    bool send(const std::uint8_t *frame, std::size_t n) override
    {
        if (refuseSend) return false;
        sent.emplace_back(frame, frame + n);
        return true;
    }
    long receive(std::uint8_t *buf, std::size_t room, int) override
    {
        if (pieces.empty()) return 0;
        Bytes piece = pieces.front();
        pieces.pop_front();
        const std::size_t n = std::min(room, piece.size());
        std::copy_n(piece.begin(), n, buf);
        return static_cast<long>(n);
    }
    std::vector<Bytes> sent;
    std::deque<Bytes> pieces;  // what each receive call delivers
    bool refuseSend = false;

private:
    bool usb_;
};

}  // namespace tavriktest
