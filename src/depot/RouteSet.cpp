#include "depot/RouteSet.h"

#include "depot/FileStem.h"
#include "depot/Romanization.h"
#include "depot/TextLimit.h"

#include "document/HexConvert.h"
#include "document/ImageFile.h"
#include "document/PixelArray.h"
#include "lettering/FontList.h"
#include "lettering/SignPresets.h"
#include "lettering/TextFit.h"

#include <QDir>

#include <algorithm>
#include <climits>
#include <set>

namespace vexel {

RouteSet::RouteSet(RouteLayout layout, FontList& fonts) : layout_(std::move(layout)), fonts_(fonts) {}

std::map<QString, QString> RouteSet::values(const Destination& d)
{
    return {{QStringLiteral("route"), d.route},
            {QStringLiteral("destination_ka"), d.destinationKa},
            {QStringLiteral("destination_en"), d.destinationEn},
            {QStringLiteral("via"), d.viaKa.trimmed().isEmpty() ? d.viaEn : d.viaKa},
            {QStringLiteral("code"), d.code.isEmpty() ? d.route : d.code},
            {QStringLiteral("via_ka"), d.viaKa},
            {QStringLiteral("via_en"), d.viaEn},
            {QStringLiteral("service"), d.service}};
}

QString RouteSet::withViaWord(const QString& via) const
{
    if (via.trimmed().isEmpty())
        return via;
    // A Georgian letter anywhere makes it a Georgian text.
    const QString& word = hasGeorgian(via) ? viaGeorgian_ : viaLatin_;
    return word.trimmed().isEmpty() ? via : word.trimmed() + QLatin1Char(' ') + via.trimmed();
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
                QStringLiteral("%1.font: the font \"%2\" is not installed").arg(where, f.style.font));
        if (!f.fallbackFont.isEmpty() && !fonts_.find(f.fallbackFont))
            return Status::failure(QStringLiteral("%1.fallback_font: the font \"%2\" is not installed")
                                       .arg(where, f.fallbackFont));
        if (f.preset == RouteFrame::Preset::NumberAndDestination && !f.numberFont.isEmpty() &&
            !fonts_.find(f.numberFont))
            return Status::failure(QStringLiteral("%1.number_font: the font \"%2\" is not installed")
                                       .arg(where, f.numberFont));
        // Only a one-text frame set without Fit uses its height as given;
        // the presets and Fit choose among the font's heights.
        if (f.preset == RouteFrame::Preset::OneText && !f.fit && !info->size(f.style.height))
            return Status::failure(QStringLiteral("%1.height: \"%2\" has no height %3")
                                       .arg(where, f.style.font)
                                       .arg(f.style.height));
    }
    return Status::success();
}

Expected<Lettering> RouteSet::letter(const RouteFrame& frame, const std::map<QString, QString>& values) const
{
    Lettering lettering = lay(frame, values);
    if (!lettering.error.empty())
        return Expected<Lettering>::failure(QString::fromStdString(lettering.error));
    if (lettering.overflow)
        return Expected<Lettering>::failure("the text reaches past the frame window");
    if (!lettering.missing.empty())
        return Expected<Lettering>::failure(QString::fromStdString("the font lacks " + TextFit::characterList(lettering.missing)));
    return lettering;
}

Status RouteSet::checkRouteName(const QString& route)
{
    return FileStem::check(route, QStringLiteral("the route number"));
}

namespace {

std::string lacks(const std::vector<char32_t>& missing)
{
    return "the font lacks " + TextFit::characterList(missing);
}

// The further of two steps along the fitting order.
std::string further(const std::string& a, const std::string& b)
{
    return TextFit::stepRank(b) > TextFit::stepRank(a) ? b : a;
}

std::string furthest(const PresetLayout& preset)
{
    std::string step = "fits";
    for (std::size_t i = 0; i < preset.steps.size(); ++i) {
        const bool twoLines = i < preset.blocks.size() && preset.blocks[i].text.contains(QLatin1Char('\n')) &&
                              preset.steps[i] != TextFit::HyphenStep;
        step = further(step, twoLines ? std::string(TextFit::TwoLinesStep) : preset.steps[i]);
    }
    return step;
}

Status usable(const Lettering& lettering)
{
    if (!lettering.error.empty())
        return Status::failure(QString::fromStdString(lettering.error));
    if (lettering.overflow)
        return Status::failure("the text reaches past the frame window");
    if (!lettering.missing.empty())
        return Status::failure(QString::fromStdString(lacks(lettering.missing)));
    return Status::success();
}

} // namespace

