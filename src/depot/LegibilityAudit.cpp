#include "depot/LegibilityAudit.h"

#include "lettering/FontList.h"
#include "lettering/GlyphSource.h"
#include "lettering/TextLayout.h"
#include "preview/Timeline.h"

#include <algorithm>
#include <climits>

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

QString faceKey(const TextStyle& s)
{
    return QStringLiteral("%1|%2|%3|%4").arg(s.font).arg(s.height).arg(s.bold).arg(s.condensed);
}

QString oneLine(QString text) { return text.replace(QLatin1Char('\n'), QLatin1Char(' ')); }

} // namespace

QString LegibilityFinding::line() const
{
    QString where = code.isEmpty() ? sign : code + QLatin1Char(' ') + sign;
    if (page > 0)
        where += QStringLiteral(" page %1").arg(page);
    return QStringLiteral("%1: %2 %3, %4").arg(where, rule, measured, required);
}

LegibilityAudit::LegibilityAudit(LegibilityRules rules, FontList& fonts) : rules_(std::move(rules)), fonts_(fonts) {}

const LegibilityAudit::Shape* LegibilityAudit::shape(const TextStyle& style, char32_t c) const
{
    const QString key = faceKey(style);
    auto& slot = shapes_[{key, c}];
    if (slot)
        return slot->letter.found || slot->advance > 0 ? slot.get() : nullptr;
    auto made = std::make_shared<Shape>();
    std::shared_ptr<GlyphSource>& source = faces_[key];
    if (!source) {
        Expected<std::shared_ptr<GlyphSource>> opened = fonts_.open(style.font, style.height, style.bold, style.condensed);
        if (opened)
            source = *opened;
    }
    const Glyph* g = source ? source->glyph(c) : nullptr;
    if (g) {
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
    }
    slot = std::move(made);
    return slot->letter.found || slot->advance > 0 ? slot.get() : nullptr;
}

LegibilityAudit::Letter LegibilityAudit::measure(const TextStyle& face, char32_t letter) const
{
    const Shape* s = shape(face, letter);
    return s ? s->letter : Letter{};
}

