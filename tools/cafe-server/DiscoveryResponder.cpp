#include "DiscoveryResponder.h"

#include "Sockets.h"

#include <sys/socket.h>

namespace orvan::cafe {

DiscoveryResponder::DiscoveryResponder(const std::string& host, std::uint16_t port,
                                       std::uint16_t wksnPort, std::string advertise)
    : fd_(Sockets::bound(SOCK_DGRAM, host, port))
    , port_(Sockets::localPort(fd_.get()))
    , wksnPort_(wksnPort)
    , advertise_(std::move(advertise)) {}

std::optional<std::string> DiscoveryResponder::answerWaiting() {
    char datagram[2048];
    sockaddr_in sender{};
    socklen_t length = sizeof sender;
    const auto received = ::recvfrom(fd_.get(), datagram, sizeof datagram, 0,
                                     reinterpret_cast<sockaddr*>(&sender), &length);
    if (received < 0) {
        return std::nullopt;
    }
    const auto answer =
        answerFor(std::string_view(datagram, static_cast<std::size_t>(received)), advertise_);
    if (!answer) {
        return std::nullopt;
    }
    // The workstation listens on its own discovery port, not on the port it sent from.
    sockaddr_in workstation = sender;
    workstation.sin_port = htons(wksnPort_);
    ::sendto(fd_.get(), answer->data(), answer->size(), 0,
             reinterpret_cast<const sockaddr*>(&workstation), sizeof workstation);
    return Sockets::text(workstation);
}

std::optional<std::string> DiscoveryResponder::answerFor(std::string_view datagram,
                                                         std::string_view advertise) {
    if (!datagram.starts_with(kRequestMarker)) {
        return std::nullopt;
    }
    std::string answer{kAnswerMarker};
    answer += advertise;
    return answer;
}

} // namespace orvan::cafe