Expected<FrameLettering> RouteSet::letterPages(const RouteFrame& frame, const std::map<QString, QString>& values,
                                               int maxFrames) const
{
    auto pageCount = [](const FrameLettering& l) { return 1 + static_cast<int>(l.pages.size()); };
    auto allowed = [&](const Expected<FrameLettering>& l) {
        return l && (frame.maxPages == 0 || pageCount(*l) <= frame.maxPages);
    };
    Expected<FrameLettering> lettering = letterAsGiven(frame, values, maxFrames);
    if (allowed(lettering))
        return lettering;

    // The words to shorten, from every text of the frame but the number.
    struct Found {
        QString column;
        Abbreviation::Match match;
    };
    std::vector<Found> found;
    for (const QString& column : frame.columns()) {
        const auto text = values.find(column);
        if (column == QLatin1String("route") || column == QLatin1String("code") || text == values.end())
            continue;
        for (const Abbreviation::Match& m : Abbreviation::find(text->second, abbreviations_))
            found.push_back({column, m});
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Found& a, const Found& b) { return a.match.length > b.match.length; });
    for (std::size_t count = 1; count <= found.size(); ++count) {
        std::map<QString, std::vector<Abbreviation::Match>> applied;
        for (std::size_t i = 0; i < count; ++i)
            applied[found[i].column].push_back(found[i].match);
        std::map<QString, QString> shortened = values;
        for (const auto& [column, matches] : applied)
            shortened[column] = Abbreviation::apply(values.at(column), matches);
        lettering = letterAsGiven(frame, shortened, maxFrames);
        if (allowed(lettering)) {
            lettering.value().abbreviated = true;
            return lettering;
        }
    }
    if (!lettering)
        return lettering;
    return Expected<FrameLettering>::failure(QString::number(pageCount(*lettering)) + " pages, at most " +
                                             QString::number(frame.maxPages));
}

RouteSet::Placement RouteSet::place(const RouteFrame& frame, const std::map<QString, QString>& values) const
{
    const FrameRect target = windowOf(frame);
    Placement out;
    out.textArea = FrameRect{0, 0, target.w, target.h};
    out.pageStyle = frame.style;
    out.pageStyle.hAlign = HAlign::Centre;
    out.pageStyle.vAlign = VAlign::Middle;
    out.order = frame.order;
    out.order.keepTogether.insert(out.order.keepTogether.end(), keepTogether_.begin(), keepTogether_.end());
    switch (frame.preset) {
    case RouteFrame::Preset::OneText:
        placeOneText(frame, values, target, out);
        break;
    case RouteFrame::Preset::NumberAndDestination:
    case RouteFrame::Preset::TwoLines:
        placePreset(frame, values, target, out);
        break;
    }
    return out;
}

void RouteSet::placeOneText(const RouteFrame& frame, const std::map<QString, QString>& values,
                            const FrameRect& target, Placement& out) const
{
    TextBlock block;
    block.text = RouteLayout::expand(frame.text, values);
    block.style = frame.style;
    block.area = out.textArea;
    out.fits = true;
    out.step = "fits";
    out.blocks = {block};
    if (!frame.fit)
        return;
    LineFit fit = SignPresets::fitOneText(block.text, fonts_, block.style, target.w, target.h, out.order);
    if (!fit.fit.fits && !frame.fallbackFont.isEmpty()) {
        // A text the font cannot fit on one page goes to the fallback
        // font, and to pages in it.
        block.style.font = frame.fallbackFont;
        fit = SignPresets::fitOneText(block.text, fonts_, block.style, target.w, target.h, out.order);
    }
    out.missing = fit.fit.missing;
    out.fits = fit.fit.fits;
    out.message = fit.fit.message;
    out.step = fit.fit.step;
    if (fit.fit.fits) {
        TextBlock& b = out.blocks.front();
        b.text = fit.text;
        b.style = block.style;
        b.style.height = fit.fit.height;
        b.style.condensed = fit.fit.condensed;
        b.style.letterSpacing = fit.fit.letterSpacing;
        b.style.lineSpacing = fit.fit.lineSpacing;
        return;
    }
    out.paged = block.text;
    out.pageable = true;
    out.pageStyle = block.style;
}

