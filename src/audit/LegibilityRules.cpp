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
    {"capitals", Check::Capitals, ""},
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
    }
    return Result::failure(
        QStringLiteral("\"%1\" is not a number in %2").arg(text, QLatin1String(c.units)));
}

} // namespace

QString LegibilityRule::required() const
{
    if (min && max)
        return QStringLiteral("between %1 and %2").arg(minText, maxText);
    if (min)
        return QStringLiteral("at least %1").arg(minText);
    if (max)
        return QStringLiteral("at most %1").arg(maxText);
    return check == Check::Touch ? QStringLiteral("no letters touching") : QStringLiteral("not in capitals only");
}

Expected<LegibilityRules> LegibilityRules::parse(const QByteArray& text, const QString& where)
{
    using Result = Expected<LegibilityRules>;
    LegibilityRules out;
    int lineNo = 0;
    auto refuse = [&](const QString& why) {
        return Result::failure(QStringLiteral("%1: line %2: %3").arg(where, QString::number(lineNo), why));
    };
    if (text.size() > MaxFileBytes)
        return Result::failure(
            QStringLiteral("%1: larger than %2 bytes").arg(where, QString::number(MaxFileBytes)));

    LegibilityRule* rule = nullptr;
    std::set<QString> names;
    // A rule is checked whole when the next begins and at the end.
    auto finish = [&]() -> QString {
        if (!rule)
            return {};
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
    };
    bool checkGiven = false;

    const QString whole = QString::fromUtf8(text);
    const QStringList lines = whole.split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        ++lineNo;
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int space = line.indexOf(QRegularExpression(QStringLiteral("\\s")));
        const QString key = space < 0 ? line : line.left(space);
        const QString value = space < 0 ? QString() : line.mid(space).trimmed();
        if (value.isEmpty())
            return refuse(QStringLiteral("\"%1\" wants a value").arg(key));

        if (key == QLatin1String("rule")) {
            if (rule && !checkGiven) {
                lineNo = rule->line;
                return refuse(QStringLiteral("rule %1 names no check").arg(rule->name));
            }
            if (const QString problem = finish(); !problem.isEmpty()) {
                lineNo = rule->line;
                return refuse(problem);
            }
            static const QRegularExpression named(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9_.-]{0,63}$"));
            if (!named.match(value).hasMatch())
                return refuse(QStringLiteral("a rule's name is letters, digits, '-', '_' and '.'"));
            if (!names.insert(value).second)
                return refuse(QStringLiteral("the rule %1 is there already").arg(value));
            if (static_cast<int>(out.rules.size()) >= MaxRules)
                return refuse(QStringLiteral("more than %1 rules").arg(MaxRules));
            out.rules.emplace_back();
            rule = &out.rules.back();
            rule->name = value;
            rule->line = lineNo;
            checkGiven = false;
            continue;
        }
        if (key == QLatin1String("quote") || key == QLatin1String("note")) {
            QString* target = nullptr;
            if (key == QLatin1String("quote") && rule)
                target = &rule->quote;
            else if (key == QLatin1String("note") && !rule)
                target = &out.note;
            if (!target)
                return refuse(QStringLiteral("\"%1\" does not belong %2")
                                  .arg(key, rule ? QStringLiteral("in a rule") : QStringLiteral("before a rule")));
            if (!target->isEmpty())
                *target += QLatin1Char(' ');
            *target += value;
            continue;
        }
        if (!rule) {
            QString* field = key == QLatin1String("name")     ? &out.name
                             : key == QLatin1String("title")  ? &out.title
                             : key == QLatin1String("source") ? &out.source
                                                              : nullptr;
            if (!field)
                return refuse(QStringLiteral("unknown key \"%1\" before the first rule").arg(key));
            if (!field->isEmpty())
                return refuse(QStringLiteral("\"%1\" is given twice").arg(key));
            *field = value;
            continue;
        }
        if (key == QLatin1String("check")) {
            const CheckName* c = checkNamed(value);
            if (!c)
                return refuse(QStringLiteral("unknown check \"%1\"").arg(value));
            if (checkGiven)
                return refuse(QStringLiteral("rule %1 names its check twice").arg(rule->name));
            rule->check = c->check;
            checkGiven = true;
        } else if (key == QLatin1String("text")) {
            if (value == QLatin1String("number"))
                rule->text = LegibilityRule::Text::Number;
            else if (value == QLatin1String("destination"))
                rule->text = LegibilityRule::Text::Destination;
            else if (value == QLatin1String("any"))
                rule->text = LegibilityRule::Text::Any;
            else
                return refuse(QStringLiteral("text is number, destination or any, not \"%1\"").arg(value));
        } else if (key == QLatin1String("place")) {
            for (const QString& place : value.split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts)) {
                if (!VehicleSign::places().contains(place))
                    return refuse(QStringLiteral("unknown place \"%1\"").arg(place));
                rule->places << place;
            }
        } else if (key == QLatin1String("min") || key == QLatin1String("max")) {
            if (!checkGiven)
                return refuse(QStringLiteral("\"%1\" before the rule's check").arg(key));
            const Expected<double> n = number(value, rule->check);
            if (!n)
                return refuse(n.error());
            std::optional<double>& slot = key == QLatin1String("min") ? rule->min : rule->max;
            if (slot)
                return refuse(QStringLiteral("\"%1\" is given twice").arg(key));
            slot = *n;
            (key == QLatin1String("min") ? rule->minText : rule->maxText) = value;
        } else if (key == QLatin1String("letter") || key == QLatin1String("georgian")) {
            const std::u32string letter = unquoted(value).toStdU32String();
            if (letter.size() != 1)
                return refuse(QStringLiteral("\"%1\" is one letter").arg(key));
            (key == QLatin1String("letter") ? rule->latinLetter : rule->georgianLetter) = letter[0];
        } else if (key == QLatin1String("source")) {
            rule->source = value;
        } else {
            return refuse(QStringLiteral("unknown key \"%1\"").arg(key));
        }
    }
    if (rule && !checkGiven) {
        lineNo = rule->line;
        return refuse(QStringLiteral("rule %1 names no check").arg(rule->name));
    }
    if (const QString problem = finish(); !problem.isEmpty()) {
        lineNo = rule->line;
        return refuse(problem);
    }
    if (out.name.isEmpty())
        return Result::failure(QStringLiteral("%1: the rules have no name").arg(where));
    return out;
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
