#pragma once

#include "document/FrameHeader.h"
#include "document/ImageRecord.h"
#include "document/LedRect.h"
#include "document/PixelArray.h"
#include "document/Result.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace vexel {

// The frame being edited: its index, where its rows start in the record,
// its window, and the properties its header held when it was shown.
struct CurrentFrame {
    int index = 0;      // Current_Frame
    int rowLinePos = 0; // record line of its first row line
    FrameRect rect{0, 0, 96, 24};
    int entryEffect = 0;
    int exitEffect = 0;
    int duration = 500;
    bool operator==(const CurrentFrame& o) const
    {
        return index == o.index && rowLinePos == o.rowLinePos && rect == o.rect && entryEffect == o.entryEffect &&
               exitEffect == o.exitEffect && duration == o.duration;
    }
    bool operator!=(const CurrentFrame& o) const { return !(*this == o); }
};

// What the frame panel's controls show: the two effect boxes (-1 while a box
// has no selection) and the duration field. Storing a frame and making a new
// one take the properties from here, not from the header.
struct FramePanel {
    int entry = 0;
    int exit = 0;
    int duration = 500;
    bool operator==(const FramePanel& o) const { return entry == o.entry && exit == o.exit && duration == o.duration; }
    bool operator!=(const FramePanel& o) const { return !(*this == o); }
};

// The image being edited: its record, the LEDs of the board, the current
// frame, where its file is and whether it holds changes that are not in the
// file. Knows nothing of pictures or windows.
class ImageDocument : public QObject {
    Q_OBJECT
public:
    explicit ImageDocument(QObject* parent = nullptr);

    // The record with every line made.
    const ImageRecord& record() const
    {
        makeRows();
        return record_;
    }
    // Pixel_Array: every LED of the board, the current frame's window and
    // what lies beside it. Edits write here. Storing the frame keeps its LEDs
    // as they are then; its row lines are made from those when the record is
    // read, not at every store.
    const PixelArray& bits() const { return bits_; }
    PixelArray& bits() { return bits_; }
    // The undo history rewrites lines in place; nothing else should.
    ImageRecord& editableRecord()
    {
        makeRows();
        return record_;
    }
    void setRecord(ImageRecord record);

    // The record as far as it is made: while rowsPending(), the stored
    // frame's row lines there are older than the stored LEDs.
    const ImageRecord& madeRecord() const { return record_; }
    bool rowsPending() const { return rowsPending_; }
    // The stored frame whose rows are still to be made: its first row line,
    // its window and its LEDs as they were stored.
    int pendingRowLine() const { return pendingHeader_ + 1; }
    const FrameRect& pendingWindow() const { return pendingWindow_; }
    const PixelArray& storedBits() const { return stored_; }
    // While rowsPending(), rows top..bottom of the stored frame are to be
    // made from the LEDs as they are now (an undo or redo that changed only
    // those). Like a change through editableRecord(), not announced.
    void storeRowsLater(int top, int bottom);
    // One line of record(), made alone if it is a pending row.
    std::string lineText(int index) const;
    // Changes whenever the record's text may have changed, made or not.
    std::uint64_t textRevision() const { return record_.revision(); }

    int frameCount() const { return frameCount_; }
    void setFrameCount(int count); // line 0 follows
    // The frame count as line 0 of the record says.
    void recount();

    const CurrentFrame& current() const { return current_; }
    void setCurrent(const CurrentFrame& frame);
    int currentFrame() const { return current_.index; }
    void setCurrentFrame(int index);
    const FrameRect& frameRect() const { return current_.rect; }
    void setFrameRect(const FrameRect& rect) { current_.rect = rect; }

    const FramePanel& panel() const { return panel_; }
    void setPanel(const FramePanel& panel) { panel_ = panel; }
    void setPanelEntry(int index) { panel_.entry = index; }
    void setPanelExit(int index) { panel_.exit = index; }
    void setPanelDuration(int ms) { panel_.duration = ms; }
    // What the panel shows for a frame's header values: an effect the box
    // lacks shows as no selection.
    static FramePanel panelFor(const CurrentFrame& frame);

