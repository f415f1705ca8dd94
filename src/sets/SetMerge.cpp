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

#include <QCoreApplication>
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
            return QCoreApplication::translate("SetMerge", "%1 has an image made by hand for the sign %2, which the "
                                                           "server set does not have; not merged")
                .arg(code, o.sign);
        const auto [w, h] = Preflight::boardSizeOf(o.image);
        if (w > sign->second.width || h > sign->second.height)
            return QCoreApplication::translate("SetMerge", "%1's image made by hand does not fit the server's sign %2; not merged").arg(code, o.sign);
    }
    return {};
}

using Agreed = std::map<QString, std::optional<CopyOrigin::Base>>; // by code key; none: gone from both

// What the offline copy brings, read before the server's change begins.
struct CopySide {
    Bases bases;
    States states;
    std::map<QString, std::vector<SignOverride>> images; // by code key
    // What the copy's texts were at their last import goes with them.
    ImportMemory::Texts memory;
    // Destinations in the copy's order, then those the copy removed.
    std::vector<std::pair<QString, std::optional<Destination>>> order;
};

Expected<CopySide> readCopy(const DestinationSet& copy, const QSqlDatabase& db)
{
    const Expected<Bases> bases = CopyOrigin(db).bases();
    const Expected<States> copied = CopyOrigin::states(db);
    const Expected<std::vector<Destination>> destinations = copy.destinations();
    const Expected<std::vector<SignOverride>> images = copy.overrides();
    const Expected<ImportMemory::Texts> memory = copy.importMemory();
    for (const Status& read : {bases.status(), copied.status(), destinations.status(), images.status(), memory.status()})
        if (!read)
            return read;
    CopySide out{*bases, *copied, byDestination(*images), *memory, {}};
    for (const Destination& d : *destinations)
        out.order.emplace_back(SetSchema::key(d.code), d);
    for (const auto& [key, base] : out.bases)
        if (!out.states.count(key))
            out.order.emplace_back(key, std::nullopt);
    return out;
}

// The copy's changes written to the server in its one transaction: each
// destination the copy changed since the two last agreed, unless the server
// changed it too, with its images made by hand and its import memory.
class ServerMerge {
public:
    ServerMerge(QSqlDatabase& db, const CopySide& copy, const ChangeStamp& stamp, SetMerge::Report& report,
                Agreed& agreed)
        : db_(db), copy_(copy), stamp_(stamp), report_(report), agreed_(agreed), table_(db), overrides_(db),
          signTable_(db)
    {
    }

    Status run()
    {
        const Status read = readServer();
        if (!read)
            return read;
        for (const auto& [key, d] : copy_.order)
            if (const Status merged = mergeOne(key, d); !merged)
                return merged;
        return settle();
    }

private:
    Status readServer()
    {
        Expected<States> now = CopyOrigin::states(db_);
        const Expected<std::vector<Destination>> current = DestinationTable(db_).all();
        const Expected<std::vector<VehicleSign>> signList = SignTable(db_).all();
        const Expected<std::vector<SignOverride>> serverImageList = OverrideTable(db_).all();
        for (const Status& read : {now.status(), current.status(), signList.status(), serverImageList.status()})
            if (!read)
                return read;
        now_ = std::move(now).value();
        for (const Destination& d : *current)
            serverRows_.emplace(SetSchema::key(d.code), d);
        for (const VehicleSign& s : *signList)
            signs_.emplace(SetSchema::key(s.name), s);
        serverImages_ = byDestination(*serverImageList);
        return Status::success();
    }

