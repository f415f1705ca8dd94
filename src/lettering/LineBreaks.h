#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <tuple>
#include <vector>

namespace vexel {

// A one-line text cut where a line may end, and the most even way to set it
// on lines and pages of one face. A line may end at a space (dropped) and
// after a hyphen or slash inside a word (kept: "B44-" / "SBS",
// "Sedgwick/" / "Highbridge"); never before a lone dash or slash. A page
// ending at ", " or " - " drops the comma or dash; a line inside a page
// keeps it.
//
// Pages end at " - " or ", " rather than at another space where as many
// pages do. A break is poor, and avoided wherever another fit avoids it, when it
// parts a number from the word after it ("23" / "St", "3" / "Av"), a word
// from a single letter after it ("Av" / "C"), or falls inside a phrase of
// the keep-together list ("Sheepshead" / "Bay"); so is a page of one
// short word (under half the line) when the text has several.
class LineBreaks {
public:
    // How good a choice is, compared in this order.
    struct Cost {
        int pages = 0;
        int poor = 0;       // poor breaks
        int inWord = 0;     // breaks after a hyphen or slash inside a word
        int spaces = 0;     // pages ending at a plain space, not at ", " or " - "
        long long ragged = 0; // the sum of each line's spare width squared

        bool operator<(const Cost& o) const
        {
            return std::tie(pages, poor, inWord, spaces, ragged) <
                   std::tie(o.pages, o.poor, o.inWord, o.spaces, o.ragged);
        }
        Cost operator+(const Cost& o) const
        {
            return {pages + o.pages, poor + o.poor, inWord + o.inWord, spaces + o.spaces, ragged + o.ragged};
        }
    };

    struct Choice {
        bool fits = false;
        std::vector<QStringList> pages; // each page's lines
        Cost cost;
        bool hyphen = false; // some line ends after a hyphen inside a word
    };

    // The width of a line at the face, in LEDs.
    using Measure = std::function<int(const QString& line)>;
    // Whether two lines go on one page (their LEDs must not touch).
    using PairFits = std::function<bool(const QString& upper, const QString& lower)>;

    LineBreaks(const QString& text, const std::vector<QString>& keepTogether);

    // The fewest pages of at most `linesPerPage` lines each, every line at
    // most `width` wide; of those the fewest poor breaks, then the fewest
    // inside words, then the most even lines. Nothing fits past `maxPages`.
    Choice choose(const Measure& measure, int width, int linesPerPage, int maxPages,
                  const PairFits& pairFits) const;

    // The text of pieces [from, to) as one line; `pageEnd` drops a
    // trailing comma or dash.
    QString line(int from, int to, bool pageEnd) const;

    int pieceCount() const { return static_cast<int>(pieces_.size()); }

private:
    struct Piece {
        QString text;
        bool wordStart = true; // after a space; else after a hyphen or slash
        int offset = 0;        // of the piece in the text
    };
    struct Break {
        bool allowed = false;
        Cost cost; // poor and inWord only
        bool hyphen = false;
        bool plain = false; // at a space after neither a comma nor a dash
    };

    // One page of pieces [from, to): one line, or two broken before `split`.
    struct Page {
        Cost cost;
        int split = -1;
    };
    // The best way to reach a break: its cost and the page before it.
    struct Step {
        std::optional<Cost> cost;
        int from = 0;
        int split = -1;
    };
    class Widths;

    void cut(const QString& text);
    void rate(const QString& text, const std::vector<QString>& keepTogether);
    std::optional<Page> pageAt(Widths& widths, int from, int to, int width, int linesPerPage,
                               const PairFits& pairFits) const;
    Choice trace(const std::vector<Step>& steps) const;

    std::vector<Piece> pieces_;
    std::vector<Break> breaks_; // breaks_[p]: before piece p
};

} // namespace vexel
