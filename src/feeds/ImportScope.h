#pragma once

#include <QSet>
#include <QString>

namespace vexel {

// What a transit feed's import speaks for, so that it proposes to remove
// only destinations it could have made: a set may hold the routes of
// several operators, or of several feeds of one (a city's feed per
// borough, each listing every route and running only its own).
struct ImportScope {
    // The agencies of the routes the import chose.
    QSet<QString> agencies;
    // Every route of routes.txt, and the chosen ones that run trips here,
    // by routeKey.
    QSet<QString> listed;
    QSet<QString> run;
    // The route texts of the import's destinations, folded.
    QSet<QString> routes;

    static QString routeKey(const QString& agency, const QString& routeId) { return agency + QLatin1Char('\n') + routeId; }

    // Whether a destination the import does not have is for it to remove.
    // One imported before from `agency`'s route `routeId` is when this feed
    // runs that route, or its agency is chosen and no longer lists it; one
    // from another agency, or of a route this feed lists and does not run,
    // is not. One whose origin is not known (made by hand, from a route
    // list, or imported before sets kept it) is only when its route is one
    // of the import's.
    bool covers(const QString& agency, const QString& routeId, const QString& route) const
    {
        if (agency.isEmpty())
            return routes.contains(route.toLower());
        const QString key = routeKey(agency, routeId);
        if (run.contains(key))
            return true;
        return agencies.contains(agency) && !listed.contains(key);
    }
};

} // namespace vexel