    // Which side changed the destination since the last agreement decides
    // whether it is written, removed, refused or left alone.
    Status mergeOne(const QString& key, const std::optional<Destination>& d)
    {
        const auto base = copy_.bases.find(key);
        const auto mine = copy_.states.find(key);
        const auto theirs = now_.find(key);
        const bool inCopy = mine != copy_.states.end();
        const bool onServer = theirs != now_.end();
        const QString code = inCopy ? mine->second.code : base->second.code;
        if (base != copy_.bases.end()) {
            if (inCopy && mine->second.digest == base->second.fileDigest)
                return Status::success();
            const bool serverChanged = !onServer || theirs->second.revision != base->second.revision ||
                                       theirs->second.digest != base->second.serverDigest;
            if (serverChanged) {
                if (!inCopy && !onServer)
                    agreed_[key] = std::nullopt;
                else
                    report_.refused << (onServer ? QCoreApplication::translate("SetMerge", "%1 was changed on the server since the copy; not merged")
                                                 : QCoreApplication::translate("SetMerge", "%1 was removed on the server since the copy; not merged"))
                                           .arg(code);
                return Status::success();
            }
            if (!inCopy)
                return remove(key, code);
        } else if (onServer) {
            if (mine->second.digest != theirs->second.digest)
                report_.refused << QCoreApplication::translate("SetMerge", "%1 was added on the server too since the copy; not merged").arg(code);
            else
                agreed_[key] = CopyOrigin::Base{code, 0, mine->second.digest, {}};
            return Status::success();
        }
        return write(key, *d, code, onServer, mine->second.digest);
    }

    Status remove(const QString& key, const QString& code)
    {
        const Expected<std::optional<qint64>> id = table_.idOf(code);
        Status removed = id ? Status::success() : id.status();
        if (removed && id->has_value())
            removed = table_.remove(**id);
        if (removed)
            removed = table_.record(code, stamp_, QStringLiteral("removed in an offline copy"));
        if (removed)
            removed = ImportMemory(db_).replace(key, {});
        if (!removed)
            return removed;
        report_.removed << code;
        agreed_[key] = std::nullopt;
        return Status::success();
    }

    // The copy's destination added or written over the server's.
    Status write(const QString& key, const Destination& d, const QString& code, bool onServer, const QString& digest)
    {
        static const std::vector<SignOverride> noImages;
        const auto own = copy_.images.find(key);
        const std::vector<SignOverride>& made = own == copy_.images.end() ? noImages : own->second;
        const QString problem = unfit(code, made, signs_);
        if (!problem.isEmpty()) {
            report_.refused << problem;
            return Status::success();
        }
        Destination incoming = d;
        incoming.revision = 0;
        Status done = DestinationTable::check(incoming);
        if (done && !onServer) {
            done = table_.insert(incoming, stamp_);
            if (done)
                done = table_.record(code, stamp_, QStringLiteral("added in an offline copy"));
            report_.added << code;
        }
        const Expected<std::optional<qint64>> id = done ? table_.idOf(code) : Expected<std::optional<qint64>>(done);
        if (!id)
            return id.status();
        if (!id->has_value())
            return Status::failure(QCoreApplication::translate("SetMerge", "destination %1 is not there after it was written").arg(code));
        if (onServer) {
            done = update(key, code, incoming, **id, made);
            report_.changed << code;
        }
        if (done)
            done = storeImages(**id, made);
        if (done) {
            const auto texts = copy_.memory.find(key);
            done = ImportMemory(db_).replace(key, texts == copy_.memory.end() ? std::map<QString, ImportMemory::Text>()
                                                                                : texts->second);
        }
        if (!done)
            return done;
        agreed_[key] = CopyOrigin::Base{code, 0, digest, {}};
        return Status::success();
    }

    // The server's row takes the copy's texts; its images made by hand for
    // signs the copy has none for go.
    Status update(const QString& key, const QString& code, const Destination& incoming, qint64 id,
                  const std::vector<SignOverride>& made)
    {
        const Destination& before = serverRows_.at(key);
        Status done = Status::success();
        if (before != incoming)
            done = table_.update(id, incoming, stamp_);
        if (done)
            done = table_.record(code, stamp_,
                                 QStringLiteral("in an offline copy: ") +
                                     (before != incoming ? DestinationTable::describe(before, incoming)
                                                         : QStringLiteral("images made by hand")));
        const auto had = serverImages_.find(key);
        if (!done || had == serverImages_.end())
            return done;
        for (const SignOverride& o : had->second) {
            const bool kept = std::any_of(made.begin(), made.end(), [&](const SignOverride& m) {
                return SetSchema::key(m.sign) == SetSchema::key(o.sign);
            });
            if (kept)
                continue;
            const Expected<std::optional<qint64>> sign = signTable_.idOf(o.sign);
            if (!sign)
                return sign.status();
            if (sign->has_value())
                if (const Status removed = overrides_.remove(id, **sign); !removed)
                    return removed;
        }
        return done;
    }

