#include "store/ServerAddress.h"

#include <QCoreApplication>
#include <QByteArray>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

#include <algorithm>
#include <cctype>

namespace vexel {

namespace {

const QString Scheme = QStringLiteral("postgresql://");
const QString ShortScheme = QStringLiteral("postgres://");

// The libpq parameters an address may carry besides its own parts.
const char* const PassedOn[] = {"sslmode",  "sslrootcert",     "sslcert",          "sslkey",
                                "sslcrl",   "sslpassword",     "service",          "application_name",
                                "gssencmode", "channel_binding", "target_session_attrs", "krbsrvname",
                                "sslcompression", "requirepeer"};

QString said(const char* english) { return QCoreApplication::translate("ServerAddress", english); }

// The part of an address a fault is found in, with the sentences that say
// each fault of it.
struct Part {
    const char* badEscape;
    const char* notUtf8;
    const char* control;
};

const Part UserPart{QT_TRANSLATE_NOOP("ServerAddress", "the user has a % not followed by two hex digits"),
              QT_TRANSLATE_NOOP("ServerAddress", "the user is not UTF-8"),
              QT_TRANSLATE_NOOP("ServerAddress", "the user holds a control character")};
const Part PasswordPart{QT_TRANSLATE_NOOP("ServerAddress", "the password has a % not followed by two hex digits"),
              QT_TRANSLATE_NOOP("ServerAddress", "the password is not UTF-8"),
              QT_TRANSLATE_NOOP("ServerAddress", "the password holds a control character")};
const Part HostPart{QT_TRANSLATE_NOOP("ServerAddress", "the host has a % not followed by two hex digits"),
              QT_TRANSLATE_NOOP("ServerAddress", "the host is not UTF-8"),
              QT_TRANSLATE_NOOP("ServerAddress", "the host holds a control character")};
const Part ValuePart{QT_TRANSLATE_NOOP("ServerAddress", "the parameter's value has a % not followed by two hex digits"),
              QT_TRANSLATE_NOOP("ServerAddress", "the parameter's value is not UTF-8"),
              QT_TRANSLATE_NOOP("ServerAddress", "the parameter's value holds a control character")};
const Part DatabasePart{QT_TRANSLATE_NOOP("ServerAddress", "the database has a % not followed by two hex digits"),
              QT_TRANSLATE_NOOP("ServerAddress", "the database is not UTF-8"),
              QT_TRANSLATE_NOOP("ServerAddress", "the database holds a control character")};
const char* const PortSentence =
    QT_TRANSLATE_NOOP("ServerAddress", "the port must be a whole number from %1 to %2, not \"%3\"");

// A percent-decoded part; fails on malformed escapes and control characters,
// which no name or password of a server holds and a conninfo cannot carry.
Expected<QString> decoded(const QString& part, const Part& what)
{
    QByteArray raw = part.toUtf8();
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] != '%')
            continue;
        if (i + 2 >= raw.size() || !std::isxdigit(static_cast<unsigned char>(raw[i + 1])) ||
            !std::isxdigit(static_cast<unsigned char>(raw[i + 2])))
            return Expected<QString>::failure(said(what.badEscape));
    }
    const QByteArray bytes = QByteArray::fromPercentEncoding(raw);
    const QString text = QString::fromUtf8(bytes);
    if (text.toUtf8() != bytes)
        return Expected<QString>::failure(said(what.notUtf8));
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; }))
        return Expected<QString>::failure(said(what.control));

    return text;
}

// sentence: "the port must be a whole number from %1 to %2, not \"%3\"", marked for translation
Expected<int> number(const QString& text, int low, int high, const char* sentence)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < low || n > high || text.startsWith(QLatin1Char('+')))
        return Expected<int>::failure(said(sentence).arg(QString::number(low), QString::number(high), text.left(40)));
    return n;
}

// A value as a conninfo writes it: quoted, with \ and ' escaped.
QString quoted(const QString& value)
{
    QString out = value;
    out.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    out.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + out + QLatin1Char('\'');
}

} // namespace

bool ServerAddress::isServer(const QString& text)
{
    return text.startsWith(Scheme, Qt::CaseInsensitive) || text.startsWith(ShortScheme, Qt::CaseInsensitive);
}

