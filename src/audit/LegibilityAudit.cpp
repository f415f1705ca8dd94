#include "audit/LegibilityAudit.h"

#include "lettering/FontList.h"
#include "lettering/GlyphSource.h"
#include "lettering/TextLayout.h"
#include "preview/Timeline.h"
#include "sets/SetContents.h"

#include <algorithm>
#include <QRegularExpression>

#include <climits>
#include <set>
#include <unordered_map>

namespace vexel {

using Check = LegibilityRule::Check;

// A glyph as the audit sees it: its letter measures and, row by row, its
// first and last lit column (-1 in a dark row).
struct LegibilityAudit::Shape {
    Letter letter;
    int left = 0;
    int advance = 0;
    std::vector<int> first;
    std::vector<int> last;
};

struct LegibilityAudit::Face {
    std::shared_ptr<GlyphSource> source;
    std::unordered_map<char32_t, std::unique_ptr<const Shape>> shapes; // null: the face lacks it
};

struct LegibilityAudit::TextMeasure {
    Letter reference;
    int gap = INT_MAX; // the narrowest gap along a row between neighbours; INT_MAX: no neighbours
    QString touching;  // the first two letters that touch
};

namespace {

constexpr double Slack = 1e-9;

QString number(double value, int decimals = 1)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text;
}

QString seconds(double ms) { return number(ms / 1000.0, 3) + QStringLiteral(" s"); }

bool isGeorgian(char32_t c) { return c >= 0x10A0 && c <= 0x10FF; }

bool georgianText(const QString& text)
{
    for (const char32_t c : text.toStdU32String())
        if (isGeorgian(c))
            return true;
    return false;
}

// A Latin text with a word of four letters or more and no small letter: a
// code such as "SBS" or "JFK" alone is not a destination in capitals.
bool capitalsOnly(const QString& text)
{
    int run = 0;
    bool longWord = false;
    for (const QChar c : text) {
        if (c.isLower())
            return false;
        if (c.isLetter() && c.unicode() < 0x250) {
            longWord = longWord || ++run >= 4;
        } else {
            run = 0;
        }
    }
    return longWord;
}

QString oneLine(QString text) { return text.replace(QLatin1Char('\n'), QLatin1Char(' ')); }

// "set in Vexel LED Numbers 19 rows condensed": the face images that miss a
// rule alike share.
QString faceCause(const TextStyle& style)
{
    QString face = QStringLiteral("set in %1 %2 rows").arg(style.font).arg(style.height);
    if (style.bold)
        face += QStringLiteral(" bold");
    if (style.condensed)
        face += QStringLiteral(" condensed");
    if (style.letterSpacing != 0)
        face += QStringLiteral(", spacing %1").arg(style.letterSpacing);
    return face;
}

} // namespace

QString LegibilityFinding::line() const
{
    QString where = code.isEmpty() ? sign : code + QLatin1Char(' ') + sign;
    if (page > 0)
        where += QStringLiteral(" page %1").arg(page);
    return QStringLiteral("%1: %2 %3, %4").arg(where, rule, measured, required);
}

QString LegibilityFinding::example() const
{
    QString where = code.isEmpty() ? sign : code;
    if (page > 0)
        where += QStringLiteral(" page %1").arg(page);
    return where;
}

QString LegibilityGroup::line() const
{
    if (count == 1)
        return first.line();
    return QStringLiteral("%1: %2 %3, %4: %5 images %6 (%7)")
        .arg(first.sign, first.rule, first.common.isEmpty() ? first.measured : first.common, first.required)
        .arg(count)
        .arg(first.cause, examples.join(QStringLiteral(", ")));
}

QString LegibilityGroup::causeOf(const LegibilityFinding& f)
{
    if (f.cause.isEmpty())
        return {};
    return QStringList{f.sign, f.rule, f.cause, f.common.isEmpty() ? f.measured : f.common}.join(QChar(0x1F));
}

