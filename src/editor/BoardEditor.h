#pragma once

#include "document/ImageDocument.h"
#include "document/LedBitmap.h"
#include "editor/BoardCanvas.h"
#include "editor/Clipboard.h"
#include "editor/EditHistory.h"
#include "editor/Gestures.h"
#include "editor/Selection.h"
#include "editor/tools/ToolList.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

namespace vexel {

class AppSettings;

// The editor below the windows: the image document, the pictures of the
// board, the selection, the clipboard, the gestures and tools, and the undo
// history, with the operations the windows' handlers call. Every change to
// the image is one step of the history. Shows no boxes: failures come out
// of `error`, and the windows decide what to show.
class BoardEditor : public QObject {
    Q_OBJECT
public:
    explicit BoardEditor(AppSettings& settings, QObject* parent = nullptr);
    ~BoardEditor() override;

    AppSettings& settings() { return settings_; }
    ImageDocument& document() { return document_; }
    const ImageDocument& document() const { return document_; }
    BoardCanvas& canvas() { return canvas_; }
    const BoardCanvas& canvas() const { return canvas_; }
    Selection& selection() { return selection_; }
    const Selection& selection() const { return selection_; }
    Clipboard& clipboard() { return clipboard_; }
    Gestures& gestures() { return gestures_; }
    EditHistory& history() { return history_; }
    const EditHistory& history() const { return history_; }

    // While the preview plays, the bit array and the record stay as they
    // are and the mouse edits nothing.
    void setPreviewRunning(bool on) { previewRunning_ = on; }
    bool previewRunning() const { return previewRunning_; }

    // The document's bit array is where the LEDs live: every edit writes it
    // and draws the pictures from it, and nothing is read back from the
    // pictures, so Update_Array has nothing left to do.
    void updateArray() {}
    // The frame into the record (nothing while the preview plays).
    void storeFrame();
    // Shows the current frame of the record: panel, window, bits, pictures,
    // border and cursor.
    void loadFrame();
    // The loaded image shown from its current frame on; `load` reads it from
    // the document's path, `adopt` takes one read and checked already. A
    // record shown `inPassing` (the send job shows each file it sends)
    // leaves the history to the image that is opened again afterwards.
    Status loadFile();
    void adoptFile(ImageRecord record, bool inPassing = false);
    void newImage();

    // Mouse gestures on the LED grid; true when the context menu should open.
    // A left-button gesture without modifier keys belongs to the active
    // tool; the modifier gestures and the right button keep their meaning
    // whatever tool is active.
    bool press(const GestureInput& input);
    void move(const GestureInput& input);
    bool release(const GestureInput& input);

    Tool tool() const { return tool_; }
    // Another tool drops the gesture the last one had under way.
    void setTool(Tool tool);
    LedTool& activeTool() { return *tools_[static_cast<std::size_t>(tool_)]; }
    // The drawing tools draw the other state while this is on.
    bool drawUnlit() const { return drawUnlit_; }
    void setDrawUnlit(bool on);
    // A key on the grid for the active tool; false when it did not take it.
    bool toolKey(int key);
    // The board's current frame as the tools see it.
    LedTarget& target();

    // False when there is no selection yet in this run.
    bool copy();
    // False when nothing was copied yet.
    bool paste();
    // Clear (unlit) and Fill (lit): the whole board.
    void fillBoard(bool lit);

    // The frame panel's commands; each writes the file at once.
    bool removeFrame(int frame);
    void setEntryEffect(int index) { setEffect(true, index); }
    void setExitEffect(int index) { setEffect(false, index); }
    void setDuration(int ms);
    // A run of duration entries is one step until the field is left.
    void endDurationRun() { history_.closeRun(); }

    // The keyboard on the LED grid: the cursor moves within the frame
    // window; Space switches its LED on or off.
    void moveCursor(int dx, int dy);
    void toggleCursorLed();

    // Writes `leds` into the frame window at (x, y) of the board as lit LEDs,
    // other LEDs of the rectangle keeping their state unless `clearFirst`;
    // one step named `name`.
    void placeLeds(const LedBitmap& leds, int x, int y, bool clearFirst, const QString& name);

