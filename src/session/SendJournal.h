#pragma once

#include "document/Result.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vexel {

// One send or read as the journal keeps it.
struct JournalEntry {
    QDateTime time; // UTC
    QString bus;
    QString sign;
    QString set;
    int version = 0; // 0: the files came from no release note
    QString port;
    bool read = false; // the READ request rather than a DATA message
    QStringList files; // names without their folder
    int bytes = -1;    // the DATA field's length; -1 when no message was built
    int checksum = -1; // its checksum; -1 likewise
    // "OK", "CS", "LN", "no reply", "stopped", or "not sent: " and why.
    QString reply;

    bool succeeded() const { return reply == QLatin1String("OK"); }
};

// Which entries to list; an empty field (or a null date) does not filter.
struct JournalFilter {
    QString bus;
    QString sign;
    QString set;
    QDate from; // local dates, both ends included
    QDate to;
    // A reply as stored, or "not sent" for every send that did not go out.
    QString reply;
};

// The record of every send and read, one SQLite file for the user (not in
// the image data folder, which moves with every Load). Each entry is one
// short transaction on a connection of its own that waits out another
// writer for a while; a journal that cannot be written fails that entry
// only, never the send it records.
class SendJournal {
public:
    // VEXEL_JOURNAL when set, else journal.sqlite in the user's data folder
    // for the editor, shared with `vexel`.
    static QString defaultPath();
    static constexpr int BusyTimeoutMs = 3000;
    static constexpr const char* NotSent = "not sent";

    explicit SendJournal(QString path = defaultPath()) : path_(std::move(path)) {}
    const QString& path() const { return path_; }

    Status record(const JournalEntry& entry) const;
    // Oldest first. A journal not made yet has no entries.
    Expected<std::vector<JournalEntry>> entries(const JournalFilter& filter = {}) const;
    // What `bus` carries on `sign`: its last send that the board took.
    Expected<std::optional<JournalEntry>> carried(const QString& bus, const QString& sign) const;
    // That answer in a sentence.
    static QString carriedText(const QString& bus, const QString& sign, const std::optional<JournalEntry>& entry);

    // The CSV columns, and one entry as a CSV row (RFC 4180 quoting).
    static QString csvHeader();
    static QString csvRow(const JournalEntry& entry);
    static QString checksumText(const JournalEntry& entry);
    static QString filesText(const JournalEntry& entry);

private:
    QString path_;
};

} // namespace vexel
