#include "store/SetAddress.h"

namespace vexel {

SetAddress SetAddress::file(const QString& path)
{
    SetAddress a;
    a.path_ = path;
    return a;
}

SetAddress SetAddress::onServer(ServerAddress address)
{
    SetAddress a;
    a.isServer_ = true;
    a.server_ = std::move(address);
    return a;
}

Expected<SetAddress> SetAddress::parse(const QString& text)
{
    if (!ServerAddress::isServer(text))
        return file(text);
    Expected<ServerAddress> server = ServerAddress::parse(text, ServerAddress::SetName::Required);
    if (!server)
        return Expected<SetAddress>(server.status());
    return onServer(std::move(server).value());
}

} // namespace vexel