std::vector<LegibilityGroup> LegibilityGroup::group(const std::vector<LegibilityFinding>& findings, int many)
{
    auto keyOf = [](const LegibilityFinding& f) { return causeOf(f); };
    // A group counts images, not pages: an image whose pages all miss the
    // rule alike is one of the cause's images.
    std::map<QString, LegibilityGroup> causes;
    std::map<QString, std::set<QString>> images;
    for (const LegibilityFinding& f : findings) {
        if (f.cause.isEmpty())
            continue;
        const QString key = keyOf(f);
        auto [at, fresh] = causes.try_emplace(key, LegibilityGroup{f, 0, {}});
        if (!images[key].insert(f.code).second)
            continue;
        ++at->second.count;
        if (at->second.examples.size() < Examples)
            at->second.examples << f.example();
    }
    std::vector<LegibilityGroup> out;
    std::set<QString> said;
    for (const LegibilityFinding& f : findings) {
        const QString key = f.cause.isEmpty() ? QString() : keyOf(f);
        const auto shared = key.isEmpty() ? causes.end() : causes.find(key);
        if (shared == causes.end() || shared->second.count < many)
            out.push_back({f, 1, {f.example()}});
        else if (said.insert(key).second) // said where its first finding stood
            out.push_back(shared->second);
    }
    return out;
}

LegibilityAudit::LegibilityAudit(LegibilityRules rules, FontList& fonts) : rules_(std::move(rules)), fonts_(fonts) {}

LegibilityAudit::Face& LegibilityAudit::face(const TextStyle& style) const
{
    std::shared_ptr<Face>& slot = faces_[{style.font, style.height, style.bold, style.condensed}];
    if (!slot) {
        slot = std::make_shared<Face>();
        Expected<std::shared_ptr<GlyphSource>> opened = fonts_.open(style.font, style.height, style.bold, style.condensed);
        if (opened)
            slot->source = *opened;
    }
    return *slot;
}

const LegibilityAudit::Shape* LegibilityAudit::shape(Face& face, char32_t c) const
{
    const auto known = face.shapes.find(c);
    if (known != face.shapes.end())
        return known->second.get();
    const Glyph* g = face.source ? face.source->glyph(c) : nullptr;
    if (!g)
        return face.shapes.emplace(c, nullptr).first->second.get();
    auto made = std::make_unique<Shape>();
    made->left = g->left;
    made->advance = g->advance;
    const LedBitmap& cell = g->cell;
    made->first.assign(static_cast<std::size_t>(cell.height()), -1);
    made->last.assign(static_cast<std::size_t>(cell.height()), -1);
    int top = -1, bottom = -1, leftmost = INT_MAX, rightmost = -1;
    std::map<int, int> runs; // length -> how often
    for (int y = 0; y < cell.height(); ++y) {
        const std::uint8_t* row = cell.row(y);
        int run = 0;
        for (int x = 0; x <= cell.width(); ++x) {
            const bool on = x < cell.width() && row[x];
            if (on) {
                ++run;
                if (made->first[y] < 0)
                    made->first[y] = x;
                made->last[y] = x;
            } else if (run > 0) {
                ++runs[run];
                run = 0;
            }
        }
        if (made->first[y] >= 0) {
            top = top < 0 ? y : top;
            bottom = y;
            leftmost = std::min(leftmost, made->first[y]);
            rightmost = std::max(rightmost, made->last[y]);
        }
    }
    if (top >= 0) {
        made->letter.found = true;
        made->letter.rows = bottom - top + 1;
        made->letter.columns = rightmost - leftmost + 1;
        int often = 0;
        for (const auto& [length, count] : runs) // shortest first, so a tie keeps the thinner
            if (count > often) {
                often = count;
                made->letter.stroke = length;
            }
    }
    return face.shapes.emplace(c, std::move(made)).first->second.get();
}

LegibilityAudit::Letter LegibilityAudit::measure(const TextStyle& face, char32_t letter) const
{
    const Shape* s = shape(this->face(face), letter);
    return s ? s->letter : Letter{};
}

