#include "fleet/FleetStatus.h"

#include "sets/DestinationSet.h"
#include "fleet/BusList.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSet>

#include <algorithm>
#include <tuple>

namespace vexel {

namespace {

QDateTime timeOf(const QString& stored) { return QDateTime::fromString(stored, Qt::ISODateWithMs).toUTC(); }

// When a release came to count: its time, or the start of its valid-from
// day where that is later.
QDateTime inForce(const ReleaseTable::Release& r)
{
    if (!r.validFrom.isValid())
        return r.time;
    return std::max(r.time, r.validFrom.startOfDay().toUTC());
}

} // namespace

QString FleetStatus::codeOf(const QString& fileName)
{
    return fileName.endsWith(QLatin1String(".img"), Qt::CaseInsensitive) ? fileName.chopped(4) : fileName;
}

FleetStatus::SetFacts FleetStatus::factsOf(const DestinationSet& set, const QDate& today)
{
    SetFacts facts;
    facts.id = set.setId();
    const Expected<std::vector<VehicleSign>> signs = set.signs();
    const Expected<std::vector<ReleaseTable::Release>> releases = set.releases();
    if (!signs || !releases) {
        facts.problem = !signs ? signs.error() : releases.error();
        return facts;
    }
    for (const VehicleSign& s : *signs) {
        facts.signs << s.name;
        facts.sizes.emplace_back(s.width, s.height);
    }
    const ReleaseTable::Release* latest = ReleaseTable::inForce(*releases, today);
    if (!latest) {
        // Kept in English, as the command line and the CSV give it; the
        // Fleet window shows it in the interface's language.
        facts.problem = QLatin1String(releases->empty()
                                          ? QT_TRANSLATE_NOOP("FleetStatus", "its set has never been released")
                                          : QT_TRANSLATE_NOOP("FleetStatus", "no release of its set counts yet"));
        return facts;
    }
    facts.latest = latest->number;
    facts.folder = latest->folder;
    const Expected<std::vector<ReleaseTable::Image>> images = set.releasedImages();
    if (!images) {
        facts.problem = images.error();
        return facts;
    }
    // Each released image by version, sign and code, to find how far back
    // the latest's image of a code goes unchanged.
    QHash<QString, QString> sumAt;
    const auto key = [](int version, const QString& sign, const QString& code) {
        return QString::number(version) + QChar(0) + sign.toLower() + QChar(0) + code.toLower();
    };
    for (const ReleaseTable::Image& i : *images)
        if (i.version <= latest->number)
            sumAt.insert(key(i.version, i.sign, i.code), i.sum);
    std::vector<const ReleaseTable::Release*> upTo;
    for (const ReleaseTable::Release& r : *releases)
        if (r.number <= latest->number)
            upTo.push_back(&r);
    for (const ReleaseTable::Image& i : *images) {
        if (i.version != latest->number)
            continue;
        QDateTime since = inForce(*latest);
        for (auto r = upTo.rbegin(); r != upTo.rend(); ++r) {
            if (sumAt.value(key((*r)->number, i.sign, i.code)) != i.sum)
                break;
            since = inForce(**r);
        }
        facts.codes[i.sign.toLower()].push_back({i.code, i.sum, since});
    }
    return facts;
}

std::map<QString, FleetStatus::SetFacts> FleetStatus::openSets(const std::vector<Bus>& buses, const QDate& today)
{
    std::map<QString, SetFacts> sets;
    for (const Bus& b : buses) {
        if (sets.count(b.set))
            continue;
        const auto opened = DestinationSet::open(b.set, DestinationSet::Access::Read);
        if (!opened) {
            SetFacts f;
            f.problem = opened.error();
            sets.emplace(b.set, f);
            continue;
        }
        sets.emplace(b.set, factsOf(*opened.value(), today));
    }
    return sets;
}

namespace {

// One sign of a listed bus against its set's latest release: `s` is its
// place among the set's signs, `last` the last good send it took (if any).
FleetSignState signState(const Bus& b, const FleetStatus::SetFacts& facts, int s, const GoodSend* last)
{
    const QString& signName = facts.signs[s];
    FleetSignState sign;
    sign.sign = signName;
    if (static_cast<std::size_t>(s) < facts.sizes.size())
        std::tie(sign.width, sign.height) = facts.sizes[static_cast<std::size_t>(s)];
    sign.latestVersion = facts.latest;
    QHash<QString, QString> carried; // code (lower case) -> sum
    if (last) {
        sign.lastSend = timeOf(last->time);
        sign.lastStation = last->station;
        // A version counts only from a release of this very set.
        if (!facts.id.isEmpty() && last->setId == facts.id)
            sign.carriedVersion = last->version;
        for (int i = 0; i < last->files.size(); ++i)
            carried.insert(FleetStatus::codeOf(last->files[i]).toLower(), last->sums.value(i));
    }
    const auto codes = facts.codes.find(signName.toLower());
    if (codes == facts.codes.end())
        return sign;
    QSet<QString> served;
    for (const QString& c : b.codes)
        served.insert(c.toLower());
    for (const FleetStatus::ReleasedCode& c : codes->second) {
        if (!b.everyCode() && !served.contains(c.code.toLower()))
            continue;
        const auto have = carried.constFind(c.code.toLower());
        if (have != carried.constEnd() && !have->isEmpty() && *have == c.sum)
            continue;
        sign.behind << c.code;
        // Sent an older image after the new one came: behind since that send.
        QDateTime since = c.since;
        if (have != carried.constEnd() && sign.lastSend > since)
            since = sign.lastSend;
        if (!sign.since.isValid() || since < sign.since)
            sign.since = since;
    }
    return sign;
}

FleetBusState listedBus(const Bus& b, const std::map<QString, FleetStatus::SetFacts>& sets,
                        const QHash<QString, const GoodSend*>& bySign)
{
    FleetBusState state;
    state.bus = b;
    const auto found = sets.find(b.set);
    if (found == sets.end()) {
        state.problem = QLatin1String(QT_TRANSLATE_NOOP("FleetStatus", "its set was not read"));
        return state;
    }
    const FleetStatus::SetFacts& facts = found->second;
    state.setId = facts.id;
    state.releaseFolder = facts.folder;
    state.problem = facts.problem;
    if (!facts.problem.isEmpty() && facts.latest == 0 && facts.signs.isEmpty())
        return state;
    for (int s = 0; s < facts.signs.size(); ++s)
        state.signs.push_back(signState(b, facts, s, bySign.value(b.number + QChar(0) + facts.signs[s].toLower())));
    return state;
}

// A bus the journal knows and the list does not, with the signs it sent to.
FleetBusState unlistedBus(const QString& number, std::vector<const GoodSend*> sends)
{
    FleetBusState state;
    state.bus.number = number;
    state.bus.codes.clear();
    state.listed = false;
    std::sort(sends.begin(), sends.end(), [](const GoodSend* a, const GoodSend* b) { return a->sign < b->sign; });
    for (const GoodSend* g : sends) {
        FleetSignState sign;
        sign.sign = g->sign;
        sign.carriedVersion = g->version;
        sign.lastSend = timeOf(g->time);
        sign.lastStation = g->station;
        state.signs.push_back(std::move(sign));
    }
    return state;
}

} // namespace

std::vector<FleetBusState> FleetStatus::work(const std::vector<Bus>& buses, const std::vector<GoodSend>& lastSends,
                                             const std::map<QString, SetFacts>& sets)
{
    QHash<QString, const GoodSend*> bySign; // bus NUL sign (lower case)
    QHash<QString, std::vector<const GoodSend*>> byBus;
    for (const GoodSend& g : lastSends) {
        bySign.insert(g.bus + QChar(0) + g.sign.toLower(), &g);
        byBus[g.bus].push_back(&g);
    }
    std::vector<FleetBusState> out;
    out.reserve(buses.size());
    QSet<QString> listed;
    for (const Bus& b : buses) {
        listed.insert(b.number);
        out.push_back(listedBus(b, sets, bySign));
    }
    for (auto it = byBus.cbegin(); it != byBus.cend(); ++it)
        if (!listed.contains(it.key()) && !it.key().isEmpty())
            out.push_back(unlistedBus(it.key(), it.value()));
    std::sort(out.begin(), out.end(), [](const FleetBusState& a, const FleetBusState& b) {
        return BusList::naturalLess(a.bus.number, b.bus.number);
    });
    return out;
}

Expected<std::vector<FleetBusState>> FleetStatus::load(const SendJournal& journal, const QDate& today,
                                                     QStringList* skipped)
{
    const Expected<std::vector<Bus>> buses = BusList(journal).buses(skipped);
    if (!buses)
        return buses.status();
    const Expected<std::vector<GoodSend>> sends = journal.lastGoodSends({}, skipped);
    if (!sends)
        return sends.status();
    return work(*buses, *sends, openSets(*buses, today));
}

bool FleetStatus::upToDate(const FleetBusState& state)
{
    if (!state.listed || !state.problem.isEmpty() || state.signs.empty())
        return false;
    return std::all_of(state.signs.begin(), state.signs.end(),
                       [](const FleetSignState& s) { return s.latestVersion > 0 && !s.isBehind(); });
}

QString FleetStatus::countText(const std::vector<FleetBusState>& buses)
{
    // Shown in the Fleet window in the interface's language; the command
    // line loads no translation, so it prints these in English.
    const auto text = [](const char* english) { return QCoreApplication::translate("FleetStatus", english); };
    if (buses.empty())
        return text(QT_TRANSLATE_NOOP("FleetStatus", "No buses."));
    const QLocale english(QLocale::English);
    const long long total = static_cast<long long>(buses.size());
    const bool one = total == 1;
    const bool released = std::any_of(buses.begin(), buses.end(), [](const FleetBusState& b) {
        return std::any_of(b.signs.begin(), b.signs.end(), [](const FleetSignState& s) { return s.latestVersion > 0; });
    });
    if (!released)
        return text(one ? QT_TRANSLATE_NOOP("FleetStatus", "%1 bus: none released")
                        : QT_TRANSLATE_NOOP("FleetStatus", "%1 buses: none released"))
            .arg(english.toString(total));
    const long long current = std::count_if(buses.begin(), buses.end(), &FleetStatus::upToDate);
    return text(one ? QT_TRANSLATE_NOOP("FleetStatus", "%1 of %2 bus up to date on every sign")
                    : QT_TRANSLATE_NOOP("FleetStatus", "%1 of %2 buses up to date on every sign"))
        .arg(english.toString(current), english.toString(total));
}

std::vector<FleetBusState> FleetStatus::filtered(const std::vector<FleetBusState>& all, const FleetFilter& filter)
{
    std::vector<FleetBusState> out;
    for (const FleetBusState& s : all) {
        if (!filter.depot.trimmed().isEmpty() && s.bus.depot.compare(filter.depot.trimmed(), Qt::CaseInsensitive) != 0)
            continue;
        if (!filter.set.trimmed().isEmpty() && s.bus.set != filter.set.trimmed() && s.setId != filter.set.trimmed())
            continue;
        if (!filter.bus.trimmed().isEmpty() && s.bus.number != filter.bus.trimmed())
            continue;
        if (filter.behindOnly && !s.isBehind())
            continue;
        out.push_back(s);
    }
    return out;
}

} // namespace vexel
