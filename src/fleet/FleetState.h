#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

namespace vexel {

// One bus of the bus list, kept beside the send journal.
struct Bus {
    QString number;
    QString depot;
    // The set it runs on, as every command takes one: a .vxset path or a
    // server set's address (never with a password). The bus is matched to
    // its releases by the set's id, read from the set.
    QString set;
    // The destination codes it serves; {"*"} for every destination in use.
    QStringList codes;
    bool inService = true;
    QString note;

    bool everyCode() const { return codes.size() == 1 && codes.front() == QLatin1String("*"); }
    friend bool operator==(const Bus& a, const Bus& b)
    {
        return a.number == b.number && a.depot == b.depot && a.set == b.set && a.codes == b.codes &&
               a.inService == b.inService && a.note == b.note;
    }
};

// One sign of one bus as the journal and the latest release see it.
struct FleetSignState {
    QString sign;
    // The sign's size in the bus's set; 0 when not known.
    int width = 0;
    int height = 0;
    // The release version the sign's codes were last sent from (the newest
    // when they differ, `mixed` then set); 0 when none was ever taken.
    int carriedVersion = 0;
    bool mixed = false;
    // The release that counts today (its valid-from date passed).
    int latestVersion = 0;
    // Codes never sent, or carried with an image other than the latest
    // release's (compared by checksum).
    QStringList behind;
    // When the sign fell behind; null when it is not behind.
    QDateTime since;
    // The last send the board took on this sign: when and from where.
    QDateTime lastSend;
    QString lastStation;

    bool isBehind() const { return !behind.isEmpty(); }
};

struct FleetBusState {
    Bus bus;
    // False for a bus seen only in the journal: "not in the bus list".
    bool listed = true;
    QString setId;
    // The folder the latest release was written to, as the set recorded
    // it; empty when the set does not know it.
    QString releaseFolder;
    // Why the bus's set could not be read; its signs are then empty.
    QString problem;
    std::vector<FleetSignState> signs;

    bool isBehind() const
    {
        for (const FleetSignState& s : signs)
            if (s.isBehind())
                return true;
        return false;
    }
};

// Which buses to show; an empty field does not filter.
struct FleetFilter {
    QString depot;
    QString set;
    QString bus;
    bool behindOnly = false;
};

// One line of a visit list: what to send to one sign of one bus from a
// release folder.
struct VisitItem {
    QString bus;
    QString depot;
    QString sign;
    QString folder;      // the sign's release folder, with its separator
    QStringList files;   // "<code>.img", in the order sent
    int length = 0;      // the DATA message's data block, as the board checks it
    int checksum = 0;    // and its checksum
    QString problem;     // why it cannot be sent as one message, if so
};

} // namespace vexel
