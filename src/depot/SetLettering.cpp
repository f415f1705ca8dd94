#include "depot/SetLettering.h"

#include "depot/RouteSet.h"

namespace vexel {

SetLettering::SetLettering(FontList& fonts) : fonts_(fonts) {}

RouteRow SetLettering::row(const Destination& d)
{
    RouteRow row;
    row.route = d.route;
    row.code = d.code;
    row.destinationKa = d.destinationKa;
    row.destinationEn = d.destinationEn;
    row.viaKa = d.viaKa;
    row.viaEn = d.viaEn;
    row.via = d.viaKa.isEmpty() ? d.viaEn : d.viaKa;
    return row;
}

SignImage SetLettering::letter(const VehicleSign& sign, const Destination& destination,
                               const SignOverride* byHand) const
{
    SignImage out;
    if (byHand) {
        out.image = byHand->image;
        out.byHand = true;
        out.stale = byHand->staleFor(destination);
        out.fit = {true, QStringLiteral("by hand")};
        return out;
    }
    const Expected<RouteLayout> layout = sign.routeLayout();
    if (!layout) {
        out.fit = {false, QString::fromStdString(layout.error())};
        return out;
    }
    const RouteSet set(*layout, fonts_);
    Expected<ImageRecord> built = set.build(row(destination));
    if (!built) {
        out.fit = {false, QString::fromStdString(built.error())};
        return out;
    }
    out.image = std::move(built).value();
    out.fit = {true, QStringLiteral("fits")};
    return out;
}

} // namespace vexel
