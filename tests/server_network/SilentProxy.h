#pragma once

#include <QString>

#include <atomic>
#include <thread>

// A port on the loopback that forwards each connection to the cluster's
// Unix socket. Told to go silent, every connection stops forwarding once
// the server has answered its start-up (its first ReadyForQuery), and
// stays open: the kernel still acknowledges all the client sends, as a
// proxy or a firewall that stopped forwarding does.
class SilentProxy {
public:
    explicit SilentProxy(const QString& socketFolder);
    ~SilentProxy();
    SilentProxy(const SilentProxy&) = delete;
    SilentProxy& operator=(const SilentProxy&) = delete;

    int port() const { return port_; }
    // For connections made from now on.
    void goSilent(bool on) { silent_ = on; }
    // How many connections went silent so far.
    int silenced() const { return silenced_; }

private:
    void run();

    QString target_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> silent_{false};
    std::atomic<bool> stop_{false};
    std::atomic<int> silenced_{0};
    std::thread thread_;
};