void RouteSet::placePreset(const RouteFrame& frame, const std::map<QString, QString>& values, const FrameRect& target,
                           Placement& out) const
{
    PresetLayout preset;
    PresetOptions options;
    options.order = out.order;
    const bool numbered = frame.preset == RouteFrame::Preset::NumberAndDestination;
    if (numbered) {
        options.numberFont = frame.numberFont;
        out.paged = RouteLayout::expand(frame.destination, values);
        preset = SignPresets::numberAndDestination(RouteLayout::expand(frame.number, values), out.paged, fonts_,
                                                   frame.style, target.w, target.h, options);
    } else {
        std::pair<QString, QString> lines{RouteLayout::expand(frame.upper, values),
                                          RouteLayout::expand(frame.lower, values)};
        if (!frame.text.isEmpty()) {
            out.paged = RouteLayout::expand(frame.text, values);
            lines = SignPresets::splitLines(out.paged, out.order.keepTogether);
        }
        preset = SignPresets::twoLines(lines.first, lines.second, fonts_, frame.style, target.w, target.h, options);
    }
    out.missing = preset.missing;
    out.fits = preset.fits;
    out.message = preset.message;
    out.blocks = preset.blocks;
    if (preset.fits) {
        out.step = furthest(preset);
        return;
    }
    if (numbered) {
        // Only the destination goes to pages, in its part of the frame; a
        // number that does not fit has nowhere to go.
        const bool hasNumber = !RouteLayout::expand(frame.number, values).simplified().isEmpty();
        if (preset.blocks.size() != (hasNumber ? 2u : 1u) || out.paged.trimmed().isEmpty())
            return;
        out.kept.assign(preset.blocks.begin(), preset.blocks.end() - 1);
        out.textArea = preset.blocks.back().area;
        out.numberEnd = hasNumber ? preset.blocks.front().area.w : -1;
    }
    out.pageable = !out.paged.isEmpty();
}

namespace {

// The first page, the whole window, lettered from `blocks`.
Status letterWhole(FontList& fonts, const FrameRect& target, std::vector<TextBlock> blocks, const std::string& step,
                   FrameLettering& out)
{
    out.first = TextLayout::renderBlocks(blocks, fonts, target.w, target.h);
    const Status ok = usable(out.first);
    if (!ok)
        return ok;
    out.step = step;
    out.texts.assign(1, std::move(blocks));
    return Status::success();
}

// A part of the paged text in the face the pages fit in.
TextBlock pageBlock(const TextStyle& pageStyle, const PageFit& pages, std::size_t page, FrameRect area)
{
    TextBlock b;
    b.text = pages.pages[page];
    b.style = pageStyle;
    b.style.lineSpacing = pages.lineSpacing[page];
    b.style.height = pages.face.height;
    b.style.condensed = pages.face.condensed;
    b.style.letterSpacing = pages.face.letterSpacing;
    b.area = area;
    return b;
}

} // namespace

Expected<FrameLettering> RouteSet::letterAsGiven(const RouteFrame& frame, const std::map<QString, QString>& values,
                                                 int maxFrames) const
{
    using Result = Expected<FrameLettering>;
    const Placement placed = place(frame, values);
    if (!placed.missing.empty())
        return Result::failure(QString::fromStdString(lacks(placed.missing)));
    if (placed.fits) {
        FrameLettering out;
        out.textArea = placed.textArea;
        const Status ok = letterWhole(fonts_, windowOf(frame), placed.blocks, placed.step, out);
        if (!ok)
            return Result::failure(ok.error());
        return out;
    }
    if (!placed.pageable)
        return Result::failure(QString::fromStdString(placed.message));
    return letterPaged(frame, placed, maxFrames);
}

