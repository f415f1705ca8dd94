#include "sets/SetMerge.h"

#include "store/CopyOrigin.h"
#include "sets/DestinationSet.h"
#include "store/DestinationTable.h"
#include "store/ImportMemory.h"
#include "store/OverrideTable.h"
#include "depot/Preflight.h"
#include "store/ServerAddress.h"
#include "store/SetSchema.h"
#include "store/SignTable.h"

#include <QDir>

#include <algorithm>
#include <map>
#include <optional>
#include <set>

namespace vexel {

namespace {

using Bases = CopyOrigin::Bases;
using States = CopyOrigin::States;

std::map<QString, std::vector<SignOverride>> byDestination(const std::vector<SignOverride>& images)
{
    std::map<QString, std::vector<SignOverride>> out;
    for (const SignOverride& o : images)
        out[SetSchema::key(o.code)].push_back(o);
    return out;
}

// Why the copy's images of a destination cannot go to the server's signs;
// empty when they can.
QString unfit(const QString& code, const std::vector<SignOverride>& images,
              const std::map<QString, VehicleSign>& signs)
{
    for (const SignOverride& o : images) {
        const auto sign = signs.find(SetSchema::key(o.sign));
        if (sign == signs.end())
            return QStringLiteral("%1 has an image made by hand for the sign %2, which the server set does not have; "
                                  "not merged")
                .arg(code, o.sign);
        const auto [w, h] = Preflight::boardSizeOf(o.image);
        if (w > sign->second.width || h > sign->second.height)
            return QStringLiteral("%1's image made by hand does not fit the server's sign %2; not merged").arg(code, o.sign);
    }
    return {};
}

} // namespace

Expected<SetMerge::Report> SetMerge::merge(const QString& copyPath, const QString& serverSet)
{
    using Result = Expected<Report>;
    if (ServerAddress::isServer(copyPath))
        return Result::failure("Cannot merge: the offline copy is a set in a file, not on a server");
    if (!ServerAddress::isServer(serverSet))
        return Result::failure("Cannot merge: the set to merge into is on a server (postgresql://...?set=NAME)");
    auto copyOpened = DestinationSet::open(copyPath, DestinationSet::Access::Edit);
    if (!copyOpened)
        return Result(copyOpened.status());
    DestinationSet& copy = *copyOpened.value();
    const Expected<ServerAddress> address = ServerAddress::parse(serverSet, ServerAddress::SetName::Required);
    if (!address)
        return Result::failure("Cannot merge: " + address.error());
    auto fail = [&](const QString& reason) {
        return Result::failure(QStringLiteral("Cannot merge \"%1\" into \"%2\": ")
                                   .arg(QDir::toNativeSeparators(copy.path()), address->shown())
                                    +
                               reason);
    };

    const CopyOrigin record(copy.database());
    const Expected<std::optional<CopyOrigin::Origin>> origin = record.origin();
    if (!origin)
        return fail(origin.error());
    if (!origin->has_value())
        return fail("it is not an offline copy of a server set (vexel set copy makes one)");
    auto serverOpened = DestinationSet::open(serverSet, DestinationSet::Access::Edit);
    if (!serverOpened)
        return Result(serverOpened.status());
    DestinationSet& server = *serverOpened.value();
    const QString serverId = server.setId();
    if ((*origin)->setId != serverId || copy.setId() != serverId)
        return fail(QStringLiteral("it is a copy of another set (%1), not of this one").arg((*origin)->address));
    const Expected<Bases> bases = record.bases();
    const Expected<States> copied = CopyOrigin::states(copy.database());
    const Expected<std::vector<Destination>> destinations = copy.destinations();
    const Expected<std::vector<SignOverride>> images = copy.overrides();
    // What the copy's texts were at their last import goes with them.
    const Expected<ImportMemory::Texts> memory = copy.importMemory();
    for (const Status& read : {bases.status(), copied.status(), destinations.status(), images.status(), memory.status()})
        if (!read)
            return fail(read.error());
    const std::map<QString, std::vector<SignOverride>> copyImages = byDestination(*images);

    // Destinations in the copy's order, then those the copy removed.
    std::vector<std::pair<QString, std::optional<Destination>>> order;
    for (const Destination& d : *destinations)
        order.emplace_back(SetSchema::key(d.code), d);
    for (const auto& [key, base] : *bases)
        if (!copied->count(key))
            order.emplace_back(key, std::nullopt);

    Report report;
    std::map<QString, std::optional<CopyOrigin::Base>> agreed;
    const Status merged = server.changeWith([&](QSqlDatabase& db) {
        const Expected<States> now = CopyOrigin::states(db);
        const Expected<std::vector<Destination>> current = DestinationTable(db).all();
        const Expected<std::vector<VehicleSign>> signList = SignTable(db).all();
        const Expected<std::vector<SignOverride>> serverImageList = OverrideTable(db).all();
        for (const Status& read : {now.status(), current.status(), signList.status(), serverImageList.status()})
            if (!read)
                return read;
        std::map<QString, Destination> serverRows;
        for (const Destination& d : *current)
            serverRows.emplace(SetSchema::key(d.code), d);
        std::map<QString, VehicleSign> signs;
        for (const VehicleSign& s : *signList)
            signs.emplace(SetSchema::key(s.name), s);
        const std::map<QString, std::vector<SignOverride>> serverImages = byDestination(*serverImageList);
        DestinationTable table(db);
        OverrideTable overrides(db);
        SignTable signTable(db);
        const ChangeStamp stamp = server.stamp();

        for (const auto& [key, d] : order) {
            const auto base = bases->find(key);
            const auto mine = copied->find(key);
            const auto theirs = now->find(key);
            const bool inCopy = mine != copied->end();
            const bool onServer = theirs != now->end();
            const QString code = inCopy ? mine->second.code : base->second.code;
            if (base != bases->end()) {
                if (inCopy && mine->second.digest == base->second.fileDigest)
                    continue;
                const bool serverChanged = !onServer || theirs->second.revision != base->second.revision ||
                                           theirs->second.digest != base->second.serverDigest;
                if (serverChanged) {
                    if (!inCopy && !onServer) {
                        agreed[key] = std::nullopt;
                        continue;
                    }
                    report.refused << (onServer ? QStringLiteral("%1 was changed on the server since the copy; not merged")
                                                : QStringLiteral("%1 was removed on the server since the copy; not merged"))
                                          .arg(code);
                    continue;
                }
                if (!inCopy) {
                    const Expected<std::optional<qint64>> id = table.idOf(code);
                    Status removed = id ? Status::success() : id.status();
                    if (removed && id->has_value())
                        removed = table.remove(**id);
                    if (removed)
                        removed = table.record(code, stamp, QStringLiteral("removed in an offline copy"));
                    if (removed)
                        removed = ImportMemory(db).replace(key, {});
                    if (!removed)
                        return removed;
                    report.removed << code;
                    agreed[key] = std::nullopt;
                    continue;
                }
            } else if (onServer) {
                if (mine->second.digest != theirs->second.digest) {
                    report.refused << QStringLiteral("%1 was added on the server too since the copy; not merged").arg(code);
                    continue;
                }
                agreed[key] = CopyOrigin::Base{code, 0, mine->second.digest, {}};
                continue;
            }

            const auto own = copyImages.find(key);
            const std::vector<SignOverride> noImages;
            const std::vector<SignOverride>& made = own == copyImages.end() ? noImages : own->second;
            const QString problem = unfit(code, made, signs);
            if (!problem.isEmpty()) {
                report.refused << problem;
                continue;
            }
            Destination incoming = *d;
            incoming.revision = 0;
            Status done = DestinationTable::check(incoming);
            if (done && !onServer) {
                done = table.insert(incoming, stamp);
                if (done)
                    done = table.record(code, stamp, QStringLiteral("added in an offline copy"));
                report.added << code;
            }
            const Expected<std::optional<qint64>> id = done ? table.idOf(code) : Expected<std::optional<qint64>>(done);
            if (!id)
                return id.status();
            if (!id->has_value())
                return Status::failure(QStringLiteral("destination %1 is not there after it was written").arg(code));
            if (onServer) {
                const Destination& before = serverRows.at(key);
                if (before != incoming)
                    done = table.update(**id, incoming, stamp);
                if (done)
                    done = table.record(code, stamp,
                                        QStringLiteral("in an offline copy: ") +
                                            (before != incoming ? DestinationTable::describe(before, incoming)
                                                                : QStringLiteral("images made by hand")));
                const auto had = serverImages.find(key);
                if (had != serverImages.end())
                    for (const SignOverride& o : had->second) {
                        const bool kept = std::any_of(made.begin(), made.end(), [&](const SignOverride& m) {
                            return SetSchema::key(m.sign) == SetSchema::key(o.sign);
                        });
                        const Expected<std::optional<qint64>> sign = done && !kept ? signTable.idOf(o.sign)
                                                                                   : Expected<std::optional<qint64>>(std::nullopt);
                        if (!sign)
                            return sign.status();
                        if (sign->has_value())
                            done = overrides.remove(**id, **sign);
                    }
                report.changed << code;
            }
            for (const SignOverride& o : made) {
                const Expected<std::optional<qint64>> sign = done ? signTable.idOf(o.sign) : Expected<std::optional<qint64>>(done);
                if (!sign)
                    return sign.status();
                if (sign->has_value())
                    done = overrides.store(**id, **sign, o);
            }
            if (done) {
                const auto texts = memory->find(key);
                done = ImportMemory(db).replace(key, texts == memory->end() ? std::map<QString, ImportMemory::Text>()
                                                                            : texts->second);
            }
            if (!done)
                return done;
            agreed[key] = CopyOrigin::Base{code, 0, mine->second.digest, {}};
        }
        // What the server now holds is what the copy agrees with.
        const Expected<States> after = CopyOrigin::states(db);
        if (!after)
            return after.status();
        for (auto& [key, base] : agreed) {
            if (!base)
                continue;
            const auto there = after->find(key);
            if (there == after->end())
                return Status::failure(QStringLiteral("destination %1 is not there after it was written").arg(base->code));
            base->revision = there->second.revision;
            base->serverDigest = there->second.digest;
        }
        return Status::success();
    });
    if (!merged)
        return fail(merged.error());
    if (agreed.empty())
        return report;
    const Status remembered = copy.changeWith([&](QSqlDatabase& db) {
        CopyOrigin mine(db);
        for (const auto& [key, base] : agreed) {
            const Status set = mine.setBase(key, base);
            if (!set)
                return set;
        }
        return Status::success();
    });
    if (!remembered)
        report.warning = QStringLiteral("The server set has the changes, but the copy could not record it (%1); "
                                        "make a new copy before working offline again")
                             .arg(remembered.error());
    return report;
}

} // namespace vexel
