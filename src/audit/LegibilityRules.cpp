#include "audit/LegibilityRules.h"

#include "store/VehicleSign.h"
#include "document/LimitedFile.h"
#include "lettering/UserFonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>
#include <set>

#ifndef VEXEL_SOURCE_RULES
#define VEXEL_SOURCE_RULES ""
#endif

namespace vexel {

namespace {

using Check = LegibilityRule::Check;

struct CheckName {
    const char* name;
    Check check;
    const char* units; // what its numbers may be given in; empty: no numbers
};

const CheckName Checks[] = {
    {"height", Check::Height, "mm, in"}, {"stroke", Check::Stroke, "a ratio"},
    {"width", Check::Width, "a ratio"},  {"spacing", Check::Spacing, "a ratio"},
    {"touch", Check::Touch, ""},         {"hold", Check::Hold, "s, ms"},
    {"flash", Check::Flash, "Hz"},       {"loop", Check::Loop, "s, ms"},
    {"capitals", Check::Capitals, ""},     {"lines", Check::Lines, ""},
    {"number-gap", Check::NumberGap, "LEDs"}, {"lonely-page", Check::LonelyPage, ""},
    {"via-size", Check::ViaSize, ""},
};

const CheckName* checkNamed(const QString& name)
{
    for (const CheckName& c : Checks)
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}

const CheckName& checkOf(Check check)
{
    for (const CheckName& c : Checks)
        if (c.check == check)
            return c;
    return Checks[0];
}

QString unquoted(QString value)
{
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        value = value.mid(1, value.size() - 2);
    return value;
}

// A number in the check's unit, or why not.
Expected<double> number(const QString& text, Check check)
{
    using Result = Expected<double>;
    static const QRegularExpression ratio(QStringLiteral("^(\\d+(?:\\.\\d+)?)\\s*:\\s*(\\d+(?:\\.\\d+)?)$"));
    static const QRegularExpression measure(QStringLiteral("^(\\d+(?:\\.\\d+)?)\\s*([A-Za-z]*)$"));
    const CheckName& c = checkOf(check);
    if (*c.units == '\0')
        return Result::failure(QStringLiteral("%1 takes no numbers").arg(QLatin1String(c.name)));
    const bool ratioCheck = check == Check::Stroke || check == Check::Width || check == Check::Spacing;
    if (ratioCheck) {
        const QRegularExpressionMatch m = ratio.match(text);
        if (m.hasMatch()) {
            const double b = m.captured(2).toDouble();
            if (b <= 0)
                return Result::failure("a ratio's second number must be above 0");
            return m.captured(1).toDouble() / b;
        }
        const QRegularExpressionMatch plain = measure.match(text);
        if (plain.hasMatch() && plain.captured(2).isEmpty())
            return plain.captured(1).toDouble();
        return Result::failure(QStringLiteral("\"%1\" is not a ratio such as 1:10").arg(text));
    }
    const QRegularExpressionMatch m = measure.match(text);
    const QString unit = m.hasMatch() ? m.captured(2) : QString();
    const double value = m.hasMatch() ? m.captured(1).toDouble() : 0;
    if (m.hasMatch() && std::isfinite(value) && value <= 1e6) {
        if (check == Check::Height && unit == QLatin1String("mm"))
            return value;
        if (check == Check::Height && unit == QLatin1String("in"))
            return value * 25.4;
        if ((check == Check::Hold || check == Check::Loop) && unit == QLatin1String("s"))
            return value * 1000.0;
        if ((check == Check::Hold || check == Check::Loop) && unit == QLatin1String("ms"))
            return value;
        if (check == Check::Flash && unit == QLatin1String("Hz") && value > 0)
            return value;
        if (check == Check::NumberGap && (unit == QLatin1String("LEDs") || unit == QLatin1String("LED") || unit.isEmpty()))
            return value;
    }
    return Result::failure(
        QStringLiteral("\"%1\" is not a number in %2").arg(text, QLatin1String(c.units)));
}

// Reads a rule file line by line: the file's own keys come before the
// first rule, then each "rule" starts one and the keys after it are its
// own. Each step returns why a line is refused, empty when it is taken.
struct RulesReader {
    LegibilityRules out;
    int lineNo = 0; // of the line refused
    LegibilityRule* rule = nullptr;
    bool checkGiven = false;
    std::set<QString> names;

    QString readAll(const QString& whole)
    {
        for (const QString& raw : whole.split(QLatin1Char('\n'))) {
            ++lineNo;
            const QString line = raw.trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            const int space = line.indexOf(QRegularExpression(QStringLiteral("\\s")));
            const QString key = space < 0 ? line : line.left(space);
            const QString value = space < 0 ? QString() : line.mid(space).trimmed();
            if (value.isEmpty())
                return QStringLiteral("\"%1\" wants a value").arg(key);
            if (const QString problem = readLine(key, value); !problem.isEmpty())
                return problem;
        }
        return closeRule();
    }