Expected<FrameLettering> RouteSet::letterPaged(const RouteFrame& frame, const Placement& placed, int maxFrames) const
{
    using Result = Expected<FrameLettering>;
    FrameLettering out;
    out.textArea = placed.textArea;
    // The text goes to pages; the first keeps the number beside it, at
    // least its lead away.
    FitOrder order = placed.order;
    const FrameRect window = windowOf(frame);
    const bool beside = placed.numberEnd >= 0;
    if (beside) {
        order.leadGap = SignPresets::leadGap(window.h);
        out.textArea.x = placed.numberEnd;
        out.textArea.w = std::max(0, window.w - placed.numberEnd);
    }
    const PageFit pages =
        TextFit::pages(placed.paged, fonts_, placed.pageStyle, out.textArea.w, out.textArea.h, order, maxFrames);
    if (!pages.face.missing.empty())
        return Result::failure(QString::fromStdString(lacks(pages.face.missing)));
    if (pages.tooMany)
        return Result::failure(
            QStringLiteral("its pages take the image past %1 frames").arg(ImageRecord::MaxFrames));
    if (!pages.fits)
        return Result::failure(QString::fromStdString("not even in pages: " + pages.face.message));

    if (beside) {
        out.textArea.x += pages.face.lead;
        out.textArea.w = std::max(0, out.textArea.w - pages.face.lead);
    }
    std::vector<TextBlock> kept = placed.kept;
    kept.push_back(pageBlock(placed.pageStyle, pages, 0, out.textArea));
    const Status first = letterWhole(fonts_, windowOf(frame), kept, pages.face.step, out);
    if (!first)
        return Result::failure(first.error());
    for (std::size_t i = 1; i < pages.pages.size(); ++i) {
        std::vector<TextBlock> texts{
            pageBlock(placed.pageStyle, pages, i, FrameRect{0, 0, out.textArea.w, out.textArea.h})};
        const Lettering page = TextLayout::renderBlocks(texts, fonts_, out.textArea.w, out.textArea.h);
        const Status ok = usable(page);
        if (!ok)
            return Result::failure("page " + QString::number(i + 1) + ": " + ok.error());
        out.pages.push_back(page.bitmap);
        out.texts.push_back(std::move(texts));
    }
    return out;
}

Lettering RouteSet::lay(const RouteFrame& frame, const std::map<QString, QString>& values, std::string* message) const
{
    const FrameRect target = windowOf(frame);
    const Placement placed = place(frame, values);
    std::string said = placed.message;
    if (!placed.missing.empty())
        said = lacks(placed.missing);
    if (message)
        *message = said;
    if (!placed.missing.empty() || !placed.fits) {
        Lettering none;
        none.bitmap = LedBitmap(target.w, target.h);
        none.error = said;
        return none;
    }
    return TextLayout::renderBlocks(placed.blocks, fonts_, target.w, target.h);
}

Expected<ImageRecord> RouteSet::build(const Destination& destination) const
{
    Expected<Built> built = make(destination);
    if (!built)
        return Expected<ImageRecord>::failure(built.error());
    return std::move(built->image);
}

namespace {

// Why a destination's texts cannot be lettered on any sign; empty when they can.
QString unletterable(const Destination& destination, const std::map<QString, QString>& texts)
{
    for (const auto& [column, text] : texts) {
        if (column == QLatin1String("via"))
            continue; // one of via_ka and via_en, named by its own column
        const QString tooLong = signTextLengthError(text, column);
        if (!tooLong.isEmpty())
            return tooLong;
    }
    const Status named = RouteSet::checkRouteName(destination.route);
    if (!named)
        return named.error();
    if (destination.destinationKa.trimmed().isEmpty() && destination.destinationEn.trimmed().isEmpty())
        return QStringLiteral("the destination is empty in both scripts");
    return {};
}

// Frames added to an image one after another, each drawn over what the
// board shows after the frames before it.
class FrameWriter {
public:
    explicit FrameWriter(ImageRecord& record) : record_(record) { record_.appendLine(toHex(0, 4)); }

    void append(const RouteFrame& frame, const FrameRect& window, const LedBitmap& leds)
    {
        FrameHeader header;
        header.index = made_;
        header.entryEffect = frame.entry;
        header.exitEffect = frame.exit;
        header.duration = frame.duration;
        header.rect = window;
        for (int y = 0; y < window.h; ++y)
            for (int x = 0; x < window.w; ++x)
                board_.setLit(window.x + x, window.y + y, leds.lit(x, y));
        record_.appendFrame(header, board_);
        ++made_;
    }

    int made() const { return made_; }

private:
    ImageRecord& record_;
    PixelArray board_;
    int made_ = 0;
};

} // namespace

