#pragma once

#include "document/FrameHeader.h"
#include "document/Result.h"
#include "lettering/TextFit.h"
#include "lettering/TextStyle.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <optional>
#include <vector>

namespace vexel {

// One frame of every image of a route set: which preset of the Text tool
// letters it, from which texts, in which style, and how it plays. Texts are
// templates: {route}, {code}, {destination_ka}, {destination_en}, {via_ka},
// {via_en} and {service} stand for the row's columns, {via} for the Georgian
// stops or, without them, the Latin ones; {{ and }} for braces.
struct RouteFrame {
    enum class Preset { OneText, NumberAndDestination, TwoLines };

    Preset preset = Preset::NumberAndDestination;
    // OneText: `text`. NumberAndDestination: `number` and `destination`.
    // TwoLines: `upper` and `lower`, or `text` split as the panel splits it.
    QString text;
    QString number = QStringLiteral("{route}");
    QString destination;
    QString upper;
    QString lower;
    // As the panel's fields are set before the preset is chosen; a one-text
    // frame is fitted like the panel's Fit unless `fit` is off.
    TextStyle style;
    bool fit = true;
    // NumberAndDestination: the route number's font; empty for the style's.
    // A number that font cannot show in its part is lettered in the style's.
    QString numberFont;
    // OneText: the font a text is lettered in when the style's font cannot
    // fit it ("Vexel LED" for a code too long for "Vexel LED Numbers").
    QString fallbackFont;
    // How far fitting may go: doubled faces, spacing -1 (both allowed unless
    // the layout says "doubled": false or "tightSpacing": false).
    FitOrder order;
    // The most pages (frames) the text may take; 0 for as many as the image
    // holds. A set shortens a longer text by its abbreviations first.
    int maxPages = 0;
    int duration = 500;
    int entry = 0;
    int exit = 0;
    std::optional<FrameRect> window; // the whole board when not given

    // The columns the templates of this frame use.
    std::vector<QString> columns() const;
};

struct RouteSignLayout;

// How the images of a route set are made, read from JSON:
//
//   { "board": { "width": 96, "height": 24 },
//     "font": "Vexel LED", "height": 11, "duration": 4000,
//     "number_font": "Vexel LED Numbers", "doubled": false, "tightSpacing": false,
//     "max_pages": 2,
//     "frames": [
//       { "preset": "number", "destination": "{destination_ka}" },
//       { "preset": "number", "destination": "{destination_en}", "entry": 2 },
//       { "preset": "two-lines", "text": "{via}", "duration": 3000 } ] }
//
// Top-level style and timing keys are defaults for every frame. Unknown keys
// and values out of range are refused with the key's path named.
class RouteLayout {
public:
    static constexpr qint64 MaxFileBytes = 1024 * 1024;

    int boardWidth = 96;
    int boardHeight = 24;
    std::vector<RouteFrame> frames;

    // A frame as the layout gives it when it names nothing but its preset:
    // the Text panel's font, height and alignment.
    static RouteFrame defaultFrame();

    static Expected<RouteLayout> parse(const QByteArray& json, const QString& name);
    static Expected<RouteLayout> read(const QString& path);

    // A layout that letters several signs of a vehicle, each in a folder of
    // its name:
    //
    //   { "font": "Vexel LED", "duration": 4000,
    //     "signs": [ { "name": "front", "board": { "width": 160, "height": 19 },
    //                  "frames": [ ... ] },
    //                { "name": "rear", "board": { "width": 28, "height": 16 },
    //                  "frames": [ { "preset": "one-text", "text": "{route}" } ] } ] }
    //
    // Top-level style and timing keys are defaults for every sign. A layout
    // without "signs" is one sign with no name.
    static constexpr int MaxSigns = 64;
    static Expected<std::vector<RouteSignLayout>> parseSigns(const QByteArray& json, const QString& name);
    static Expected<std::vector<RouteSignLayout>> readSigns(const QString& path);

    // The template with the row's values in place; unknown names were
    // refused when the layout was read.
    static QString expand(const QString& pattern, const std::map<QString, QString>& values);
    // The column names a template may use.
    static const std::vector<QString>& columnNames();
};

// One sign of a layout that names several; no name for a layout of one board.
struct RouteSignLayout {
    QString name;
    RouteLayout layout;
};

} // namespace vexel