    // The board in force. A smaller board cuts the frame window to it.
    void setBoardWidth(int width);
    void setBoardHeight(int height);
    int boardWidth() const { return boardWidth_; }
    int boardHeight() const { return boardHeight_; }

    // Where the image's file is: the data folder (ending with a separator)
    // and the file name; the path is the two run together.
    const QString& folder() const { return folder_; }
    const QString& fileName() const { return fileName_; }
    QString path() const { return folder_ + fileName_; }
    void setFolder(const QString& folder);
    void setFileName(const QString& name);
    int untitledNumber() const { return untitledNumber_; }
    void setUntitledNumber(int n) { untitledNumber_ = n; }

    bool modified() const { return modified_; }
    void setModified(bool on);

    // Reads and checks the file at path() and takes it as the record: the
    // frame count follows, the current frame is kept within it and the image
    // is unmodified. A refused file changes nothing.
    Status load();
    // The same with a record already read and checked.
    void adopt(ImageRecord record);

    // Makes frame current().index of the record the current frame: its
    // header's properties, its window (capped at the board) and its rows in
    // the bits. The panel follows the header.
    Status showFrame();
    // Writes the current frame back: header from the panel, rows from the
    // bits.
    Status storeFrame();
    // A one-frame image of the whole board, rows from the bits, properties
    // from the held effects and the panel's duration; unnamed as
    // "Untitled<n>" and unmodified.
    void makeNew();

    // Save's rule: a titled image, or an untitled one saved under its
    // proposed name (it ends in a dot and three characters), is written in
    // place; any other goes through Save As.
    bool savesInPlace() const;
    // Frames stored cut to the board since the image was loaded: their
    // stored window was wider or taller than the board. Until the cut is
    // accepted the record is not written, so the file keeps them whole.
    const std::vector<int>& cutFrames() const { return cutFrames_; }
    void acceptCut() { cutAccepted_ = true; }
    bool cutAccepted() const { return cutAccepted_; }
    // Frames whose windows reach beyond the board's right or bottom edge:
    // the board shows them cut.
    std::vector<int> framesBeyondBoard() const;
    // "frame 2", "frames 0 and 3", "frames 0, 1 and 4".
    static QString frameList(const std::vector<int>& frames);

    // Writes the record to path().
    Status write();
    // Writes the record to folder + name and only then takes that location.
    Status writeAs(const QString& folder, const QString& name);

    enum class AddFrame { Added, TooSmall, TooMany };
    // Appends a frame cut from `selection` with the panel's properties and
    // makes it current. A selection under 8 x 3 LEDs, or a 257th frame, is
    // refused and changes nothing.
    AddFrame addFrame(const LedRect& selection);
    // Removes a frame other than the first and makes the last frame current;
    // false (and nothing changed) for frame 0 or a frame the record lacks.
    bool removeFrame(int frame);
    // Replaces characters of the current frame's header from `position`
    // (0-based); false when there is no such header.
    bool rewriteHeader(int position, const std::string& digits);

signals:
    void recordChanged();
    void frameChanged();
    void modifiedChanged(bool modified);
    void locationChanged();
    // After every successful write of the record to its file.
    void written();

private:
    // The pending rows into the record.
    void makeRows() const;
    // Refused while frames are cut and the cut is not accepted.
    Status writable() const;
    void wroteWhole();

    mutable ImageRecord record_;
    PixelArray bits_;
    PixelArray stored_;
    mutable bool rowsPending_ = false;
    int pendingHeader_ = 0;
    FrameRect pendingWindow_;
    int frameCount_ = 0;
    CurrentFrame current_;
    FramePanel panel_;
    int boardWidth_ = 96;
    int boardHeight_ = 24;
    QString folder_;
    QString fileName_;
    int untitledNumber_ = 1;
    bool modified_ = false;
    std::vector<int> cutFrames_;
    bool cutAccepted_ = false;
};

} // namespace vexel