    QString readLine(const QString& key, const QString& value)
    {
        if (key == QLatin1String("rule"))
            return startRule(value);
        if (key == QLatin1String("quote") || key == QLatin1String("note"))
            return addText(key, value);
        return rule ? ruleKey(key, value) : fileKey(key, value);
    }

    // A rule is checked whole when the next begins and at the end; what is
    // wrong with it is reported at its "rule" line.
    QString closeRule()
    {
        if (!rule)
            return {};
        const QString problem = ruleProblem();
        if (!problem.isEmpty())
            lineNo = rule->line;
        return problem;
    }

    QString ruleProblem()
    {
        if (!checkGiven)
            return QStringLiteral("rule %1 names no check").arg(rule->name);
        const CheckName& c = checkOf(rule->check);
        const bool numbered = *c.units != '\0';
        if (numbered && !rule->min && !rule->max)
            return QStringLiteral("rule %1 gives no min or max").arg(rule->name);
        if (!numbered && (rule->min || rule->max))
            return QStringLiteral("rule %1: %2 takes no numbers").arg(rule->name, QLatin1String(c.name));
        if (rule->min && rule->max && *rule->min > *rule->max)
            return QStringLiteral("rule %1: min is above max").arg(rule->name);
        if (rule->quote.isEmpty())
            return QStringLiteral("rule %1 quotes nothing").arg(rule->name);
        if (rule->source.isEmpty())
            rule->source = out.source;
        if (rule->source.isEmpty())
            return QStringLiteral("rule %1 names no source").arg(rule->name);
        return {};
    }

    QString startRule(const QString& name)
    {
        if (const QString problem = closeRule(); !problem.isEmpty())
            return problem;
        static const QRegularExpression named(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9_.-]{0,63}$"));
        if (!named.match(name).hasMatch())
            return QStringLiteral("a rule's name is letters, digits, '-', '_' and '.'");
        if (!names.insert(name).second)
            return QStringLiteral("the rule %1 is there already").arg(name);
        if (static_cast<int>(out.rules.size()) >= LegibilityRules::MaxRules)
            return QStringLiteral("more than %1 rules").arg(LegibilityRules::MaxRules);
        out.rules.emplace_back();
        rule = &out.rules.back();
        rule->name = name;
        rule->line = lineNo;
        checkGiven = false;
        return {};
    }

    // A rule's quote and the file's note may run over several lines.
    QString addText(const QString& key, const QString& value)
    {
        QString* target = nullptr;
        if (key == QLatin1String("quote") && rule)
            target = &rule->quote;
        else if (key == QLatin1String("note") && !rule)
            target = &out.note;
        if (!target)
            return QStringLiteral("\"%1\" does not belong %2")
                .arg(key, rule ? QStringLiteral("in a rule") : QStringLiteral("before a rule"));
        if (!target->isEmpty())
            *target += QLatin1Char(' ');
        *target += value;
        return {};
    }

    QString fileKey(const QString& key, const QString& value)
    {
        QString* field = key == QLatin1String("name")     ? &out.name
                         : key == QLatin1String("title")  ? &out.title
                         : key == QLatin1String("source") ? &out.source
                                                          : nullptr;
        if (!field)
            return QStringLiteral("unknown key \"%1\" before the first rule").arg(key);
        if (!field->isEmpty())
            return QStringLiteral("\"%1\" is given twice").arg(key);
        *field = value;
        return {};
    }

    QString ruleKey(const QString& key, const QString& value)
    {
        if (key == QLatin1String("check"))
            return setCheck(value);
        if (key == QLatin1String("text"))
            return setText(value);
        if (key == QLatin1String("place"))
            return addPlaces(value);
        if (key == QLatin1String("min") || key == QLatin1String("max"))
            return setLimit(key, value);
        if (key == QLatin1String("letter") || key == QLatin1String("georgian")) {
            const std::u32string letter = unquoted(value).toStdU32String();
            if (letter.size() != 1)
                return QStringLiteral("\"%1\" is one letter").arg(key);
            (key == QLatin1String("letter") ? rule->latinLetter : rule->georgianLetter) = letter[0];
            return {};
        }
        if (key == QLatin1String("source")) {
            rule->source = value;
            return {};
        }
        return QStringLiteral("unknown key \"%1\"").arg(key);
    }

