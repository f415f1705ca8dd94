#pragma once

#include "depot/RouteLayout.h"
#include "document/Result.h"

#include <QString>

namespace vexel {

// One sign of the vehicle a set letters: its name (which names its folder
// of images), its size in LEDs and its layout, the JSON text `vexel routes`
// reads, kept as text so a layout written for a newer reader survives.
struct VehicleSign {
    static constexpr int MaxWidth = 488;
    static constexpr int MaxHeight = 100;

    QString name;
    int width = 0;
    int height = 0;
    QString layout;

    // The name, the size and the layout, which must be readable and, when it
    // names its board, name the sign's size.
    Status check() const;
    // The layout read for this sign's board.
    Expected<RouteLayout> routeLayout() const;

    // `layout` as stored: compact JSON with the board set to the sign's size.
    // Fails when the layout names another board or is not a JSON object.
    static Expected<QString> boardLayout(const QString& layoutJson, int width, int height);

    friend bool operator==(const VehicleSign& a, const VehicleSign& b)
    {
        return a.name == b.name && a.width == b.width && a.height == b.height && a.layout == b.layout;
    }
    friend bool operator!=(const VehicleSign& a, const VehicleSign& b) { return !(a == b); }
};

} // namespace vexel
