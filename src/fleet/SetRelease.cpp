#include "fleet/SetRelease.h"

#include "sets/DestinationSet.h"
#include "depot/FileStem.h"
#include "audit/LegibilityAudit.h"
#include "depot/Preflight.h"
#include "sets/SetContents.h"
#include "sets/SetLettering.h"
#include "document/ImageFile.h"
#include "preview/Export.h"
#include "preview/ProofSheet.h"
#include "preview/Timeline.h"
#include "fleet/ReleaseNote.h"
#include "fleet/StagedFiles.h"
#include "transfer/DataMessage.h"

#include <QCoreApplication>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <iterator>
#include <map>
#include <utility>
#include <vector>

namespace vexel {

namespace {

struct SignRelease {
    QString name;
    int width = 0;
    int height = 0;
    std::vector<SetVersion::Image> images;
};

struct Written {
    QString file; // "<sign>/<code>.img"
    MessageFigures figures;
    ReleasedImage image;
    QString sum; // ReleaseTable::imageSum of its bytes
};

QString stamp(const QDateTime& time) { return time.toUTC().toString(Qt::ISODate); }

// The set as it is now, lettered sign by sign; what does not fit goes to
// `unfit`, overrides made from older texts to `stale`.
// Images `lettered` already holds for exactly these contents are taken
// from it rather than lettered again.
Status letterSet(DestinationSet& set, FontList& fonts, const LegibilityAudit& audit, const LetteredImages& lettered,
                 std::vector<SignRelease>& out, QStringList& unfit, QStringList& stale, QStringList& findings,
                 std::vector<Destination>& destinations, std::vector<SignOverride>& overrides)
{
    Expected<SetContents> contents = SetContents::read(set);
    if (!contents)
        return contents.status();
    destinations = contents->destinations;
    overrides = contents->overrides;
    SetLettering lettering(fonts);
    contents->prepare(lettering);
    for (const VehicleSign& sign : contents->signs) {
        SignRelease release{sign.name, sign.width, sign.height, {}};
        const Status signName = FileStem::check(sign.name, QStringLiteral("the sign's name"));
        for (const LegibilityFinding& found : audit.checkSign(sign))
            findings << found.line();
        for (const Destination& destination : destinations) {
            if (!destination.inUse)
                continue;
            const QString where = QStringLiteral("%1 on %2").arg(destination.code, sign.name);
            // Names come from a file made elsewhere: one that cannot name a
            // file is not written anywhere.
            Status named = signName ? FileStem::check(destination.code, QStringLiteral("the code")) : signName;
            if (!named) {
                unfit << where + QStringLiteral(": ") + named.error();
                continue;
            }
            const SignImage* made = lettered ? lettered(*contents, sign, destination) : nullptr;
            SignImage fresh;
            if (!made)
                fresh = lettering.letter(sign, destination, contents->byHand(destination.code, sign.name));
            const SignImage& image = made ? *made : fresh;
            if (!image.fit.fits || !image.image) {
                unfit << where + QStringLiteral(": ") +
                             (image.fit.status.isEmpty() ? QStringLiteral("does not fit") : image.fit.status);
                continue;
            }
            const Status whole = image.image->check();
            if (!whole) {
                unfit << where + QStringLiteral(": ") + whole.error();
                continue;
            }
            if (image.stale)
                stale << where;
            for (const LegibilityFinding& found : audit.check(sign, destination, image))
                findings << found.line();
            release.images.push_back({sign.name, destination.code, *image.image});
        }
        out.push_back(std::move(release));
    }
    return Status::success();
}

// A stored version's images, grouped by sign in the order they were kept.
Status versionImages(DestinationSet& set, const SetVersion& version, std::vector<SignRelease>& out)
{
    std::map<QString, VehicleSign> signs;
    if (const Expected<std::vector<VehicleSign>> now = set.signs())
        for (const VehicleSign& sign : *now)
            signs[sign.name.toLower()] = sign;
    for (const SetVersion::Image& image : version.images) {
        const Status named = FileStem::check(image.sign, QStringLiteral("the sign's name"));
        const Status coded = FileStem::check(image.code, QStringLiteral("the code"));
        if (!named || !coded)
            return Status::failure(QCoreApplication::translate("SetRelease", "Version %1 cannot be written: %2")
                                       .arg(version.number)
                                       .arg((named ? coded : named).error()));
        auto it = std::find_if(out.begin(), out.end(),
                               [&](const SignRelease& s) { return s.name.compare(image.sign, Qt::CaseInsensitive) == 0; });
        if (it == out.end()) {
            SignRelease release{image.sign, 0, 0, {}};
            // A sign removed since keeps the size its images were made for.
            const auto known = signs.find(image.sign.toLower());
            if (known != signs.end()) {
                release.width = known->second.width;
                release.height = known->second.height;
            }
            out.push_back(std::move(release));
            it = std::prev(out.end());
        }
        if (it->width == 0) {
            const auto [w, h] = Preflight::boardSizeOf(image.image);
            it->width = w;
            it->height = h;
        }
        it->images.push_back(image);
    }
    return Status::success();
}

// The frames a finding line names on this sign ("12 front page 2: ..."),
// by code; 0 for the whole image.
std::map<QString, std::vector<int>> markedFrames(const QString& sign, const QStringList& findings)
{
    std::map<QString, std::vector<int>> out;
    for (const QString& line : findings) {
        const int colon = line.indexOf(QStringLiteral(": "));
        const QStringList where = line.left(colon).split(QLatin1Char(' '));
        if (colon < 0 || where.size() < 2 || where[1].compare(sign, Qt::CaseInsensitive) != 0)
            continue;
        const int page = where.size() == 4 && where[2] == QLatin1String("page") ? where[3].toInt() : 0;
        out[where[0].toLower()].push_back(page);
    }
    return out;
}

// The sign's images into `timeline`, a title for each, and the frames to
// mark: those a finding names and every frame of an image of another size.
Status sheetFrames(const SignRelease& sign, const QString& path, const QStringList& findings, Timeline& timeline,
                   QStringList& titles, std::vector<int>& flagged)
{
    const std::map<QString, std::vector<int>> marked = markedFrames(sign.name, findings);
    for (const SetVersion::Image& image : sign.images) {
        const int before = timeline.frameCount();
        const Status added = timeline.addImage(image.image);
        if (!added)
            return Status::failure(ImageFile::createError(path, QStringLiteral("%1: %2").arg(image.code, added.error())));
        // An image of another size than its sign (a version kept before
        // such images were refused) is marked whole and says its size.
        const auto [width, height] = Preflight::boardSizeOf(image.image);
        if (width != sign.width || height != sign.height) {
            titles << QStringLiteral("%1 (%2 × %3, not the sign's size)")
                          .arg(image.code, QString::number(width), QString::number(height));
            for (int f = before; f < timeline.frameCount(); ++f)
                flagged.push_back(f);
            continue;
        }
        titles << image.code;
        const auto found = marked.find(image.code.toLower());
        if (found == marked.end())
            continue;
        for (const int page : found->second)
            for (int f = before; f < timeline.frameCount(); ++f)
                if (page == 0 || page == f - before + 1)
                    flagged.push_back(f);
    }
    return Status::success();
}

// The sheet's pages, each a PNG.
Expected<std::vector<QByteArray>> sheetPngPages(ProofSheet& sheet, const QString& path)
{
    std::vector<QByteArray> pages;
    for (int page = 0; page < sheet.pageCount(); ++page) {
        const QImage picture = sheet.render(page);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        if (picture.isNull() || !writer.write(picture))
            return Expected<std::vector<QByteArray>>::failure(
                ImageFile::createError(path, QStringLiteral("The proof sheet is too large to draw.")));
        pages.push_back(std::move(bytes));
    }
    return pages;
}

// The sign's proof sheet: a PNG a page, or one PDF of all its pages.
Expected<std::vector<QByteArray>> sheetFiles(const SignRelease& sign, const QString& path, const QString& heading,
                                             const QStringList& findings, SheetFormat format)
{
    Timeline timeline(std::max(1, sign.width), std::max(1, sign.height));
    QStringList titles;
    std::vector<int> flagged;
    if (const Status drawn = sheetFrames(sign, path, findings, timeline, titles, flagged); !drawn)
        return drawn;
    ProofSheet sheet(timeline, titles, heading);
    sheet.setMarked(flagged);
    sheet.setImagesApart(true);
    if (format == SheetFormat::Png)
        return sheetPngPages(sheet, path);
    Expected<QByteArray> pdf = Export::proofSheetPdfData(sheet, heading, path);
    if (!pdf)
        return pdf.status();
    return std::vector<QByteArray>{std::move(pdf).value()};
}

// What release.txt lists of a release.
ReleaseListing listing(const QString& setName, const QString& setId, const ReleaseReport& report,
                       const QDate& validFrom, const QString& note, const std::vector<SignRelease>& signs,
                       const std::vector<Written>& files)
{
    ReleaseListing out;
    out.setName = setName;
    out.setId = setId;
    out.version = report.version;
    out.time = report.time;
    out.validFrom = validFrom;
    out.note = note;
    for (const SignRelease& sign : signs)
        out.signs.push_back({sign.name, sign.width, sign.height});
    out.unfit = report.unfit;
    out.stale = report.stale;
    out.sheets = report.sheets;
    out.findings = report.findings;
    for (const Written& file : files)
        out.files.push_back({file.file, file.figures.frames, file.figures.length, file.figures.checksum});
    return out;
}

// The release's images against the version before it, by sign and code.
void compareWithVersionBefore(const DestinationSet& set, const std::vector<Written>& files, ReleaseReport& report)
{
    const Expected<std::vector<ReleaseTable::Release>> releases = set.releases();
    const Expected<std::vector<ReleaseTable::Image>> images = set.releasedImages();
    if (!releases || !images)
        return;
    report.compared = true;
    for (const ReleaseTable::Release& r : *releases)
        if (report.version == 0 || r.number < report.version)
            report.previousVersion = std::max(report.previousVersion, r.number);
    if (report.previousVersion == 0)
        return;
    const auto key = [](const QString& sign, const QString& code) { return sign.toLower() + QChar(0) + code.toLower(); };
    std::map<QString, QString> sumBefore;
    for (const ReleaseTable::Image& i : *images)
        if (i.version == report.previousVersion)
            sumBefore.emplace(key(i.sign, i.code), i.sum);
    for (const Written& file : files) {
        const auto before = sumBefore.find(key(file.image.sign, file.image.code));
        if (before == sumBefore.end())
            report.added.push_back(file.image);
        else if (before->second != file.sum)
            report.changed.push_back(file.image);
        else
            ++report.unchanged;
        if (before != sumBefore.end())
            sumBefore.erase(before);
    }
    for (const ReleaseTable::Image& i : *images)
        if (i.version == report.previousVersion && sumBefore.count(key(i.sign, i.code)))
            report.dropped.push_back({i.sign, i.code});
}

// The summary's words, in the windows' language; the command line loads no
// translation and prints them as written.
QString said(const char* text) { return QCoreApplication::translate("ReleaseReport", text); }

// "front", "front and side", "front, side and rear".
QString inWords(const QStringList& items)
{
    if (items.size() < 2)
        return items.join(QString());
    return said(QT_TRANSLATE_NOOP("ReleaseReport", "%1 and %2"))
        .arg(items.mid(0, items.size() - 1).join(QStringLiteral(", ")), items.back());
}

// "88 on front and side, 12 on rear": by code in release order, the first
// few codes only.
QString imageList(const std::vector<ReleasedImage>& images)
{
    constexpr int Shown = 8;
    QStringList codes;
    std::map<QString, QStringList> signs; // by code in lower case
    for (const ReleasedImage& image : images) {
        QStringList& on = signs[image.code.toLower()];
        if (on.isEmpty())
            codes << image.code;
        on << image.sign;
    }
    QStringList parts;
    for (const QString& code : codes.mid(0, Shown))
        parts << said(QT_TRANSLATE_NOOP("ReleaseReport", "%1 on %2")).arg(code, inWords(signs[code.toLower()]));
    if (codes.size() > Shown)
        parts << said(QT_TRANSLATE_NOOP("ReleaseReport", "and %1 more")).arg(codes.size() - Shown);
    return parts.join(QStringLiteral(", "));
}

// What a compared release changed against the version before it, and how
// many of its images are as they were.
QStringList changeParts(const ReleaseReport& report, int count)
{
    QStringList parts;
    const std::pair<const std::vector<ReleasedImage>*, const char*> kinds[] = {
        {&report.changed, QT_TRANSLATE_NOOP("ReleaseReport", "%1 changed (%2)")},
        {&report.added, QT_TRANSLATE_NOOP("ReleaseReport", "%1 new (%2)")},
        {&report.dropped, QT_TRANSLATE_NOOP("ReleaseReport", "%1 removed (%2)")}};
    for (const auto& [images, words] : kinds)
        if (!images->empty())
            parts << said(words).arg(images->size()).arg(imageList(*images));
    if (count > 0 && report.unchanged == count)
        parts << said(QT_TRANSLATE_NOOP("ReleaseReport", "all as in version %1")).arg(report.previousVersion);
    else if (count > 0 && report.unchanged == 0)
        parts << said(QT_TRANSLATE_NOOP("ReleaseReport", "none as in version %1")).arg(report.previousVersion);
    else if (count > 0)
        parts << said(QT_TRANSLATE_NOOP("ReleaseReport", "%1 as in version %2"))
                     .arg(report.unchanged)
                     .arg(report.previousVersion);
    return parts;
}

} // namespace

QString ReleaseReport::summary() const
{
    const int count = static_cast<int>(written.size());
    QStringList parts{(count == 1 ? said(QT_TRANSLATE_NOOP("ReleaseReport", "%1 image written"))
                                  : said(QT_TRANSLATE_NOOP("ReleaseReport", "%1 images written")))
                          .arg(count)};
    if (version == 0)
        parts << said(QT_TRANSLATE_NOOP("ReleaseReport", "not kept as a version"));
    if (compared && previousVersion == 0 && version > 0)
        parts << said(QT_TRANSLATE_NOOP("ReleaseReport", "the first release of the set"));
    if (compared && previousVersion > 0)
        parts << changeParts(*this, count);
    const QString head =
        version > 0 ? said(QT_TRANSLATE_NOOP("ReleaseReport", "Version %1: %2")).arg(version) : QStringLiteral("%2");
    return head.arg(parts.join(QStringLiteral(", ")));
}

bool SetRelease::isSheetOf(const QString& fileName, const QString& sign)
{
    const QString stem = sign + QStringLiteral("-proof");
    if (!fileName.startsWith(stem))
        return false;
    const QString rest = fileName.mid(stem.size());
    if (rest == QLatin1String(".png") || rest == QLatin1String(".pdf"))
        return true;
    // A further PNG page: "-2.png", "-3.png" ...
    static const QRegularExpression page(QStringLiteral("^-([2-9]|[1-9][0-9]+)\\.png$"));
    return page.match(rest).hasMatch();
}

QString SetRelease::stoppedMessage()
{
    return QCoreApplication::translate("SetRelease", "The release was stopped.");
}

Expected<MessageFigures> SetRelease::figures(const ImageRecord& image)
{
    const Expected<int> frames = image.frameCount();
    if (!frames)
        return frames.status();
    const Expected<DataMessage> message = DataMessage::build({FileText{"image", image.hexText()}});
    if (!message)
        return message.status();
    MessageFigures out;
    out.frames = *frames;
    out.length = message->length() - DataMessage::HeaderLength;
    out.checksum = message->checksum();
    return out;
}

namespace {

// What a release writes: its signs' images, and the version it keeps (or
// writes again) of them.
struct Plan {
    std::vector<SignRelease> signs;
    SetVersion kept;
    QString note;
    QDate validFrom;
};

// Files done of all a release writes, told to whoever follows it.
struct Progress {
    const std::function<bool(int, int)>& report;
    int done = 0;
    int total = 0;
    // False when the release is to stop before the next file.
    bool next() const { return !report || report(done, total); }
};

// A stored version to write again, as it was released.
Status planStoredVersion(DestinationSet& set, int number, ReleaseReport& report, Plan& plan)
{
    if (const Expected<std::vector<ReleaseTable::Release>> releases = set.releases())
        for (const ReleaseTable::Release& r : *releases)
            if (r.number == number)
                plan.validFrom = r.validFrom;
    Expected<SetVersion> version = set.version(number);
    if (!version)
        return version.status();
    plan.kept = std::move(version).value();
    const Status read = versionImages(set, plan.kept, plan.signs);
    if (!read)
        return read;
    report.version = number;
    report.time = plan.kept.time;
    plan.note = plan.kept.note;
    report.findings = plan.kept.findings;
    return Status::success();
}

// The set as it is, lettered and audited.
Status planNewRelease(DestinationSet& set, FontList& fonts, const ReleaseOptions& options,
                      const LetteredImages& lettered, ReleaseReport& report, Plan& plan)
{
    report.time = QDateTime::currentDateTimeUtc();
    Expected<LegibilityRules> rules = LegibilityRules::find(
        options.rules.isEmpty() ? QString::fromLatin1(LegibilityRules::DefaultName) : options.rules);
    // Rules asked for by name must be there; without the default ones
    // the release goes on and says it was not audited.
    if (!rules && !options.rules.isEmpty())
        return rules.status();
    if (!rules)
        report.findings << QStringLiteral("not audited: ") + rules.error();
    const LegibilityAudit audit(rules ? std::move(rules).value() : LegibilityRules{}, fonts);
    return letterSet(set, fonts, audit, lettered, plan.signs, report.unfit, report.stale, report.findings,
                     plan.kept.destinations, plan.kept.overrides);
}

Status makeFolder(const QString& path)
{
    if (!QDir().mkpath(path))
        return Status::failure(ImageFile::createError(path, QCoreApplication::translate("SetRelease", "The folder cannot be made.")));
    StagedFiles::removeLeftovers(path);
    return Status::success();
}

// Every image staged first and then put in place: a release stopped or
// failing on the way replaces nothing. With `keep`, the images go into the
// version to keep too.
Status writeImages(const QString& root, bool keep, Plan& plan, Progress& progress, ReleaseReport& report,
                   std::vector<Written>& files)
{
    StagedFiles images;
    for (const SignRelease& sign : plan.signs) {
        const QString signFolder = root + sign.name + QLatin1Char('/');
        if (const Status made = makeFolder(signFolder); !made)
            return made;
        for (const SetVersion::Image& image : sign.images) {
            if (!progress.next())
                return Status::failure(SetRelease::stoppedMessage());
            const QString path = signFolder + image.code + QStringLiteral(".img");
            const Expected<MessageFigures> figures = SetRelease::figures(image.image);
            if (!figures)
                return Status::failure(ImageFile::createError(path, figures.error()));
            const QByteArray bytes = QByteArray::fromStdString(image.image.text());
            const Status staged = images.stage(path, bytes);
            if (!staged)
                return staged;
            report.written << path;
            files.push_back({sign.name + QLatin1Char('/') + image.code + QStringLiteral(".img"), *figures,
                             {sign.name, image.code},
                             ReleaseTable::imageSum(bytes)});
            ++progress.done;
            if (keep)
                plan.kept.images.push_back(image);
        }
    }
    return images.commit();
}

// The release kept in the set as its next version, once every image is on
// disk, so a version is what was written.
Status keepVersion(DestinationSet& set, const QString& root, Plan& plan, ReleaseReport& report)
{
    plan.kept.time = report.time;
    plan.kept.note = plan.note;
    plan.kept.findings = report.findings;
    plan.kept.validFrom = plan.validFrom;
    plan.kept.folder = QDir(root).absolutePath();
    const Expected<int> number = set.addVersion(plan.kept);
    if (!number)
        return Status::failure(QCoreApplication::translate("SetRelease", "The images were written, but the release was not kept in the set: %1")
                                   .arg(number.error()));
    report.version = *number;
    return Status::success();
}

Status stageSheets(const QString& root, const QString& setName, SheetFormat format, const Plan& plan,
                   Progress& progress, StagedFiles& record, ReleaseReport& report)
{
    for (const SignRelease& sign : plan.signs) {
        if (!progress.next())
            return Status::failure(SetRelease::stoppedMessage());
        const QString path = root + SetRelease::sheetName(sign.name, format);
        QString heading = QStringLiteral("%1 · %2 %3 × %4 · %5")
                              .arg(setName, sign.name)
                              .arg(sign.width)
                              .arg(sign.height)
                              .arg(stamp(report.time));
        if (report.version > 0)
            heading += QStringLiteral(" · ") + said(QT_TRANSLATE_NOOP("ReleaseReport", "version %1")).arg(report.version);
        if (!sign.images.empty()) {
            // The first PNG page keeps the sheet's name; more go on in "-2", "-3".
            const Expected<std::vector<QByteArray>> pages = sheetFiles(sign, path, heading, report.findings, format);
            if (!pages)
                return pages.status();
            for (std::size_t page = 0; page < pages->size(); ++page) {
                const QString file = ProofSheet::pagePath(path, static_cast<int>(page));
                if (const Status staged = record.stage(file, (*pages)[page]); !staged)
                    return staged;
                report.sheets << file;
            }
        }
        ++progress.done;
    }
    return Status::success();
}

// The sheets of the release's signs in `root` that it did not write: pages
// a longer sheet had, the sheet in the other format, the sheet of a sign
// that has no images now. They showed images the release has replaced.
void removeOldSheets(const QString& root, const Plan& plan, const QStringList& written)
{
    QSet<QString> kept;
    for (const QString& path : written)
        kept.insert(QFileInfo(path).fileName());
    QDir folder(root);
    const QStringList names = folder.entryList({QStringLiteral("*-proof*")}, QDir::Files);
    for (const QString& name : names) {
        if (kept.contains(name))
            continue;
        for (const SignRelease& sign : plan.signs)
            if (SetRelease::isSheetOf(name, sign.name)) {
                folder.remove(name);
                break;
            }
    }
}

// The sheets and release.txt describe the images, so they follow them.
Status writeRecord(const DestinationSet& set, const QString& root, const ReleaseOptions& options, const Plan& plan,
                   const std::vector<Written>& files, Progress& progress, ReleaseReport& report)
{
    StagedFiles record;
    // A server set is named by its address, which path() gives without a password.
    const QString setName = set.onServer() ? set.path() : QFileInfo(set.path()).fileName();
    if (options.proofSheets)
        if (const Status staged = stageSheets(root, setName, options.sheets, plan, progress, record, report); !staged)
            return staged;
    report.releaseText = ReleaseNote::pathIn(root);
    const QByteArray text = ReleaseNote::write(listing(setName, set.setId(), report, plan.validFrom, plan.note,
                                                       plan.signs, files))
                                .toUtf8();
    if (const Status staged = record.stage(report.releaseText, text); !staged)
        return staged;
    if (const Status committed = record.commit(); !committed)
        return committed;
    removeOldSheets(root, plan, report.sheets);
    return Status::success();
}

} // namespace

Expected<ReleaseReport> SetRelease::release(DestinationSet& set, FontList& fonts, const QString& folder,
                                            const ReleaseOptions& options,
                                            const std::function<bool(int, int)>& progress,
                                            const LetteredImages& lettered)
{
    // Refused before any file is written rather than after all of them.
    if (options.version == 0 && !set.readOnly())
        if (const Status may = set.mayAddVersion(); !may)
            return Status::failure(QCoreApplication::translate("SetRelease", "Cannot release \"%1\": ").arg(set.path()) + may.error());
    ReleaseReport report;
    Plan plan;
    plan.note = options.note;
    plan.validFrom = options.validFrom;
    const Status planned = options.version > 0 ? planStoredVersion(set, options.version, report, plan)
                                               : planNewRelease(set, fonts, options, lettered, report, plan);
    if (!planned)
        return planned;
    if (options.version == 0 && !report.unfit.isEmpty() && !options.partial)
        return report;

    Progress steps{progress};
    steps.total = 1; // release.txt
    for (const SignRelease& sign : plan.signs)
        steps.total += static_cast<int>(sign.images.size()) + (options.proofSheets ? 1 : 0);

    const QString root = QDir::cleanPath(folder) + QLatin1Char('/');
    if (const Status made = makeFolder(root); !made)
        return made;
    std::vector<Written> files;
    if (const Status written = writeImages(root, options.version == 0, plan, steps, report, files); !written)
        return written;
    if (options.version == 0 && !set.readOnly())
        if (const Status kept = keepVersion(set, root, plan, report); !kept)
            return kept;
    compareWithVersionBefore(set, files, report);
    if (const Status recorded = writeRecord(set, root, options, plan, files, steps, report); !recorded)
        return recorded;
    ++steps.done;
    if (progress)
        progress(steps.done, steps.total);
    return report;
}

} // namespace vexel
