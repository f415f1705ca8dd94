#pragma once

#include "depot/RouteLayout.h"
#include "document/Result.h"

#include <QString>
#include <QStringList>

#include <utility>

namespace vexel {

// One sign of the vehicle a set letters: its name (which names its folder
// of images), its size in LEDs and its layout, the JSON text `vexel routes`
// reads, kept as text so a layout written for a newer reader survives.
struct VehicleSign {
    static constexpr int MaxWidth = 488;
    static constexpr int MaxHeight = 100;

    static constexpr double MaxPitchMm = 100.0;

    VehicleSign() = default;
    VehicleSign(QString name_, int width_, int height_, QString layout_, double pitchMm_ = 0, QString place_ = {})
        : name(std::move(name_)), width(width_), height(height_), layout(std::move(layout_)), pitchMm(pitchMm_),
          place(std::move(place_))
    {
    }

    QString name;
    int width = 0;
    int height = 0;
    QString layout;
    // The distance between LED centres in millimetres; 0 when not known.
    double pitchMm = 0;
    // Where the sign is on the vehicle: "front", "side", "rear", "interior",
    // or empty when not said.
    QString place;
    // The revision of the set's row this was read from (0: not read from a
    // set); not part of what the sign is.
    qint64 revision = 0;

    static const QStringList& places();

    // The name, the size, the pitch, the place and the layout, which must be readable and, when it
    // names its board, name the sign's size.
    Status check() const;
    // The layout read for this sign's board.
    Expected<RouteLayout> routeLayout() const;

    // `layout` as stored: compact JSON with the board set to the sign's size.
    // Fails when the layout names another board or is not a JSON object.
    static Expected<QString> boardLayout(const QString& layoutJson, int width, int height);

    friend bool operator==(const VehicleSign& a, const VehicleSign& b)
    {
        return a.name == b.name && a.width == b.width && a.height == b.height && a.layout == b.layout &&
               a.pitchMm == b.pitchMm && a.place == b.place;
    }
    friend bool operator!=(const VehicleSign& a, const VehicleSign& b) { return !(a == b); }
};

} // namespace vexel
