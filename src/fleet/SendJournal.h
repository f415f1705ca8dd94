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
    int bytes = -1;    // the data block (the DATA header's length field); -1 when no message was built
    int checksum = -1; // its checksum; -1 likewise
    // "OK", "CS", "LN", "no reply", "stopped", or "not sent: " and why.
    QString reply;
    // The PC that sent (the station name), and the entry's own id, given
    // when it is recorded, which keeps an upload to the server to one row.
    QString station;
    QString id;
    // Kept in the local journal until the server can be reached: the
    // server it waits for, by its address without the password (empty in
    // a journal written before entries named theirs).
    bool pending = false;
    QString server;
    // The lasting id of the set the files were released from (their
    // release.txt), and each file's image checksum, in the order of
    // `files` (empty where the file could not be read).
    QString setId;
    QStringList sums;

    bool succeeded() const { return reply == QLatin1String("OK"); }
};

// A send the board took, as the fleet's state needs it: the time as stored
// (ISO 8601 in UTC with milliseconds, so times compare as text).
struct GoodSend {
    QString time;
    QString bus;
    QString sign;
    QString setId;
    QString station;
    QString id;
    int version = 0;
    QStringList files;
    QStringList sums;
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
//
// With a server (a postgresql:// database, see JournalServer), every entry
// is kept in the local file first, marked pending for that server, and then
// goes up with the others pending for it in one statement; one the server
// did not take waits for the next send or start-up. A send cut short while
// the server is slow loses nothing, and the server keys entries by their
// id, so an entry goes up exactly once however often it is offered.
class SendJournal {
public:
    // VEXEL_JOURNAL when set, else journal.sqlite in the user's data folder
    // for the editor, shared with `vexel`.
    static QString defaultPath();
    static constexpr int BusyTimeoutMs = 3000;
    static constexpr const char* NotSent = "not sent";

    // VEXEL_JOURNAL when it names a server, else `configured` (the
    // settings' server, empty for none).
    static QString defaultServer(const QString& configured = {});
    // VEXEL_STATION, else `configured` (the settings' station name), else
    // the host name.
    static QString stationName(const QString& configured = {});

    explicit SendJournal(QString path = defaultPath(), QString server = defaultServer(),
                         QString station = stationName())
        : path_(std::move(path)), server_(std::move(server)), station_(std::move(station))
    {
    }
    const QString& path() const { return path_; }
    const QString& server() const { return server_; }
    // The journal as it may be shown: the server without its password, or
    // the file.
    QString shownName() const;

    // With a server, success means kept: `uploaded`, when given, says
    // whether it reached the server, and `why` why not.
    Status record(const JournalEntry& entry, bool* uploaded = nullptr, QString* why = nullptr) const;
    // Offers every entry pending for this server to it; how many went up.
    Expected<int> upload() const;
    // The server as waiting entries name it: its address without the
    // password; empty without a server.
    QString serverKey() const;
    // Oldest first. A journal not made yet has no entries. With a server,
    // its entries and the local ones still pending for it; a server's row
    // that cannot be an entry is left out and named in `skipped`.
    Expected<std::vector<JournalEntry>> entries(const JournalFilter& filter = {}, QStringList* skipped = nullptr) const;
    // For every bus and sign, the last send its board answered OK (a sign
    // shows the images of the last message it took, and only those); with
    // `bus`, that bus's only. In no order.
    Expected<std::vector<GoodSend>> lastGoodSends(const QString& bus = {}, QStringList* skipped = nullptr) const;
    // Keeps, of sends to the same bus and sign (in any case), the latest.
    static std::vector<GoodSend> latestPerSign(std::vector<GoodSend> sends);
    // Fills the parts of a send's entry that its files tell: their names,
    // the set, set id, version and sign of the release note beside them (a
    // sign already given is kept), and each file's image checksum.
    static void describeFiles(JournalEntry& entry, const QStringList& paths);
    // What `bus` carries on `sign`: its last send that the board took.
    Expected<std::optional<JournalEntry>> carried(const QString& bus, const QString& sign) const;
    // That answer in a sentence.
    static QString carriedText(const QString& bus, const QString& sign, const std::optional<JournalEntry>& entry);

    // The CSV columns, and one entry as a CSV row (RFC 4180 quoting).
    static QString csvHeader();
    static QString csvRow(const JournalEntry& entry);
    static QString checksumText(const JournalEntry& entry);
    // `text` safe to print on a terminal or in a CSV file: a control
    // character (ESC, BEL, CR ..., and those that turn the direction of
    // text) is written as \xHH or \uHHHH.
    static QString printable(const QString& text);
    static QString filesText(const JournalEntry& entry);

private:
    // The last good sends the local file holds, before any is weighed
    // against the server's.
    Expected<std::vector<GoodSend>> localGoodSends(const QString& bus) const;
    Status recordLocally(const JournalEntry& entry) const;
    // Marks entries the server took; false when the file could not be written.
    bool markUploaded(const QStringList& ids) const;
    // With `pendingOnly`, those waiting for this server (or for no server
    // named, from an older journal).
    Expected<std::vector<JournalEntry>> localEntries(const JournalFilter& filter, bool pendingOnly) const;
    // `entry` (kept here already) with those waiting for this server.
    Status uploadWith(const JournalEntry& entry) const;

    QString path_;
    QString server_;
    QString station_;
};

} // namespace vexel
