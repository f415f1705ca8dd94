// `vexel journal` and the journal entries of `vexel send` and `vexel read`.
#include "Cli.h"

#include "store/SetRights.h"
#include "fleet/ReleaseNote.h"
#include "fleet/JournalServer.h"
#include "fleet/SendJournal.h"
#include "transfer/DataMessage.h"

#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

using namespace vexel;

SendJournal Cli::journalInUse(QString* from)
{
    const SettingsStore::Journal settings = SettingsStore::journalOf(QCoreApplication::applicationDirPath());
    const SendJournal journal(SendJournal::defaultPath(), SendJournal::defaultServer(settings.server),
                              SendJournal::stationName(settings.station));
    if (from)
        *from = !qEnvironmentVariable("VEXEL_JOURNAL").isEmpty() ? QStringLiteral("VEXEL_JOURNAL")
                : !journal.server().isEmpty()                    ? QDir::toNativeSeparators(settings.path)
                                                                 : QStringLiteral("the file on this PC");
    return journal;
}

void Cli::journalSend(const Sent& sent)
{
    JournalEntry entry;
    entry.time = QDateTime::currentDateTimeUtc();
    entry.bus = sent.bus.trimmed();
    entry.port = sent.port;
    entry.read = sent.read;
    entry.bytes = sent.dataLength;
    entry.checksum = sent.checksum;
    entry.reply = sent.reply;
    if (!sent.read) {
        entry.sign = sent.sign;
        SendJournal::describeFiles(entry, sent.files);
    }
    const SendJournal journal = journalInUse();
    bool uploaded = false;
    QString why;
    const Status recorded = journal.record(entry, &uploaded, &why);
    if (!recorded)
        say(err_, QStringLiteral("vexel: ") + recorded.error());
    else if (!journal.server().isEmpty() && !uploaded)
        say(err_, QStringLiteral("vexel: the journal entry is kept on this PC until the server can be reached: ") +
                      why);
}

int Cli::db(const QStringList& args)
{
    const Parsed p = parse(args, {}, {QStringLiteral("--edit"), QStringLiteral("--read")});
    if (!p.error.isEmpty())
        return usage(p.error);
    const QString what = p.positional.value(0);
    const bool edit = p.options.count(QStringLiteral("--edit")) > 0;
    const bool read = p.options.count(QStringLiteral("--read")) > 0;
    if (what == QLatin1String("grant") || (what == QLatin1String("sql") && p.positional.size() == 3)) {
        if (p.positional.size() != 3 || edit == read)
            return usage(QStringLiteral("db %1 wants ROLE SET and --edit or --read").arg(what));
        return dbRight(what, p.positional[1], p.positional[2], edit);
    }
    if (edit || read)
        return usage(QStringLiteral("--edit and --read go with db grant and db sql ROLE SET"));
    if (what == QLatin1String("sql") && p.positional.size() == 1) {
        for (const QString& statement : JournalServer::initSql(true))
            say(out_, statement + QLatin1Char(';'));
        return Success;
    }
    if (what != QLatin1String("init") || p.positional.size() != 2)
        return usage(QStringLiteral("db takes init URL, grant ROLE SET --edit|--read, or sql [ROLE SET --edit|--read]"));
    return dbInit(p.positional[1]);
}

int Cli::dbRight(const QString& what, const QString& role, const QString& set, bool edit)
{
    const SetRights::Right right = edit ? SetRights::Right::Edit : SetRights::Right::Read;
    if (what == QLatin1String("sql")) {
        const Expected<QStringList> sql = SetRights::sql(role, set, right);
        if (!sql) {
            say(err_, sql.error());
            return Failed;
        }
        for (const QString& statement : *sql)
            say(out_, statement + QLatin1Char(';'));
        return Success;
    }
    QString said;
    const Status granted = SetRights::grant(set, role, right, &said);
    if (!granted) {
        say(err_, granted.error());
        return Failed;
    }
    if (!said.isEmpty())
        say(err_, QStringLiteral("vexel: ") + said);
    say(out_, QStringLiteral("%1 may now %2 the set").arg(role, edit ? QStringLiteral("edit") : QStringLiteral("read")));
    return Success;
}

