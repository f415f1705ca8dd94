#include "sets/VersionDiff.h"

#include <QHash>

#include <functional>

namespace vexel {

namespace {

struct Field {
    const char* name;
    std::function<QString(const Destination&)> text;
};

const Field fields[] = {
    {"code", [](const Destination& d) { return d.code; }},
    {"route", [](const Destination& d) { return d.route; }},
    {"destination_ka", [](const Destination& d) { return d.destinationKa; }},
    {"destination_en", [](const Destination& d) { return d.destinationEn; }},
    {"via_ka", [](const Destination& d) { return d.viaKa; }},
    {"via_en", [](const Destination& d) { return d.viaEn; }},
    {"service", [](const Destination& d) { return d.service; }},
    {"note", [](const Destination& d) { return d.note; }},
    {"in_use", [](const Destination& d) { return d.inUse ? QStringLiteral("yes") : QStringLiteral("no"); }},
};

QString key(const QString& sign, const QString& code) { return sign.toLower() + QChar(0) + code.toLower(); }

// Both versions' images by sign and code, and the signs in the order the
// versions name them, each once.
class VersionImages {
public:
    VersionImages(const SetVersion& older, const SetVersion& newer)
    {
        QHash<QString, bool> seenSign;
        for (const auto& [images, into] : {std::make_pair(&newer.images, &after_), std::make_pair(&older.images, &before_)})
            for (const SetVersion::Image& i : *images) {
                into->insert(key(i.sign, i.code), &i.image);
                if (!seenSign.contains(i.sign.toLower())) {
                    seenSign.insert(i.sign.toLower(), true);
                    signs_ << i.sign;
                }
            }
    }

    // The images of `code` that differ between the versions, sign by sign.
    std::vector<SignImageChange> changes(const QString& code) const
    {
        std::vector<SignImageChange> out;
        for (const QString& sign : signs_) {
            const ImageRecord* a = before_.value(key(sign, code));
            const ImageRecord* b = after_.value(key(sign, code));
            if (a == b || (a && b && *a == *b))
                continue;
            SignImageChange s;
            s.sign = sign;
            if (a)
                s.before = *a;
            if (b)
                s.after = *b;
            out.push_back(std::move(s));
        }
        return out;
    }

private:
    QStringList signs_;
    QHash<QString, const ImageRecord*> before_;
    QHash<QString, const ImageRecord*> after_;
};

std::vector<TextChange> textChanges(const Destination& was, const Destination& now)
{
    std::vector<TextChange> out;
    for (const Field& f : fields) {
        const QString a = f.text(was);
        const QString b = f.text(now);
        if (a != b)
            out.push_back(TextChange{QLatin1String(f.name), a, b, false, false, {}});
    }
    return out;
}

} // namespace

int VersionDiff::count(VersionChange::Kind kind) const
{
    int n = 0;
    for (const VersionChange& c : changes)
        n += c.kind == kind ? 1 : 0;
    return n;
}

VersionDiff diffVersions(const SetVersion& older, const SetVersion& newer)
{
    VersionDiff diff;
    diff.from = older.number;
    diff.to = newer.number;
    const VersionImages images(older, newer);

    QHash<QString, const Destination*> old;
    for (const Destination& d : older.destinations)
        old.insert(d.code.toLower(), &d);
    QHash<QString, bool> kept;
    for (const Destination& d : newer.destinations) {
        VersionChange change;
        change.code = d.code;
        change.after = d;
        const Destination* was = old.value(d.code.toLower());
        if (!was) {
            change.kind = VersionChange::Kind::Added;
        } else {
            kept.insert(d.code.toLower(), true);
            change.before = *was;
            change.texts = textChanges(*was, d);
        }
        change.images = images.changes(d.code);
        if (change.kind == VersionChange::Kind::Added || !change.texts.empty() || !change.images.empty())
            diff.changes.push_back(std::move(change));
    }
    for (const Destination& d : older.destinations) {
        if (kept.contains(d.code.toLower()))
            continue;
        VersionChange change;
        change.kind = VersionChange::Kind::Removed;
        change.code = d.code;
        change.before = d;
        change.images = images.changes(d.code);
        diff.changes.push_back(std::move(change));
    }
    return diff;
}

QStringList versionDiffLines(const VersionDiff& diff)
{
    // The feed's difference prints texts and codes; a version's adds signs.
    QStringList lines;
    for (const VersionChange& c : diff.changes) {
        DestinationDiff one;
        switch (c.kind) {
        case VersionChange::Kind::Added:
            one.added.push_back(*c.after);
            break;
        case VersionChange::Kind::Removed:
            one.removed.push_back(*c.before);
            break;
        case VersionChange::Kind::Changed:
            one.changed.push_back(DestinationChange{*c.before, *c.after, c.texts, *c.after});
            break;
        }
        QString line = diffLines(one).value(0);
        if (c.kind == VersionChange::Kind::Changed && !c.images.empty()) {
            QStringList names;
            for (const SignImageChange& s : c.images)
                names << s.sign;
            if (!c.texts.empty())
                line += QStringLiteral("; ");
            line += QStringLiteral("signs ") + names.join(QStringLiteral(", "));
        }
        lines << line;
    }
    return lines;
}

} // namespace vexel
