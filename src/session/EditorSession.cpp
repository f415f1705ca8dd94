#include "session/EditorSession.h"

#include "fleet/FleetStatus.h"
#include "fleet/FleetVisit.h"

#include "document/ImageFile.h"
#include "editor/BoardEditor.h"
#include "preview/ExportFormat.h"
#include "preview/SignTimeline.h"
#include "session/FleetSession.h"
#include "fleet/ReleaseNote.h"
#include "fleet/SendJournal.h"
#include "sets/DestinationSet.h"
#include "settings/AppSettings.h"
#include "transfer/SerialLink.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QThreadPool>

#ifdef __GLIBC__
#include <malloc.h>

#include <algorithm>
#endif

namespace vexel {

EditorSession::EditorSession(const QString& exeFolder, QObject* parent)
    : QObject(parent), exeFolder_(exeFolder), journalPath_(SendJournal::defaultPath())
{
    settings_ = new AppSettings(this);
    store_ = std::make_unique<SettingsStore>(*settings_);
    editor_ = new BoardEditor(*settings_, this);
    sendList_ = new SendListModel(this);
    link_ = new SerialLink(this);
    job_ = new SendJob(*link_, this);
    job_->setHost(this);
    // A file the job could not read is reported as any other failure.
    connect(job_, &SendJob::failed, this, &EditorSession::error);

    // Commands that run before the start-up work still find a folder.
    store_->setExecutableFolder(exeFolder_);
    document().setFolder(store_->defaultDataFolder());
    store_->setSession([this] { return collectState(); }, [this](const SessionState& s) { restoreState(s); });

    // What the settings change below the windows: the colours and the
    // exchange's timing are kept at once, the port is opened again.
    connect(settings_, &AppSettings::backColorChanged, this, &EditorSession::saveSettingsOrReport);
    connect(settings_, &AppSettings::ledColorChanged, this, &EditorSession::saveSettingsOrReport);
    connect(settings_, &AppSettings::timeOutChanged, this, &EditorSession::saveSettingsOrReport);
    connect(settings_, &AppSettings::flashDelayChanged, this, &EditorSession::saveSettingsOrReport);
    connect(settings_, &AppSettings::portChanged, this, &EditorSession::reopenPort);
    connect(settings_, &AppSettings::journalServerChanged, this, &EditorSession::saveSettingsOrReport);
    connect(settings_, &AppSettings::interfaceLanguageChanged, this, &EditorSession::saveSettingsOrReport);
    // Start-up names the station once the file is read.
    connect(settings_, &AppSettings::stationNameChanged, this, [this](const QString& name) {
        if (settings_->loading())
            return;
        DestinationSet::setStationName(SendJournal::stationName(name));
        saveSettingsOrReport();
    });
    // A smaller board cuts the frame window to it.
    connect(settings_, &AppSettings::boardWidthChanged, this, [this](int w) { document().setBoardWidth(w); });
    connect(settings_, &AppSettings::boardHeightChanged, this, [this](int h) { document().setBoardHeight(h); });

    // The check before Send compares with the list's files as the editor
    // last wrote them.
    connect(&document(), &ImageDocument::written, this, [this] {
        if (sendList_->entries().contains(document().fileName()))
            sendList_->stamp({document().fileName()});
    });
}

EditorSession::~EditorSession()
{
    job_->setHost(nullptr);
}

ImageDocument& EditorSession::document() { return editor_->document(); }
const ImageDocument& EditorSession::document() const { return editor_->document(); }

void EditorSession::setBoundsAccess(std::function<QRect()> get, std::function<void(const QRect&)> set)
{
    getBounds_ = std::move(get);
    setBounds_ = std::move(set);
}

SessionState EditorSession::collectState() const
{
    SessionState s;
    const QRect bounds = getBounds_ ? getBounds_() : bounds_;
    s.left = bounds.x();
    s.top = bounds.y();
    s.width = bounds.width();
    s.height = bounds.height();
    s.dataFolder = document().folder();
    s.dataFileName = document().fileName();
    s.sendList = sendList_->entries();
    return s;
}

void EditorSession::restoreState(const SessionState& s)
{
    bounds_ = QRect(s.left, s.top, s.width, s.height);
    if (setBounds_)
        setBounds_(bounds_);
    sendList_->setEntries(s.sendList);
    document().setFolder(s.dataFolder);
    document().setFileName(s.dataFileName);
}

// ---- image files

void EditorSession::newImage()
{
    settings_->setSignBoard(std::nullopt);
    editor_->newImage();
}

Status EditorSession::loadFile()
{
    const Status loaded = editor_->loadFile();
    if (loaded)
        emit imageShown(false);
    return loaded;
}

Status EditorSession::open(const QString& folder, const QString& name, int frame)
{
    return openOn(std::nullopt, folder, name, frame);
}

Status EditorSession::openOn(const std::optional<SignBoard>& board, const QString& folder, const QString& name,
                             int frame)
{
    ImageDocument& doc = document();
    const QString oldFolder = doc.folder();
    const QString oldName = doc.fileName();
    const int oldFrame = doc.currentFrame();
    const std::optional<SignBoard> oldBoard = settings_->signBoard();
    // The board first, so the image is read at its size.
    settings_->setSignBoard(board);
    doc.setFolder(folder);
    doc.setFileName(name);
    doc.setCurrentFrame(frame);
    const Status loaded = loadFile();
    if (!loaded) {
        doc.setFolder(oldFolder);
        doc.setFileName(oldName);
        doc.setCurrentFrame(oldFrame);
        if (oldBoard != board) {
            // The image that stays is shown again on its own board.
            settings_->setSignBoard(oldBoard);
            editor_->loadFrame();
        }
    }
    return loaded;
}

Status EditorSession::openChosen(const QString& path, const std::optional<SignBoard>& signBoard)
{
    ImageDocument& doc = document();
    const QFileInfo info(path);
    const QString oldFolder = doc.folder();
    Selection& selection = editor_->selection();
    const bool hadSelection = selection.shown();
    selection.setShown(false);
    doc.setFolder(QDir::cleanPath(info.absolutePath()) + QLatin1Char('/'));
    listFiles();
    const Status opened = openOn(signBoard, doc.folder(), info.fileName(), 0);
    if (!opened) {
        // The refused file changes nothing: the old image stays, with its
        // folder, name and selection.
        selection.setShown(hadSelection);
        if (doc.folder() != oldFolder) {
            doc.setFolder(oldFolder);
            listFiles();
        }
        return opened;
    }
    editor_->clearHistory();
    saveSettingsOrReport();
    return opened;
}

Status EditorSession::showFrame(int index)
{
    ImageDocument& doc = document();
    const int shown = doc.currentFrame();
    doc.setCurrentFrame(index);
    const Status loaded = loadFile();
    if (!loaded)
        doc.setCurrentFrame(shown);
    return loaded;
}

EditorSession::PreviewStart EditorSession::startPreview(const std::function<void(int duration)>& play)
{
    ImageDocument& doc = document();
    if (const Expected<ImageRecord> stored = ImageFile::load(doc.path()); !stored)
        return PreviewStart{false, stored.error()};
    play(doc.current().duration);
    doc.setCurrentFrame(0);
    PreviewStart start{true, {}};
    if (const Status loaded = loadFile(); !loaded)
        start.error = loaded.error();
    editor_->clearHistory();
    return start;
}

Status EditorSession::openListed(const QString& name)
{
    // A refused file keeps the open image under its own name, so a later
    // Save cannot write it over the file that was refused.
    const Status opened = open(document().folder(), name, 0);
    editor_->clearHistory();
    editor_->selection().setShown(false);
    saveSettingsOrReport();
    return opened;
}

bool EditorSession::savesInPlace() const { return document().savesInPlace(); }

Status EditorSession::save()
{
    const Status written = document().write();
    if (written)
        document().setModified(false);
    return written;
}

Status EditorSession::saveAs(const QString& path, const QString& defaultExtension)
{
    QFileInfo info(path);
    if (info.suffix().isEmpty() && !path.endsWith(QLatin1Char('.')))
        info.setFile(path + QLatin1Char('.') + defaultExtension);
    ImageDocument& doc = document();
    const Status written = doc.writeAs(QDir::cleanPath(info.absolutePath()) + QLatin1Char('/'), info.fileName());
    if (!written)
        return written;
    doc.setModified(false);
    saveSettingsOrReport();
    listFiles();
    return written;
}

Status EditorSession::saveSettings() { return store_->save(); }

namespace {

// Frame numbers in order, all but the last joined with commas, and the
// last: each sentence names one frame or "frames 2, 3 and 5" in words of
// its own.
std::pair<QString, QString> frameNumbers(std::vector<int> frames)
{
    std::sort(frames.begin(), frames.end());
    QStringList numbers;
    for (const int f : frames)
        numbers << QString::number(f);
    const QString last = numbers.isEmpty() ? QString() : numbers.takeLast();
    return {numbers.join(QStringLiteral(", ")), last};
}

} // namespace

QString EditorSession::cutNotice() const
{
    const ImageDocument& doc = document();
    const std::vector<int> beyond = doc.framesBeyondBoard();
    if (beyond.empty())
        return {};
    const auto [width, height] = Preflight::boardSizeOf(doc.record());
    const auto [leading, last] = frameNumbers(beyond);
    // One arg() for all: a file name may hold "%2".
    if (beyond.size() == 1)
        return QCoreApplication::translate("EditorSession", "%1 is made for a %2 x %3 board: the %4 x %5 board shows "
                                                            "frame %6 cut, and saving it cut asks first")
            .arg(doc.fileName(), QString::number(width), QString::number(height), QString::number(doc.boardWidth()),
                 QString::number(doc.boardHeight()), last);
    return QCoreApplication::translate("EditorSession", "%1 is made for a %2 x %3 board: the %4 x %5 board shows "
                                                        "frames %6 and %7 cut, and saving them cut asks first")
        .arg(doc.fileName(), QString::number(width), QString::number(height), QString::number(doc.boardWidth()),
             QString::number(doc.boardHeight()), leading, last);
}

QString EditorSession::cutQuestion() const
{
    const ImageDocument& doc = document();
    if (doc.cutFrames().empty() || doc.cutAccepted())
        return {};
    const auto [leading, last] = frameNumbers(doc.cutFrames());
    const QString board[] = {QString::number(doc.boardWidth()), QString::number(doc.boardHeight())};
    if (doc.cutFrames().size() == 1)
        return QCoreApplication::translate("EditorSession", "Frame %1 of %2 was cut to the %3 x %4 board: saving "
                                                            "loses the LEDs beyond it for good. Save it cut?")
            .arg(last, doc.fileName(), board[0], board[1]);
    return QCoreApplication::translate("EditorSession", "Frames %1 and %2 of %3 were cut to the %4 x %5 board: saving "
                                                        "loses the LEDs beyond it for good. Save it cut?")
        .arg(leading, last, doc.fileName(), board[0], board[1]);
}

void EditorSession::acceptCut() { document().acceptCut(); }

EditorSession::FrameAdded EditorSession::addFrameFromSelection(const std::function<void()>& saveAs)
{
    FrameAdded result;
    // The new frame and the save that writes it are one step.
    editor_->beginStep(QStringLiteral("add frame"));
    switch (document().addFrame(editor_->selection().rect())) {
    case ImageDocument::AddFrame::TooSmall: result.outcome = FrameAdded::TooSmall; break;
    case ImageDocument::AddFrame::TooMany: result.outcome = FrameAdded::TooMany; break;
    case ImageDocument::AddFrame::Added:
        // The frame list shows the new frame before a Save As dialog opens.
        emit editor_->frameListChanged();
        if (savesInPlace()) {
            const Status saved = save();
            if (!saved)
                result = FrameAdded{FrameAdded::NotSaved, saved.error()};
        } else if (saveAs) {
            saveAs();
        }
        break;
    }
    editor_->endStep();
    return result;
}

void EditorSession::saveSettingsOrReport()
{
    const Status saved = saveSettings();
    if (!saved)
        emit error(saved.error());
}

// ---- the send panel

void EditorSession::listFiles()
{
    document().setUntitledNumber(sendList_->refresh(document().folder()));
}

void EditorSession::addToSendList(const QList<int>& fileRows, int* reselect)
{
    if (sendList_->folder() != document().folder())
        listFiles();
    const int row = sendList_->add(fileRows);
    document().setUntitledNumber(sendList_->untitledNumber());
    if (reselect)
        *reselect = row;
}

void EditorSession::removeFromSendList(const QList<int>& sendRows, int* reselect)
{
    if (sendList_->folder() != document().folder())
        listFiles();
    const int row = sendList_->remove(sendRows);
    document().setUntitledNumber(sendList_->untitledNumber());
    if (reselect)
        *reselect = row;
}

void EditorSession::listOnly(const QStringList& paths)
{
    sendList_->setEntries({});
    listFiles();
    QList<int> rows;
    const QStringList& files = sendList_->files();
    for (const QString& path : paths) {
        const int row = files.indexOf(QFileInfo(path).fileName());
        if (row >= 0)
            rows << row;
    }
    addToSendList(rows);
}

std::vector<Finding> EditorSession::preflight() const
{
    PreflightInput input = sendList_->preflightInput(document().fileName(), &document().record(),
                                                     settings_->boardWidth(), settings_->boardHeight());
    for (PreflightFile& file : input.files) {
        const auto sign = signFor_.find(QFileInfo(file.path).absolutePath());
        if (sign != signFor_.end())
            file.sign = sign->second;
    }
    ReleaseNote::findSigns(input.files);
    return Preflight::check(input);
}

void EditorSession::setSignFor(const QString& folder, const TargetSign& sign)
{
    signFor_[QFileInfo(QDir::cleanPath(folder) + QStringLiteral("/x")).absolutePath()] = sign;
}

bool EditorSession::portFailed() const { return link_->openFailed(); }

SendJob::Outcome EditorSession::send()
{
    const SendJob::Outcome outcome = job_->send(sendList_->entries(), document().folder(), document().fileName(),
                                                settings_->flashDelay(), settings_->timeOut());
    recordExchange();
    return outcome;
}

void EditorSession::read()
{
    job_->read(settings_->flashDelay(), settings_->timeOut());
    recordExchange();
}

SendJournal EditorSession::journal() const
{
    return SendJournal(journalPath_, SendJournal::defaultServer(settings_->journalServer()),
                       SendJournal::stationName(settings_->stationName()));
}

FleetSources EditorSession::fleetSources() const
{
    FleetSources sources;
    sources.load = [this] { return FleetStatus::load(journal(), QDate::currentDate()); };
    sources.visit = [this](const QString& depot, const QString& releaseFolder) {
        return FleetVisit::list(journal(), depot, releaseFolder, QDate::currentDate());
    };
    sources.journal = [this] { return journal(); };
    return sources;
}

void EditorSession::recordExchange()
{
    const std::optional<ExchangeReport>& report = job_->lastReport();
    if (!report)
        return;
    JournalEntry entry;
    entry.time = QDateTime::currentDateTimeUtc();
    entry.bus = settings_->busNumber();
    entry.port = settings_->comPort();
    entry.read = report->read;
    entry.files = report->files;
    entry.bytes = report->dataLength;
    entry.checksum = report->checksum;
    entry.reply = report->reply;
    if (!report->read) {
        QStringList paths;
        for (const QString& name : report->files)
            paths << report->folder + name;
        SendJournal::describeFiles(entry, paths);
    }
    const Status recorded = journal().record(entry);
    if (!recorded)
        emit error((report->read
                        ? QCoreApplication::translate("EditorSession", "%1\nThe read itself is not affected: %2.")
                        : QCoreApplication::translate("EditorSession", "%1\nThe send itself is not affected: %2."))
                       .arg(recorded.error(), report->reply));
}

void EditorSession::stop() { link_->requestStop(); }

void EditorSession::reopenPort()
{
    if (settings_->loading())
        return;
    const bool opened = link_->reopen(settings_->comPort(), settings_->baudRate());
    const QString why = opened ? QString() : link_->openError();
    // The window compares with the message of the last failure, so it
    // hears of this one before the settings take it.
    emit portReopened(why);
    settings_->setPortState(!opened, why);
}

// SendJobHost

void EditorSession::holdEditor(bool held) { emit jobLocked(held); }

bool EditorSession::saveCurrent()
{
    if (!document().fileName().isEmpty()) {
        const Status written = document().write();
        if (!written) {
            // The edits stay in the editor.
            emit error(written.error());
            return false;
        }
    }
    document().setModified(false);
    return true;
}

void EditorSession::showSending(const QString& name, const ImageRecord& record)
{
    document().setFileName(name);
    document().setCurrentFrame(0);
    editor_->adoptFile(record, /*inPassing=*/true);
    emit imageShown(true);
}

void EditorSession::restoreAfterJob(const QString& name)
{
    document().setFileName(name);
    document().setCurrentFrame(0);
    const Status loaded = loadFile();
    if (!loaded)
        emit error(loaded.error());
}

// ---- start-up

std::optional<Status> EditorSession::startup()
{
    store_->setExecutableFolder(exeFolder_);
    store_->load();
    // Changes to destination sets are signed with this PC's station name.
    DestinationSet::setStationName(SendJournal::stationName(settings_->stationName()));
    // The board size and the port as the file gave them.
    settings_->setBoardWidth(settings_->boardWidth());
    settings_->setBoardHeight(settings_->boardHeight());
    settings_->setComPort(settings_->comPort());
    listFiles();
    // The send list from the settings file is as it was made now.
    sendList_->stampAll();

    // A last image that is gone, or that no longer loads, is treated alike
    // by the caller.
    document().setCurrentFrame(0);
    if (document().fileName().isEmpty() || !QFileInfo(document().path()).isFile())
        return std::nullopt;
    return loadFile();
}

bool EditorSession::gridKey(int key)
{
    if (editor_->toolKey(key))
        return true;
    switch (key) {
    case Qt::Key_Left:
        editor_->moveCursor(-1, 0);
        return true;
    case Qt::Key_Right:
        editor_->moveCursor(1, 0);
        return true;
    case Qt::Key_Up:
        editor_->moveCursor(0, -1);
        return true;
    case Qt::Key_Down:
        editor_->moveCursor(0, 1);
        return true;
    case Qt::Key_Space:
        editor_->toggleCursorLed();
        return true;
    default:
        return false;
    }
}

void EditorSession::finishStartup()
{
    settings_->setDrawGrid(settings_->drawGrid());
    editor_->clearHistory();
    settings_->setStartupDone(true);
    // Entries kept here while the journal's server was away go up now, off
    // the window's thread: a server that is still away takes its three
    // seconds to say so. An entry a send uploads meanwhile goes up once, by
    // its id.
    const SendJournal log = journal();
    if (!log.server().isEmpty())
        QThreadPool::globalInstance()->start([log] { (void)log.upload(); });
}

void EditorSession::placeImport(const FrameRect& target, const LedBitmap& leds)
{
    editor_->placeLeds(leds, target.x, target.y, /*clearFirst=*/true, QStringLiteral("import"));
}

int EditorSession::importFrames(const FrameRect& target, const std::vector<LedBitmap>& frames,
                                const std::vector<int>& durations)
{
    return editor_->appendFrames(target, frames, durations, QStringLiteral("import frames"));
}

QStringList EditorSession::sendListPaths() const
{
    QStringList paths;
    for (const QString& name : sendList_->entries())
        paths << document().folder() + name;
    return paths;
}

std::optional<FrameRect> EditorSession::selectionTarget() const
{
    const Selection& selection = editor_->selection();
    if (!selection.shown())
        return std::nullopt;
    const LedRect r = selection.onBoard(settings_->boardWidth(), settings_->boardHeight());
    return FrameRect{r.x0, r.y0, r.width(), r.height()};
}

Status EditorSession::exportAs(const ExportFormat& format, bool sendList, const QString& path,
                               const Export::Progress& progress, const std::function<void(bool)>& running)
{
    const Status done = [&]() -> Status {
        const SignTimeline::Board board{settings_->boardWidth(), settings_->boardHeight(), settings_->simulatorStep()};
        Expected<SignTimeline> source = sendList ? SignTimeline::ofFiles(sendListPaths(), board, sendList_->entries())
                                                 : SignTimeline::ofImage(document().record(), document().fileName(), board);
        if (!source)
            return Status::failure(source.error());
        ExportOptions options;
        options.frame = document().currentFrame();
        options.frameAlone = true;
        // The sheet's words follow the windows' language, as its labels do.
        options.heading = sendList ? QCoreApplication::translate("EditorSession", "Send list") : document().fileName();
        options.progress = progress;
        Status result = format.check(*source, options);
        if (!result)
            return result;
        if (running)
            running(true);
        result = format.write(source.value(), options, path);
        if (running)
            running(false);
        return result;
    }();
#ifdef __GLIBC__
    // A proof sheet or a GIF of a long send list holds tens of MiB for a
    // moment; the heap would keep them from the rest of the PC long after.
    malloc_trim(0);
#endif
    return done;
}

} // namespace vexel
