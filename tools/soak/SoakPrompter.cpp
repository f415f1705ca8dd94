#include "SoakPrompter.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

SoakPrompter::SoakPrompter(QString home, std::mt19937& random, Log log)
    : home_(QDir(home).absolutePath())
    , random_(random)
    , log_(std::move(log))
{
}

bool SoakPrompter::chance(double p) { return std::bernoulli_distribution(p)(random_); }

void SoakPrompter::note(const QString& kind, const QString& text)
{
    ++questions_;
    QString shown = text.left(160);
    shown.replace(QLatin1Char('\n'), QStringLiteral(" / "));
    log_(QStringLiteral("  %1: %2").arg(kind, shown));
}

QStringList SoakPrompter::patterns(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 1; i < parts.size(); i += 2)
        out << parts[i].split(QRegularExpression(QStringLiteral("[ ;]")), Qt::SkipEmptyParts);
    return out;
}

bool SoakPrompter::confirm(const QString& text)
{
    const bool yes = chance(0.6);
    note(yes ? QStringLiteral("confirm yes") : QStringLiteral("confirm no"), text);
    return yes;
}

void SoakPrompter::inform(const QString& text, InfoButton) { note(QStringLiteral("inform"), text); }

void SoakPrompter::error(const QString& text)
{
    ++errors_;
    note(QStringLiteral("error"), text);
}

bool SoakPrompter::decide(const QString& heading, const QString& report, const QString& go, const QString& stop)
{
    const bool going = chance(0.5);
    note(going ? go : stop, heading + QLatin1Char(' ') + report);
    return going;
}

QString SoakPrompter::openFile(const FileRequest& request)
{
    QStringList found;
    const QStringList wanted = patterns(request.filter);
    QDirIterator it(home_, wanted, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next();
    std::sort(found.begin(), found.end()); // the same answers for the same seed
    if (found.isEmpty() || chance(0.12)) {
        note(QStringLiteral("open cancelled"), wanted.join(QLatin1Char(' ')));
        return QString();
    }
    const QString chosen = found[std::uniform_int_distribution<int>(0, found.size() - 1)(random_)];
    note(QStringLiteral("open"), chosen);
    return chosen;
}

QString SoakPrompter::saveFile(const FileRequest& request)
{
    if (chance(0.1)) {
        note(QStringLiteral("save cancelled"), request.proposedName);
        return QString();
    }
    const QString extension = request.defaultExtension.isEmpty() ? QStringLiteral("img") : request.defaultExtension;
    // Image files go where the editor lists them, so they can be sent.
    const QString folder
        = home_ + (extension == QLatin1String("img") ? QStringLiteral("/images") : QStringLiteral("/out"));
    QDir().mkpath(folder);
    QString name;
    const QStringList fixed = patterns(request.filter);
    if (fixed.size() == 1 && !fixed.front().contains(QLatin1Char('*')))
        name = fixed.front();
    else if (!request.proposedName.isEmpty() && !request.proposedName.contains(QLatin1Char('/')) && chance(0.4))
        name = request.proposedName;
    else
        name = QStringLiteral("soak-%1.%2").arg(std::uniform_int_distribution<int>(1, 5)(random_)).arg(extension);
    const QString chosen = folder + QLatin1Char('/') + name;
    note(QStringLiteral("save"), chosen);
    return chosen;
}

QString SoakPrompter::chooseFolder(const FileRequest& request)
{
    if (chance(0.1)) {
        note(QStringLiteral("folder cancelled"), request.proposedName);
        return QString();
    }
    const QString chosen
        = home_ + QStringLiteral("/out/folder-%1").arg(std::uniform_int_distribution<int>(1, 3)(random_));
    note(QStringLiteral("folder"), chosen);
    return chosen;
}
