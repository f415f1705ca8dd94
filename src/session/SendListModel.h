#pragma once

#include "depot/Preflight.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>

namespace vexel {

// The send panel's two lists as data: the image files of the data folder
// that are not to be sent, and the send list in its order. Each entry keeps
// the stamp of its file from when it was listed (or last written by the
// editor), and each image path the characters the lettering drew as boxes:
// what the check before Send compares against.
class SendListModel : public QObject {
    Q_OBJECT
public:
    explicit SendListModel(QObject* parent = nullptr) : QObject(parent) {}

    const QStringList& entries() const { return entries_; }
    const QStringList& files() const { return files_; }
    const QString& folder() const { return folder_; }

    // The send list as the settings file had it; its stamps are taken by
    // the next stampAll().
    void setEntries(const QStringList& entries);

    // Scans `folder` (with its separator): entries whose file is gone leave
    // the send list, the other image files form the file list. Returns the
    // number the next untitled image gets.
    int refresh(const QString& folder);
    int untitledNumber() const { return untitledNumber_; }

    // Moves the file list's rows `rows` (none: its first) to the end of the
    // send list, in file-list order, and stamps them. Returns the file-list
    // row to select afterwards, -1 for none.
    int add(QList<int> rows);
    // Removes the send list's rows `rows` (none: its last). Returns the row
    // to select afterwards, -1 for none.
    int remove(QList<int> rows);
    // Moves one entry to another place; false when either row is outside.
    bool move(int from, int to);

    // The send list's files as they are now.
    void stamp(const QStringList& names);
    void stampAll() { stamp(entries_); }
    const std::map<QString, FileStamp>& stamps() const { return stamps_; }

    // Characters drawn as boxes into the image at `path`.
    void addMissing(const QString& path, const QString& characters);
    const std::map<QString, QString>& missingGlyphs() const { return missing_; }

    // The data length of the send list's message, read from the files;
    // nothing when a file cannot travel.
    std::optional<int> dataLength() const;

    // What the check before Send gets for the list, with the board size in
    // force. `open` is the image as the editor holds it under `openName`.
    PreflightInput preflightInput(const QString& openName, const ImageRecord* open, int boardWidth,
                                  int boardHeight) const;

signals:
    // Either list changed: its entries, order or the file list.
    void changed();

private:
    QString folder_;
    QStringList entries_;
    QStringList files_;
    int untitledNumber_ = 1;
    std::map<QString, FileStamp> stamps_;
    std::map<QString, QString> missing_;
};

} // namespace vexel
