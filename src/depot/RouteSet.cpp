#include "depot/RouteSet.h"

#include "depot/FileStem.h"

#include "document/HexConvert.h"
#include "document/ImageFile.h"
#include "document/PixelArray.h"
#include "lettering/FontList.h"
#include "lettering/SignPresets.h"
#include "lettering/TextFit.h"

#include <QDir>

#include <set>

namespace vexel {

RouteSet::RouteSet(RouteLayout layout, FontList& fonts) : layout_(std::move(layout)), fonts_(fonts) {}

std::map<QString, QString> RouteSet::values(const RouteRow& row)
{
    return {{QStringLiteral("route"), row.route},
            {QStringLiteral("destination_ka"), row.destinationKa},
            {QStringLiteral("destination_en"), row.destinationEn},
            {QStringLiteral("via"), row.via}};
}

FrameRect RouteSet::windowOf(const RouteFrame& frame) const
{
    return frame.window.value_or(FrameRect{0, 0, layout_.boardWidth, layout_.boardHeight});
}

Status RouteSet::checkFonts() const
{
    for (std::size_t i = 0; i < layout_.frames.size(); ++i) {
        const RouteFrame& f = layout_.frames[i];
        const QString where = QStringLiteral("frames[%1]").arg(i);
        const FontInfo* info = fonts_.find(f.style.font);
        if (!info)
            return Status::failure(
                QStringLiteral("%1.font: the font \"%2\" is not installed").arg(where, f.style.font).toStdString());
        if (f.preset == RouteFrame::Preset::NumberAndDestination && !f.numberFont.isEmpty() &&
            !fonts_.find(f.numberFont))
            return Status::failure(QStringLiteral("%1.number_font: the font \"%2\" is not installed")
                                       .arg(where, f.numberFont)
                                       .toStdString());
        // Only a one-text frame set without Fit uses its height as given;
        // the presets and Fit choose among the font's heights.
        if (f.preset == RouteFrame::Preset::OneText && !f.fit && !info->size(f.style.height))
            return Status::failure(QStringLiteral("%1.height: \"%2\" has no height %3")
                                       .arg(where, f.style.font)
                                       .arg(f.style.height)
                                       .toStdString());
    }
    return Status::success();
}

Lettering RouteSet::lay(const RouteFrame& frame, const std::map<QString, QString>& values, std::string* message) const
{
    const FrameRect target = windowOf(frame);
    std::vector<TextBlock> blocks;
    auto refuse = [&](const std::string& reason) {
        if (message)
            *message = reason;
        Lettering none;
        none.bitmap = LedBitmap(target.w, target.h);
        none.error = reason;
        return none;
    };

    switch (frame.preset) {
    case RouteFrame::Preset::OneText: {
        TextBlock block;
        block.text = RouteLayout::expand(frame.text, values);
        block.style = frame.style;
        block.area = FrameRect{0, 0, target.w, target.h};
        if (frame.fit) {
            const FitResult fit = TextFit::fit(block.text, fonts_, block.style, target.w, target.h, frame.order);
            if (!fit.missing.empty())
                return refuse("the font lacks " + TextFit::characterList(fit.missing));
            if (!fit.fits)
                return refuse(fit.message);
            if (message)
                *message = fit.message;
            block.style.height = fit.height;
            block.style.condensed = fit.condensed;
            block.style.letterSpacing = fit.letterSpacing;
        }
        blocks.push_back(block);
        break;
    }
    case RouteFrame::Preset::NumberAndDestination:
    case RouteFrame::Preset::TwoLines: {
        PresetLayout preset;
        PresetOptions options;
        options.order = frame.order;
        if (frame.preset == RouteFrame::Preset::NumberAndDestination)
            options.numberFont = frame.numberFont;
        if (frame.preset == RouteFrame::Preset::NumberAndDestination) {
            preset = SignPresets::numberAndDestination(RouteLayout::expand(frame.number, values),
                                                       RouteLayout::expand(frame.destination, values), fonts_,
                                                       frame.style, target.w, target.h, options);
        } else {
            std::pair<QString, QString> lines{RouteLayout::expand(frame.upper, values),
                                              RouteLayout::expand(frame.lower, values)};
            if (!frame.text.isEmpty())
                lines = SignPresets::splitLines(RouteLayout::expand(frame.text, values));
            preset = SignPresets::twoLines(lines.first, lines.second, fonts_, frame.style, target.w, target.h,
                                           options);
        }
        if (!preset.missing.empty())
            return refuse("the font lacks " + TextFit::characterList(preset.missing));
        if (!preset.fits)
            return refuse(preset.message);
        if (message)
            *message = preset.message;
        blocks = preset.blocks;
        break;
    }
    }
    return TextLayout::renderBlocks(blocks, fonts_, target.w, target.h);
}

Expected<Lettering> RouteSet::letter(const RouteFrame& frame, const std::map<QString, QString>& values) const
{
    Lettering lettering = lay(frame, values);
    if (!lettering.error.empty())
        return Expected<Lettering>::failure(lettering.error);
    if (lettering.overflow)
        return Expected<Lettering>::failure("the text reaches past the frame window");
    if (!lettering.missing.empty())
        return Expected<Lettering>::failure("the font lacks " + TextFit::characterList(lettering.missing));
    return lettering;
}

Status RouteSet::checkRouteName(const QString& route)
{
    return FileStem::check(route, QStringLiteral("the route number"));
}

Expected<ImageRecord> RouteSet::build(const RouteRow& row) const
{
    if (!row.problem.isEmpty())
        return Expected<ImageRecord>::failure(row.problem.toStdString());
    const Status named = checkRouteName(row.route);
    if (!named)
        return named;
    if (row.destinationKa.trimmed().isEmpty())
        return Expected<ImageRecord>::failure("the Georgian destination is empty");

    const std::map<QString, QString> texts = values(row);
    ImageRecord record;
    record.appendLine(toHex(0, 4));
    int made = 0;
    for (std::size_t i = 0; i < layout_.frames.size(); ++i) {
        const RouteFrame& frame = layout_.frames[i];
        bool empty = false;
        for (const QString& column : frame.columns())
            empty = empty || texts.at(column).trimmed().isEmpty();
        if (empty)
            continue;
        const Expected<Lettering> lettering = letter(frame, texts);
        if (!lettering)
            return Expected<ImageRecord>::failure(QStringLiteral("frame %1: ").arg(i).toStdString() +
                                                  lettering.error());
        FrameHeader header;
        header.index = made;
        header.entryEffect = frame.entry;
        header.exitEffect = frame.exit;
        header.duration = frame.duration;
        header.rect = windowOf(frame);
        PixelArray bits;
        const LedBitmap& leds = lettering->bitmap;
        for (int y = 0; y < leds.height(); ++y)
            for (int x = 0; x < leds.width(); ++x)
                if (leds.lit(x, y))
                    bits.setLit(header.rect.x + x, header.rect.y + y, true);
        record.appendFrame(header, bits);
        ++made;
    }
    if (made == 0)
        return Expected<ImageRecord>::failure("every frame of the layout uses an empty column");
    record.setFrameCount(made);
    return record;
}

RouteSet::Outcome RouteSet::write(const std::vector<RouteRow>& rows, const QString& folder,
                                  const QString& source) const
{
    Outcome outcome;
    const QDir dir(folder);
    if (!QDir().mkpath(folder)) {
        outcome.problems << QStringLiteral("Cannot create folder \"%1\".").arg(QDir::toNativeSeparators(folder));
        return outcome;
    }
    std::map<QString, int> seen; // route -> its line
    for (const RouteRow& row : rows) {
        const QString where = QStringLiteral("%1: line %2, route %3: ").arg(source).arg(row.line).arg(row.route);
        const auto earlier = seen.find(row.route);
        if (earlier != seen.end()) {
            outcome.problems << where + QStringLiteral("the route is on line %1 already; written nowhere")
                                            .arg(earlier->second);
            continue;
        }
        seen[row.route] = row.line;
        const Expected<ImageRecord> record = build(row);
        if (!record) {
            outcome.problems << where + QString::fromStdString(record.error()) + QStringLiteral("; written nowhere");
            continue;
        }
        const QString path = dir.filePath(fileName(row.route));
        const Status written = ImageFile::write(path, *record);
        if (!written) {
            outcome.problems << where + QString::fromStdString(written.error());
            continue;
        }
        outcome.written << path;
    }
    return outcome;
}

} // namespace vexel
