#pragma once

#include "document/Result.h"
#include "fleet/FleetState.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace vexel {

// The bus list as a CSV table, as spreadsheets write it: a header naming
// the columns bus, depot, set, codes, in_service and note (in any order),
// then a bus a row. Codes are separated by spaces, `*` alone for every
// destination; in_service is yes or no (also 1/0, true/false; empty: yes).
class BusCsv {
public:
    static constexpr qint64 MaxFileBytes = 16LL * 1024 * 1024;

    struct Row {
        Bus bus;
        int line = 0;
    };
    struct Table {
        std::vector<Row> rows;
        // "<file>, line N: why" for every row left out.
        QStringList problems;
    };

    // The rows that can be buses; the others are left out, each named in
    // `problems` with its line. Fails only when the table itself cannot be
    // read (no header, a column missing, a broken quote).
    static Expected<Table> parse(const QByteArray& bytes, const QString& name);
    static Expected<Table> read(const QString& path);
    // Leaves out the rows whose set cannot be opened or lacks one of their
    // codes, each set opened once. A set named by a relative path is looked
    // for from `base` and kept with its full path.
    static void checkSets(Table& table, const QString& name, const QString& base);

    // The header and a line each, LF ended, a field quoted where it must be.
    static QByteArray text(const std::vector<Bus>& buses);
    // Written whole or not at all.
    static Status write(const QString& path, const std::vector<Bus>& buses);
};

} // namespace vexel
