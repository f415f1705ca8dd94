#include "lettering/LineBreaks.h"

#include <algorithm>

namespace vexel {

namespace {

bool loneDash(const QString& word)
{
    return word == QLatin1String("-") || word == QStringLiteral("\u2013") || word == QStringLiteral("\u2014") ||
           word == QLatin1String("/");
}

// "23", "3", "116", "42nd": a number that names a street or a stop with the
// word after it.
bool isNumber(const QString& word)
{
    qsizetype digits = 0;
    while (digits < word.size() && word[digits].isDigit())
        ++digits;
    if (digits == 0)
        return false;
    const QString suffix = word.mid(digits).toLower();
    return suffix.isEmpty() || suffix == QLatin1String("st") || suffix == QLatin1String("nd") ||
           suffix == QLatin1String("rd") || suffix == QLatin1String("th");
}

bool wordEdge(const QString& text, qsizetype at)
{
    return at < 0 || at >= text.size() || !text[at].isLetterOrNumber();
}

long long square(int a) { return static_cast<long long>(a) * a; }

} // namespace

LineBreaks::LineBreaks(const QString& text, const std::vector<QString>& keepTogether)
{
    const QString simple = text.simplified();
    cut(simple);
    rate(simple, keepTogether);
}

void LineBreaks::cut(const QString& text)
{
    qsizetype offset = 0;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        qsizetype from = 0;
        for (qsizetype i = 1; i + 1 < word.size(); ++i)
            if (word[i] == QLatin1Char('-') || word[i] == QLatin1Char('/')) {
                pieces_.push_back({word.mid(from, i + 1 - from), from == 0, static_cast<int>(offset + from)});
                from = i + 1;
            }
        pieces_.push_back({word.mid(from), from == 0, static_cast<int>(offset + from)});
        offset += word.size() + 1;
    }
}

void LineBreaks::rate(const QString& text, const std::vector<QString>& keepTogether)
{
    // Where each listed phrase stands, as whole words.
    std::vector<std::pair<int, int>> kept;
    for (const QString& phrase : keepTogether) {
        const QString p = phrase.simplified();
        if (!p.contains(QLatin1Char(' ')) && !p.contains(QLatin1Char('-')) && !p.contains(QLatin1Char('/')))
            continue;
        for (qsizetype at = text.indexOf(p, 0, Qt::CaseInsensitive); at >= 0;
             at = text.indexOf(p, at + 1, Qt::CaseInsensitive))
            if (wordEdge(text, at - 1) && wordEdge(text, at + p.size()))
                kept.emplace_back(static_cast<int>(at), static_cast<int>(at + p.size()));
    }
    auto wordAt = [&](std::size_t first) {
        QString word = pieces_[first].text;
        for (std::size_t q = first + 1; q < pieces_.size() && !pieces_[q].wordStart; ++q)
            word += pieces_[q].text;
        return word;
    };
    breaks_.assign(pieces_.size(), Break{});
    std::size_t wordFirst = 0;
    for (std::size_t p = 1; p < pieces_.size(); ++p) {
        Break& b = breaks_[p];
        const int at = pieces_[p].offset;
        for (const auto& [from, to] : kept)
            b.cost.poor += from < at && at < to ? 1 : 0;
        if (!pieces_[p].wordStart) {
            b.allowed = true;
            b.cost.inWord = 1;
            b.hyphen = pieces_[p - 1].text.endsWith(QLatin1Char('-'));
            continue;
        }
        const QString before = wordAt(wordFirst);
        const QString after = wordAt(p);
        wordFirst = p;
        b.allowed = !loneDash(after);
        b.plain = !loneDash(before) && !before.endsWith(QLatin1Char(','));
        const bool letterAlone = after.size() == 1 && after[0].isLetter();
        if ((isNumber(before) && after[0].isLetter()) || (letterAlone && !before.endsWith(QLatin1Char(','))))
            b.cost.poor += 1;
    }
}

QString LineBreaks::line(int from, int to, bool pageEnd) const
{
    QString out;
    for (int p = from; p < to; ++p) {
        if (p > from && pieces_[static_cast<std::size_t>(p)].wordStart)
            out += QLatin1Char(' ');
        out += pieces_[static_cast<std::size_t>(p)].text;
    }
    if (!pageEnd || to >= pieceCount())
        return out;
    const qsizetype space = out.lastIndexOf(QLatin1Char(' '));
    if (space > 0 && loneDash(out.mid(space + 1)) && out.mid(space + 1) != QLatin1String("/"))
        out.truncate(space);
    else if (out.endsWith(QLatin1Char(',')))
        out.chop(1);
    return out;
}

