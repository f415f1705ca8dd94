#pragma once

#include "store/ServerAddress.h"
#include "document/Result.h"

#include <QString>

namespace vexel {

// Where a destination set lives: a file's path, or a set on a server. It is
// read once, where it is typed or read from a file, and passed on as this
// value; the server's password stays in it and is never shown.
class SetAddress {
public:
    SetAddress() = default; // no set
    static SetAddress file(const QString& path);
    static SetAddress onServer(ServerAddress address);
    // Text written as a server address is read as one (and must name a
    // set); any other text is a file's path.
    static Expected<SetAddress> parse(const QString& text);

    bool isServer() const { return isServer_; }
    bool isEmpty() const { return !isServer_ && path_.isEmpty(); }
    // The file's path, as given.
    const QString& path() const { return path_; }
    const ServerAddress& server() const { return server_; }

    // As it may be shown and stored: the path, or the server address
    // without its password.
    QString shown() const { return isServer_ ? server_.shown() : path_; }

private:
    bool isServer_ = false;
    QString path_;
    ServerAddress server_;
};

} // namespace vexel