LegibilityAudit::TextMeasure LegibilityAudit::measureText(const TextBlock& block, char32_t latin,
                                                          char32_t georgian) const
{
    TextMeasure out;
    const TextStyle& style = block.style;
    Face& set = face(style);
    const Shape* named = shape(set, georgianText(block.text) ? georgian : latin);
    if (named)
        out.reference = named->letter;
    const std::vector<std::u32string> lines = TextLayout::lines(block.text);
    const bool fallBack = !out.reference.found;
    for (const std::u32string& line : lines) {
        int pen = 0;
        const Shape* before = nullptr;
        int beforeX = 0;
        char32_t beforeChar = 0;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char32_t c = line[i];
            const Shape* s = shape(set, c);
            const bool letter = c != U' ' && s && s->letter.found;
            if (letter && fallBack && s->letter.rows > out.reference.rows)
                out.reference = s->letter;
            const int x = pen + (s ? s->left : 0);
            if (before && letter) {
                int gap = INT_MAX;
                int corner = INT_MAX;
                const int rows = static_cast<int>(std::min(before->last.size(), s->first.size()));
                for (int y = 0; y < rows; ++y) {
                    if (before->last[y] < 0)
                        continue;
                    const int right = beforeX + before->last[y];
                    for (int dy = -1; dy <= 1; ++dy) {
                        const int yy = y + dy;
                        if (yy < 0 || yy >= rows || s->first[yy] < 0)
                            continue;
                        const int between = x + s->first[yy] - right - 1;
                        corner = std::min(corner, between);
                        if (dy == 0)
                            gap = std::min(gap, between);
                    }
                }
                out.gap = std::min(out.gap, gap);
                if (corner <= 0 && out.touching.isEmpty())
                    out.touching = QString::fromStdU32String(std::u32string{beforeChar, c});
            }
            if (letter) {
                before = s;
                beforeX = x;
                beforeChar = c;
            } else {
                before = nullptr; // a space or a character the face lacks parts the letters
            }
            pen += s ? s->advance : std::max(1, style.height / 3);
            if (i + 1 < line.size())
                pen += style.letterSpacing;
        }
    }
    return out;
}

bool LegibilityAudit::tooSmall(const VehicleSign& sign, const LegibilityRule& rule) const
{
    return rule.check == Check::Height && rule.min && sign.pitchMm > 0 &&
           sign.height * sign.pitchMm < *rule.min - Slack;
}

std::vector<LegibilityFinding> LegibilityAudit::checkSign(const VehicleSign& sign) const
{
    std::vector<LegibilityFinding> out;
    for (const LegibilityRule& rule : rules_.rules) {
        auto find = [&](const QString& measured) {
            out.push_back({QString(), sign.name, 0, rule.name, measured, rule.required(), {}, {}});
        };
        if (!rule.places.isEmpty() && sign.place.isEmpty()) {
            find(QStringLiteral("no place given (the rule is for %1)").arg(rule.places.join(QStringLiteral(", "))));
            continue;
        }
        if (!rule.appliesTo(sign.place) || rule.check != Check::Height)
            continue;
        if (sign.pitchMm <= 0)
            find(QStringLiteral("no LED pitch given"));
        else if (tooSmall(sign, rule))
            find(QStringLiteral("%1 mm at most (%2 rows × %3 mm)")
                     .arg(number(sign.height * sign.pitchMm))
                     .arg(sign.height)
                     .arg(number(sign.pitchMm, 2)));
    }
    return out;
}

