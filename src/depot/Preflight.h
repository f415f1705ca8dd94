#pragma once

#include "document/ImageRecord.h"
#include "document/Result.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

namespace vexel {

// A file as it was on disk at one moment: enough to tell that it changed.
struct FileStamp {
    qint64 size = 0;
    QDateTime modified;

    // Nothing when there is no such file.
    static std::optional<FileStamp> of(const QString& path);
    bool operator==(const FileStamp& o) const { return size == o.size && modified == o.modified; }
    bool operator!=(const FileStamp& o) const { return !(*this == o); }
};

// A sign of a bus that files are made for and sent to.
struct TargetSign {
    QString name;
    int width = 0;
    int height = 0;
};

// One file of a send list, loaded as the editor loads an image.
struct PreflightFile {
    QString name; // as the list shows it
    QString path;
    Expected<ImageRecord> record = Expected<ImageRecord>::failure("not loaded");
    // The sign the file goes to (a file of a release, or sent to a bus's
    // sign); without one it goes to the board in use.
    std::optional<TargetSign> sign;
};

struct PreflightInput {
    std::vector<PreflightFile> files;
    int boardWidth = 96; // the board size in force
    int boardHeight = 24;
    // By file name: characters the text tool drew as boxes in that file.
    std::map<QString, QString> missingCharacters;
    // By file name: the file as it was when the list was made.
    std::map<QString, FileStamp> stamps;
};

struct Finding {
    enum class Kind {
        Unreadable,        // the file does not load; it cannot be sent
        NoLitLed,          // a frame shows nothing
        ZeroDuration,      // a frame holds for no time
        BoardSize,         // the file was made for another board
        MissingCharacters, // lettering with boxes for characters
        MessageSize,       // the message would not fit its fields
        ChangedOnDisk,     // changed or gone since the list was made
    };

    QString file;              // empty for the list as a whole
    std::optional<int> frame;  // 0-based, as the frame list counts
    Kind kind = Kind::Unreadable;
    QString message;           // one sentence, naming file and frame

    // "route12.img, frame 2: no LED is lit."
    QString line() const;
};

// The checks before a send list goes out: everything the operator may want
// to hear before the board shows it. One function, for the editor's report
// before Send and for `vexel check`.
class Preflight {
public:
    // Loads every entry of `folder` (with its separator) as the editor loads
    // an image, each failure kept with its file.
    static std::vector<PreflightFile> load(const QStringList& entries, const QString& folder);
    // Stamps of the entries now, for a later check; files that are missing
    // get none.
    static std::map<QString, FileStamp> stamps(const QStringList& entries, const QString& folder);

    // Findings in list order, each file's in frame order; the message size
    // last. Nothing found: the list can go without asking.
    static std::vector<Finding> check(const PreflightInput& input);

    // The size of a file's board: the right and bottom edges of its
    // furthest frame windows.
    static std::pair<int, int> boardSizeOf(const ImageRecord& record);
};

} // namespace vexel
