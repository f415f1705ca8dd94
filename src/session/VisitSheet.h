#pragma once

#include "document/Result.h"
#include "session/FleetState.h"

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
class VisitSheet {
public:
    static Status write(const QString& pdfPath, const VisitHeading& heading, const std::vector<VisitItem>& items);
    // The title line, also the PDF's title.
    static QString title(const VisitHeading& heading);
};

} // namespace vexel
