#pragma once

#include "fleet/SendJournal.h"

#include "depot/Preflight.h"
#include "document/LedBitmap.h"
#include "document/FrameHeader.h"
#include "document/LedRect.h"
#include "preview/Export.h"
#include "document/Result.h"
#include "session/OverrideFiles.h"
#include "session/SendListModel.h"
#include "settings/SettingsStore.h"
#include "transfer/SendJob.h"

#include <QObject>
#include <QRect>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class SerialLink;

namespace vexel {

class AppSettings;
struct FleetSources;
class BoardEditor;
class ImageDocument;
class ExportFormat;

// One open editor below its windows: the settings and their file, the
// editor core with its document, the send list, the serial link and the
// send job, and the use cases the windows' commands call. It shows nothing
// and asks nothing: a use case returns what went wrong, failures of work
// done along the way are announced by error(), and the windows repaint on
// the signals.
class EditorSession : public QObject, private SendJobHost {
    Q_OBJECT
public:
    // `exeFolder` ends with a separator; the settings file and the default
    // data folder are found from it.
    explicit EditorSession(const QString& exeFolder, QObject* parent = nullptr);
    ~EditorSession() override;

    AppSettings& settings() { return *settings_; }
    const AppSettings& settings() const { return *settings_; }
    SettingsStore& store() { return *store_; }
    BoardEditor& editor() { return *editor_; }
    const BoardEditor& editor() const { return *editor_; }
    ImageDocument& document();
    const ImageDocument& document() const;
    SendListModel& sendList() { return *sendList_; }
    // The sets open beside the editor, where images saved into a set's
    // overrides folder go.
    OverrideLink& overrideLink() { return overrideLink_; }
    const SendListModel& sendList() const { return *sendList_; }
    SerialLink& link() { return *link_; }
    SendJob& sendJob() { return *job_; }
    const QString& exeFolder() const { return exeFolder_; }

    // Where the window keeps its place: read when the settings are saved,
    // set from the settings file. Without a window the place is only kept.
    void setBoundsAccess(std::function<QRect()> get, std::function<void(const QRect&)> set);

    // ---- image files
    // A new image on the editor's own board.
    void newImage();
    // The document's image from its file; the document stays as it was
    // when the file is refused.
    Status loadFile();
    // Opens `name` of `folder` at `frame`; a refused file puts the old
    // folder, name and frame back.
    Status open(const QString& folder, const QString& name, int frame);
    // What Load does with the chosen file: its folder becomes the data
    // folder and is listed, the history and the selection start afresh.
    // A refused file changes nothing.
    //
    // Opening an image puts the editor's own board back. An image made by
    // hand for a sign opens with `signBoard`, its sign's size, which stays
    // in force while it is open (its frames, its preview, a send made
    // meanwhile), so nothing of it is cut; the settings file keeps the
    // editor's own board throughout.
    Status openChosen(const QString& path, const std::optional<SignBoard>& signBoard = std::nullopt);
    // Frame `index` of the image's file. A file that cannot be read leaves
    // the frame on screen current, or the next store would write it over
    // another frame.
    Status showFrame(int index);
    // The preview plays the image as stored on disk: `play` starts it with
    // the current frame's duration, then the first frame is read from the
    // file and the history starts afresh. With nothing on disk to play (a
    // new image never saved, a file removed since) it does not start, and
    // the image keeps its frame and its undo history.
    struct PreviewStart {
        bool started = false;
        QString error; // why it did not start, or why the first frame did not load
    };
    PreviewStart startPreview(const std::function<void(int duration)>& play);
    // A name clicked in one of the send panel's lists.
    Status openListed(const QString& name);
    bool savesInPlace() const;
    Status save();
    // Writes the image as `path`; a name without an extension gets
    // `defaultExtension`. The document takes the new name only once written.
    Status saveAs(const QString& path, const QString& defaultExtension = QStringLiteral("img"));
    // Writes the settings file (nothing before start-up is done).
    Status saveSettings();

    // ---- images larger than the board
    // What the status bar says of the image shown when the board cuts some
    // of its frames (their windows reach beyond it); empty when the board
    // shows it whole.
    QString cutNotice() const;
    // What Save asks before writing frames that were stored cut to the
    // board since the image was loaded; empty when none are, or the cut was
    // agreed to. Until then the image is not written.
    QString cutQuestion() const;
    void acceptCut();

    // ---- frames
    struct FrameAdded {
        enum Outcome { Added, TooSmall, TooMany, NotSaved } outcome = Added;
        QString error; // why the save failed (NotSaved)
    };
    // A new frame cut from the selection, made current and saved, as one
    // step. A selection under 8 x 3 LEDs or a 257th frame changes nothing.
    // An image without a name of its own yet is saved through `saveAs`,
    // where the window asks for one and reports what went wrong.
    FrameAdded addFrameFromSelection(const std::function<void()>& saveAs = {});

