#pragma once

#include <QString>

namespace vexel {

// One destination of a depot's set: a route in one direction, with the texts
// every sign of the bus letters from it. The code is unique within a set (the
// route number by default; "12R" for the return of route 12).
struct Destination {
    QString code;
    QString route;
    QString destinationKa;
    QString destinationEn;
    QString viaKa;
    QString viaEn;
    // What kind of service runs it ("Select Bus", "Limited"), split off the
    // front of an imported headsign; a layout may show it.
    QString service;
    QString note;
    bool inUse = true;
    // The Latin destination is a romanization the operator has not yet
    // accepted or edited.
    bool latinSuggested = false;
    // The revision of the set's row this was read from (0: not read from a
    // set). An edit carries it, so one made from a stale reading is refused.
    // It is bookkeeping, not content: equality leaves it out.
    qint64 revision = 0;
    // Where an import found it: the transit agency and its route_id; empty
    // for a destination made by hand or from a route list. Bookkeeping too.
    QString agency;
    QString routeId;

    // A destination needs a text in at least one script.
    bool hasText() const { return !destinationKa.isEmpty() || !destinationEn.isEmpty(); }
    bool sameTexts(const Destination& other) const
    {
        return route == other.route && destinationKa == other.destinationKa &&
               destinationEn == other.destinationEn && viaKa == other.viaKa && viaEn == other.viaEn &&
               service == other.service;
    }
    friend bool operator==(const Destination& a, const Destination& b)
    {
        return a.code == b.code && a.sameTexts(b) && a.note == b.note && a.inUse == b.inUse &&
               a.latinSuggested == b.latinSuggested;
    }
    friend bool operator!=(const Destination& a, const Destination& b) { return !(a == b); }
};

// The texts an import fills, by their column names in a route list.
struct TextField {
    const char* name;
    QString Destination::*text;
};
inline const TextField TextFields[] = {
    {"route", &Destination::route},
    {"destination_ka", &Destination::destinationKa},
    {"destination_en", &Destination::destinationEn},
    {"via_ka", &Destination::viaKa},
    {"via_en", &Destination::viaEn},
    {"service", &Destination::service},
};

} // namespace vexel