namespace {

// A frame's time as the simulator plays it (Timeline): slides of one step a
// row or column of its window, a hold of at least one step.
struct Timed {
    double hold = 0;
    double length = 0;
};

// Every frame's time; none when a header cannot be read.
std::vector<Timed> frameTimes(const ImageRecord& image, const VehicleSign& sign)
{
    std::vector<Timed> timed;
    const Expected<int> count = image.frameCount();
    for (int f = 0; count && f < *count; ++f) {
        const Expected<FrameHeader> header = image.headerAt(image.headerLine(f));
        if (!header)
            return {};
        const FrameRect window = header->cappedRect(std::max(1, sign.width), std::max(1, sign.height));
        const int entry = Timeline::playedEntry(header->entryEffect);
        const int exit = Timeline::playedExit(header->exitEffect);
        const int steps = (entry == Timeline::EntrySlideUp ? window.h : entry == Timeline::EntrySlideLeft ? window.w : 0) +
                          (exit == Timeline::ExitSlideUp     ? window.h
                           : exit == Timeline::ExitSlideLeft ? window.w
                           : exit == Timeline::ExitDark      ? 1
                                                             : 0);
        Timed t;
        t.hold = header->duration > 0 ? header->duration : Timeline::DefaultStepTime;
        t.length = t.hold + double(steps) * Timeline::DefaultStepTime;
        timed.push_back(t);
    }
    return timed;
}

bool timeCheck(Check check) { return check == Check::Hold || check == Check::Flash || check == Check::Loop; }

// What a hold, flash or loop rule finds of an image that pages, by frame
// from 1 (0: the whole loop); nothing of a one-frame image.
std::vector<std::pair<int, QString>> timeFindings(const LegibilityRule& rule, const std::vector<Timed>& timed)
{
    std::vector<std::pair<int, QString>> out;
    if (timed.size() < 2)
        return out;
    if (rule.check == Check::Loop) {
        double loop = 0;
        for (const Timed& t : timed)
            loop += t.length;
        if ((rule.min && loop < *rule.min - Slack) || (rule.max && loop > *rule.max + Slack))
            out.emplace_back(0, seconds(loop));
        return out;
    }
    for (std::size_t f = 0; f < timed.size(); ++f) {
        const int page = static_cast<int>(f) + 1;
        if (rule.check == Check::Hold) {
            const double hold = timed[f].hold;
            if ((rule.min && hold < *rule.min - Slack) || (rule.max && hold > *rule.max + Slack))
                out.emplace_back(page, seconds(hold));
        } else {
            const double length = timed[f].length;
            if (rule.max && length * *rule.max < 1000.0 - Slack)
                out.emplace_back(page, QStringLiteral("%1 Hz (%2 shown)")
                                           .arg(number(1000.0 / std::max(1.0, length), 3), seconds(length)));
        }
    }
    return out;
}

} // namespace

// A text shown once: what it reads as, and its measures by the letters the
// rules name, each measured the first time a rule asks.
struct LegibilityAudit::Shown {
    const TextBlock* block;
    int page;
    QString plain;
    bool number;
    std::map<std::pair<char32_t, char32_t>, TextMeasure> measured;

    bool readBy(const LegibilityRule& rule) const
    {
        return !((rule.text == LegibilityRule::Text::Number && !number) ||
                 (rule.text == LegibilityRule::Text::Destination && number));
    }
};

std::vector<LegibilityAudit::Shown> LegibilityAudit::shownTexts(const Destination& destination,
                                                                const SignImage& image)
{
    const QString route = destination.route.simplified();
    const QString code = destination.code.simplified();
    std::vector<Shown> shown;
    for (std::size_t p = 0; p < image.pages.size(); ++p)
        for (const TextBlock& text : image.pages[p].texts) {
            QString plain = text.text;
            plain.remove(QLatin1Char('\n'));
            plain = plain.simplified();
            if (plain.isEmpty())
                continue;
            const bool isNumber =
                plain.compare(route, Qt::CaseInsensitive) == 0 || plain.compare(code, Qt::CaseInsensitive) == 0;
            shown.push_back({&text, static_cast<int>(p) + 1, plain, isNumber, {}});
        }
    return shown;
}

std::optional<QString> LegibilityAudit::textFinding(const VehicleSign& sign, const LegibilityRule& rule,
                                                    Shown& t) const
{
    const TextBlock& text = *t.block;
    if (rule.check == Check::Capitals) {
        if (!t.number && !georgianText(t.plain) && capitalsOnly(t.plain))
            return QStringLiteral("\"%1\"").arg(oneLine(text.text));
        return std::nullopt;
    }
    const auto key = std::make_pair(rule.latinLetter, rule.georgianLetter);
    auto known = t.measured.find(key);
    if (known == t.measured.end())
        known = t.measured.emplace(key, measureText(text, rule.latinLetter, rule.georgianLetter)).first;
    const TextMeasure& m = known->second;
    if (rule.check == Check::Touch) {
        if (!m.touching.isEmpty())
            return QStringLiteral("\"%1\" touch in \"%2\"").arg(m.touching, oneLine(text.text));
        return std::nullopt;
    }
    if (!m.reference.found || m.reference.rows == 0)
        return std::nullopt;
    const int rows = m.reference.rows;
    const int gap = std::max(0, m.gap);
    if (rule.check == Check::Spacing && m.gap == INT_MAX)
        return std::nullopt;
    const double value = rule.check == Check::Height   ? rows * sign.pitchMm
                         : rule.check == Check::Stroke ? double(m.reference.stroke) / rows
                         : rule.check == Check::Width  ? double(m.reference.columns) / rows
                                                       : double(gap) / rows;
    if ((!rule.min || value >= *rule.min - Slack) && (!rule.max || value <= *rule.max + Slack))
        return std::nullopt;
    const int part = rule.check == Check::Stroke  ? m.reference.stroke
                     : rule.check == Check::Width ? m.reference.columns
                                                  : gap;
    if (rule.check == Check::Height)
        return QStringLiteral("%1 mm (%2 rows × %3 mm)").arg(number(value)).arg(rows).arg(number(sign.pitchMm, 2));
    return QStringLiteral("%1:%2 LEDs").arg(part).arg(rows);
}

