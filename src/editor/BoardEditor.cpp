#include "editor/BoardEditor.h"

#include "document/HexConvert.h"
#include "settings/AppSettings.h"

#include <algorithm>

namespace vexel {

namespace {

// Steps whose changed LEDs are drawn again one by one; more make a full repaint.
constexpr std::size_t FewLeds = 512;
constexpr int DurationRun = 1;

} // namespace

BoardEditor::BoardEditor(AppSettings& settings, QObject* parent)
    : QObject(parent), settings_(settings), canvas_(settings, document_, selection_)
{
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
        emit error(QString::fromStdString(status.error()));
}

void BoardEditor::updateArray()
{
    if (!previewRunning_)
        canvas_.rebuildArray();
}

void BoardEditor::storeFrame()
{
    if (previewRunning_)
        return;
    const Status stored = document_.storeFrame(canvas_.bits());
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
    const Status shown = document_.showFrame(canvas_.bits());
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
        canvas_.bits().clearBytes(r, 0, settings_.boardWidth() / 8);
    emit frameListChanged();
    loadFrame();
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
    canvas_.fillBoard(settings_.backColor());
    canvas_.refreshGrid();
    canvas_.rebuildArray(); // also while the preview plays
    document_.makeNew(canvas_.bits());
    canvas_.resetCursor();
    emit frameListChanged();
    clearHistory();
}

bool BoardEditor::press(const GestureInput& input)
{
    const bool editable = !previewRunning_;
    if (editable) {
        if (depth_ > 0) // a gesture whose release never came
            endStep();
        beginStep(QStringLiteral("edit"));
    }
    bool menu = false;
    run(gestures_.press(input, document_.frameRect(), editable), &menu);
    return menu;
}

void BoardEditor::move(const GestureInput& input)
{
    bool menu = false;
    run(gestures_.move(input, document_.frameRect(), !previewRunning_), &menu);
}

bool BoardEditor::release(const GestureInput& input)
{
    bool menu = false;
    run(gestures_.release(input, document_.frameRect(), !previewRunning_), &menu);
    if (depth_ > 0)
        endStep();
    return menu;
}

void BoardEditor::paint(int column, int row, Color color)
{
    canvas_.paintLed(column, row, color);
    updateArray();
    document_.setModified(true);
    if (canvas_.cursorPos() == QPoint(column, row))
        canvas_.setCursorColor(color);
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
            if (stepName_ == QStringLiteral("edit"))
                stepName_ = step.lit ? QStringLiteral("paint") : QStringLiteral("erase");
            paint(step.led.x(), step.led.y(), color);
            break;
        case GestureStep::Kind::FillRect:
            stepName_ = QStringLiteral("fill rectangle");
            canvas_.fillLeds(step.rect.x0, step.rect.y0, step.rect.x1, step.rect.y1, color);
            updateArray();
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

bool BoardEditor::copy()
{
    return clipboard_.copy(canvas_.board(), selection_.rect(), settings_.boardWidth(), settings_.boardHeight());
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
    for (int x = sel.x0; x < sel.x1; ++x) {
        for (int y = sel.y0; y < sel.y1; ++y) {
            const int tx = cursor.x() + x - sel.x0;
            const int ty = cursor.y() + y - sel.y0;
            if (tx >= w || ty >= h)
                continue;
            const Color color = clipboard_.picture().pixel(x, y);
            canvas_.board().setPixel(tx, ty, color);
            canvas_.view().setFillColor(color);
            canvas_.drawLed(tx, ty);
        }
    }
    canvas_.readCursorColor();
    canvas_.refreshGrid();
    document_.setModified(true);
    updateArray();
    storeFrame();
    endStep();
    return true;
}

void BoardEditor::fillBoard(bool lit)
{
    beginStep(lit ? QStringLiteral("fill") : QStringLiteral("clear"));
    const Color color = lit ? settings_.ledColor() : settings_.backColor();
    canvas_.fillBoard(color);
    canvas_.refreshGrid();
    updateArray();
    storeFrame();
    document_.setModified(true);
    canvas_.setCursorColor(color);
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
    paint(at.x(), at.y(), lit ? settings_.backColor() : settings_.ledColor());
    storeFrame();
    endStep();
}

void BoardEditor::placeLeds(const LedBitmap& leds, int x, int y, bool clearFirst, const QString& name)
{
    if (previewRunning_)
        return;
    beginStep(name);
    const FrameRect& f = document_.frameRect();
    const Color on = settings_.ledColor();
    const Color off = settings_.backColor();
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
            const Color color = lit ? on : off;
            if (canvas_.board().pixel(column, row) == color)
                continue;
            canvas_.board().setPixel(column, row, color);
            changed.push_back(QPoint(column, row));
        }
    }
    if (!changed.empty()) {
        canvas_.repaintLeds(changed);
        updateArray();
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
    const ImageRecord& record = document_.record();
    if (record.revision() == shadowRevision_)
        return;
    // The record changed outside a step (a reload, a new board size): the
    // steps would no longer fit it unless it is the same text.
    if (!(record == shadow_)) {
        history_.clear();
        shadow_ = record;
    }
    shadowRevision_ = record.revision();
}

void BoardEditor::clearHistory()
{
    history_.clear();
    shadow_ = document_.record();
    shadowRevision_ = shadow_.revision();
}

void BoardEditor::beginStep(const QString& name)
{
    if (depth_++ > 0)
        return;
    syncShadow();
    stepName_ = name;
    stepMergeKey_ = 0;
    stepWrote_ = false;
    frameBefore_ = document_.current();
    snapWidth_ = std::min(settings_.boardWidth(), canvas_.board().width());
    snapHeight_ = std::min(settings_.boardHeight(), canvas_.board().height());
    snapshot_.resize(static_cast<std::size_t>(snapWidth_) * static_cast<std::size_t>(snapHeight_));
    for (int r = 0; r < snapHeight_; ++r) {
        const QRgb* row = canvas_.board().constScanLine(r);
        std::copy(row, row + snapWidth_, snapshot_.begin() + static_cast<std::ptrdiff_t>(r) * snapWidth_);
    }
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
    step.record = RecordDiff::between(shadow_, document_.record());
    step.pixels.width = snapWidth_;
    for (int r = 0; r < snapHeight_; ++r) {
        const QRgb* now = canvas_.board().constScanLine(r);
        const QRgb* was = snapshot_.data() + static_cast<std::ptrdiff_t>(r) * snapWidth_;
        for (int c = 0; c < snapWidth_; ++c)
            if (now[c] != was[c])
                step.pixels.changes.push_back({r * snapWidth_ + c, fromQRgb(was[c]), fromQRgb(now[c])});
    }
    if (step.record.empty() && step.pixels.empty() && step.frameBefore == step.frameAfter) {
        if (stepWrote_)
            history_.setClean();
        return;
    }
    step.record.apply(shadow_, true);
    shadowRevision_ = document_.record().revision();
    const bool wrote = step.writesFile;
    history_.push(std::move(step));
    if (wrote)
        history_.setClean();
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

void BoardEditor::apply(const EditStep& step, bool forward)
{
    const CurrentFrame& from = forward ? step.frameBefore : step.frameAfter;
    const CurrentFrame& to = forward ? step.frameAfter : step.frameBefore;

    // The pictures first show the frame the step starts from.
    if (document_.current().index != from.index || document_.current().rect != from.rect) {
        document_.setCurrent(from);
        loadFrame();
    }

    std::vector<QPoint> leds;
    const int w = step.pixels.width;
    if (w > 0) {
        leds.reserve(step.pixels.changes.size());
        for (const PixelDiff::Change& c : step.pixels.changes) {
            const int x = c.index % w;
            const int y = c.index / w;
            canvas_.board().setPixel(x, y, forward ? c.after : c.before);
            leds.push_back(QPoint(x, y));
        }
    }

    step.record.apply(document_.editableRecord(), forward);
    step.record.apply(shadow_, forward);
    shadowRevision_ = document_.record().revision();
    document_.recount();

    const bool frameMoved = to.index != from.index || to.rect != from.rect;
    document_.setCurrent(to);
    // The panel shows the frame's header, as when the frame is loaded.
    document_.setPanel(ImageDocument::panelFor(to));
    if (frameMoved) {
        loadFrame();
        canvas_.refreshGrid();
    } else if (leds.size() > FewLeds) {
        canvas_.repaintView();
    } else {
        canvas_.repaintLeds(leds);
    }
    updateArray();
    canvas_.readCursorColor();
    emit panelShown();
    emit frameListChanged();

    if (step.writesFile) {
        const Status written = document_.write();
        fail(written);
        if (written)
            history_.setClean();
    }
    document_.setModified(!history_.isClean());
}

} // namespace vexel
