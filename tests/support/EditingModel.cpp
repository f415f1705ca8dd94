#include "support/EditingModel.h"

#include "document/ImageDocument.h"
#include "editor/BoardEditor.h"
#include "editor/tools/LedTool.h"
#include "session/EditorSession.h"
#include "settings/AppSettings.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <random>
#include <sstream>

namespace model_testing {

using vexel::FrameRect;
using vexel::LedRect;

namespace {

const char* const Names[] = {"Pencil", "Eraser", "Rectangle", "Line", "Flood fill", "Move drag", "Move key",
                             "Alt draw", "Alt erase", "Ctrl+Alt fill", "Shift select", "Select tool", "Cursor click", "Cursor keys",
                             "Copy", "Paste", "Fill", "Clear", "Text", "Add frame", "Remove frame", "Entry effect",
                             "Exit effect", "Duration", "Undo", "Redo", "Lit colour", "Unlit colour", "LED shape",
                             "Grid", "Zoom", "Save", "Load"};
static_assert(sizeof(Names) / sizeof(Names[0]) == Op::Kinds);

std::string hex(unsigned value, int digits)
{
    static const char d[] = "0123456789ABCDEF";
    std::string out(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4)
        out[static_cast<std::size_t>(i)] = d[value & 0xF];
    return out;
}

bool contains(const FrameRect& r, QPoint p) { return r.contains(p.x(), p.y()); }

} // namespace

std::string describe(const Op& op)
{
    std::ostringstream out;
    out << Names[op.kind];
    for (const QPoint& p : op.points)
        out << " (" << p.x() << "," << p.y() << ")";
    if (!op.values.empty()) {
        out << " [";
        for (std::size_t i = 0; i < op.values.size(); ++i)
            out << (i ? " " : "") << op.values[i];
        out << "]";
    }
    if (op.unlit)
        out << (op.kind == Op::CtrlAltFill ? " right" : " unlit");
    return out.str();
}

// ---- the model

Model::Model(int width, int height, std::vector<Frame> frames)
    : w_(width), h_(height), wp_((width + 7) / 8 * 8), clip_(static_cast<std::size_t>(width * height), 0)
{
    s_.frames = std::move(frames);
    s_.board.assign(static_cast<std::size_t>(wp_ * h_), 0);
    show(0);
    states_ = {s_};
    writes_.clear();
    saved_ = fileText(s_.frames);
    savedFrames_ = s_.frames;
}

std::string Model::fileText(const std::vector<Frame>& frames)
{
    std::string text = hex(static_cast<unsigned>(frames.size()), 4) + "\r\n";
    for (const Frame& f : frames) {
        const FrameRect& r = f.rect;
        text += hex(static_cast<unsigned>(f.index), 2) + hex(static_cast<unsigned>(f.entry), 1) +
                hex(static_cast<unsigned>(f.exit), 1) + hex(static_cast<unsigned>(f.duration), 4) +
                hex(static_cast<unsigned>(r.x), 4) + hex(static_cast<unsigned>(r.y), 4) +
                hex(static_cast<unsigned>(r.w), 4) + hex(static_cast<unsigned>(r.h), 4) + "\r\n";
        for (int y = 0; y < r.h; ++y) {
            for (int b = 0; b < f.span(); b += 8) {
                unsigned byte = 0;
                for (int k = 0; k < 8; ++k)
                    byte = byte << 1 | f.leds[static_cast<std::size_t>(y * f.span() + b + k)];
                text += hex(byte, 2);
            }
            text += "\r\n";
        }
    }
    return text;
}

bool Model::lit(int x, int y) const
{
    return x >= 0 && y >= 0 && x < wp_ && y < h_ && s_.board[static_cast<std::size_t>(y * wp_ + x)] != 0;
}

void Model::set(int x, int y, bool on)
{
    if (x >= 0 && y >= 0 && x < w_ && y < h_)
        s_.board[static_cast<std::size_t>(y * wp_ + x)] = on ? 1 : 0;
}

bool Model::inWindow(QPoint p) const { return contains(frame().rect, p); }

// The current frame takes the LEDs of its row lines' bytes from the board.
void Model::store()
{
    Frame& f = s_.frames[static_cast<std::size_t>(s_.current)];
    f.index = s_.current;
    for (int y = 0; y < f.rect.h; ++y)
        for (int c = 0; c < f.span(); ++c)
            f.leds[static_cast<std::size_t>(y * f.span() + c)] = lit(f.left() + c, f.rect.y + y) ? 1 : 0;
}

// A frame shown from the record: the board holds its LEDs alone.
void Model::show(int frame)
{
    s_.current = frame;
    std::fill(s_.board.begin(), s_.board.end(), 0);
    const Frame& f = this->frame();
    for (int y = 0; y < f.rect.h; ++y)
        for (int c = 0; c < f.span(); ++c)
            s_.board[static_cast<std::size_t>((f.rect.y + y) * wp_ + f.left() + c)] =
                f.leds[static_cast<std::size_t>(y * f.span() + c)];
    cursor_ = QPoint(f.rect.x, f.rect.y);
}

void Model::write()
{
    saved_ = fileText(s_.frames);
    savedFrames_ = s_.frames;
    clean_ = pos_;
}

void Model::push(bool writes)
{
    states_.resize(static_cast<std::size_t>(pos_ + 1));
    writes_.resize(static_cast<std::size_t>(pos_));
    if (clean_ > pos_)
        clean_ = -1;
    states_.push_back(s_);
    writes_.push_back(writes);
    ++pos_;
}

void Model::step(const std::function<void()>& edit, bool writes)
{
    const State before = s_;
    edit();
    if (s_ != before)
        push(writes);
    if (writes)
        write();
}

void Model::undo(bool back)
{
    if (back ? !canUndo() : !canRedo())
        return;
    const bool writes = writes_[static_cast<std::size_t>(back ? pos_ - 1 : pos_)];
    pos_ += back ? -1 : 1;
    const FrameRect was = frame().rect;
    const int wasFrame = s_.current;
    s_ = states_[static_cast<std::size_t>(pos_)];
    // Another frame is shown again from its start.
    if (s_.current != wasFrame || frame().rect != was)
        cursor_ = QPoint(frame().rect.x, frame().rect.y);
    if (writes)
        write();
}

// The selection as far as it lies in the window.
bool Model::grab(LedRect* block) const
{
    const FrameRect& w = frame().rect;
    *block = LedRect{std::max(selection_.x0, w.x), std::max(selection_.y0, w.y), std::min(selection_.x1, w.right()),
                     std::min(selection_.y1, w.bottom())};
    return block->width() > 0 && block->height() > 0;
}

void Model::move(QPoint by)
{
    LedRect b;
    if (!grab(&b))
        return;
    const FrameRect& w = frame().rect;
    by = QPoint(std::clamp(by.x(), w.x - b.x0, w.right() - b.x1), std::clamp(by.y(), w.y - b.y0, w.bottom() - b.y1));
    if (by.isNull())
        return;
    std::vector<std::uint8_t> block;
    for (int y = b.y0; y < b.y1; ++y)
        for (int x = b.x0; x < b.x1; ++x)
            block.push_back(lit(x, y));
    step([&] {
        for (int y = b.y0; y < b.y1; ++y)
            for (int x = b.x0; x < b.x1; ++x)
                set(x, y, false);
        for (int y = b.y0; y < b.y1; ++y)
            for (int x = b.x0; x < b.x1; ++x)
                set(x + by.x(), y + by.y(), block[static_cast<std::size_t>((y - b.y0) * b.width() + x - b.x0)]);
        store();
    });
    selection_ = LedRect{b.x0 + by.x(), b.y0 + by.y(), b.x1 + by.x(), b.y1 + by.y()};
}

void Model::apply(const Op& op)
{
    const std::vector<QPoint>& p = op.points;
    auto plot = [&](QPoint at, bool on) {
        if (inWindow(at))
            set(at.x(), at.y(), on);
    };
    // Both corners inside the window, or nothing.
    auto fillRect = [&](QPoint a, QPoint b, bool on) {
        if (!inWindow(a) || !inWindow(b))
            return false;
        for (int y = std::min(a.y(), b.y()); y <= std::max(a.y(), b.y()); ++y)
            for (int x = std::min(a.x(), b.x()); x <= std::max(a.x(), b.x()); ++x)
                set(x, y, on);
        return true;
    };
    switch (op.kind) {
    case Op::Pencil:
    case Op::Eraser:
        step([&] {
            const bool on = (op.kind == Op::Pencil) != op.unlit;
            plot(p.front(), on);
            for (std::size_t i = 1; i < p.size(); ++i)
                for (const QPoint& q : vexel::linePoints(p[i - 1], p[i]))
                    plot(q, on);
            store();
        });
        break;
    case Op::Rectangle:
        step([&] {
            fillRect(p.front(), p.back(), !op.unlit);
            store();
        });
        break;
    case Op::Line:
        step([&] {
            for (const QPoint& q : vexel::linePoints(p.front(), p.back()))
                plot(q, !op.unlit);
            store();
        });
        break;
    case Op::Flood: {
        const QPoint at = p.front();
        if (!inWindow(at) || lit(at.x(), at.y()) != op.unlit)
            break;
        step([&] {
            const bool from = op.unlit;
            std::vector<QPoint> todo{at};
            set(at.x(), at.y(), !from);
            while (!todo.empty()) {
                const QPoint q = todo.back();
                todo.pop_back();
                for (const QPoint& n : {q + QPoint(1, 0), q - QPoint(1, 0), q + QPoint(0, 1), q - QPoint(0, 1)})
                    if (inWindow(n) && lit(n.x(), n.y()) == from) {
                        set(n.x(), n.y(), !from);
                        todo.push_back(n);
                    }
            }
            store();
        });
        break;
    }
    case Op::MoveDrag: move(p.back() - p.front()); break;
    case Op::MoveKey: {
        const QPoint by[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        move(by[op.values[0]]);
        break;
    }
    case Op::AltDraw:
    case Op::AltErase:
        step([&] {
            for (const QPoint& q : p)
                plot(q, op.kind == Op::AltDraw);
            store();
        });
        break;
    case Op::CtrlAltFill:
        step([&] {
            fillRect(p.front(), p.back(), !op.unlit);
            store(); // the release with Alt held stores, filled or not
        });
        break;
    case Op::ShiftSelect:
    case Op::SelectTool: {
        const QPoint a = p.front();
        const QPoint b = p.back();
        selection_ = LedRect{std::clamp(std::min(a.x(), b.x()), 0, w_), std::clamp(std::min(a.y(), b.y()), 0, h_),
                             std::clamp(std::max(a.x(), b.x()) + 1, 0, w_),
                             std::clamp(std::max(a.y(), b.y()) + 1, 0, h_)};
        break;
    }
    case Op::CursorClick:
        if (inWindow(p.front()))
            cursor_ = p.front();
        break;
    case Op::CursorKeys: {
        // The arrows keep the cursor within the window; Space switches its LED.
        const FrameRect& w = frame().rect;
        cursor_ = QPoint(std::clamp(cursor_.x() + op.values[0], w.x, w.right() - 1),
                         std::clamp(cursor_.y() + op.values[1], w.y, w.bottom() - 1));
        step([&] {
            set(cursor_.x(), cursor_.y(), !lit(cursor_.x(), cursor_.y()));
            store();
        });
        break;
    }
    case Op::Copy:
        // Copy keeps a board-sized picture: the selection, the rest unlit.
        std::fill(clip_.begin(), clip_.end(), 0);
        if (selection_.isZero())
            break;
        for (int y = selection_.y0; y < selection_.y1; ++y)
            for (int x = selection_.x0; x < selection_.x1; ++x)
                clip_[static_cast<std::size_t>(y * w_ + x)] = lit(x, y);
        clipFilled_ = true;
        break;
    case Op::Paste:
        // The selection now in force says which part of the clipboard goes
        // to the cursor, over the whole board.
        if (!clipFilled_)
            break;
        step([&] {
            for (int y = selection_.y0; y < selection_.y1; ++y)
                for (int x = selection_.x0; x < selection_.x1; ++x)
                    set(cursor_.x() + x - selection_.x0, cursor_.y() + y - selection_.y0,
                        clip_[static_cast<std::size_t>(y * w_ + x)] != 0);
            store();
        });
        break;
    case Op::Fill:
    case Op::Clear:
        step([&] {
            for (int y = 0; y < h_; ++y)
                for (int x = 0; x < w_; ++x)
                    set(x, y, op.kind == Op::Fill);
            store();
        });
        break;
    case Op::Text: {
        // values: x, y, width, height, clear first, then the LEDs row by row
        const int x0 = op.values[0], y0 = op.values[1], tw = op.values[2], th = op.values[3];
        const bool clearFirst = op.values[4] != 0;
        // The frame is stored only when an LED changed.
        step([&] {
            const std::vector<std::uint8_t> was = s_.board;
            for (int y = 0; y < th; ++y)
                for (int x = 0; x < tw; ++x) {
                    const bool on = op.values[static_cast<std::size_t>(5 + y * tw + x)] != 0;
                    if (on || clearFirst)
                        plot(QPoint(x0 + x, y0 + y), on);
                }
            if (s_.board != was)
                store();
        });
        break;
    }
    case Op::AddFrame: {
        const LedRect& s = selection_;
        if (s.width() < 8 || s.height() < 3 || s_.frames.size() >= 256)
            break;
        step(
            [&] {
                Frame f = frame(); // the panel's properties
                f.rect = FrameRect{s.x0, s.y0, s.width(), s.height()};
                f.leds.assign(static_cast<std::size_t>(f.span() * f.rect.h), 0);
                s_.frames.push_back(f);
                s_.current = static_cast<int>(s_.frames.size()) - 1;
                store();
            },
            true);
        break;
    }
    case Op::RemoveFrame: {
        const int k = op.values[0];
        if (k <= 0 || k >= static_cast<int>(s_.frames.size()))
            break;
        step(
            [&] {
                // The frames after it keep their header's index until stored.
                s_.frames.erase(s_.frames.begin() + k);
                show(static_cast<int>(s_.frames.size()) - 1);
            },
            true);
        break;
    }
    case Op::Entry:
        step([&] { s_.frames[static_cast<std::size_t>(s_.current)].entry = op.values[0]; }, true);
        break;
    case Op::Exit:
        step([&] { s_.frames[static_cast<std::size_t>(s_.current)].exit = op.values[0]; }, true);
        break;
    case Op::Duration: {
        // The key releases of one entry are one step, kept once any of them
        // changed the duration, even if the last one puts it back.
        const int was = frame().duration;
        s_.frames[static_cast<std::size_t>(s_.current)].duration = op.values.back();
        if (std::any_of(op.values.begin(), op.values.end(), [&](int v) { return v != was; }))
            push(true);
        write();
        break;
    }
    case Op::Undo: undo(true); break;
    case Op::Redo: undo(false); break;
    case Op::LitColour:
    case Op::UnlitColour:
    case Op::Shape:
    case Op::Grid:
    case Op::Zoom: break; // the pictures only
    case Op::Save: write(); break;
    case Op::Load:
        s_.frames = savedFrames_;
        show(0);
        states_ = {s_};
        writes_.clear();
        pos_ = 0;
        clean_ = 0;
        break;
    case Op::Kinds: break;
    }
}

// ---- scenarios

namespace {

class Random {
public:
    explicit Random(unsigned seed) : engine_(seed) {}
    int in(int from, int to) { return std::uniform_int_distribution<int>(from, to)(engine_); }
    bool chance(int percent) { return in(1, 100) <= percent; }

private:
    std::mt19937 engine_;
};

Frame randomFrame(Random& r, int index, const FrameRect& rect)
{
    Frame f;
    f.index = index;
    f.entry = r.in(0, 2);
    f.exit = r.in(0, 3);
    f.duration = r.in(0, 3000);
    f.rect = rect;
    const int density = r.in(10, 60);
    for (int i = 0; i < f.span() * rect.h; ++i)
        f.leds.push_back(r.chance(density) ? 1 : 0);
    return f;
}

FrameRect randomWindow(Random& r, int w, int h, bool smaller)
{
    for (;;) {
        const int fw = r.in(8, w);
        const int fh = r.in(3, h);
        const FrameRect rect{r.in(0, w - fw), r.in(0, h - fh), fw, fh};
        if (!smaller || fw < w || fh < h)
            return rect;
    }
}

// An LED near the current window mostly, anywhere on the board sometimes,
// now and then just outside it.
QPoint randomLed(Random& r, const Model& m)
{
    const FrameRect& f = m.frame().rect;
    if (r.chance(15))
        return QPoint(r.in(0, m.width() - 1), r.in(0, m.height() - 1));
    const int margin = r.chance(25) ? 2 : 0;
    return QPoint(std::clamp(r.in(f.x - margin, f.right() - 1 + margin), 0, m.width() - 1),
                  std::clamp(r.in(f.y - margin, f.bottom() - 1 + margin), 0, m.height() - 1));
}

Op randomOp(Random& r, const Model& m)
{
    // Weights of the kinds, in the order of Op::Kind.
    static const int Weights[] = {8, 5, 5, 5, 4, 4, 3, 6, 4, 4, 5, 3, 4, 3, 3, 4, 2, 2, 3,
                                  3, 2, 2, 2, 3, 10, 5, 1, 1, 1, 1, 1, 2, 2};
    static_assert(sizeof(Weights) / sizeof(Weights[0]) == Op::Kinds);
    int total = 0;
    for (int w : Weights)
        total += w;
    int pick = r.in(0, total - 1);
    int kind = 0;
    while (pick >= Weights[kind])
        pick -= Weights[kind++];
    Op op;
    op.kind = static_cast<Op::Kind>(kind);
    op.unlit = r.chance(25);
    const int points = op.kind == Op::Flood || op.kind == Op::CursorClick ? 1 : r.in(1, 4);
    switch (op.kind) {
    case Op::Pencil: case Op::Eraser: case Op::Rectangle: case Op::Line: case Op::Flood: case Op::MoveDrag:
    case Op::AltDraw: case Op::AltErase: case Op::CtrlAltFill: case Op::ShiftSelect: case Op::SelectTool:
    case Op::CursorClick:
        for (int i = 0; i < points; ++i)
            op.points.push_back(randomLed(r, m));
        // Selections large enough for a new frame.
        if ((op.kind == Op::ShiftSelect || op.kind == Op::SelectTool) && r.chance(40))
            op.points = {QPoint(r.in(0, m.width() / 3), r.in(0, m.height() / 3)),
                         QPoint(r.in(m.width() / 2, m.width() - 1), r.in(m.height() / 2, m.height() - 1))};
        break;
    case Op::MoveKey: op.values = {r.in(0, 3)}; break;
    case Op::CursorKeys: op.values = {r.in(-3, 3), r.in(-3, 3)}; break;
    case Op::Text: {
        const int tw = r.in(1, 6);
        const int th = r.in(1, 4);
        const QPoint at = randomLed(r, m);
        op.values = {at.x() - r.in(0, 2), at.y() - r.in(0, 1), tw, th, r.in(0, 1)};
        for (int i = 0; i < tw * th; ++i)
            op.values.push_back(r.chance(50) ? 1 : 0);
        break;
    }
    case Op::RemoveFrame: op.values = {r.in(0, static_cast<int>(m.state().frames.size()))}; break;
    case Op::Entry: op.values = {r.in(0, vexel::FrameHeader::EntryEffects - 1)}; break;
    case Op::Exit: op.values = {r.in(0, vexel::FrameHeader::ExitEffects - 1)}; break;
    case Op::Duration:
        for (int i = r.in(1, 3); i > 0; --i)
            op.values.push_back(r.chance(20) ? m.frame().duration : r.in(0, 65535));
        break;
    case Op::LitColour:
    case Op::UnlitColour: {
        static const int Colours[] = {0x0000FF, 0x00FF00, 0xFF8800, 0x000000, 0x303030, 0xFFFFFF};
        op.values = {Colours[r.in(0, 5)]};
        break;
    }
    case Op::Zoom: op.values = {r.in(6, 14)}; break;
    default: break;
    }
    return op;
}

} // namespace

Scenario makeScenario(unsigned seed, int operations)
{
    Random r(seed);
    Scenario s;
    s.seed = seed;
    static const int Widths[] = {24, 29, 37, 40};
    static const int Heights[] = {6, 9, 11};
    s.width = Widths[r.in(0, 3)];
    s.height = Heights[r.in(0, 2)];
    const int frames = r.in(1, 3);
    for (int i = 0; i < frames; ++i)
        s.frames.push_back(randomFrame(r, i, randomWindow(r, s.width, s.height, i == 0)));
    // The bits past the board's right edge are never lit in a file the
    // editor wrote.
    for (Frame& f : s.frames)
        for (int y = 0; y < f.rect.h; ++y)
            for (int c = 0; c < f.span(); ++c)
                if (f.left() + c >= s.width)
                    f.leds[static_cast<std::size_t>(y * f.span() + c)] = 0;
    Model m(s.width, s.height, s.frames);
    for (int i = 0; i < operations; ++i) {
        s.ops.push_back(randomOp(r, m));
        m.apply(s.ops.back());
    }
    return s;
}

QString scratchBase()
{
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    return shm.isDir() && shm.isWritable() ? shm.absoluteFilePath() : QDir::tempPath();
}

// ---- the editor, driven as the windows drive it

namespace {

class Editor {
public:
    Editor(const QString& folder, int width, int height) : session_(folder)
    {
        QObject::connect(&session_, &vexel::EditorSession::error, [this](const QString& m) { errors << m; });
        QObject::connect(&e(), &vexel::BoardEditor::error, [this](const QString& m) { errors << m; });
        session_.settings().setBoardWidth(width);
        session_.settings().setBoardHeight(height);
        session_.settings().setStartupDone(true);
    }

    vexel::EditorSession& session() { return session_; }
    vexel::BoardEditor& e() { return session_.editor(); }

    void apply(const Op& op, const QString& path)
    {
        const std::vector<QPoint>& p = op.points;
        vexel::AppSettings& settings = session_.settings();
        switch (op.kind) {
        case Op::Pencil: tool(vexel::Tool::Pencil, op); break;
        case Op::Eraser: tool(vexel::Tool::Eraser, op); break;
        case Op::Rectangle: tool(vexel::Tool::Rectangle, op); break;
        case Op::Line: tool(vexel::Tool::Line, op); break;
        case Op::Flood: tool(vexel::Tool::FloodFill, op); break;
        case Op::MoveDrag: tool(vexel::Tool::Move, op); break;
        case Op::SelectTool: tool(vexel::Tool::Select, op); break;
        case Op::CursorClick: tool(vexel::Tool::Cursor, op); break;
        case Op::MoveKey: {
            e().setTool(vexel::Tool::Move);
            const int keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};
            e().toolKey(keys[op.values[0]]);
            break;
        }
        case Op::AltDraw: drag(p, Qt::LeftButton, Qt::AltModifier); break;
        case Op::AltErase: drag(p, Qt::RightButton, Qt::AltModifier); break;
        case Op::CtrlAltFill:
            drag(p, op.unlit ? Qt::RightButton : Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier);
            break;
        case Op::ShiftSelect: drag(p, Qt::LeftButton, Qt::ShiftModifier); break;
        case Op::CursorKeys:
            e().moveCursor(op.values[0], op.values[1]);
            e().toggleCursorLed();
            break;
        case Op::Copy: e().copy(); break;
        case Op::Paste: e().paste(); break;
        case Op::Fill: e().fillBoard(true); break;
        case Op::Clear: e().fillBoard(false); break;
        case Op::Text: {
            vexel::LedBitmap leds(op.values[2], op.values[3]);
            for (int y = 0; y < leds.height(); ++y)
                for (int x = 0; x < leds.width(); ++x)
                    leds.set(x, y, op.values[static_cast<std::size_t>(5 + y * leds.width() + x)] != 0);
            e().placeLeds(leds, op.values[0], op.values[1], op.values[4] != 0, QStringLiteral("text"));
            break;
        }
        case Op::AddFrame: {
            const auto added = session_.addFrameFromSelection();
            if (added.outcome == vexel::EditorSession::FrameAdded::NotSaved)
                errors << added.error;
            break;
        }
        case Op::RemoveFrame: e().removeFrame(op.values[0]); break;
        case Op::Entry: e().setEntryEffect(op.values[0]); break;
        case Op::Exit: e().setExitEffect(op.values[0]); break;
        case Op::Duration:
            for (int ms : op.values)
                e().setDuration(ms);
            e().endDurationRun();
            break;
        case Op::Undo: e().undo(); break;
        case Op::Redo: e().redo(); break;
        // What the window repaints after each change of the settings (the
        // zoom's handler also lays out the pictures).
        case Op::LitColour:
            settings.setLedColor(static_cast<std::uint32_t>(op.values[0]));
            e().canvas().repaintBoard();
            break;
        case Op::UnlitColour:
            settings.setBackColor(static_cast<std::uint32_t>(op.values[0]));
            e().canvas().repaintBoard();
            break;
        case Op::Shape:
            settings.setRoundedLeds(!settings.roundedLeds());
            e().canvas().repaintBoard();
            break;
        case Op::Grid:
            settings.setDrawGrid(!settings.drawGrid());
            e().canvas().repaintBoard();
            break;
        case Op::Zoom:
            settings.setCellSize(op.values[0]);
            e().canvas().repaintView();
            e().canvas().fillWindow();
            break;
        case Op::Save: report(session_.save()); break;
        case Op::Load: report(session_.openChosen(path)); break;
        case Op::Kinds: break;
        }
    }

    QStringList errors;

private:
    static vexel::GestureInput at(QPoint led, Qt::MouseButton button, Qt::MouseButtons buttons,
                                  Qt::KeyboardModifiers keys)
    {
        return vexel::GestureInput{led, button, buttons, keys};
    }

    void drag(const std::vector<QPoint>& p, Qt::MouseButton button, Qt::KeyboardModifiers keys)
    {
        e().press(at(p.front(), button, button, keys));
        for (std::size_t i = 1; i < p.size(); ++i)
            e().move(at(p[i], Qt::NoButton, button, keys));
        e().release(at(p.back(), button, Qt::NoButton, keys));
    }

    void tool(vexel::Tool t, const Op& op)
    {
        e().setTool(t);
        e().setDrawUnlit(op.unlit);
        drag(op.points, Qt::LeftButton, Qt::NoModifier);
    }

    void report(const vexel::Status& status)
    {
        if (!status)
            errors << status.error();
    }

    vexel::EditorSession session_;
};

// Empty when the editor shows what the model holds.
std::string compare(Editor& editor, const Model& m, const QString& path)
{
    std::ostringstream out;
    vexel::BoardEditor& e = editor.e();
    const vexel::ImageDocument& doc = e.document();
    const std::string text = Model::fileText(m.state().frames);
    if (doc.record().text() != text)
        out << "the record:\n" << doc.record().text() << "the model:\n" << text;
    if (doc.currentFrame() != m.state().current || doc.frameRect() != m.frame().rect)
        out << "current frame " << doc.currentFrame() << ", the model's " << m.state().current << "\n";
    const vexel::FramePanel panel = doc.panel();
    if (panel.entry != m.frame().entry || panel.exit != m.frame().exit || panel.duration != m.frame().duration)
        out << "the frame panel shows " << panel.entry << " " << panel.exit << " " << panel.duration << "\n";
    vexel::LedTarget& leds = e.target();
    const vexel::AppSettings& settings = editor.session().settings();
    const vexel::Surface& board = e.canvas().board();
    const vexel::Surface& view = e.canvas().view();
    for (int y = 0; y < m.height(); ++y)
        for (int x = 0; x < m.paddedWidth(); ++x) {
            if (leds.lit(x, y) != m.lit(x, y)) {
                out << "LED (" << x << "," << y << ") is " << (leds.lit(x, y) ? "lit" : "unlit") << "\n";
                continue;
            }
            // The picture of the window shows every LED in its colour.
            if (!m.frame().rect.contains(x, y))
                continue;
            const std::uint32_t colour = m.lit(x, y) ? settings.ledColor() : settings.backColor();
            if (board.pixel(x, y) != colour)
                out << "the board picture at (" << x << "," << y << ") is " << std::hex << board.pixel(x, y)
                    << std::dec << "\n";
            const int middle = settings.cellSize() / 2;
            const std::uint32_t shown = view.pixel(x * settings.cellSize() + middle, y * settings.cellSize() + middle);
            if (shown != colour)
                out << "the zoomed view at LED (" << x << "," << y << ") is " << std::hex << shown << std::dec << "\n";
        }
    const QByteArray file = testing_support::readAll(path);
    if (file.toStdString() != m.saved())
        out << "the file:\n" << file.toStdString() << "the model's:\n" << m.saved();
    if (m.dirty() && !doc.modified())
        out << "the image is not marked as changed\n";
    if (e.history().canUndo() != m.canUndo() || e.history().canRedo() != m.canRedo())
        out << "undo/redo " << e.history().canUndo() << "/" << e.history().canRedo() << ", the model's "
            << m.canUndo() << "/" << m.canRedo() << "\n";
    if (e.selection().rect() != m.selection())
        out << "the selection differs\n";
    if (e.canvas().cursorPos() != m.cursor())
        out << "the cursor is at (" << e.canvas().cursorPos().x() << "," << e.canvas().cursorPos().y() << ")\n";
    if (!editor.errors.isEmpty())
        out << "errors: " << editor.errors.join(QLatin1Char('\n')).toStdString() << "\n";
    editor.errors.clear();
    return out.str();
}

} // namespace

std::string run(const Scenario& s)
{
    QTemporaryDir dir(scratchBase() + QStringLiteral("/vexel-model-XXXXXX"));
    const QString folder = testing_support::folderOf(dir);
    const QString path = folder + QStringLiteral("model.img");
    testing_support::writeAll(path, QByteArray::fromStdString(Model::fileText(s.frames)));
    Editor editor(folder, s.width, s.height);
    const vexel::Status opened = editor.session().openChosen(path);
    if (!opened)
        return "the image does not open: " + opened.error().toStdString();
    Model model(s.width, s.height, s.frames);
    std::string differs = compare(editor, model, path);
    if (!differs.empty())
        return "after opening:\n" + differs;
    for (std::size_t i = 0; i < s.ops.size(); ++i) {
        editor.apply(s.ops[i], path);
        model.apply(s.ops[i]);
        differs = compare(editor, model, path);
        if (!differs.empty())
            return "after operation " + std::to_string(i + 1) + " (" + describe(s.ops[i]) + "):\n" + differs;
    }
    return {};
}

std::string shrinkReport(const Scenario& scenario, const std::string& failure)
{
    Scenario s = scenario;
    std::string last = failure;
    auto fails = [&](std::vector<Op> ops) {
        Scenario t = s;
        t.ops = std::move(ops);
        std::string f = run(t);
        if (f.empty())
            return false;
        last = f;
        return true;
    };
    for (std::size_t chunk = std::max<std::size_t>(s.ops.size() / 2, 1);; chunk /= 2) {
        for (bool dropped = true; dropped;) {
            dropped = false;
            for (std::size_t i = 0; i < s.ops.size();) {
                std::vector<Op> fewer = s.ops;
                fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(i),
                            fewer.begin() + static_cast<std::ptrdiff_t>(std::min(i + chunk, fewer.size())));
                if (fails(fewer)) {
                    s.ops = std::move(fewer);
                    dropped = true;
                } else {
                    i += chunk;
                }
            }
        }
        if (chunk == 1)
            break;
    }
    std::ostringstream out;
    out << "seed " << s.seed << ": board " << s.width << " x " << s.height << ", the image:\n"
        << Model::fileText(s.frames) << "the shortest failing sequence (" << s.ops.size() << " of "
        << scenario.ops.size() << " operations):\n";
    for (std::size_t i = 0; i < s.ops.size(); ++i)
        out << "  " << i + 1 << ". " << describe(s.ops[i]) << "\n";
    out << last;
    return out.str();
}

} // namespace model_testing