    // Appends one frame per bitmap, each with the window `target` and its
    // duration, as one step named `name`, and shows the first of them. Stops
    // at the image's 256 frames; returns how many were added.
    int appendFrames(const FrameRect& target, const std::vector<LedBitmap>& frames,
                     const std::vector<int>& durations, const QString& name);

    // Steps of the history. Nested begins belong to the outermost one; a
    // step that changed nothing is not kept.
    void beginStep(const QString& name);
    void endStep();
    bool undo();
    bool redo();
    // New, Load and the like start the history afresh.
    void clearHistory();

signals:
    // The frame list must be rebuilt (it selects the current frame).
    void frameListChanged();
    // The frame panel's controls must show the panel values.
    void panelShown();
    // A selection was completed.
    void selectionMade();
    // The grid was refreshed; the settings file is written then.
    void gridRefreshed();
    void error(const QString& message);

private:
    void showLoaded(bool inPassing = false);
    void setEffect(bool entry, int index);
    void run(const std::vector<GestureStep>& steps, bool* openMenu);
    void paint(int column, int row, bool lit);
    void setLeds(const std::vector<QPoint>& leds, bool lit);
    // LEDs of an inclusive rectangle set, and drawn as one block.
    void fillLeds(const LedRect& inclusive, bool lit);
    // The active tool's preview on the view in place of the last one shown.
    void showPreview();
    // Ends the open step after rewriting the current header and the file.
    void rewriteHeader(int position, const std::string& digits, int mergeKey = 0);
    void syncShadow();
    // The shadow's rows that stand for LEDs made into its text.
    void settleShadow();
    void rebaseOpenStep();
    // A step that changed only the stored frame's LEDs, their rows still to
    // be made: kept as its LEDs without reading or making any line. False,
    // and nothing changed, for any other step.
    bool keepAsLeds(EditStep& step);
    void apply(const EditStep& step, bool forward);
    // The step's LED, row and line changes, in the document and the shadow;
    // returns the LEDs it set. `pending` as rowsStayPending says.
    std::vector<QPoint> applyChanges(const EditStep& step, bool forward, bool pending);
    // After a step: the frame it ends on shown, the changed LEDs drawn.
    void showStepEnd(const CurrentFrame& from, const CurrentFrame& to, const std::vector<QPoint>& leds);
    // Whether applying the step can leave the stored frame's rows to be made
    // from the LEDs, as they were before it: it changes no line and no frame,
    // and the rows are still to be made in the record and the shadow alike.
    bool rowsStayPending(const EditStep& step, const CurrentFrame& from, const CurrentFrame& to) const;
    // Takes out of `diff` the current frame's row lines at either end that
    // are just what the frame is stored as from the LEDs before and after
    // the step, and says which lines those are.
    RowsFromLeds takeRowsFromLeds(RecordDiff& diff) const;
    // The LEDs of a step's rows as its lines say, where they differ, so that
    // its LED changes land on the state it was recorded on.
    void readRows(const RowsFromLeds& rows, const RecordDiff& kept);
    // A step's rows made from the LEDs, in the record and the shadow.
    void makeRows(const RowsFromLeds& rows, const RecordDiff& kept);
    void fail(const Status& status);

    AppSettings& settings_;
    ImageDocument document_;
    Selection selection_;
    Clipboard clipboard_;
    BoardCanvas canvas_;
    Gestures gestures_;
    EditHistory history_;
    bool previewRunning_ = false;

    class Target;
    std::unique_ptr<Target> target_;
    std::vector<std::unique_ptr<LedTool>> tools_;
    Tool tool_ = Tool::Cursor;
    bool drawUnlit_ = false;
    bool toolGesture_ = false; // a tool's press whose release has not come
    std::vector<QPoint> shownPreview_;

    // The step being recorded.
    int depth_ = 0;
    QString stepName_;
    int stepMergeKey_ = 0;
    bool stepWrote_ = false;
    PixelArray snapshot_; // the LEDs when the step began
    CurrentFrame frameBefore_;
    // The record as the history last saw it.
    ImageRecord shadow_;
    std::uint64_t shadowRevision_ = 0;
    // While on, the shadow's row lines of the window shadowWindow_ from line
    // shadowRowLine_ on are not its text but what shadowBits_ makes.
    bool shadowRowsFromBits_ = false;
    int shadowRowLine_ = 0;
    FrameRect shadowWindow_;
    PixelArray shadowBits_;
};

} // namespace vexel
