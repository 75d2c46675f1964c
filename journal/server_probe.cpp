// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/server_probe.h"

#include <cerrno>
#include <memory>

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace journal {

namespace {

using Clock = std::chrono::steady_clock;

struct AddressesFree {
    void operator()(addrinfo* list) const { freeaddrinfo(list); }
};

// Whether a connection to `address` is accepted before `deadline`.
bool Accepts(const addrinfo& address, Clock::time_point deadline)
{
    const int fd = socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                          address.ai_protocol);
    if (fd < 0) {
        return false;
    }
    bool accepted = connect(fd, address.ai_addr, address.ai_addrlen) == 0;
    if (!accepted && errno == EINPROGRESS) {
        pollfd waiting{fd, POLLOUT, 0};
        int ready = 0;
        do {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            ready = left.count() > 0 ? poll(&waiting, 1, static_cast<int>(left.count())) : 0;
        } while (ready < 0 && errno == EINTR);
        int error = 0;
        socklen_t size = sizeof error;
        accepted =
            ready == 1 && getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
    }
    close(fd);
    return accepted;
}

} // namespace

ServerReach ProbeServer(const QString& host, int port, std::chrono::milliseconds timeout)
{
    const Clock::time_point deadline = Clock::now() + timeout;
    addrinfo wanted{};
    wanted.ai_family = AF_UNSPEC;
    wanted.ai_socktype = SOCK_STREAM;
    wanted.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const int resolved = getaddrinfo(host.toUtf8().constData(),
                                     QByteArray::number(port).constData(), &wanted, &found);
    if (resolved == EAI_NONAME || resolved == EAI_FAIL
#ifdef EAI_NODATA
        || resolved == EAI_NODATA
#endif
    ) {
        return ServerReach::UnknownHost;
    }
    if (resolved != 0) {
        return ServerReach::CannotTell;
    }
    const std::unique_ptr<addrinfo, AddressesFree> addresses(found);
    for (const addrinfo* a = addresses.get(); a != nullptr && Clock::now() < deadline;
         a = a->ai_next) {
        if (Accepts(*a, deadline)) {
            return ServerReach::Answers;
        }
    }
    return ServerReach::Silent;
}

} // namespace journal
