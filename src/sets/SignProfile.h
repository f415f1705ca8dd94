#pragma once

#include "store/VehicleSign.h"
#include "document/Result.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace vexel {

// The signs of a vehicle, read from JSON, which `vexel set new` makes a set
// for:
//
//   { "signs": [
//       { "name": "front", "width": 160, "height": 19, "pitch_mm": 10, "place": "front",
//         "layout": { "frames": [ { "preset": "number", "destination": "{destination_ka}" } ] } },
//       { "name": "rear", "width": 28, "height": 16,
//         "layout": { "frames": [ { "preset": "one-text", "text": "{route}" } ] } } ] }
//
// A layout is one in the format of `vexel routes`; its board, when given,
// must be the sign's size. The LED pitch in millimetres and the sign's place
// ("front", "side", "rear", "interior") are optional. Unknown keys are
// refused with their path.
class SignProfile {
public:
    static constexpr qint64 MaxFileBytes = 1024 * 1024;
    static constexpr int MaxSigns = 32;

    static Expected<std::vector<VehicleSign>> parse(const QByteArray& json, const QString& name);
    static Expected<std::vector<VehicleSign>> read(const QString& path);
};

} // namespace vexel
