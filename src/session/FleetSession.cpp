#include "session/FleetSession.h"

#include "feeds/CsvReader.h"
#include "session/EditorSession.h"
#include "fleet/ReleaseNote.h"
#include "fleet/SetRelease.h"
#include "fleet/VisitSheet.h"
#include "settings/AppSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace vexel {

namespace {

const FleetSignState* signOf(const FleetBusState& state, const QString& sign)
{
    for (const FleetSignState& s : state.signs)
        if (s.sign == sign)
            return &s;
    return nullptr;
}

// "*": every code the sign's release folder holds, in name order.
QStringList codesFor(const FleetBusState& state, const QString& signFolder)
{
    if (!state.bus.everyCode())
        return state.bus.codes;
    QStringList codes;
    for (const QFileInfo& file : QDir(signFolder).entryInfoList({QStringLiteral("*.img")}, QDir::Files, QDir::Name))
        codes << file.completeBaseName();
    return codes;
}

} // namespace

FleetSession::FleetSession(FleetSources sources) : sources_(std::move(sources)), model_(sources_.load) {}

Expected<std::vector<JournalEntry>> FleetSession::history(const QString& bus) const
{
    if (!sources_.journal || bus.isEmpty())
        return std::vector<JournalEntry>{};
    JournalFilter filter;
    filter.bus = bus;
    return sources_.journal().entries(filter);
}

QString FleetSession::csv(const std::vector<FleetBusState>& buses, const QStringList& signs)
{
    QStringList header{QStringLiteral("bus"), QStringLiteral("depot"), QStringLiteral("set"),
                       QStringLiteral("in_service"), QStringLiteral("listed"), QStringLiteral("note")};
    for (const QString& sign : signs)
        header << sign + QStringLiteral(" version") << sign + QStringLiteral(" latest") << sign + QStringLiteral(" behind");
    QStringList lines{header.join(QLatin1Char(','))};
    for (const FleetBusState& state : buses) {
        QStringList row{state.bus.number, state.bus.depot, state.bus.set,
                        state.bus.inService ? QStringLiteral("yes") : QStringLiteral("no"),
                        state.listed ? QStringLiteral("yes") : QStringLiteral("no"),
                        state.problem.isEmpty() ? state.bus.note : state.problem};
        for (const QString& sign : signs) {
            const FleetSignState* s = signOf(state, sign);
            row << (s ? FleetModel::signText(*s) : QString()) << (s ? QString::number(s->latestVersion) : QString())
                << (s ? s->behind.join(QLatin1Char(' ')) : QString());
        }
        for (QString& field : row)
            field = csvField(field);
        lines << row.join(QLatin1Char(','));
    }
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

Status FleetSession::exportCsv(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv(model_.shown(), model_.signs()).toUtf8()) < 0 || !file.commit())
        return Status::failure(
            QCoreApplication::translate("FleetSession", "Cannot write %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    return Status::success();
}

QString FleetSession::releaseProblem(const FleetBusState& state, const QString& sign)
{
    if (state.releaseFolder.isEmpty())
        return QCoreApplication::translate("FleetSession", "The release folder of bus %1's set is not known on "
                                                           "this PC: release the set here, or open the folder it "
                                                           "was released to.")
            .arg(state.bus.number);
    const FleetSignState* s = signOf(state, sign);
    return SetSend::releaseProblem(state.releaseFolder, state.setId, s ? s->latestVersion : 0,
                                   state.bus.number);
}

Expected<SignSendList> FleetSession::sendList(const FleetBusState& state, const QString& sign)
{
    if (!signOf(state, sign))
        return Expected<SignSendList>::failure(
            QCoreApplication::translate("FleetSession", "Bus %1 has no sign %2.").arg(state.bus.number, sign));
    const QString problem = releaseProblem(state, sign);
    if (!problem.isEmpty())
        return Expected<SignSendList>::failure(problem);
    const QString signFolder = SetRelease::signFolder(state.releaseFolder, sign);
    if (!QFileInfo(signFolder).isDir())
        return Expected<SignSendList>::failure(QCoreApplication::translate("FleetSession", "The %1 sign was not released (%2 is missing).")
                                                   .arg(sign, QDir::toNativeSeparators(signFolder)));
    return SetSend::choose(signFolder, codesFor(state, signFolder));
}

Status FleetSession::sendToBus(EditorSession& editor, const FleetBusState& state, const QString& sign)
{
    const Expected<SignSendList> list = sendList(state, sign);
    if (!list)
        return list.status();
    const Status listed = SetSend::putOnSendList(editor, *list);
    if (!listed)
        return listed;
    editor.settings().setBusNumber(state.bus.number);
    const FleetSignState* s = signOf(state, sign);
    if (s && s->width > 0 && s->height > 0)
        editor.setSignFor(list->folder, {sign, s->width, s->height});
    return Status::success();
}

Status FleetSession::printVisitList(const QString& pdfPath, const QString& depot, const QString& releaseFolder,
                                    const QDate& today) const
{
    if (!sources_.visit)
        return Status::failure(QCoreApplication::translate("FleetSession", "No visit list can be made here."));
    const Expected<std::vector<VisitItem>> items = sources_.visit(depot, releaseFolder);
    if (!items)
        return items.status();
    return VisitSheet::print(pdfPath, depot, releaseFolder, *items, today);
}

} // namespace vexel
