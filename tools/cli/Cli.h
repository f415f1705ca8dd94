#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>
#include <map>

namespace vexel {
class SendJournal;
}

// The command-line tool `vexel`: checks, renders, sends and reads images,
// makes route sets and imports pictures, for scripts and depot automation. Messages go to
// standard error and name the file and line as the editor does; findings of
// `check` go to standard output, one a line.
class Cli {
public:
    enum Exit {
        Success = 0,
        Failed = 1,   // a failed check or refused input
        BadUsage = 2,
        ReplyCs = 3,  // the board found the checksum wrong
        ReplyLn = 4,  // the board found the length wrong
        NoReply = 5,
    };

    Cli(std::FILE* out = stdout, std::FILE* err = stderr) : out_(out), err_(err) {}

    // `args` without the program name.
    int run(const QStringList& args);

    static QString usageText();

private:
    // Options and positional arguments of one command. An option named in
    // `flags` takes no value; every other takes the next argument.
    struct Parsed {
        std::map<QString, QString> options;
        QStringList positional;
        QString error;
    };
    static Parsed parse(const QStringList& args, const QStringList& valued, const QStringList& flags);

    int check(const QStringList& args);
    int render(const QStringList& args);
    int send(const QStringList& args, bool read);
    int routes(const QStringList& args);
    int set(const QStringList& args); // SetCommand.cpp
    int setNew(const Parsed& p);
    int setImport(const Parsed& p);
    int setExport(const Parsed& p);
    int setStatus(const QStringList& args); // SetStatusCommand.cpp
    int setOverride(const QStringList& args); // SetOverrideCommand.cpp
    int setAudit(const QStringList& args); // SetAuditCommand.cpp
    int translit(const QStringList& args); // TranslitCommand.cpp
    int setVersions(const QStringList& args); // SetVersionsCommand.cpp
    int setDiff(const QStringList& args);
    int setRelease(const QStringList& args); // SetReleaseCommand.cpp
    int setGtfs(const QStringList& args); // SetGtfsCommand.cpp
    int setAbbreviations(const QStringList& args); // SetAbbreviationsCommand.cpp
    int setWords(const QStringList& args);         // SetWordsCommand.cpp
    int setCopy(const QStringList& args);          // SetCopyCommand.cpp
    int setMerge(const QStringList& args);
    int import(const QStringList& args);
    int journal(const QStringList& args); // JournalCommand.cpp
    int db(const QStringList& args);      // JournalCommand.cpp
    int dbRight(const QString& what, const QString& role, const QString& set, bool edit);
    int dbInit(const QString& url);
    int fleet(const QStringList& args);   // FleetCommand.cpp
    int fleetImport(const QStringList& args, const vexel::SendJournal& journal);
    int fleetExport(const QStringList& args, const vexel::SendJournal& journal);
    int fleetStatus(const QStringList& args, const vexel::SendJournal& journal);
    int fleetVisit(const QStringList& args, const vexel::SendJournal& journal);
    // Records a send or read of `vexel send` in the journal; a journal that
    // cannot be written is said, and the exit status stays the send's.
    struct Sent {
        bool read = false;
        QStringList files; // paths as given
        QString bus, sign, port;
        int dataLength = -1;
        int checksum = -1;
        QString reply;
    };
    void journalSend(const Sent& sent);
    // The journal `vexel` uses, as the editor does: VEXEL_JOURNAL, else the
    // server the editor's Lumaro.ini names, else the file on this PC; and
    // where that choice came from, to be said.
    static vexel::SendJournal journalInUse(QString* from = nullptr);

    int usage(const QString& problem);
    // Says the message on standard error; Failed.
    int failWith(const QString& message);
    void say(std::FILE* stream, const QString& line);

    std::FILE* out_;
    std::FILE* err_;
};