    QString setCheck(const QString& value)
    {
        const CheckName* c = checkNamed(value);
        if (!c)
            return QStringLiteral("unknown check \"%1\"").arg(value);
        if (checkGiven)
            return QStringLiteral("rule %1 names its check twice").arg(rule->name);
        rule->check = c->check;
        checkGiven = true;
        return {};
    }

    QString setText(const QString& value)
    {
        if (value == QLatin1String("number"))
            rule->text = LegibilityRule::Text::Number;
        else if (value == QLatin1String("destination"))
            rule->text = LegibilityRule::Text::Destination;
        else if (value == QLatin1String("any"))
            rule->text = LegibilityRule::Text::Any;
        else
            return QStringLiteral("text is number, destination or any, not \"%1\"").arg(value);
        return {};
    }

    QString addPlaces(const QString& value)
    {
        for (const QString& place : value.split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts)) {
            if (!VehicleSign::places().contains(place))
                return QStringLiteral("unknown place \"%1\"").arg(place);
            rule->places << place;
        }
        return {};
    }

    QString setLimit(const QString& key, const QString& value)
    {
        if (!checkGiven)
            return QStringLiteral("\"%1\" before the rule's check").arg(key);
        const Expected<double> n = number(value, rule->check);
        if (!n)
            return n.error();
        std::optional<double>& slot = key == QLatin1String("min") ? rule->min : rule->max;
        if (slot)
            return QStringLiteral("\"%1\" is given twice").arg(key);
        slot = *n;
        (key == QLatin1String("min") ? rule->minText : rule->maxText) = value;
        return {};
    }
};

} // namespace

QString LegibilityRule::required() const
{
    if (min && max)
        return QStringLiteral("between %1 and %2").arg(minText, maxText);
    if (min)
        return QStringLiteral("at least %1").arg(minText);
    if (max)
        return QStringLiteral("at most %1").arg(maxText);
    switch (check) {
    case Check::Touch: return QStringLiteral("no letters touching");
    case Check::Lines: return QStringLiteral("a dark row between lines where there is room, lines apart");
    case Check::LonelyPage: return QStringLiteral("no last page of one word");
    case Check::ViaSize: return QStringLiteral("no larger than the destination");
    default: return QStringLiteral("not in capitals only");
    }
}

Expected<LegibilityRules> LegibilityRules::parse(const QByteArray& text, const QString& where)
{
    using Result = Expected<LegibilityRules>;
    if (text.size() > MaxFileBytes)
        return Result::failure(
            QStringLiteral("%1: larger than %2 bytes").arg(where, QString::number(MaxFileBytes)));
    RulesReader reader;
    const QString problem = reader.readAll(QString::fromUtf8(text));
    if (!problem.isEmpty())
        return Result::failure(QStringLiteral("%1: line %2: %3").arg(where, QString::number(reader.lineNo), problem));
    if (reader.out.name.isEmpty())
        return Result::failure(QStringLiteral("%1: the rules have no name").arg(where));
    return std::move(reader.out);
}

Expected<LegibilityRules> LegibilityRules::read(const QString& path)
{
    const Expected<QByteArray> text = LimitedFile::read(path, MaxFileBytes);
    if (!text)
        return text.status();
    return parse(*text, QFileInfo(path).fileName());
}

QStringList LegibilityRules::folders()
{
    QStringList out;
    const QString fonts = UserFonts::folder();
    if (!fonts.isEmpty())
        out << QFileInfo(fonts).dir().filePath(QStringLiteral("rules"));
    if (QCoreApplication::instance())
        out << QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/vexel-image/rules"));
    const QString source = QStringLiteral(VEXEL_SOURCE_RULES);
    if (!source.isEmpty())
        out << source;
    return out;
}

Expected<LegibilityRules> LegibilityRules::find(const QString& nameOrPath)
{
    if (nameOrPath.contains(QLatin1Char('/')) || nameOrPath.endsWith(QLatin1String(Suffix)))
        return read(nameOrPath);
    for (const QString& folder : folders()) {
        const QString path = QDir(folder).filePath(nameOrPath + QLatin1String(Suffix));
        if (QFileInfo::exists(path))
            return read(path);
    }
    return Expected<LegibilityRules>::failure(
        QStringLiteral("no rules named \"%1\" (there are: %2)")
            .arg(nameOrPath, available().join(QStringLiteral(", "))));
}

QStringList LegibilityRules::available()
{
    std::set<QString> names;
    for (const QString& folder : folders())
        for (const QFileInfo& file :
             QDir(folder).entryInfoList({QStringLiteral("*") + QLatin1String(Suffix)}, QDir::Files))
            names.insert(file.completeBaseName());
    return QStringList(names.begin(), names.end());
}

} // namespace vexel