std::vector<LegibilityFinding> LegibilityAudit::check(const VehicleSign& sign, const Destination& destination,
                                                      const SignImage& image) const
{
    std::vector<LegibilityFinding> out;
    if (!image.image)
        return out;
    auto find = [&](int page, const LegibilityRule& rule, const QString& measured, const QString& cause,
                    const QString& common) {
        out.push_back({destination.code, sign.name, page, rule.name, measured, rule.required(), cause, common});
    };
    const std::vector<Timed> timed = frameTimes(*image.image, sign);
    std::vector<Shown> shown = shownTexts(destination, image);
    for (const LegibilityRule& rule : rules_.rules) {
        if (!rule.appliesTo(sign.place))
            continue;
        if (timeCheck(rule.check)) {
            for (const auto& [page, measured] : timeFindings(rule, timed))
                find(page, rule, measured, QStringLiteral("timed by the sign's layout"), QString());
            continue;
        }
        if (rule.check >= Check::Lines) {
            for (const PageFinding& f : layoutFindings(rule, shown, image))
                find(f.page, rule, f.measured, f.cause, f.common);
            continue;
        }
        // A sign too small for the rule is said once by checkSign; its
        // images are still measured, since how far each falls short differs.
        if (rule.check == Check::Height && sign.pitchMm <= 0)
            continue; // said once for the sign
        int reported = 0; // the last page with a finding of this rule: one a page
        for (Shown& t : shown) {
            if (t.page == reported || !t.readBy(rule))
                continue;
            if (const std::optional<QString> measured = textFinding(sign, rule, t)) {
                // A text in capitals is its own cause; any other measure is its face's.
                const bool own = rule.check == Check::Capitals;
                const QString common = rule.check == Check::Touch ? measured->section(QStringLiteral(" in \""), 0, 0)
                                                                  : QString();
                find(t.page, rule, *measured, own ? QString() : faceCause(t.block->style), common);
                reported = t.page;
            }
        }
    }
    return out;
}

namespace {

// The rows of a block's LEDs that are lit, as it is lettered alone.
std::vector<bool> litRows(const LedBitmap& leds)
{
    std::vector<bool> rows(static_cast<std::size_t>(leds.height()), false);
    for (int y = 0; y < leds.height(); ++y)
        for (int x = 0; x < leds.width() && !rows[static_cast<std::size_t>(y)]; ++x)
            rows[static_cast<std::size_t>(y)] = leds.lit(x, y);
    return rows;
}

// The first and last lit column of a bitmap; {-1, -1} when dark.
std::pair<int, int> litColumns(const LedBitmap& leds)
{
    int first = -1, last = -1;
    for (int x = 0; x < leds.width(); ++x)
        for (int y = 0; y < leds.height(); ++y)
            if (leds.lit(x, y)) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
    return {first, last};
}

// Whether a lit LED of `upper` lies on or beside (diagonals too) a lit LED
// of `lower`.
bool ledsTouch(const LedBitmap& upper, const LedBitmap& lower)
{
    for (int y = 0; y < upper.height(); ++y)
        for (int x = 0; x < upper.width(); ++x) {
            if (!upper.lit(x, y))
                continue;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < lower.width() && ny < lower.height() && lower.lit(nx, ny))
                        return true;
                }
        }
    return false;
}

