#pragma once

#include "document/Result.h"
#include "fleet/FleetState.h"

#include <QDate>
#include <QString>

#include <vector>

namespace vexel {

// What the visit list's title names.
struct VisitHeading {
    QString depot;
    QString set;
    int version = 0;
    QDate date;
    QString releaseFolder;
};

// The visit list as a checklist to print, for a technician in the yard:
// per bus a box to tick per sign, the files to send and the length and
// checksum the board will be sent, so the board's answer can be compared.
// Nothing is cut short: long file lists wrap over as many lines and pages
// as they need.
class VisitSheet {
public:
    static Status write(const QString& pdfPath, const VisitHeading& heading, const std::vector<VisitItem>& items);
    // The list of a depot for the release in `releaseFolder`, titled from
    // its release.txt: what the Fleet window prints and `vexel fleet visit
    // --pdf` writes.
    static Status print(const QString& pdfPath, const QString& depot, const QString& releaseFolder,
                        const std::vector<VisitItem>& items, const QDate& today);
    // The title line, also the PDF's title.
    static QString title(const VisitHeading& heading);
    // The line under a sign's box: the figures the board checks, or why the
    // files cannot go as one message.
    static QString figuresText(const VisitItem& item);
};

} // namespace vexel
