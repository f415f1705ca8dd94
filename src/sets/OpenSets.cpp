#include "sets/OpenSets.h"

#include "store/ServerAddress.h"

#include <QDir>
#include <QFileInfo>

#include <map>

namespace vexel {

namespace {

using Shared = std::map<QString, std::weak_ptr<DestinationSet>>;

Shared& shared()
{
    thread_local Shared sets;
    return sets;
}

} // namespace

QString OpenSets::key(const QString& address)
{
    const Expected<SetAddress> parsed = SetAddress::parse(address);
    return parsed ? key(*parsed) : address;
}

QString OpenSets::key(const SetAddress& address)
{
    if (address.isServer())
        return address.shown();
    const QFileInfo info(address.path());
    const QString real = info.canonicalFilePath();
    return real.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : real;
}

Expected<std::shared_ptr<DestinationSet>> OpenSets::open(const QString& address, DestinationSet::Access access)
{
    const Expected<SetAddress> parsed = DestinationSet::readAddress(address);
    if (!parsed)
        return parsed.status();
    return open(*parsed, access);
}

Expected<std::shared_ptr<DestinationSet>> OpenSets::open(const SetAddress& address, DestinationSet::Access access)
{
    using Result = Expected<std::shared_ptr<DestinationSet>>;
    const QString at = key(address);
    Shared& sets = shared();
    std::shared_ptr<DestinationSet> held;
    if (const auto found = sets.find(at); found != sets.end())
        held = found->second.lock();
    if (held && (!held->readOnly() || access == DestinationSet::Access::Read))
        return held;
    Expected<std::unique_ptr<DestinationSet>> opened = DestinationSet::open(address, access);
    if (!opened)
        return held && access == DestinationSet::Access::EditOrRead ? Result(held) : Result(opened.status());
    std::shared_ptr<DestinationSet> set(std::move(opened).value());
    if (held && set->readOnly())
        return held;
    if (access != DestinationSet::Access::Read)
        sets[at] = set;
    return set;
}

} // namespace vexel