    Status storeImages(qint64 id, const std::vector<SignOverride>& made)
    {
        for (const SignOverride& o : made) {
            const Expected<std::optional<qint64>> sign = signTable_.idOf(o.sign);
            if (!sign)
                return sign.status();
            if (sign->has_value())
                if (const Status stored = overrides_.store(id, **sign, o); !stored)
                    return stored;
        }
        return Status::success();
    }

    // What the server now holds is what the copy agrees with.
    Status settle()
    {
        const Expected<States> after = CopyOrigin::states(db_);
        if (!after)
            return after.status();
        for (auto& [key, base] : agreed_) {
            if (!base)
                continue;
            const auto there = after->find(key);
            if (there == after->end())
                return Status::failure(QCoreApplication::translate("SetMerge", "destination %1 is not there after it was written").arg(base->code));
            base->revision = there->second.revision;
            base->serverDigest = there->second.digest;
        }
        return Status::success();
    }

    QSqlDatabase& db_;
    const CopySide& copy_;
    const ChangeStamp stamp_;
    SetMerge::Report& report_;
    Agreed& agreed_;
    DestinationTable table_;
    OverrideTable overrides_;
    SignTable signTable_;
    States now_;
    std::map<QString, Destination> serverRows_;
    std::map<QString, VehicleSign> signs_;
    std::map<QString, std::vector<SignOverride>> serverImages_;
};

} // namespace

Expected<SetMerge::Report> SetMerge::merge(const QString& copyPath, const QString& serverSet)
{
    using Result = Expected<Report>;
    if (ServerAddress::isServer(copyPath))
        return Result::failure(QCoreApplication::translate("SetMerge", "Cannot merge: the offline copy is a set in a file, not on a server"));
    if (!ServerAddress::isServer(serverSet))
        return Result::failure(QCoreApplication::translate("SetMerge", "Cannot merge: the set to merge into is on a server (postgresql://...?set=NAME)"));
    auto copyOpened = DestinationSet::open(copyPath, DestinationSet::Access::Edit);
    if (!copyOpened)
        return Result(copyOpened.status());
    DestinationSet& copy = *copyOpened.value();
    const Expected<ServerAddress> address = ServerAddress::parse(serverSet, ServerAddress::SetName::Required);
    if (!address)
        return Result::failure(QCoreApplication::translate("SetMerge", "Cannot merge: ") + address.error());
    auto fail = [&](const QString& reason) {
        return Result::failure(QCoreApplication::translate("SetMerge", "Cannot merge \"%1\" into \"%2\": ")
                                   .arg(QDir::toNativeSeparators(copy.path()), address->shown()) + reason);
    };

    const Expected<std::optional<CopyOrigin::Origin>> origin = CopyOrigin(copy.database()).origin();
    if (!origin)
        return fail(origin.error());
    if (!origin->has_value())
        return fail(QCoreApplication::translate("SetMerge", "it is not an offline copy of a server set (vexel set copy makes one)"));
    auto serverOpened = DestinationSet::open(serverSet, DestinationSet::Access::Edit);
    if (!serverOpened)
        return Result(serverOpened.status());
    DestinationSet& server = *serverOpened.value();
    const QString serverId = server.setId();
    if ((*origin)->setId != serverId || copy.setId() != serverId)
        return fail(QCoreApplication::translate("SetMerge", "it is a copy of another set (%1), not of this one").arg((*origin)->address));
    const Expected<CopySide> side = readCopy(copy, copy.database());
    if (!side)
        return fail(side.error());

    Report report;
    Agreed agreed;
    const Status merged = server.changeWith([&](QSqlDatabase& db) {
        return ServerMerge(db, *side, server.stamp(), report, agreed).run();
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
        report.warning = QCoreApplication::translate("SetMerge", "The server set has the changes, but the copy could not "
                                                                     "record it (%1); make a new copy before working "
                                                                     "offline again")
                             .arg(remembered.error());
    return report;
}

} // namespace vexel