// The first and last lit row of a bitmap; {-1, -1} when dark.
std::pair<int, int> litRowSpan(const LedBitmap& leds)
{
    const std::vector<bool> rows = litRows(leds);
    int first = -1, last = -1;
    for (std::size_t y = 0; y < rows.size(); ++y)
        if (rows[y]) {
            first = first < 0 ? static_cast<int>(y) : first;
            last = static_cast<int>(y);
        }
    return {first, last};
}

} // namespace

std::optional<QString> LegibilityAudit::linesFinding(const TextBlock& block) const
{
    const int lines = static_cast<int>(TextLayout::lines(block.text).size());
    if (lines < 2)
        return std::nullopt;
    TextBlock alone = block;
    alone.area = FrameRect{0, 0, block.area.w, block.area.h};
    const Lettering lettered = TextLayout::renderBlocks({alone}, fonts_, block.area.w, block.area.h);
    const std::vector<bool> rows = litRows(lettered.bitmap);
    // Bands of lit rows with dark rows between; lines apart make one each.
    int bands = 0, top = -1, bottom = -1;
    for (std::size_t y = 0; y < rows.size(); ++y) {
        if (rows[y] && (y == 0 || !rows[y - 1]))
            ++bands;
        if (rows[y]) {
            top = top < 0 ? static_cast<int>(y) : top;
            bottom = static_cast<int>(y);
        }
    }
    if (top < 0 || bands >= lines)
        return std::nullopt;
    const int spare = static_cast<int>(rows.size()) - (bottom - top + 1);
    if (spare > 0)
        return QStringLiteral("no dark row between the lines of \"%1\", %2 above and below")
            .arg(oneLine(block.text), spare == 1 ? QStringLiteral("1 spare row") : QStringLiteral("%1 spare rows").arg(spare));
    return meetingLines(block);
}

QString LegibilityAudit::meetingLines(const TextBlock& block) const
{
    // Each line lettered alone where it stands in the block: the other lines
    // are left empty, so they keep their rows.
    const std::vector<std::u32string> all = TextLayout::lines(block.text);
    std::vector<LedBitmap> each;
    for (std::size_t i = 0; i < all.size(); ++i) {
        QStringList only;
        for (std::size_t j = 0; j < all.size(); ++j)
            only << (i == j ? QString::fromStdU32String(all[j]) : QString());
        TextBlock alone = block;
        alone.text = only.join(QLatin1Char('\n'));
        alone.area = FrameRect{0, 0, block.area.w, block.area.h};
        each.push_back(TextLayout::renderBlocks({alone}, fonts_, block.area.w, block.area.h).bitmap);
    }
    // A pair whose LEDs touch is named first; failing that, a line whose
    // lowest LEDs run on into the row above (or into) the next line's tops.
    for (std::size_t i = 0; i + 1 < each.size(); ++i)
        if (ledsTouch(each[i], each[i + 1]))
            return QStringLiteral("the lines of \"%1\" touch").arg(oneLine(block.text));
    for (std::size_t i = 0; i + 1 < each.size(); ++i) {
        const int upperBottom = litRowSpan(each[i]).second, lowerTop = litRowSpan(each[i + 1]).first;
        if (upperBottom >= 0 && lowerTop >= 0 && upperBottom + 1 >= lowerTop)
            return QStringLiteral("a descender of \"%1\" reaches the cap height of \"%2\"")
                .arg(QString::fromStdU32String(all[i]), QString::fromStdU32String(all[i + 1]));
    }
    return QStringLiteral("the lines of \"%1\" touch").arg(oneLine(block.text));
}

std::optional<QString> LegibilityAudit::numberGap(const LegibilityRule& rule, const TextBlock& number,
                                                  const TextBlock& text) const
{
    auto columns = [&](const TextBlock& block) {
        TextBlock alone = block;
        alone.area = FrameRect{0, 0, block.area.w, block.area.h};
        const auto [first, last] = litColumns(TextLayout::renderBlocks({alone}, fonts_, block.area.w, block.area.h).bitmap);
        return first < 0 ? std::pair{-1, -1} : std::pair{block.area.x + first, block.area.x + last};
    };
    const auto [numberLeft, numberRight] = columns(number);
    const auto [textLeft, textRight] = columns(text);
    if (numberLeft < 0 || textLeft < 0)
        return std::nullopt;
    const int gap = numberRight < textLeft ? textLeft - numberRight - 1 : numberLeft - textRight - 1;
    if (!rule.min || gap >= *rule.min - Slack)
        return std::nullopt;
    return QStringLiteral("%1 LEDs between \"%2\" and \"%3\"")
        .arg(std::max(0, gap))
        .arg(oneLine(number.text), oneLine(text.text));
}

