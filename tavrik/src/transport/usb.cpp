#include "transport/usb.h"

#include "state.h"
#include "tavrik.h"
#include "transport/portmap.h"
#include "transport/timing.h"

#include <libusb-1.0/libusb.h>

#include <cstdlib>
#include <mutex>

namespace tavrik {

namespace {

class UsbFrameLink final : public FrameLink {
public:
    UsbFrameLink(libusb_context *ctx, libusb_device_handle *dev, int iface, unsigned char out,
                 unsigned char in)
        : ctx_(ctx), dev_(dev), iface_(iface), out_(out), in_(in)
    {
    }
    ~UsbFrameLink() override
    {
        libusb_release_interface(dev_, iface_);
        libusb_close(dev_);
        libusb_exit(ctx_);
    }
    UsbFrameLink(const UsbFrameLink &) = delete;
    UsbFrameLink &operator=(const UsbFrameLink &) = delete;

    bool usb() const override { return true; }

    bool send(const std::uint8_t *frame, std::size_t n) override
    {
        std::lock_guard lock(io_);
        int done = 0;
        const int r = libusb_bulk_transfer(dev_, out_, const_cast<std::uint8_t *>(frame),
                                           static_cast<int>(n), &done, silenceLimitMs());
        return r == 0 && done == static_cast<int>(n);
    }

    long receive(std::uint8_t *buf, std::size_t room, int waitMs) override
    {
        std::lock_guard lock(io_);
        int got = 0;
        const int r = libusb_bulk_transfer(dev_, in_, buf, static_cast<int>(room), &got,
                                           static_cast<unsigned>(waitMs));
        if (r == 0 || r == LIBUSB_ERROR_TIMEOUT) return got;
        return -1;
    }

private:
    libusb_context *ctx_;
    libusb_device_handle *dev_;
    int iface_;
    unsigned char out_, in_;
    std::mutex io_;  // a send and a receive never interleave
};

// First interface with a bulk OUT and a bulk IN endpoint.
bool findBulkPair(libusb_device *dev, int &iface, unsigned char &out, unsigned char &in)
{
    libusb_config_descriptor *config = nullptr;
    if (libusb_get_active_config_descriptor(dev, &config) != 0) return false;
    bool found = false;
    for (int i = 0; i < config->bNumInterfaces && !found; ++i) {
        const libusb_interface &itf = config->interface[i];
        if (itf.num_altsetting < 1) continue;
        const libusb_interface_descriptor &alt = itf.altsetting[0];
        out = in = 0;
        for (int e = 0; e < alt.bNumEndpoints; ++e) {
            const libusb_endpoint_descriptor &ep = alt.endpoint[e];
            if ((ep.bmAttributes & LIBUSB_TRANSFER_TYPE_MASK) != LIBUSB_TRANSFER_TYPE_BULK)
                continue;
            if (ep.bEndpointAddress & LIBUSB_ENDPOINT_IN)
                in = in ? in : ep.bEndpointAddress;
            else
                out = out ? out : ep.bEndpointAddress;
        }
        if (in && out) {
            iface = alt.bInterfaceNumber;
            found = true;
        }
    }
    libusb_free_config_descriptor(config);
    return found;
}

}  // namespace

std::optional<UsbId> parseUsbId(const std::string &text)
{
    const auto colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 >= text.size()) return std::nullopt;
    const auto hex = [](const std::string &part) -> std::optional<std::uint16_t> {
        if (part.size() > 4) return std::nullopt;
        char *end = nullptr;
        const unsigned long v = std::strtoul(part.c_str(), &end, 16);
        if (*end != '\0') return std::nullopt;
        return static_cast<std::uint16_t>(v);
    };
    const auto vendor = hex(text.substr(0, colon));
    const auto product = hex(text.substr(colon + 1));
    if (!vendor || !product) return std::nullopt;
    return UsbId{*vendor, *product};
}

std::uint16_t openUsbReader(const std::string &folder)
{
    ConnectionState &s = state();
    s.identifiedPort = 255;
    closeUsbReader();
    const auto configured = portConfigValue(folder, "USB");
    const auto id = configured ? parseUsbId(*configured) : std::nullopt;
    if (!id) return TK_USB_OPEN_FAILED;
    libusb_context *ctx = nullptr;
    if (libusb_init(&ctx) != 0) return TK_USB_OPEN_FAILED;
    libusb_device_handle *dev = libusb_open_device_with_vid_pid(ctx, id->vendor, id->product);
    int iface = 0;
    unsigned char out = 0, in = 0;
    // A kernel driver bound to the reader (a serial adapter driver, say) is set aside while
    // the library holds the interface.
    if (dev) libusb_set_auto_detach_kernel_driver(dev, 1);
    if (!dev || !findBulkPair(libusb_get_device(dev), iface, out, in) ||
        libusb_claim_interface(dev, iface) != 0) {
        if (dev) libusb_close(dev);
        libusb_exit(ctx);
        return TK_USB_OPEN_FAILED;
    }
    s.usb = std::make_unique<UsbFrameLink>(ctx, dev, iface, out, in);
    s.link = LinkKind::Usb;
    return TK_SUCCESS;
}

void closeUsbReader() { state().usb.reset(); }

}  // namespace tavrik