// Line widths at one face, measured once each.
class LineBreaks::Widths {
public:
    Widths(const LineBreaks& breaks, const Measure& measure)
        : breaks_(breaks), measure_(measure), n_(breaks.pieceCount() + 1),
          widths_(static_cast<std::size_t>(n_ * n_ * 2), -1)
    {
    }
    int of(int from, int to, bool pageEnd)
    {
        int& w = widths_[static_cast<std::size_t>((from * n_ + to) * 2 + (pageEnd ? 1 : 0))];
        if (w < 0)
            w = measure_(breaks_.line(from, to, pageEnd));
        return w;
    }

private:
    const LineBreaks& breaks_;
    const Measure& measure_;
    int n_;
    std::vector<int> widths_;
};

std::optional<LineBreaks::Page> LineBreaks::pageAt(Widths& widths, int from, int to, int width, int linesPerPage,
                                                   const PairFits& pairFits) const
{
    std::optional<Page> best;
    const int whole = widths.of(from, to, true);
    // A page of one short word, where the text has more, reads as a
    // leftover ("Crosstown", "St").
    const bool lonely = 2 * whole < width && (from > 0 || to < pieceCount()) &&
                        !line(from, to, true).contains(QLatin1Char(' '));
    if (whole <= width)
        best = Page{Cost{1, lonely ? 1 : 0, 0, 0, square(width - whole)}, -1};
    for (int k = from + 1; linesPerPage > 1 && k < to; ++k) {
        const Break& b = breaks_[static_cast<std::size_t>(k)];
        if (!b.allowed)
            continue;
        const int upper = widths.of(from, k, false);
        const int lower = widths.of(k, to, true);
        if (upper > width || lower > width)
            continue;
        const Page page{Cost{1, b.cost.poor, b.cost.inWord, 0, square(width - upper) + square(width - lower)}, k};
        if ((!best || page.cost < best->cost) && pairFits(line(from, k, false), line(k, to, true)))
            best = page;
    }
    return best;
}

LineBreaks::Choice LineBreaks::choose(const Measure& measure, int width, int linesPerPage, int maxPages,
                                      const PairFits& pairFits) const
{
    const int n = pieceCount();
    if (n == 0 || width <= 0)
        return Choice{};
    Widths widths(*this, measure);
    // steps[to]: the cheapest pages of pieces [0, to).
    std::vector<Step> steps(static_cast<std::size_t>(n + 1));
    steps[0].cost = Cost{};
    for (int from = 0; from < n; ++from) {
        const Step& here = steps[static_cast<std::size_t>(from)];
        if (!here.cost || here.cost->pages >= maxPages)
            continue;
        Cost entry = *here.cost;
        if (from > 0) {
            const Break& pageBreak = breaks_[static_cast<std::size_t>(from)];
            entry = entry + pageBreak.cost;
            entry.spaces += pageBreak.plain ? 1 : 0;
        }
        for (int to = from + 1; to <= n; ++to) {
            if (to < n && !breaks_[static_cast<std::size_t>(to)].allowed)
                continue;
            if (const std::optional<Page> page = pageAt(widths, from, to, width, linesPerPage, pairFits)) {
                Step& there = steps[static_cast<std::size_t>(to)];
                const Cost total = entry + page->cost;
                // Of as good, the fuller pages first.
                if (!there.cost || !(*there.cost < total))
                    there = Step{total, from, page->split};
            }
            // Past what the lines of a page can hold, a longer page fits no better.
            if (widths.of(from, to, false) > (linesPerPage + 1) * width)
                break;
        }
    }
    return trace(steps);
}

LineBreaks::Choice LineBreaks::trace(const std::vector<Step>& steps) const
{
    Choice out;
    if (!steps.back().cost)
        return out;
    out.fits = true;
    out.cost = *steps.back().cost;
    for (int to = pieceCount(); to > 0;) {
        const Step& s = steps[static_cast<std::size_t>(to)];
        QStringList lines;
        if (s.split < 0) {
            lines << line(s.from, to, true);
        } else {
            lines << line(s.from, s.split, false) << line(s.split, to, true);
            out.hyphen = out.hyphen || breaks_[static_cast<std::size_t>(s.split)].hyphen;
        }
        out.pages.insert(out.pages.begin(), lines);
        out.hyphen = out.hyphen || (s.from > 0 && breaks_[static_cast<std::size_t>(s.from)].hyphen);
        to = s.from;
    }
    return out;
}

} // namespace vexel