std::optional<LegibilityAudit::PageFinding> LegibilityAudit::viaLarger(const std::vector<Shown>& shown,
                                                                       const std::vector<LetteredPage>& pages)
{
    // The via against the smallest destination the sign shows: a passenger
    // takes the larger text for where the bus goes.
    int destination = INT_MAX;
    const Shown* via = nullptr;
    for (const Shown& t : shown) {
        if (t.number)
            continue;
        const bool isVia = pages[static_cast<std::size_t>(t.page - 1)].via;
        if (!isVia)
            destination = std::min(destination, t.block->style.height);
        else if (!via || t.block->style.height > via->block->style.height)
            via = &t;
    }
    if (!via || destination == INT_MAX || via->block->style.height <= destination)
        return std::nullopt;
    return PageFinding{via->page,
                       QStringLiteral("the via \"%1\" in %2 rows, the destination in %3")
                           .arg(oneLine(via->block->text))
                           .arg(via->block->style.height)
                           .arg(destination),
                       QString(), QString()};
}

std::vector<LegibilityAudit::PageFinding> LegibilityAudit::layoutFindings(const LegibilityRule& rule,
                                                                         const std::vector<Shown>& shown,
                                                                         const SignImage& image) const
{
    std::vector<PageFinding> out;
    const std::vector<LetteredPage>& pages = image.pages;
    // What images of one cause share: the measure without the image's text.
    static const QRegularExpression quoted(QStringLiteral(" (of|between) \"[^\"]*\"( and \"[^\"]*\")?"));
    auto common = [](QString measured) { return measured.remove(quoted); };
    for (const Shown& t : shown) {
        if (rule.check == Check::Lines && !t.number)
            if (const auto found = linesFinding(*t.block))
                out.push_back({t.page, *found, faceCause(t.block->style), common(*found)});
        if (rule.check != Check::NumberGap || !t.number)
            continue;
        for (const Shown& other : shown)
            if (other.page == t.page && !other.number)
                if (const auto found = numberGap(rule, *t.block, *other.block)) {
                    out.push_back({t.page, *found, QStringLiteral("lettered by the sign's layout"), common(*found)});
                    break;
                }
    }
    if (rule.check == Check::LonelyPage) {
        for (std::size_t p = 1; p < pages.size(); ++p) {
            const bool last = p + 1 == pages.size() || pages[p + 1].frame != pages[p].frame;
            if (!last || pages[p - 1].frame != pages[p].frame || pages[p].texts.size() != 1)
                continue;
            const QString words = oneLine(pages[p].texts.front().text).simplified();
            if (!words.isEmpty() && !words.contains(QLatin1Char(' ')))
                out.push_back({static_cast<int>(p) + 1, QStringLiteral("the last page is one word, \"%1\"").arg(words),
                               QString(), QString()});
        }
    }
    if (rule.check == Check::ViaSize)
        if (const auto found = viaLarger(shown, pages))
            out.push_back(*found);
    return out;
}

std::vector<LegibilityFinding> LegibilityAudit::checkSet(const SetContents& contents,
                                                         const SetLettering& lettering) const
{
    std::vector<LegibilityFinding> out;
    for (const VehicleSign& sign : contents.signs) {
        const std::vector<LegibilityFinding> own = checkSign(sign);
        out.insert(out.end(), own.begin(), own.end());
        for (const Destination& d : contents.destinations) {
            if (!d.inUse)
                continue;
            const SignImage image = lettering.letter(sign, d, contents.byHand(d.code, sign.name));
            if (!image.fit.fits)
                continue;
            const std::vector<LegibilityFinding> found = check(sign, d, image);
            out.insert(out.end(), found.begin(), found.end());
        }
    }
    return out;
}

} // namespace vexel