int Cli::dbInit(const QString& url)
{
    const Expected<JournalServer> server = JournalServer::at(url);
    if (!server) {
        say(err_, server.error());
        return Failed;
    }
    bool roles = false;
    bool upgraded = false;
    QStringList sets;
    const Status made = server->init(&roles, &upgraded, &sets);
    if (!made) {
        say(err_, made.error());
        return Failed;
    }
    say(out_, upgraded ? QStringLiteral("Brought the journal on %1 up to this version").arg(server->address().shown())
                       : QStringLiteral("Made the journal's table on %1").arg(server->address().shown()));
    say(out_, roles ? QStringLiteral("Made the roles vexel_owner, which owns the sets, vexel_editor and vexel_viewer; "
                                     "grant vexel_owner to whoever makes sets and the others to login roles")
                    : QStringLiteral("This role may not create roles: an administrator can run the SQL of "
                                     "`vexel db sql` for vexel_owner, vexel_editor and vexel_viewer"));
    for (const QString& line : sets)
        say(out_, line);
    return Success;
}

int Cli::journal(const QStringList& args)
{
    const Parsed p = parse(args, {QStringLiteral("--bus"), QStringLiteral("--sign"), QStringLiteral("--set")},
                           {QStringLiteral("--csv")});
    if (!p.error.isEmpty())
        return usage(p.error);
    if (!p.positional.isEmpty())
        return usage(QStringLiteral("journal takes no argument but its options"));
    const auto option = [&](const char* name) {
        const auto it = p.options.find(QString::fromLatin1(name));
        return it == p.options.end() ? QString() : it->second;
    };
    JournalFilter filter;
    filter.bus = option("--bus");
    filter.sign = option("--sign");
    filter.set = option("--set");
    QString from;
    const SendJournal journal = journalInUse(&from);
    say(err_, QStringLiteral("Journal: %1 (%2)").arg(journal.shownName(), from));
    QStringList skipped;
    const Expected<std::vector<JournalEntry>> entries = journal.entries(filter, &skipped);
    if (!entries) {
        say(err_, entries.error());
        return Failed;
    }
    for (const QString& line : skipped)
        say(err_, QStringLiteral("vexel: ") + line);
    const int status = skipped.isEmpty() ? Success : Failed;
    if (p.options.count(QStringLiteral("--csv"))) {
        say(out_, SendJournal::csvHeader());
        for (const JournalEntry& e : *entries)
            say(out_, SendJournal::csvRow(e));
        return status;
    }
    for (const JournalEntry& e : *entries) {
        QStringList parts{e.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                          e.bus.isEmpty() ? QStringLiteral("bus -") : QStringLiteral("bus ") + e.bus};
        if (!e.sign.isEmpty())
            parts << e.sign;
        if (!e.set.isEmpty() || e.version > 0)
            parts << (e.version > 0 ? QStringLiteral("%1 v%2").arg(e.set).arg(e.version).trimmed() : e.set);
        parts << e.port;
        if (e.read)
            parts << QStringLiteral("READ");
        else
            parts << SendJournal::filesText(e);
        if (e.bytes >= 0)
            parts << DataMessage::blockFigure(e.bytes, e.checksum);
        parts << e.reply;
        if (e.pending)
            parts << QStringLiteral("(not yet uploaded)");
        if (!journal.server().isEmpty() && !e.station.isEmpty())
            parts << QStringLiteral("from ") + e.station;
        say(out_, SendJournal::printable(parts.join(QStringLiteral("  "))));
    }
    if (entries->empty())
        say(err_, QStringLiteral("No entries in %1").arg(journal.shownName()));
    return status;
}