namespace {

// The user and password before the @ of an address.
Status readUserInfo(const QString& userInfo, ServerAddress& a)
{
    const qsizetype colon = userInfo.indexOf(QLatin1Char(':'));
    const Expected<QString> user = decoded(colon < 0 ? userInfo : userInfo.left(colon), UserPart);
    if (!user)
        return user.status();
    a.user = *user;
    if (colon >= 0) {
        const Expected<QString> password = decoded(userInfo.mid(colon + 1), PasswordPart);
        if (!password)
            return Status::failure(said(QT_TRANSLATE_NOOP("ServerAddress", "the password cannot be read")));
        a.password = *password;
    }
    return Status::success();
}

// The host and port after the @: a name or address, or an IPv6 address in [ ].
Status readHostPort(QString authority, ServerAddress& a)
{
    qsizetype colon = -1;
    if (authority.startsWith(QLatin1Char('['))) {
        const qsizetype close = authority.indexOf(QLatin1Char(']'));
        if (close < 0)
            return Status::failure(said(QT_TRANSLATE_NOOP("ServerAddress", "an address in [ ] is not closed")));
        a.host = authority.mid(1, close - 1);
        authority = authority.mid(close + 1);
        if (!authority.isEmpty() && !authority.startsWith(QLatin1Char(':')))
            return Status::failure(said(QT_TRANSLATE_NOOP("ServerAddress", "the host is followed by something other than :port")));
        colon = authority.isEmpty() ? -1 : 0;
    } else {
        colon = authority.lastIndexOf(QLatin1Char(':'));
        const Expected<QString> host = decoded(colon < 0 ? authority : authority.left(colon), HostPart);
        if (!host)
            return host.status();
        a.host = *host;
    }
    if (colon >= 0) {
        const Expected<int> port = number(authority.mid(colon + 1), 1, 65535, PortSentence);
        if (!port)
            return port.status();
        a.port = *port;
    }
    return Status::success();
}

// One name=value of the query; `hasSet` is set when it names the set.
Status readParameter(const QString& pair, ServerAddress::SetName setName, ServerAddress& a, bool& hasSet)
{
    const qsizetype eq = pair.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return Status::failure(said(QT_TRANSLATE_NOOP("ServerAddress", "the parameter \"%1\" has no name=value")).arg(pair.left(40)));
    const QString key = pair.left(eq);
    const Expected<QString> value = decoded(pair.mid(eq + 1), ValuePart);
    if (!value)
        return Status::failure(said(QT_TRANSLATE_NOOP("ServerAddress", "%1: %2")).arg(key.left(40), value.error()));
    const auto known = std::find_if(std::begin(PassedOn), std::end(PassedOn),
                                    [&](const char* k) { return key == QLatin1String(k); });
    const auto readNumber = [&](int low, int high, const char* what, int& into) {
        const Expected<int> n = number(*value, low, high, what);
        if (n)
            into = *n;
        return n.status();
    };
    if (key == QLatin1String("set")) {
        if (setName == ServerAddress::SetName::Forbidden)
            return Status::failure(said(QT_TRANSLATE_NOOP("ServerAddress", "it names a set, where a database is asked for; leave out set=")));
        a.set = *value;
        hasSet = true;
    } else if (key == QLatin1String("host")) {
        if (!a.host.isEmpty())
            return Status::failure(said(QT_TRANSLATE_NOOP("ServerAddress", "it names the host twice")));
        a.host = *value;
    } else if (key == QLatin1String("port")) {
        return readNumber(1, 65535, PortSentence, a.port);
    } else if (key == QLatin1String("user") || key == QLatin1String("dbname")) {
        QString& part = key == QLatin1String("user") ? a.user : a.database;
        part = *value;
    } else if (key == QLatin1String("password")) {
        a.password = *value;
    } else if (key == QLatin1String("connect_timeout")) {
        return readNumber(1, 300, QT_TRANSLATE_NOOP("ServerAddress", "the connect_timeout must be a whole number from %1 to %2, not \"%3\""),
                          a.connectTimeout);
    } else if (known != std::end(PassedOn)) {
        // The Qt driver turns every ; of its options into a space.
        if (value->contains(QLatin1Char(';')))
            return Status::failure(said(QT_TRANSLATE_NOOP("ServerAddress", "%1: a value cannot hold ;")).arg(key));
        a.parameters.emplace_back(key, *value);
    } else {
        return Status::failure(said(QT_TRANSLATE_NOOP("ServerAddress", "the parameter \"%1\" is not one Vexel Image passes on")).arg(key.left(40)));
    }
    return Status::success();
}

// What the whole address must name, once every part is read.
Status checkParts(const ServerAddress& a, ServerAddress::SetName setName, bool hasSet)
{
    const auto fail = [](const QString& why) { return Status::failure(why); };
    using SetName = ServerAddress::SetName;
    if (a.host.contains(QLatin1Char(',')))
        return fail(said(QT_TRANSLATE_NOOP("ServerAddress", "it names more than one host; name one")));
    // A host is a name, an address, or a socket folder (an absolute path).
    if (!a.host.startsWith(QLatin1Char('/')) &&
        !std::all_of(a.host.begin(), a.host.end(), [](QChar c) {
            return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                   (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') ||
                   c == QLatin1Char('-') || c == QLatin1Char('_') || c == QLatin1Char(':');
        }))
        return fail(said(QT_TRANSLATE_NOOP("ServerAddress",
                                      "the host \"%1\" is neither a name, an address nor a socket folder (beginning with /)"))
                        .arg(a.host.left(60)));
    if (setName == SetName::Required) {
        if (!hasSet)
            return fail(said(QT_TRANSLATE_NOOP("ServerAddress", "it names no set: add ?set=NAME")));
        if (a.set.isEmpty() || a.set.size() > 63 || a.set.startsWith(QLatin1String("pg_")) ||
            !std::all_of(a.set.begin(), a.set.end(), [](QChar c) {
                return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                       c == QLatin1Char('_');
            }) ||
            a.set.front() < QLatin1Char('a') || a.set.front() > QLatin1Char('z'))
            return fail(said(QT_TRANSLATE_NOOP("ServerAddress", "the set's name must be 1 to 63 lower-case letters, digits and _, "
                                                           "beginning with a letter, and not pg_...")));
    }
    if (a.host.isEmpty() && !std::any_of(a.parameters.begin(), a.parameters.end(),
                                         [](const auto& p) { return p.first == QLatin1String("service"); }))
        return fail(said(QT_TRANSLATE_NOOP("ServerAddress", "it names no host (a name, an address, or ?host=/socket/folder)")));
    return Status::success();
}

} // namespace

Expected<ServerAddress> ServerAddress::parse(const QString& text, SetName setName)
{
    using Result = Expected<ServerAddress>;
    auto fail = [](const QString& why) { return Result::failure(said(QT_TRANSLATE_NOOP("ServerAddress", "Not a server address: %1")).arg(why)); };
    if (text.size() > MaxLength)
        return fail(said(QT_TRANSLATE_NOOP("ServerAddress", "it is longer than %1 characters")).arg(MaxLength));
    if (!isServer(text))
        return fail(said(QT_TRANSLATE_NOOP("ServerAddress", "it must begin with postgresql://")));
    QString rest = text.mid(text.startsWith(Scheme, Qt::CaseInsensitive) ? Scheme.size() : ShortScheme.size());
    // Only a user and a password stand before an @, as libpq reads it: an
    // @ after a / or ? means one of them holds a character that must be
    // written %XX, and any part named in a message could be the password.
    const qsizetype lastAt = rest.lastIndexOf(QLatin1Char('@'));
    const qsizetype cut = rest.indexOf(QRegularExpression(QStringLiteral("[/?]")));
    if (lastAt >= 0 && cut >= 0 && lastAt > cut)
        return fail(said(QT_TRANSLATE_NOOP("ServerAddress", "an @ comes after a / or ?: write a /, ? or @ of a user name, a "
                                                       "password or a parameter's value as %2F, %3F or %40")));

    ServerAddress a;
    QString query;
    const qsizetype q = rest.indexOf(QLatin1Char('?'));
    if (q >= 0) {
        query = rest.mid(q + 1);
        rest.truncate(q);
    }
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return fail(said(QT_TRANSLATE_NOOP("ServerAddress", "it names no database (postgresql://host/database)")));
    const Expected<QString> db = decoded(rest.mid(slash + 1), DatabasePart);
    if (!db)
        return fail(db.error());
    a.database = *db;
    if (a.database.isEmpty())
        return fail(said(QT_TRANSLATE_NOOP("ServerAddress", "it names no database (postgresql://host/database)")));
    QString authority = rest.left(slash);
    const qsizetype at = authority.lastIndexOf(QLatin1Char('@'));
    Status read = at >= 0 ? readUserInfo(authority.left(at), a) : Status::success();
    if (read)
        read = readHostPort(authority.mid(at + 1), a);
    bool hasSet = false;
    const QStringList pairs = query.isEmpty() ? QStringList() : query.split(QLatin1Char('&'));
    for (const QString& pair : pairs)
        if (read)
            read = readParameter(pair, setName, a, hasSet);
    if (read)
        read = checkParts(a, setName, hasSet);
    if (!read)
        return fail(read.error());
    return a;
}

QString ServerAddress::shown() const
{
    auto part = [](const QString& s) {
        return QString::fromUtf8(QUrl::toPercentEncoding(s, QByteArrayLiteral("/")));
    };
    QString out = Scheme;
    if (!user.isEmpty())
        out += QString::fromUtf8(QUrl::toPercentEncoding(user)) + QLatin1Char('@');
    QStringList query;
    if (host.startsWith(QLatin1Char('/')))
        query << QStringLiteral("host=") + part(host);
    else
        out += host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : part(host);
    if (port != 0) {
        if (host.startsWith(QLatin1Char('/')))
            query << QStringLiteral("port=%1").arg(port);
        else
            out += QStringLiteral(":%1").arg(port);
    }
    out += QLatin1Char('/') + QString::fromUtf8(QUrl::toPercentEncoding(database));
    if (connectTimeout != DefaultConnectTimeout)
        query << QStringLiteral("connect_timeout=%1").arg(connectTimeout);
    for (const auto& [key, value] : parameters)
        if (key != QLatin1String("sslpassword"))
            query << key + QLatin1Char('=') + part(value);
    if (!set.isEmpty())
        query << QStringLiteral("set=") + set;
    if (!query.isEmpty())
        out += QLatin1Char('?') + query.join(QLatin1Char('&'));
    return out;
}

QString ServerAddress::hidden(const QString& text)
{
    for (const SetName kind : {SetName::Forbidden, SetName::Required}) {
        const Expected<ServerAddress> a = parse(text, kind);
        if (a)
            return a->shown();
    }
    if (!isServer(text))
        return text;
    const qsizetype start = text.indexOf(QLatin1String("://")) + 3;
    const qsizetype at = text.lastIndexOf(QLatin1Char('@'));
    QString out = text.left(start) + text.mid(std::max(start, at + 1));
    const qsizetype q = out.indexOf(QLatin1Char('?'));
    if (q >= 0) {
        QStringList kept;
        for (const QString& pair : out.mid(q + 1).split(QLatin1Char('&'))) {
            const QString key = QString::fromUtf8(QByteArray::fromPercentEncoding(pair.section(QLatin1Char('='), 0, 0).toUtf8()));
            if (key.trimmed() != QLatin1String("password") && key.trimmed() != QLatin1String("sslpassword"))
                kept << pair;
        }
        out = out.left(q) + (kept.isEmpty() ? QString() : QLatin1Char('?') + kept.join(QLatin1Char('&')));
    }
    return out.left(MaxLength);
}

QSqlDatabase ServerAddress::connection(const QString& name, int statementTimeoutMs) const
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    db.setHostName(host);
    if (port != 0)
        db.setPort(port);
    db.setDatabaseName(database);
    db.setUserName(user);
    db.setPassword(password);
    QStringList options{QStringLiteral("connect_timeout=%1").arg(connectTimeout),
                        QStringLiteral("options=") + quoted(QStringLiteral("-c statement_timeout=%1").arg(statementTimeoutMs)),
                        // A peer that stops acknowledging is given up: 20 s
                        // with data unacknowledged, or 15 s idle and three
                        // probes 5 s apart. A network that acknowledges but
                        // forwards nothing is ServerWatch's to end.
                        QStringLiteral("keepalives=1"), QStringLiteral("keepalives_idle=15"),
                        QStringLiteral("keepalives_interval=5"), QStringLiteral("keepalives_count=3"),
                        QStringLiteral("tcp_user_timeout=20000")};
    for (const auto& [key, value] : parameters)
        options << key + QLatin1Char('=') + quoted(value);
    db.setConnectOptions(options.join(QLatin1Char(';')));
    return db;
}

} // namespace vexel