    // ---- import and export
    // A converted picture placed in `target` of the current frame, the
    // rectangle's other LEDs unlit; one step.
    void placeImport(const FrameRect& target, const LedBitmap& leds);
    // An animation's pictures as new frames with their durations, as one
    // step, within the image's 256 frames; how many were added.
    int importFrames(const FrameRect& target, const std::vector<LedBitmap>& frames, const std::vector<int>& durations);
    // The sign's pictures in `format`, of the open image (its current frame
    // where the format shows one) or of the send list's files, written to
    // `path`. `running` hears when the writing starts (true) and ends
    // (false), after the source was read and checked; `progress` may stop a
    // long export (Export::cancelled tells it from a failure).
    Status exportAs(const ExportFormat& format, bool sendList, const QString& path,
                    const Export::Progress& progress = {}, const std::function<void(bool)>& running = {});
    // The send list's files with the data folder.
    QStringList sendListPaths() const;
    // The selection on the board as a target for lettering or a picture,
    // while one is shown.
    std::optional<FrameRect> selectionTarget() const;

    // ---- the send panel
    // Scans the data folder: the file list, the send list's gone entries,
    // the next untitled number.
    void listFiles();
    void addToSendList(const QList<int>& fileRows, int* reselect = nullptr);
    void removeFromSendList(const QList<int>& sendRows, int* reselect = nullptr);
    // The send list holds exactly those of `paths` that are files of the
    // data folder, in their order, after the folder is listed anew.
    void listOnly(const QStringList& paths);
    // What the check before Send finds in the send list now. Each file is
    // checked against the sign it goes to: the one set for its folder, else
    // the one its release names, else the board in use.
    std::vector<Finding> preflight() const;
    // The files of `folder` go to `sign` (a bus's sign): what the Fleet
    // and the Destinations windows send from a release.
    void setSignFor(const QString& folder, const TargetSign& sign);
    bool portFailed() const;
    SendJob::Outcome send();
    void read();
    void stop();
    // Where sends and reads are recorded; tests point it elsewhere.
    const QString& journalPath() const { return journalPath_; }
    void setJournalPath(const QString& path) { journalPath_ = path; }
    // The journal with the settings' server and station name.
    SendJournal journal() const;
    // Where the Fleet window reads the fleet, a visit list and the journal.
    FleetSources fleetSources() const;

    // ---- the LED grid's keys
    // A key pressed on the grid: the active tool's first (Move nudges its
    // block, Escape drops a drag), then the arrows move the cursor and Space
    // switches its LED. False when the key means nothing here.
    bool gridKey(int key);

    // ---- start-up
    // Reads the settings file and puts it into effect, lists the data
    // folder and opens the last image. Nothing: there is no last image;
    // else how opening it went.
    std::optional<Status> startup();
    // After the window has settled the first image: the grid setting, a
    // fresh history, and from now on settings are saved.
    void finishStartup();

signals:
    // An image was loaded or shown into the editor (`inPassing`: by the
    // send job, on its way to the board).
    void imageShown(bool inPassing);
    // A send or read job holds (true) or gave back (false) the editor.
    void jobLocked(bool locked);
    // The port was opened again; `why` says why it failed, empty if not.
    void portReopened(const QString& why);
    // A failure of work done along the way: the window shows it.
    void error(const QString& message);

private:
    OverrideLink overrideLink_;
    // SendJobHost
    void holdEditor(bool held) override;
    bool saveCurrent() override;
    void showSending(const QString& name, const ImageRecord& record) override;
    void restoreAfterJob(const QString& name) override;

    void saveSettingsOrReport();
    // open() on `board`; a refused file puts the board in force before back.
    Status openOn(const std::optional<SignBoard>& board, const QString& folder, const QString& name, int frame);
    void reopenPort();
    // The job's last report into the journal; a failure is announced, and
    // changes nothing of the send.
    void recordExchange();
    SessionState collectState() const;
    void restoreState(const SessionState& state);

    QString exeFolder_;
    AppSettings* settings_ = nullptr;
    std::unique_ptr<SettingsStore> store_;
    BoardEditor* editor_ = nullptr;
    SendListModel* sendList_ = nullptr;
    SerialLink* link_ = nullptr;
    SendJob* job_ = nullptr;
    QString journalPath_;
    std::map<QString, TargetSign> signFor_; // by folder, cleaned
    QRect bounds_{100, 100, 1023, 724};
    std::function<QRect()> getBounds_;
    std::function<void(const QRect&)> setBounds_;
};

} // namespace vexel
