#include "session/SendListModel.h"

#include "transfer/DataMessage.h"
#include "transfer/SendJob.h"
#include "transfer/SendList.h"

#include <algorithm>

namespace vexel {

namespace {

QList<int> sortedValid(QList<int> rows, int count)
{
    rows.erase(std::remove_if(rows.begin(), rows.end(), [count](int r) { return r < 0 || r >= count; }), rows.end());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

} // namespace

void SendListModel::setEntries(const QStringList& entries)
{
    entries_ = entries;
    emit changed();
}

int SendListModel::refresh(const QString& folder)
{
    folder_ = folder;
    entries_ = SendList::existing(entries_, folder);
    const SendList::Listing listing = SendList::list(SendList::imageFiles(folder), entries_);
    files_ = listing.fileList;
    untitledNumber_ = listing.untitledNumber;
    emit changed();
    return untitledNumber_;
}

int SendListModel::add(QList<int> rows)
{
    // The row the selection is remembered at: the last one chosen.
    const int remembered = rows.isEmpty() ? 0 : std::max(0, *std::max_element(rows.begin(), rows.end()));
    if (rows.isEmpty() && !files_.isEmpty())
        rows = {0};
    rows = sortedValid(rows, files_.size());
    QStringList added;
    for (int r : rows)
        added << files_[r];
    for (auto r = rows.crbegin(); r != rows.crend(); ++r)
        files_.removeAt(*r);
    entries_ += added;
    refresh(folder_);
    // Only what is on the list after the scan gets a stamp.
    QStringList listed;
    for (const QString& name : added)
        if (entries_.contains(name))
            listed << name;
    stamp(listed);
    return SendList::reselect(remembered, files_.size());
}

int SendListModel::remove(QList<int> rows)
{
    if (rows.isEmpty() && !entries_.isEmpty())
        rows = {static_cast<int>(entries_.size()) - 1};
    rows = sortedValid(rows, entries_.size());
    const int remembered = rows.isEmpty() ? 0 : rows.back();
    for (auto r = rows.crbegin(); r != rows.crend(); ++r)
        entries_.removeAt(*r);
    refresh(folder_);
    return SendList::reselect(remembered, entries_.size());
}

bool SendListModel::move(int from, int to)
{
    const int n = entries_.size();
    if (from < 0 || from >= n || to < 0 || to >= n)
        return false;
    if (from != to) {
        entries_.move(from, to);
        emit changed();
    }
    return true;
}

void SendListModel::stamp(const QStringList& names)
{
    for (const auto& [name, stamp] : Preflight::stamps(names, folder_))
        stamps_[name] = stamp;
}

void SendListModel::addMissing(const QString& path, const QString& characters)
{
    if (!characters.isEmpty())
        missing_[path] += characters;
}

std::optional<int> SendListModel::dataLength() const
{
    // Straight from the files: the image in the editor stays as it is.
    const Expected<std::vector<FileText>> files = SendJob::fileTexts(entries_, folder_);
    if (!files)
        return std::nullopt;
    const Expected<int> length = DataMessage::payloadLength(*files);
    if (!length)
        return std::nullopt;
    return *length;
}

PreflightInput SendListModel::preflightInput(const QString& openName, const ImageRecord* open, int boardWidth,
                                             int boardHeight) const
{
    PreflightInput input;
    input.files = Preflight::load(entries_, folder_);
    // The open image goes out as the editor holds it: Send saves it first.
    if (open)
        for (PreflightFile& file : input.files)
            if (file.name == openName)
                file.record = *open;
    input.boardWidth = boardWidth;
    input.boardHeight = boardHeight;
    for (const QString& name : entries_) {
        const auto missing = missing_.find(folder_ + name);
        if (missing != missing_.end())
            input.missingCharacters[name] = missing->second;
        const auto stamp = stamps_.find(name);
        if (stamp != stamps_.end())
            input.stamps[name] = stamp->second;
    }
    return input;
}

} // namespace vexel
