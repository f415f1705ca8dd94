#include "session/VersionsSession.h"

#include "sets/OpenSets.h"
#include "depot/Preflight.h"
#include "preview/Export.h"
#include "preview/Timeline.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace vexel {

Expected<std::unique_ptr<VersionsSession>> VersionsSession::open(const QString& path)
{
    auto opened = OpenSets::open(path, DestinationSet::Access::EditOrRead);
    if (!opened)
        return opened.status();
    auto session = std::make_unique<VersionsSession>(std::move(opened).value());
    session->address_ = path;
    return session;
}

Status VersionsSession::connected() const
{
    if (address_.isEmpty() || !set_->onServer() || set_->reachable())
        return Status::success();
    return set_->reconnect();
}

Expected<std::vector<SetVersion>> VersionsSession::versions() const
{
    if (const Status again = connected(); !again)
        return again;
    return set_->versions();
}

Expected<VersionDiff> VersionsSession::compare(int from, int to) const
{
    if (const Status again = connected(); !again)
        return again;
    return set_->compareVersions(from, to);
}

Status VersionsSession::restore(int number)
{
    if (const Status again = connected(); !again)
        return again;
    return set_->restoreVersion(number);
}

Expected<ReleaseReport> VersionsSession::releaseAgain(int number, FontList& fonts, const QString& folder)
{
    if (const Status again = connected(); !again)
        return again;
    ReleaseOptions options;
    options.version = number;
    return SetRelease::release(*set_, fonts, folder, options);
}

std::vector<LedBitmap> VersionsSession::frames(const ImageRecord& image, bool all, int only)
{
    const auto [w, h] = Preflight::boardSizeOf(image);
    Timeline timeline(std::max(w, 1), std::max(h, 1));
    std::vector<LedBitmap> out;
    if (image.empty() || !timeline.addImage(image))
        return out;
    if (!all) {
        if (only >= 0 && only < timeline.frameCount())
            out.push_back(timeline.frameAlone(only));
        return out;
    }
    for (int f = 0; f < timeline.frameCount(); ++f)
        out.push_back(timeline.frameAlone(f));
    return out;
}

int VersionsSession::firstDifferingFrame(const SignImageChange& change)
{
    if (!change.before || !change.after)
        return 0;
    const std::vector<LedBitmap> before = frames(*change.before, true);
    const std::vector<LedBitmap> after = frames(*change.after, true);
    const std::size_t common = std::min(before.size(), after.size());
    for (std::size_t f = 0; f < common; ++f)
        if (!(before[f] == after[f]))
            return static_cast<int>(f);
    return before.size() == after.size() ? 0 : static_cast<int>(common);
}

QString VersionsSession::describe(const SetVersion& v)
{
    QString line = QStringLiteral("%1  %2").arg(v.number).arg(
        QLocale::c().toString(v.time.toLocalTime(), QStringLiteral("yyyy-MM-dd HH:mm")));
    if (!v.note.isEmpty())
        line += QStringLiteral("  ") + v.note.simplified();
    // The words are translated here, for the windows; the command line
    // loads no translation and keeps them as written.
    if (!v.feedVersion.isEmpty())
        line += QStringLiteral("  ") +
                QCoreApplication::translate("VersionsSession", "(feed %1)").arg(v.feedVersion.simplified());
    return line + QStringLiteral("  ") +
           QCoreApplication::translate("VersionsSession", "%1 destinations, +%2 ~%3 -%4")
                      .arg(v.destinations.size())
                      .arg(v.added)
                      .arg(v.changed)
                      .arg(v.removed);
}

QString VersionsSession::describe(const VersionChange& change)
{
    switch (change.kind) {
    case VersionChange::Kind::Added:
        return QCoreApplication::translate("VersionsSession", "added");
    case VersionChange::Kind::Removed:
        return QCoreApplication::translate("VersionsSession", "removed");
    case VersionChange::Kind::Changed:
        break;
    }
    QStringList parts;
    QStringList fields;
    for (const TextChange& t : change.texts)
        fields << t.field;
    if (!fields.isEmpty())
        parts << fields.join(QStringLiteral(", "));
    QStringList signs;
    for (const SignImageChange& s : change.images)
        signs << s.sign;
    if (!signs.isEmpty())
        parts << QCoreApplication::translate("VersionsSession", "image on %1").arg(signs.join(QStringLiteral(", ")));
    return parts.join(QStringLiteral("; "));
}

Expected<QStringList> VersionsSession::writeProofSheets(const VersionDiff& diff, const QString& path) const
{
    // The signs in the order the changes name them.
    QStringList signs;
    for (const VersionChange& c : diff.changes)
        for (const SignImageChange& s : c.images)
            if (!signs.contains(s.sign, Qt::CaseInsensitive))
                signs << s.sign;
    if (signs.isEmpty())
        return Expected<QStringList>::failure(QCoreApplication::translate("VersionsSession", "no image changed between the two versions"));

    const QFileInfo info(path);
    QStringList written;
    for (const QString& sign : signs) {
        std::vector<std::pair<QString, const ImageRecord*>> images;
        int w = 1;
        int h = 1;
        for (const VersionChange& c : diff.changes)
            for (const SignImageChange& s : c.images) {
                if (s.sign.compare(sign, Qt::CaseInsensitive) != 0)
                    continue;
                if (s.before)
                    images.emplace_back(QStringLiteral("%1 (%2)").arg(c.code).arg(diff.from), &*s.before);
                if (s.after)
                    images.emplace_back(QStringLiteral("%1 (%2)").arg(c.code).arg(diff.to), &*s.after);
            }
        for (const auto& [title, image] : images) {
            const auto [iw, ih] = Preflight::boardSizeOf(*image);
            w = std::max(w, iw);
            h = std::max(h, ih);
        }
        Timeline timeline(w, h);
        QStringList titles;
        for (const auto& [title, image] : images) {
            const Status added = timeline.addImage(*image);
            if (!added)
                return Expected<QStringList>::failure(title + ": " + added.error());
            titles << title;
        }
        const QString file = signs.size() == 1
                                 ? path
                                 : info.dir().filePath(info.completeBaseName() + QLatin1Char('-') + sign +
                                                       (info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix()));
        const QString heading =
            QCoreApplication::translate("VersionsSession", "%1: changes from version %2 to %3")
                .arg(sign, QString::number(diff.from), QString::number(diff.to));
        // A long list goes on over pages: file-2.png, file-3.png after it.
        const Status done = Export::proofSheet(timeline, titles, heading, file, &written);
        if (!done)
            return Expected<QStringList>(done);
    }
    return written;
}

} // namespace vexel
