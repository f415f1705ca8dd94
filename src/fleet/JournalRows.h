#pragma once

#include "fleet/SendJournal.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

namespace vexel::journalrows {

// What the journal's file and its server have in common in their rows.

// A null QString binds as NULL; the text columns hold '' instead.
inline QString text(const QString& value) { return value.isNull() ? QStringLiteral("") : value; }

inline QVariant orNull(int value, int none) { return value == none ? QVariant() : QVariant(value); }

// Lines kept in one text column (files, sums).
inline QStringList lines(const QString& column)
{
    return column.isEmpty() ? QStringList() : column.split(QLatin1Char('\n'));
}

// A good send as both read it: time (as the file writes it), bus, sign,
// set id, station, id, version, files and sums.
inline GoodSend goodSendOf(const QSqlQuery& q)
{
    GoodSend g;
    g.time = q.value(0).toString();
    g.bus = q.value(1).toString();
    g.sign = q.value(2).toString();
    g.setId = q.value(3).toString();
    g.station = q.value(4).toString();
    g.id = q.value(5).toString();
    g.version = q.value(6).toInt(); // NULL reads as 0
    g.files = lines(q.value(7).toString());
    g.sums = lines(q.value(8).toString());
    return g;
}

// An entry's columns from bus to reply, in the order both tables have them.
inline void bindSend(QSqlQuery& q, const JournalEntry& e)
{
    q.addBindValue(text(e.bus));
    q.addBindValue(text(e.sign));
    q.addBindValue(text(e.set));
    q.addBindValue(orNull(e.version, 0));
    q.addBindValue(text(e.port));
    q.addBindValue(e.read ? QStringLiteral("read") : QStringLiteral("send"));
    q.addBindValue(text(e.files.join(QLatin1Char('\n'))));
    q.addBindValue(orNull(e.bytes, -1));
    q.addBindValue(orNull(e.checksum, -1));
    q.addBindValue(text(e.reply));
}

// The conditions a filter puts on the entries, with their values in order;
// `time` gives a moment as the table compares times.
struct Where {
    QStringList conditions;
    QVariantList values;
};

inline void addFilter(Where& w, const JournalFilter& filter, const std::function<QVariant(const QDateTime&)>& time)
{
    const auto equal = [&](const char* column, const QString& value) {
        if (value.trimmed().isEmpty())
            return;
        w.conditions << QStringLiteral("%1 = ?").arg(QLatin1String(column));
        w.values << value.trimmed();
    };
    equal("bus", filter.bus);
    equal("sign", filter.sign);
    equal("set_name", filter.set);
    if (filter.reply == QLatin1String(SendJournal::NotSent))
        w.conditions << QStringLiteral("reply LIKE 'not sent%'");
    else
        equal("reply", filter.reply);
    if (filter.from.isValid()) {
        w.conditions << QStringLiteral("time >= ?");
        w.values << time(filter.from.startOfDay());
    }
    if (filter.to.isValid()) {
        w.conditions << QStringLiteral("time < ?");
        w.values << time(filter.to.addDays(1).startOfDay());
    }
}

} // namespace vexel::journalrows
