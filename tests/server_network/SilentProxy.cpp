#include "SilentProxy.h"

#include <QByteArray>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace {

struct Pair {
    int client;
    int server;
    bool silenceAfterStartup;
    bool silent = false;
};

bool forward(int from, int to, QByteArray* seen = nullptr)
{
    char buffer[65536];
    const ssize_t n = ::read(from, buffer, sizeof buffer);
    if (n <= 0)
        return false;
    if (seen)
        *seen = QByteArray(buffer, n);
    for (ssize_t done = 0; done < n;) {
        const ssize_t w = ::write(to, buffer + done, static_cast<size_t>(n - done));
        if (w <= 0)
            return false;
        done += w;
    }
    return true;
}

} // namespace

SilentProxy::SilentProxy(const QString& socketFolder) : target_(socketFolder + QStringLiteral("/.s.PGSQL.5432"))
{
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(listener_, 16) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return;
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { run(); });
}

SilentProxy::~SilentProxy()
{
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
    ::close(listener_);
}

void SilentProxy::run()
{
    std::vector<Pair> pairs;
    while (!stop_) {
        std::vector<pollfd> fds{{listener_, POLLIN, 0}};
        for (const Pair& p : pairs)
            if (!p.silent)
                fds.insert(fds.end(), {{p.client, POLLIN, 0}, {p.server, POLLIN, 0}});
        const std::size_t polled = pairs.size();
        if (::poll(fds.data(), fds.size(), 50) <= 0)
            continue;
        if (fds[0].revents & POLLIN) {
            const int client = ::accept(listener_, nullptr, nullptr);
            const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un to{};
            to.sun_family = AF_UNIX;
            std::strncpy(to.sun_path, target_.toLocal8Bit().constData(), sizeof to.sun_path - 1);
            if (::connect(server, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0)
                pairs.push_back({client, server, silent_});
            else
                ::close(client), ::close(server);
        }
        std::size_t at = 1;
        for (std::size_t i = 0; i < polled; ++i) {
            Pair& p = pairs[i];
            if (p.silent)
                continue;
            const pollfd c = fds[at++];
            const pollfd s = fds[at++];
            QByteArray seen;
            bool open = !(c.revents & (POLLIN | POLLHUP)) || forward(p.client, p.server);
            open = open && (!(s.revents & (POLLIN | POLLHUP)) || forward(p.server, p.client, &seen));
            if (open && p.silenceAfterStartup && seen.contains(QByteArray("Z\0\0\0\5", 5))) {
                p.silent = true;
                ++silenced_;
            }
            if (!open) {
                ::close(p.client);
                ::close(p.server);
                p.client = p.server = -1;
                p.silent = true;
            }
        }
    }
    for (const Pair& p : pairs)
        if (p.client >= 0)
            ::close(p.client), ::close(p.server);
}
