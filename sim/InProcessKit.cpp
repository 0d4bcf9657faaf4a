#include "sim/InProcessKit.h"

#include <mutex>

#include "orvelink/orvelink_transport.h"

namespace korvanta::sim {

namespace {

// The kit registered under the transport name now, so that an older kit replaced by a newer
// one does not withdraw the newer one's registration when it goes.
std::mutex registrationMutex;
InProcessKit* registeredKit = nullptr;

}  // namespace

InProcessKit::InProcessKit(const KitOptions& options, const orvelink::LinkClock* clock)
    : clock_(clock != nullptr ? *clock : steadyClock_),
      kit_(options, clock_),
      device_(pipe_.DeviceEnd(), kit_, clock_, options)
{
}

InProcessKit::~InProcessKit()
{
    std::lock_guard lock(registrationMutex);
    if (registeredKit == this) {
        // Closes the link if it runs over this kit; no operation reaches the kit afterwards.
        orvelink_unregister_transport(kTransportName);
        registeredKit = nullptr;
    }
}

int32_t InProcessKit::OpenLine(void* context, int32_t /*baud*/)
{
    auto* self = static_cast<InProcessKit*>(context);
    // A port opened afresh starts with an empty line both ways.
    self->pipe_.HostEnd().DiscardIncoming();
    self->pipe_.DeviceEnd().DiscardIncoming();
    self->device_.Reconnect();
    return 0;
}

int32_t InProcessKit::ReadLine(void* context, uint8_t* buffer, int32_t capacity)
{
    auto* self = static_cast<InProcessKit*>(context);
    // The kit answers what the host has written so far before the host looks for replies.
    self->device_.Poll();
    if (buffer == nullptr || capacity <= 0) {
        return 0;
    }
    const std::ptrdiff_t read = self->pipe_.HostEnd().Read(std::span(buffer, static_cast<std::size_t>(capacity)));
    return read < 0 ? -1 : static_cast<int32_t>(read);
}

int32_t InProcessKit::WriteLine(void* context, const uint8_t* bytes, int32_t length)
{
    auto* self = static_cast<InProcessKit*>(context);
    if (bytes == nullptr || length <= 0) {
        return 0;
    }
    const std::ptrdiff_t written = self->pipe_.HostEnd().Write(std::span(bytes, static_cast<std::size_t>(length)));
    return written < 0 ? -1 : static_cast<int32_t>(written);
}

std::unique_ptr<InProcessKit> RegisterSimTransport(const KitOptions& options, const orvelink::LinkClock* clock,
                                                   std::string* error)
{
    if (const std::string fault = CheckKitOptions(options); !fault.empty()) {
        if (error != nullptr) {
            *error = fault;
        }
        return nullptr;
    }
    std::unique_ptr<InProcessKit> kit(new InProcessKit(options, clock));
    static constexpr orvelink_transport_ops kOps = {&InProcessKit::OpenLine, &InProcessKit::ReadLine,
                                                    &InProcessKit::WriteLine, nullptr};
    std::lock_guard lock(registrationMutex);
    if (orvelink_register_transport(InProcessKit::kTransportName, &kOps, kit.get()) != 0) {
        if (error != nullptr) {
            *error = "the port SIM is open over another simulated kit";
        }
        return nullptr;
    }
    registeredKit = kit.get();
    return kit;
}

}  // namespace korvanta::sim