namespace {

// The smallest face of a frame's texts but the route number and code.
int textHeight(const FrameLettering& lettering, const Destination& destination)
{
    int smallest = INT_MAX;
    for (const std::vector<TextBlock>& page : lettering.texts)
        for (const TextBlock& block : page) {
            const QString plain = QString(block.text).remove(QLatin1Char('\n')).simplified();
            if (plain.isEmpty() || plain.compare(destination.route.simplified(), Qt::CaseInsensitive) == 0 ||
                plain.compare(destination.code.simplified(), Qt::CaseInsensitive) == 0)
                continue;
            smallest = std::min(smallest, block.style.height);
        }
    return smallest;
}

// A via frame is never lettered larger than the destination before it: a
// passenger takes the larger text for where the bus goes.
RouteFrame cappedAt(const RouteFrame& frame, int height)
{
    RouteFrame capped = frame;
    if (height != INT_MAX && (capped.order.maxHeight == 0 || capped.order.maxHeight > height))
        capped.order.maxHeight = height;
    return capped;
}

} // namespace

Expected<RouteSet::Built> RouteSet::make(const Destination& destination) const
{
    using Result = Expected<Built>;
    std::map<QString, QString> texts = values(destination);
    if (const QString problem = unletterable(destination, texts); !problem.isEmpty())
        return Result::failure(problem);
    for (const char* column : {"via", "via_ka", "via_en"})
        texts[QLatin1String(column)] = withViaWord(texts[QLatin1String(column)]);
    Built built;
    built.step = "fits";
    bool abbreviated = false;
    int destinationHeight = INT_MAX; // the smallest face a destination frame took
    FrameWriter frames(built.image);
    for (std::size_t i = 0; i < layout_.frames.size(); ++i) {
        const RouteFrame& frame = layout_.frames[i];
        bool empty = false;
        for (const QString& column : frame.columns())
            empty = empty || texts.at(column).trimmed().isEmpty();
        if (empty)
            continue;
        const std::vector<QString> columns = frame.columns();
        const bool via = std::any_of(columns.begin(), columns.end(),
                                     [](const QString& c) { return c.startsWith(QLatin1String("via")); });
        const Expected<FrameLettering> lettering =
            letterPages(via ? cappedAt(frame, destinationHeight) : frame, texts, ImageRecord::MaxFrames - frames.made());
        if (!lettering)
            return Result::failure(QStringLiteral("frame %1: ").arg(i + 1) + lettering.error());
        if (frames.made() + 1 + static_cast<int>(lettering->pages.size()) > ImageRecord::MaxFrames)
            return Result::failure(QStringLiteral("frame %1: its pages take the image past %2 frames")
                                       .arg(i + 1)
                                       .arg(ImageRecord::MaxFrames));
        const FrameRect window = windowOf(frame);
        frames.append(frame, window, lettering->first.bitmap);
        const FrameRect area{window.x + lettering->textArea.x, window.y + lettering->textArea.y,
                             lettering->textArea.w, lettering->textArea.h};
        for (const LedBitmap& page : lettering->pages)
            frames.append(frame, area, page);
        if (!via)
            destinationHeight = std::min(destinationHeight, textHeight(*lettering, destination));
        for (const std::vector<TextBlock>& shown : lettering->texts)
            built.pages.push_back({static_cast<int>(i), via, shown});
        built.step = further(built.step, lettering->step);
        if (lettering->step != "fits")
            built.frameSteps.emplace_back(static_cast<int>(i) + 1, lettering->step);
        abbreviated = abbreviated || lettering->abbreviated;
    }
    if (frames.made() == 0)
        return Result::failure("every frame of the layout uses an empty column");
    built.image.setFrameCount(frames.made());
    if (abbreviated)
        built.step += TextFit::AbbreviatedSuffix;
    return built;
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
        const QString where =
            QStringLiteral("%1: line %2, route %3: ").arg(source).arg(row.line).arg(RouteCsv::shortened(row.route));
        const auto earlier = seen.find(row.route);
        if (earlier != seen.end()) {
            outcome.problems << where + QStringLiteral("the route is on line %1 already; written nowhere")
                                            .arg(earlier->second);
            continue;
        }
        seen[row.route] = row.line;
        const Expected<ImageRecord> record =
            row.problem.isEmpty() ? build(row.destination()) : Expected<ImageRecord>::failure(row.problem);
        if (!record) {
            outcome.problems << where + record.error() + QStringLiteral("; written nowhere");
            continue;
        }
        const QString path = dir.filePath(fileName(row.route));
        const Status written = ImageFile::write(path, *record);
        if (!written) {
            outcome.problems << where + written.error();
            continue;
        }
        outcome.written << path;
    }
    return outcome;
}

} // namespace vexel