LegibilityAudit::TextMeasure LegibilityAudit::measureText(const TextBlock& block, const LegibilityRule& rule) const
{
    TextMeasure out;
    const TextStyle& face = block.style;
    out.reference = measure(face, georgianText(block.text) ? rule.georgianLetter : rule.latinLetter);
    const std::vector<std::u32string> lines = TextLayout::lines(block.text);
    const bool fallBack = !out.reference.found;
    for (const std::u32string& line : lines) {
        int pen = 0;
        const Shape* before = nullptr;
        int beforeX = 0;
        char32_t beforeChar = 0;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char32_t c = line[i];
            const Shape* s = shape(face, c);
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
            pen += s ? s->advance : std::max(1, face.height / 3);
            if (i + 1 < line.size())
                pen += face.letterSpacing;
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
            out.push_back({QString(), sign.name, 0, rule.name, measured, rule.required()});
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

std::vector<LegibilityFinding> LegibilityAudit::check(const VehicleSign& sign, const Destination& destination,
                                                      const SignImage& image) const
{
    std::vector<LegibilityFinding> out;
    if (!image.image)
        return out;
    auto find = [&](int page, const LegibilityRule& rule, const QString& measured) {
        out.push_back({destination.code, sign.name, page, rule.name, measured, rule.required()});
    };

    Timeline timeline(std::max(1, sign.width), std::max(1, sign.height));
    const bool played = timeline.addImage(*image.image).ok();
    const int frames = played ? timeline.frameCount() : 0;
    const QString route = destination.route.simplified();
    const QString code = destination.code.simplified();

    for (const LegibilityRule& rule : rules_.rules) {
        if (!rule.appliesTo(sign.place))
            continue;
        switch (rule.check) {
        case Check::Hold:
        case Check::Flash:
            if (frames < 2)
                break;
            for (int f = 0; f < frames; ++f) {
                const Timeline::Frame& frame = timeline.frame(f);
                if (rule.check == Check::Hold) {
                    const double hold = static_cast<double>(frame.hold);
                    if ((rule.min && hold < *rule.min - Slack) || (rule.max && hold > *rule.max + Slack))
                        find(f + 1, rule, seconds(hold));
                } else {
                    const double shown = static_cast<double>(frame.length(timeline.stepTime()));
                    if (rule.max && shown * *rule.max < 1000.0 - Slack)
                        find(f + 1, rule,
                             QStringLiteral("%1 Hz (%2 shown)").arg(number(1000.0 / std::max(1.0, shown), 3), seconds(shown)));
                }
            }
            break;
        case Check::Loop: {
            if (frames < 2)
                break;
            const double loop = static_cast<double>(timeline.loopLength());
            if ((rule.min && loop < *rule.min - Slack) || (rule.max && loop > *rule.max + Slack))
                find(0, rule, seconds(loop));
            break;
        }
        default: {
            if (rule.check == Check::Height && (sign.pitchMm <= 0 || tooSmall(sign, rule)))
                break; // said once for the sign
            for (std::size_t p = 0; p < image.pages.size(); ++p) {
                for (const TextBlock& text : image.pages[p].texts) {
                    QString plain = text.text;
                    plain.remove(QLatin1Char('\n'));
                    plain = plain.simplified();
                    if (plain.isEmpty())
                        continue;
                    const bool isNumber = plain.compare(route, Qt::CaseInsensitive) == 0 ||
                                          plain.compare(code, Qt::CaseInsensitive) == 0;
                    if ((rule.text == LegibilityRule::Text::Number && !isNumber) ||
                        (rule.text == LegibilityRule::Text::Destination && isNumber))
                        continue;
                    const int page = static_cast<int>(p) + 1;
                    if (rule.check == Check::Capitals) {
                        if (!isNumber && !georgianText(plain) && capitalsOnly(plain)) {
                            find(page, rule, QStringLiteral("\"%1\"").arg(oneLine(text.text)));
                            break;
                        }
                        continue;
                    }
                    const TextMeasure m = measureText(text, rule);
                    if (rule.check == Check::Touch) {
                        if (!m.touching.isEmpty()) {
                            find(page, rule, QStringLiteral("\"%1\" touch in \"%2\"").arg(m.touching, oneLine(text.text)));
                            break;
                        }
                        continue;
                    }
                    if (!m.reference.found || m.reference.rows == 0)
                        continue;
                    const int rows = m.reference.rows;
                    double value = 0;
                    QString measured;
                    if (rule.check == Check::Height) {
                        value = rows * sign.pitchMm;
                        measured = QStringLiteral("%1 mm (%2 rows × %3 mm)")
                                       .arg(number(value))
                                       .arg(rows)
                                       .arg(number(sign.pitchMm, 2));
                    } else if (rule.check == Check::Stroke) {
                        value = double(m.reference.stroke) / rows;
                        measured = QStringLiteral("%1:%2 LEDs").arg(m.reference.stroke).arg(rows);
                    } else if (rule.check == Check::Width) {
                        value = double(m.reference.columns) / rows;
                        measured = QStringLiteral("%1:%2 LEDs").arg(m.reference.columns).arg(rows);
                    } else { // spacing
                        if (m.gap == INT_MAX)
                            continue;
                        value = double(std::max(0, m.gap)) / rows;
                        measured = QStringLiteral("%1:%2 LEDs").arg(std::max(0, m.gap)).arg(rows);
                    }
                    if ((rule.min && value < *rule.min - Slack) || (rule.max && value > *rule.max + Slack)) {
                        find(page, rule, measured);
                        break;
                    }
                }
            }
            break;
        }
        }
    }
    return out;
}

std::vector<LegibilityFinding> LegibilityAudit::checkSet(const std::vector<VehicleSign>& signs,
                                                         const std::vector<Destination>& destinations,
                                                         const std::vector<SignOverride>& overrides,
                                                         const SetLettering& lettering) const
{
    std::vector<LegibilityFinding> out;
    for (const VehicleSign& sign : signs) {
        const std::vector<LegibilityFinding> own = checkSign(sign);
        out.insert(out.end(), own.begin(), own.end());
        for (const Destination& d : destinations) {
            if (!d.inUse)
                continue;
            const SignOverride* byHand = nullptr;
            for (const SignOverride& o : overrides)
                if (o.code.compare(d.code, Qt::CaseInsensitive) == 0 && o.sign.compare(sign.name, Qt::CaseInsensitive) == 0)
                    byHand = &o;
            const SignImage image = lettering.letter(sign, d, byHand);
            if (!image.fit.fits)
                continue;
            const std::vector<LegibilityFinding> found = check(sign, d, image);
            out.insert(out.end(), found.begin(), found.end());
        }
    }
    return out;
}

} // namespace vexel
