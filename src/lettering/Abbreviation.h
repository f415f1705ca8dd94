#pragma once

#include <QString>

#include <vector>

namespace vexel {

// A word of a sign text and the shorter form a sign may show instead
// ("Avenue" -> "Av", "გამზირი" -> "გამზ.").
struct Abbreviation {
    QString word;
    QString shortForm;

    // Where a word of the list stands in a text.
    struct Match {
        qsizetype at = 0;
        qsizetype length = 0;
        QString shortForm; // as the text will show it
    };

    // The words of `list` in `text`, longest first (then from the left).
    // Only whole words match: the characters either side are no letters or
    // digits. Letter case is ignored; a word found in capitals only takes
    // its short form in capitals ("AVENUE" -> "AV"), any other keeps the
    // short form as the list writes it. Matches never overlap: of two
    // words at one place the longer wins.
    static std::vector<Match> find(const QString& text, const std::vector<Abbreviation>& list);

    // `text` with the given matches (found in it) replaced.
    static QString apply(const QString& text, std::vector<Match> matches);
};

} // namespace vexel
