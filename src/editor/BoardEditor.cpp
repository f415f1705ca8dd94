#include "editor/BoardEditor.h"

#include "document/HexConvert.h"
#include "settings/AppSettings.h"

#include <algorithm>

namespace vexel {

namespace {

// Steps whose changed LEDs are drawn again one by one; more make a full repaint.
constexpr std::size_t FewLeds = 512;
constexpr int DurationRun = 1;
constexpr Qt::KeyboardModifiers Keys = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

// Whether a line is one of those the record diff of a step holds.
bool keeps(const RecordDiff& kept, int line)
{
    return line >= kept.first && line < kept.first + static_cast<int>(kept.after.size());
}

} // namespace

class BoardEditor::Target : public LedTarget {
public:
    explicit Target(BoardEditor& editor) : e_(editor) {}

    int width() const override { return e_.settings_.boardWidth(); }
    int height() const override { return e_.settings_.boardHeight(); }
    bool lit(int x, int y) const override { return e_.canvas_.lit(x, y); }
    void setLit(int x, int y, bool on) override { e_.paint(x, y, on); }
    void setLeds(const std::vector<QPoint>& leds, bool on) override { e_.setLeds(leds, on); }
    void fillRect(const LedRect& r, bool on) override
    {
        // One solid block on each picture, then the grid over it again.
        e_.fillLeds(r, on);
        e_.document_.setModified(true);
        e_.canvas_.refreshGrid();
        e_.canvas_.readCursorColor();
    }
    FrameRect window() const override { return e_.document_.frameRect(); }
    void beginStep(const QString& name) override { e_.beginStep(name); }
    void endStep() override { e_.endStep(); }
    void commit() override { e_.storeFrame(); }
    LedRect selection() const override { return e_.selection_.rect(); }
    void startSelection(QPoint at) override { e_.selection_.start(at.x(), at.y(), width(), height()); }
    void completeSelection(QPoint at) override
    {
        e_.selection_.complete(at.x(), at.y(), width(), height());
        emit e_.selectionMade();
        e_.canvas_.refreshGrid();
    }
    void setSelection(const LedRect& rect) override
    {
        e_.selection_.set(rect);
        emit e_.selectionMade();
        e_.canvas_.refreshGrid();
    }
    void placeCursor(QPoint at) override { e_.canvas_.placeCursor(at.x(), at.y()); }

private:
    BoardEditor& e_;
};

BoardEditor::BoardEditor(AppSettings& settings, QObject* parent)
    : QObject(parent), settings_(settings), canvas_(settings, document_, selection_),
      target_(std::make_unique<Target>(*this))
{
    for (const ToolInfo& info : toolList())
        tools_.push_back(info.make());
    canvas_.setAfterGridRefresh([this] { emit gridRefreshed(); });
    connect(&document_, &ImageDocument::written, this, [this] {
        if (depth_ > 0)
            stepWrote_ = true;
        else
            history_.setClean();
    });
}

BoardEditor::~BoardEditor() = default;

void BoardEditor::fail(const Status& status)
{
    if (!status)
        emit error(status.error());
}

void BoardEditor::storeFrame()
{
    if (previewRunning_)
        return;
    const Status stored = document_.storeFrame();
    if (!stored) {
        fail(stored);
        return;
    }
    emit frameListChanged();
}

void BoardEditor::loadFrame()
{
    const CurrentFrame before = document_.current();
    const FramePanel panelBefore = document_.panel();
    const Status shown = document_.showFrame();
    // A header that could not be read leaves the panel as it was.
    if (document_.current() != before || document_.panel() != panelBefore || shown)
        emit panelShown();
    if (!shown) {
        fail(shown);
        return;
    }
    canvas_.fillWindow();
    canvas_.frameBorder();
    canvas_.placeCursor(document_.frameRect().x, document_.frameRect().y);
}

Status BoardEditor::loadFile()
{
    const Status loaded = document_.load();
    if (loaded)
        showLoaded();
    return loaded;
}

void BoardEditor::adoptFile(ImageRecord record, bool inPassing)
{
    document_.adopt(std::move(record));
    showLoaded(inPassing);
}

void BoardEditor::showLoaded(bool inPassing)
{
    for (int r = 0; r < settings_.boardHeight(); ++r)
        document_.bits().clearBytes(r, 0, settings_.boardWidth() / 8);
    emit frameListChanged();
    loadFrame();
    // The LEDs beside the window were cleared with the bit array: their
    // picture must not go on showing the last image's.
    canvas_.repaintView();
    canvas_.fillWindow();
    // A reload inside a step (removing a frame) is part of that step.
    if (inPassing || depth_ > 0)
        return;
    // The record now matches its file. Edits of the same record stay
    // undoable; another record starts the history afresh.
    syncShadow();
    history_.setClean();
}

void BoardEditor::newImage()
{
    // An unlit board, whatever the colours (also while the preview plays).
    document_.bits().fillBoard(settings_.boardWidth(), settings_.boardHeight(), false);
    canvas_.fillBoard(false);
    canvas_.refreshGrid();
    document_.makeNew();
    canvas_.resetCursor();
    emit frameListChanged();
    clearHistory();
}

LedTarget& BoardEditor::target() { return *target_; }

void BoardEditor::setTool(Tool tool)
{
    activeTool().cancel();
    showPreview();
    toolGesture_ = false;
    tool_ = tool;
}

void BoardEditor::setDrawUnlit(bool on)
{
    drawUnlit_ = on;
    for (const std::unique_ptr<LedTool>& tool : tools_)
        tool->setUnlit(on);
}

bool BoardEditor::toolKey(int key)
{
    if (previewRunning_)
        return false;
    const bool taken = activeTool().key(*target_, key);
    showPreview();
    return taken;
}

void BoardEditor::showPreview()
{
    const std::vector<PreviewLed>& preview = activeTool().preview();
    if (shownPreview_.empty() && preview.empty())
        return;
    for (const QPoint& led : shownPreview_)
        canvas_.showLed(led.x(), led.y(), canvas_.lit(led.x(), led.y()));
    shownPreview_.clear();
    for (const PreviewLed& p : preview) {
        canvas_.showLed(p.led.x(), p.led.y(), p.lit);
        shownPreview_.push_back(p.led);
    }
}

bool BoardEditor::press(const GestureInput& input)
{
    const bool editable = !previewRunning_;
    if (editable) {
        if (depth_ > 0) // a gesture whose release never came
            endStep();
        beginStep(QStringLiteral("edit"));
    }
    if (editable && input.button == Qt::LeftButton && !(input.modifiers & Keys)) {
        gestures_.forgetRightClick();
        toolGesture_ = true;
        activeTool().press(*target_, input.led);
        showPreview();
        return false;
    }
    bool menu = false;
    run(gestures_.press(input, document_.frameRect(), editable), &menu);
    return menu;
}

void BoardEditor::move(const GestureInput& input)
{
    if (toolGesture_ && !previewRunning_ && (input.buttons & Qt::LeftButton) && !(input.modifiers & Keys)) {
        activeTool().move(*target_, input.led);
        showPreview();
        return;
    }
    bool menu = false;
    run(gestures_.move(input, document_.frameRect(), !previewRunning_), &menu);
}

bool BoardEditor::release(const GestureInput& input)
{
    if (toolGesture_ && input.button == Qt::LeftButton) {
        toolGesture_ = false;
        if (previewRunning_)
            activeTool().cancel();
        else
            activeTool().release(*target_, input.led);
        showPreview();
        if (depth_ > 0)
            endStep();
        return false;
    }
    bool menu = false;
    run(gestures_.release(input, document_.frameRect(), !previewRunning_), &menu);
    if (depth_ > 0)
        endStep();
    return menu;
}

void BoardEditor::paint(int column, int row, bool lit)
{
    document_.bits().setLit(column, row, lit);
    canvas_.paintLed(column, row, lit);
    if (!document_.modified()) // a drag paints LED after LED
        document_.setModified(true);
    if (canvas_.cursorPos() == QPoint(column, row))
        canvas_.setCursorColor(canvas_.colorOf(lit));
}

void BoardEditor::setLeds(const std::vector<QPoint>& leds, bool lit)
{
    if (leds.empty())
        return;
    LedRect bounds{leds.front().x(), leds.front().y(), leds.front().x(), leds.front().y()};
    for (const QPoint& p : leds) {
        document_.bits().setLit(p.x(), p.y(), lit);
        bounds = LedRect{std::min(bounds.x0, p.x()), std::min(bounds.y0, p.y()), std::max(bounds.x1, p.x()),
                         std::max(bounds.y1, p.y())};
    }
    if (leds.size() > FewLeds)
        canvas_.drawRegion(bounds);
    else
        canvas_.drawLeds(leds);
    document_.setModified(true);
    canvas_.readCursorColor();
}

void BoardEditor::run(const std::vector<GestureStep>& steps, bool* openMenu)
{
    const int w = settings_.boardWidth();
    const int h = settings_.boardHeight();
    for (const GestureStep& step : steps) {
        const Color color = step.lit ? settings_.ledColor() : settings_.backColor();
        switch (step.kind) {
        case GestureStep::Kind::SelectionStart:
            selection_.start(step.led.x(), step.led.y(), w, h);
            break;
        case GestureStep::Kind::ChooseColor:
            canvas_.view().setFillColor(color);
            canvas_.board().setFillColor(color);
            break;
        case GestureStep::Kind::Paint:
            // Named by its first LED; the size spares the later ones a comparison.
            if (stepName_.size() == 4 && stepName_ == QStringLiteral("edit"))
                stepName_ = step.lit ? QStringLiteral("paint") : QStringLiteral("erase");
            paint(step.led.x(), step.led.y(), step.lit);
            break;
        case GestureStep::Kind::FillRect:
            stepName_ = QStringLiteral("fill rectangle");
            fillLeds(step.rect, step.lit);
            document_.setModified(true);
            canvas_.refreshGrid();
            canvas_.readCursorColor();
            break;
        case GestureStep::Kind::Select:
            selection_.complete(step.led.x(), step.led.y(), w, h);
            emit selectionMade();
            canvas_.refreshGrid();
            break;
        case GestureStep::Kind::PlaceCursor:
            canvas_.placeCursor(step.led.x(), step.led.y());
            break;
        case GestureStep::Kind::Store:
            storeFrame();
            break;
        case GestureStep::Kind::OpenMenu:
            *openMenu = true;
            break;
        }
    }
}

void BoardEditor::fillLeds(const LedRect& r, bool lit)
{
    for (int y = r.y0; y <= r.y1; ++y)
        for (int x = r.x0; x <= r.x1; ++x)
            document_.bits().setLit(x, y, lit);
    canvas_.fillLeds(r.x0, r.y0, r.x1, r.y1, lit);
}

bool BoardEditor::copy()
{
    return clipboard_.copy(document_.bits(), selection_.rect(), settings_.boardWidth(), settings_.boardHeight(),
                           settings_.ledColor(), settings_.backColor());
}

bool BoardEditor::paste()
{
    if (!clipboard_.filled())
        return false;
    beginStep(QStringLiteral("paste"));
    const int w = settings_.boardWidth();
    const int h = settings_.boardHeight();
    const LedRect sel = selection_.onBoard(w, h);
    const QPoint cursor = canvas_.cursorPos();
    // The view keeps the last pasted colour as its fill colour, as a
    // rectangle fill made with Ctrl alone then uses it; the board image
    // keeps its own.
    const Color boardFill = canvas_.board().fillColor();
    for (int x = sel.x0; x < sel.x1; ++x) {
        for (int y = sel.y0; y < sel.y1; ++y) {
            const int tx = cursor.x() + x - sel.x0;
            const int ty = cursor.y() + y - sel.y0;
            if (tx >= w || ty >= h)
                continue;
            const bool lit = clipboard_.lit(x, y);
            document_.bits().setLit(tx, ty, lit);
            canvas_.paintLed(tx, ty, lit);
        }
    }
    canvas_.board().setFillColor(boardFill);
    canvas_.readCursorColor();
    canvas_.refreshGrid();
    document_.setModified(true);
    storeFrame();
    endStep();
    return true;
}

void BoardEditor::fillBoard(bool lit)
{
    beginStep(lit ? QStringLiteral("fill") : QStringLiteral("clear"));
    document_.bits().fillBoard(settings_.boardWidth(), settings_.boardHeight(), lit);
    canvas_.fillBoard(lit);
    canvas_.refreshGrid();
    storeFrame();
    document_.setModified(true);
    canvas_.setCursorColor(canvas_.colorOf(lit));
    endStep();
}

bool BoardEditor::removeFrame(int frame)
{
    beginStep(QStringLiteral("remove frame"));
    if (!document_.removeFrame(frame)) {
        endStep();
        return false;
    }
    const Status written = document_.write();
    if (!written) {
        fail(written);
        // The file still holds the frame: show what the record now holds and
        // keep the image marked as unsaved.
        document_.setModified(true);
        loadFrame();
        emit frameListChanged();
        endStep();
        return true;
    }
    const Status loaded = loadFile();
    fail(loaded);
    emit frameListChanged();
    endStep();
    return true;
}

void BoardEditor::rewriteHeader(int position, const std::string& digits, int mergeKey)
{
    stepMergeKey_ = mergeKey;
    if (document_.rewriteHeader(position, digits))
        fail(document_.write());
    endStep();
}

void BoardEditor::setEffect(bool entry, int index)
{
    if (!settings_.startupDone() || index < 0)
        return;
    beginStep(entry ? QStringLiteral("entry effect") : QStringLiteral("exit effect"));
    CurrentFrame frame = document_.current();
    (entry ? frame.entryEffect : frame.exitEffect) = index;
    document_.setCurrent(frame);
    if (entry)
        document_.setPanelEntry(index);
    else
        document_.setPanelExit(index);
    // Positions 3 and 4 of the header, one hex digit each.
    rewriteHeader(entry ? 2 : 3, toHex(static_cast<unsigned>(index), 1));
}

void BoardEditor::setDuration(int ms)
{
    if (!settings_.startupDone())
        return;
    beginStep(QStringLiteral("duration"));
    CurrentFrame frame = document_.current();
    frame.duration = std::clamp(ms, 0, FrameHeader::MaxField);
    document_.setCurrent(frame);
    document_.setPanelDuration(ms);
    rewriteHeader(4, toHex(static_cast<unsigned>(frame.duration), 4), DurationRun);
}

void BoardEditor::moveCursor(int dx, int dy)
{
    const FrameRect& f = document_.frameRect();
    if (f.w <= 0 || f.h <= 0)
        return;
    const QPoint at = canvas_.cursorPos();
    const int column = std::clamp(at.x() + dx, f.x, f.right() - 1);
    const int row = std::clamp(at.y() + dy, f.y, f.bottom() - 1);
    canvas_.placeCursor(column, row);
}

void BoardEditor::toggleCursorLed()
{
    if (previewRunning_)
        return;
    moveCursor(0, 0); // a cursor left outside a changed window comes back into it
    const QPoint at = canvas_.cursorPos();
    if (!document_.frameRect().contains(at.x(), at.y()))
        return;
    const bool lit = canvas_.lit(at.x(), at.y());
    beginStep(lit ? QStringLiteral("erase") : QStringLiteral("paint"));
    paint(at.x(), at.y(), !lit);
    storeFrame();
    endStep();
}

void BoardEditor::placeLeds(const LedBitmap& leds, int x, int y, bool clearFirst, const QString& name)
{
    if (previewRunning_)
        return;
    beginStep(name);
    const FrameRect& f = document_.frameRect();
    std::vector<QPoint> changed;
    for (int r = 0; r < leds.height(); ++r) {
        for (int c = 0; c < leds.width(); ++c) {
            const int column = x + c;
            const int row = y + r;
            if (!f.contains(column, row))
                continue;
            const bool lit = leds.lit(c, r);
            if (!lit && !clearFirst)
                continue;
            if (canvas_.lit(column, row) == lit)
                continue;
            document_.bits().setLit(column, row, lit);
            changed.push_back(QPoint(column, row));
        }
    }
    if (!changed.empty()) {
        canvas_.drawLeds(changed);
        document_.setModified(true);
        canvas_.readCursorColor();
        storeFrame();
    }
    endStep();
}

int BoardEditor::appendFrames(const FrameRect& target, const std::vector<LedBitmap>& frames,
                              const std::vector<int>& durations, const QString& name)
{
    if (previewRunning_ || frames.empty())
        return 0;
    beginStep(name);
    const int first = document_.frameCount();
    int added = 0;
    for (std::size_t i = 0; i < frames.size() && first + added < ImageRecord::MaxFrames; ++i) {
        PixelArray bits;
        for (int r = 0; r < frames[i].height(); ++r)
            for (int c = 0; c < frames[i].width(); ++c)
                if (frames[i].lit(c, r))
                    bits.setLit(target.x + c, target.y + r, true);
        FrameHeader header;
        header.index = first + added;
        header.duration = std::clamp(i < durations.size() ? durations[i] : 0, 0, FrameHeader::MaxField);
        header.rect = target;
        document_.editableRecord().appendFrame(header, bits);
        ++added;
    }
    document_.setFrameCount(first + added);
    document_.setCurrentFrame(first);
    loadFrame();
    document_.setModified(true);
    emit frameListChanged();
    endStep();
    return added;
}

void BoardEditor::syncShadow()
{
    // Every store draws a new revision: the same one means the same stored
    // LEDs as the shadow's.
    if (shadowRowsFromBits_ && document_.rowsPending() && document_.pendingRowLine() == shadowRowLine_ &&
        document_.pendingWindow() == shadowWindow_ && document_.madeRecord().revision() == shadowRevision_)
        return;
    settleShadow();
    const ImageRecord& record = document_.record();
    if (record.revision() == shadowRevision_)
        return;
    // The record changed outside a step (a reload, a new board size): the
    // steps would no longer fit it unless it is the same text.
    if (!(record == shadow_)) {
        history_.clear();
        shadow_ = record;
        shadowRevision_ = record.revision();
        rebaseOpenStep();
        return;
    }
    shadowRevision_ = record.revision();
}

void BoardEditor::settleShadow()
{
    if (!shadowRowsFromBits_)
        return;
    shadowRowsFromBits_ = false;
    shadow_.storeRows(shadowRowLine_ - 1, shadowWindow_, shadowBits_);
}

void BoardEditor::clearHistory()
{
    history_.clear();
    shadowRowsFromBits_ = false;
    shadow_ = document_.record();
    shadowRevision_ = shadow_.revision();
    rebaseOpenStep();
}

void BoardEditor::rebaseOpenStep()
{
    // A step still open when the image was replaced (a New or a load reached
    // from a prompt's event loop) starts again from the new image: its frame
    // and LEDs from before belong to an image the history no longer has.
    if (depth_ == 0)
        return;
    stepWrote_ = false;
    frameBefore_ = document_.current();
    snapshot_ = document_.bits();
}

void BoardEditor::beginStep(const QString& name)
{
    if (depth_++ > 0) {
        // A tool names the step its press opened.
        if (stepName_ == QStringLiteral("edit"))
            stepName_ = name;
        return;
    }
    syncShadow();
    stepName_ = name;
    stepMergeKey_ = 0;
    stepWrote_ = false;
    frameBefore_ = document_.current();
    snapshot_ = document_.bits();
}

void BoardEditor::endStep()
{
    if (depth_ == 0 || --depth_ > 0)
        return;
    EditStep step;
    step.name = stepName_;
    step.mergeKey = stepMergeKey_;
    step.writesFile = stepWrote_;
    step.frameBefore = frameBefore_;
    step.frameAfter = document_.current();
    const bool asLeds = keepAsLeds(step);
    if (!asLeds) {
        settleShadow();
        step.record = RecordDiff::between(shadow_, document_.record());
    }
    const PixelArray& now = document_.bits();
    for (int r = 0; r < PixelArray::Rows; ++r) {
        const std::uint8_t* is = now.rowData(r);
        const std::uint8_t* was = snapshot_.rowData(r);
        for (int k = 0; k < PixelArray::RowBytes; ++k) {
            const unsigned flipped = static_cast<unsigned>(is[k] ^ was[k]);
            if (flipped == 0)
                continue;
            for (int b = 0; b < 8; ++b)
                if (flipped & (0x80u >> b))
                    step.leds.changes.push_back({r * PixelArray::Columns + k * 8 + b, ((is[k] << b) & 0x80) != 0});
        }
    }
    if (step.record.empty() && step.leds.empty() && step.frameBefore == step.frameAfter) {
        if (stepWrote_)
            history_.setClean();
        return;
    }
    if (!asLeds) {
        step.record.apply(shadow_, true);
        step.rows = takeRowsFromLeds(step.record);
        shadowRevision_ = document_.record().revision();
    }
    const bool wrote = step.writesFile;
    history_.push(std::move(step));
    if (wrote)
        history_.setClean();
    else
        document_.setModified(true); // a store may change the record and no LED
}

bool BoardEditor::keepAsLeds(EditStep& step)
{
    const CurrentFrame& now = document_.current();
    const FrameRect& w = now.rect;
    const int rowLine = now.rowLinePos;
    if (!document_.rowsPending() || now.index != frameBefore_.index || w != frameBefore_.rect ||
        rowLine != frameBefore_.rowLinePos || document_.pendingRowLine() != rowLine || document_.pendingWindow() != w)
        return false;
    const PixelArray& bits = document_.bits();
    const int top = w.y;
    const int bottom = w.bottom() - 1;
    // The rows to be made are the LEDs as they are now...
    if (!document_.storedBits().sameBytes(bits, top, bottom, w.firstByte(), w.lastByte()))
        return false;
    // ...and the shadow's are what the LEDs made before the step.
    if (shadowRowsFromBits_) {
        if (shadowRowLine_ != rowLine || shadowWindow_ != w ||
            !shadowBits_.sameBytes(snapshot_, top, bottom, w.firstByte(), w.lastByte()))
            return false;
    } else {
        for (int r = top; r <= bottom; ++r)
            if (!snapshot_.rowMatches(r, w.firstByte(), w.lastByte(), shadow_.line(rowLine + r - top)))
                return false;
    }
    // No other line changed.
    const ImageRecord& made = document_.madeRecord();
    if (made.lineCount() != shadow_.lineCount())
        return false;
    for (int line = 0; line < made.lineCount(); ++line)
        if ((line < rowLine || line > rowLine + bottom - top) && made.line(line) != shadow_.line(line))
            return false;

    int first = -1;
    int last = -1;
    for (int r = top; r <= bottom; ++r) {
        if (bits.sameBytes(snapshot_, r, r, w.firstByte(), w.lastByte()))
            continue;
        if (first < 0)
            first = r;
        last = r;
    }
    if (first >= 0)
        step.rows = RowsFromLeds{rowLine + first - top, last - first + 1, rowLine, w};
    shadowRowsFromBits_ = true;
    shadowRowLine_ = rowLine;
    shadowWindow_ = w;
    shadowBits_ = bits;
    shadowRevision_ = made.revision();
    return true;
}

RowsFromLeds BoardEditor::takeRowsFromLeds(RecordDiff& diff) const
{
    const CurrentFrame& now = document_.current();
    const std::size_t n = diff.before.size();
    if (n == 0 || diff.after.size() != n || now.index != frameBefore_.index || now.rect != frameBefore_.rect ||
        now.rowLinePos != frameBefore_.rowLinePos)
        return RowsFromLeds{};
    RowsFromLeds rows{diff.first, static_cast<int>(n), now.rowLinePos, now.rect};
    const FrameRect& w = now.rect;
    const PixelArray& bits = document_.bits();
    const auto follows = [&](std::size_t i) {
        const int row = rows.rowOf(diff.first + static_cast<int>(i));
        return row >= w.y && row < w.bottom() &&
               snapshot_.rowMatches(row, w.firstByte(), w.lastByte(), diff.before[i]) &&
               bits.rowMatches(row, w.firstByte(), w.lastByte(), diff.after[i]);
    };
    std::size_t back = n;
    while (back > 0 && follows(back - 1))
        --back;
    std::size_t front = 0;
    while (front < back && follows(front))
        ++front;
    if (front == 0 && back == n)
        return RowsFromLeds{};
    for (std::vector<std::string>* lines : {&diff.before, &diff.after}) {
        lines->erase(lines->begin() + static_cast<std::ptrdiff_t>(back), lines->end());
        lines->erase(lines->begin(), lines->begin() + static_cast<std::ptrdiff_t>(front));
    }
    diff.first += static_cast<int>(front);
    return rows;
}

void BoardEditor::readRows(const RowsFromLeds& rows, const RecordDiff& kept)
{
    const FrameRect& w = rows.window;
    PixelArray& bits = document_.bits();
    for (int line = rows.first; line < rows.first + rows.count; ++line) {
        const int row = rows.rowOf(line);
        const std::string& text = document_.record().line(line);
        if (keeps(kept, line) || bits.rowMatches(row, w.firstByte(), w.lastByte(), text))
            continue;
        bits.clearBytes(row, w.firstByte(), w.lastByte());
        if (!text.empty())
            (void)bits.storeRowLine(row, w.firstByte(), text);
    }
}

void BoardEditor::makeRows(const RowsFromLeds& rows, const RecordDiff& kept)
{
    const FrameRect& w = rows.window;
    for (int line = rows.first; line < rows.first + rows.count; ++line) {
        if (keeps(kept, line))
            continue;
        std::string text = document_.bits().rowLine(rows.rowOf(line), w.firstByte(), w.lastByte());
        shadow_.setLine(line, text);
        document_.editableRecord().setLine(line, std::move(text));
    }
}

bool BoardEditor::undo()
{
    if (previewRunning_ || depth_ > 0)
        return false;
    syncShadow();
    const EditStep* step = history_.stepBack();
    if (!step)
        return false;
    apply(*step, false);
    return true;
}

bool BoardEditor::redo()
{
    if (previewRunning_ || depth_ > 0)
        return false;
    syncShadow();
    const EditStep* step = history_.stepOn();
    if (!step)
        return false;
    apply(*step, true);
    return true;
}

bool BoardEditor::rowsStayPending(const EditStep& step, const CurrentFrame& from, const CurrentFrame& to) const
{
    if (!shadowRowsFromBits_ || !document_.rowsPending() || !step.record.empty())
        return false;
    const FrameRect& w = document_.pendingWindow();
    const int rowLine = document_.pendingRowLine();
    const auto stays = [&](const CurrentFrame& f) {
        return f.index == document_.current().index && f.rect == w && f.rowLinePos == rowLine;
    };
    if (!stays(document_.current()) || !stays(from) || !stays(to) || shadowRowLine_ != rowLine ||
        shadowWindow_ != w)
        return false;
    return step.rows.empty() || (step.rows.window == w && step.rows.rowLinePos == rowLine);
}

void BoardEditor::apply(const EditStep& step, bool forward)
{
    const CurrentFrame& from = forward ? step.frameBefore : step.frameAfter;
    const CurrentFrame& to = forward ? step.frameAfter : step.frameBefore;
    // Undo and redo of strokes make no line until something reads them.
    const bool pending = rowsStayPending(step, from, to);
    if (!pending)
        settleShadow();

    // The pictures first show the frame the step starts from.
    if (document_.current().index != from.index || document_.current().rect != from.rect) {
        document_.setCurrent(from);
        loadFrame();
    }
    const std::vector<QPoint> leds = applyChanges(step, forward, pending);
    showStepEnd(from, to, leds);

    if (step.writesFile) {
        const Status written = document_.write();
        fail(written);
        if (written)
            history_.setClean();
    }
    document_.setModified(!history_.isClean());
}

std::vector<QPoint> BoardEditor::applyChanges(const EditStep& step, bool forward, bool pending)
{
    const int top = step.rows.rowOf(step.rows.first);
    const int bottom = step.rows.rowOf(step.rows.first + step.rows.count - 1);
    const FrameRect& w = step.rows.window;
    if (pending && !step.rows.empty()) // the rows' lines are what the stored LEDs make
        document_.bits().copyBytes(document_.storedBits(), top, bottom, w.firstByte(), w.lastByte());
    else if (!pending)
        readRows(step.rows, step.record);
    std::vector<QPoint> leds;
    leds.reserve(step.leds.changes.size());
    for (const LedDiff::Change& c : step.leds.changes) {
        const int x = c.index % PixelArray::Columns;
        const int y = c.index / PixelArray::Columns;
        document_.bits().setLit(x, y, forward ? c.after : !c.after);
        leds.push_back(QPoint(x, y));
    }

    if (pending && !step.rows.empty()) {
        document_.storeRowsLater(top, bottom);
        shadowBits_.copyBytes(document_.bits(), top, bottom, w.firstByte(), w.lastByte());
        shadowRevision_ = document_.madeRecord().revision();
    } else if (!pending) {
        step.record.apply(document_.editableRecord(), forward);
        step.record.apply(shadow_, forward);
        makeRows(step.rows, step.record);
        shadowRevision_ = document_.record().revision();
    }
    document_.recount();
    return leds;
}

void BoardEditor::showStepEnd(const CurrentFrame& from, const CurrentFrame& to, const std::vector<QPoint>& leds)
{
    const bool frameMoved = to.index != from.index || to.rect != from.rect;
    document_.setCurrent(to);
    // The panel shows the frame's header, as when the frame is loaded.
    document_.setPanel(ImageDocument::panelFor(to));
    if (frameMoved) {
        loadFrame();
        canvas_.refreshGrid();
    }
    // LEDs beside the frame window (Paste, Clear, Fill) are drawn too.
    if (leds.size() > FewLeds)
        canvas_.repaintView();
    else
        canvas_.drawLeds(leds);
    canvas_.readCursorColor();
    emit panelShown();
    emit frameListChanged();
}

} // namespace vexel
