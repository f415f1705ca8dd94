#include "app/FontEditor.h"

#include "app/EditCommands.h"
#include "app/Prompter.h"
#include "editor/tools/ToolList.h"
#include "lettering/FontDocument.h"
#include "lettering/FontList.h"
#include "lettering/UserFonts.h"
#include "widgets/AccessibleText.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using vexel::FontDocument;
using vexel::LedBitmap;

namespace {

const QColor LitColor(255, 170, 0);
const QColor UnlitColor(58, 44, 30);
const QColor BackColor(16, 16, 16);
const QColor SpareColor(34, 34, 40); // columns between the cell and the advance
const QColor BaselineColor(0, 190, 220);
const QColor AdvanceColor(80, 220, 80);
const QColor PreviewColor(255, 230, 140); // LEDs a gesture is about to light

const QString Samples = QStringLiteral("37 დიდუბე - Didube \"Bridge\" 12A აეროპორტი");

QString fontFilter() { return QCoreApplication::translate("FontEditor", "Vexel LED font|*.vfont"); }

// A typed character, or a code point written U+XXXX or 0xXXXX.
std::optional<char32_t> typedCode(const QString& text)
{
    const QString t = text.trimmed();
    const QString lower = t.toLower();
    if (t.size() > 2 && (lower.startsWith(QLatin1String("u+")) || lower.startsWith(QLatin1String("0x")))) {
        bool ok = false;
        const uint value = t.mid(2).toUInt(&ok, 16);
        if (ok && t.size() <= 8)
            return static_cast<char32_t>(value);
        return std::nullopt;
    }
    const QList<uint> chars = t.toUcs4();
    if (chars.size() == 1)
        return static_cast<char32_t>(chars.front());
    if (text.size() == 1 && text.at(0) == QLatin1Char(' '))
        return U' ';
    return std::nullopt;
}

} // namespace

// The glyph being drawn as the grid the editor's tools work on: a gesture's
// LEDs go to a working copy of the cell, and the outermost step ends in one
// edit of the font.
class GlyphTarget : public vexel::LedTarget {
public:
    explicit GlyphTarget(FontEditor& editor) : editor_(editor) {}

    vexel::LedBitmap cell;
    vexel::LedRect selected;

    int width() const override { return cell.width(); }
    int height() const override { return cell.height(); }
    bool lit(int x, int y) const override { return cell.lit(x, y); }
    void setLit(int x, int y, bool on) override { cell.set(x, y, on); }
    vexel::FrameRect window() const override { return vexel::FrameRect{0, 0, cell.width(), cell.height()}; }
    void beginStep(const QString& name) override
    {
        if (depth_++ == 0)
            name_ = name;
    }
    void endStep() override
    {
        if (depth_ > 0 && --depth_ == 0)
            editor_.finishStep(cell, name_);
    }
    vexel::LedRect selection() const override { return selected; }
    void startSelection(QPoint led) override
    {
        anchor_ = led;
        selected = vexel::LedRect{led.x(), led.y(), led.x() + 1, led.y() + 1};
    }
    void completeSelection(QPoint led) override
    {
        selected = vexel::LedRect{std::min(anchor_.x(), led.x()), std::min(anchor_.y(), led.y()),
                                  std::max(anchor_.x(), led.x()) + 1, std::max(anchor_.y(), led.y()) + 1};
    }
    void setSelection(const vexel::LedRect& rect) override { selected = rect; }

private:
    FontEditor& editor_;
    QString name_;
    QPoint anchor_;
    int depth_ = 0;
};

GlyphCanvas::GlyphCanvas(QWidget* parent) : QWidget(parent)
{
    setAccessibleName(tr("Glyph LEDs"));
    setFocusPolicy(Qt::ClickFocus);
    layout();
}

void GlyphCanvas::setGlyph(const LedBitmap& cell, int advance, int baseline)
{
    const bool sized = cell.width() != cell_.width() || cell.height() != cell_.height() || advance != advance_;
    cell_ = cell;
    advance_ = advance;
    baseline_ = baseline;
    if (sized)
        layout();
    update();
}

void GlyphCanvas::layout()
{
    // Tall faces get smaller squares so a glyph stays on the screen.
    const int rows = std::max(cell_.height(), 1);
    cellSize_ = std::clamp(480 / rows, 6, 32);
    const int columns = std::max(cell_.width(), advance_) + 2;
    setFixedSize(columns * cellSize_ + 1, rows * cellSize_ + 1);
}

void GlyphCanvas::setOverlay(const std::vector<vexel::PreviewLed>& preview, const vexel::LedRect& selection)
{
    preview_ = preview;
    selection_ = selection;
    update();
}

QPoint GlyphCanvas::ledOrigin(QPoint led) const { return QPoint(led.x() * cellSize_, led.y() * cellSize_); }

QPoint GlyphCanvas::ledAt(QPoint position) const
{
    const int x = std::clamp(position.x() / cellSize_, 0, std::max(cell_.width() - 1, 0));
    const int y = std::clamp(position.y() / cellSize_, 0, std::max(cell_.height() - 1, 0));
    return QPoint(x, y);
}

void GlyphCanvas::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), BackColor);
    const int s = cellSize_;
    const int columns = width() / s;
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int y = 0; y < cell_.height(); ++y) {
        for (int x = 0; x < columns; ++x) {
            const QRect square(x * s, y * s, s, s);
            if (x >= cell_.width()) {
                if (x < advance_)
                    p.fillRect(square.adjusted(1, 1, 0, 0), SpareColor);
                continue;
            }
            p.setPen(Qt::NoPen);
            p.setBrush(cell_.lit(x, y) ? LitColor : UnlitColor);
            p.drawEllipse(QRectF(square).adjusted(1.5, 1.5, -0.5, -0.5));
        }
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    // The baseline under the row the capitals stand on, the advance as the
    // column where the next glyph starts.
    if (baseline_ > 0) {
        p.setPen(QPen(BaselineColor, 2));
        p.drawLine(0, baseline_ * s, width(), baseline_ * s);
    }
    p.setPen(QPen(AdvanceColor, 2, Qt::DashLine));
    p.drawLine(advance_ * s, 0, advance_ * s, height());
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    for (const vexel::PreviewLed& led : preview_) {
        p.setBrush(led.lit ? PreviewColor : UnlitColor.darker(140));
        p.drawEllipse(QRectF(led.led.x() * s, led.led.y() * s, s, s).adjusted(1.5, 1.5, -0.5, -0.5));
    }
    if (selection_.width() > 0 && selection_.height() > 0) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 1, Qt::DashLine));
        p.drawRect(selection_.x0 * s, selection_.y0 * s, selection_.width() * s, selection_.height() * s);
    }
}

void GlyphCanvas::keyPressEvent(QKeyEvent* event)
{
    emit keyPressed(event->key());
    QWidget::keyPressEvent(event);
}

void GlyphCanvas::mousePressEvent(QMouseEvent* event)
{
    setFocus();
    if (cell_.empty() || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton))
        return;
    stroke_ = true;
    emit pressed(ledAt(event->position().toPoint()), event->button() == Qt::LeftButton);
}

void GlyphCanvas::mouseMoveEvent(QMouseEvent* event)
{
    if (stroke_)
        emit moved(ledAt(event->position().toPoint()));
}

void GlyphCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (!stroke_)
        return;
    stroke_ = false;
    emit released(ledAt(event->position().toPoint()));
}

LedLineView::LedLineView(int scale, QWidget* parent) : QWidget(parent), scale_(scale)
{
    setLine(LedBitmap());
}

void LedLineView::setLine(const LedBitmap& line)
{
    line_ = line;
    setFixedSize(std::max(line.width(), 1) * scale_ + 4, std::max(line.height(), 1) * scale_ + 4);
    update();
}

void LedLineView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), BackColor);
    for (int y = 0; y < line_.height(); ++y)
        for (int x = 0; x < line_.width(); ++x) {
            const QRect square(2 + x * scale_, 2 + y * scale_, scale_, scale_);
            if (line_.lit(x, y))
                p.fillRect(scale_ > 2 ? square.adjusted(0, 0, -1, -1) : square, LitColor);
            else if (scale_ > 2)
                p.fillRect(square.adjusted(0, 0, -1, -1), UnlitColor);
        }
}

FontEditor::FontEditor(Prompter& prompter, QWidget* parent)
    : QWidget(parent, Qt::Window), prompter_(prompter), document_(std::make_unique<FontDocument>()),
      target_(std::make_unique<GlyphTarget>(*this))
{
    // The editor's tools, but the cursor: a glyph has no Paste.
    for (const vexel::ToolInfo& info : vexel::toolList()) {
        if (info.tool == vexel::Tool::Cursor)
            continue;
        tools_.push_back(info.make());
        toolNames_ << QString::fromLatin1(info.name);
        toolCaptions_ << EditCommands::Tool_Name(info);
    }
    setWindowTitle(tr("Font Editor"));
    document_->setReadOnlyFolders(vexel::FontList::shippedFolders());
    buildControls();
    connect(document_.get(), &FontDocument::changed, this, &FontEditor::documentChanged);
    showState();
}

FontEditor::~FontEditor() = default;

FontEditor* FontEditor::showFor(QWidget* owner, Prompter& prompter)
{
    auto* editor = owner->findChild<FontEditor*>(QString(), Qt::FindDirectChildrenOnly);
    if (!editor) {
        editor = new FontEditor(prompter, owner);
        // Starts on the first of the program's own faces.
        for (const QString& folder : vexel::FontList::shippedFolders()) {
            const QStringList files = QDir(folder).entryList({QStringLiteral("*.vfont")}, QDir::Files, QDir::Name);
            if (!files.isEmpty() && editor->document().open(QDir(folder).filePath(files.front())))
                break;
        }
    }
    editor->show();
    editor->raise();
    editor->activateWindow();
    return editor;
}

void FontEditor::buildControls()
{
    auto* top = new QVBoxLayout(this);

    top->addLayout(buildFileRow());
    auto* body = new QHBoxLayout;
    body->addLayout(buildListColumn());
    body->addLayout(buildGlyphColumn(), 1);
    top->addLayout(body, 1);
    buildSamples(top);
    connectControls();
    addShortcuts();
}

QHBoxLayout* FontEditor::buildFileRow()
{
    auto* fileRow = new QHBoxLayout;
    auto makeButton = [this, fileRow](const QString& caption, const QString& tip) {
        auto* b = new QToolButton(this);
        b->setText(caption);
        b->setToolTip(tip);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        fileRow->addWidget(b);
        return b;
    };
    openButton = makeButton(tr("Open..."), tr("Open a .vfont font (Ctrl+O)"));
    saveButton = makeButton(tr("Save"), tr("Save the font (Ctrl+S)"));
    saveAsButton = makeButton(tr("Save as..."), tr("Save a copy under another name"));
    undoButton = makeButton(tr("Undo"), tr("Undo (Ctrl+Z)"));
    redoButton = makeButton(tr("Redo"), tr("Redo (Ctrl+Shift+Z, Ctrl+Y)"));
    fileRow->addSpacing(12);
    fontLabel = new QLabel(this);
    fileRow->addWidget(fontLabel, 1);
    return fileRow;
}

QVBoxLayout* FontEditor::buildListColumn()
{
    auto* listColumn = new QVBoxLayout;
    searchEdit = new QLineEdit(this);
    searchEdit->setPlaceholderText(tr("Search: character or U+XXXX"));
    searchEdit->setAccessibleName(tr("Search glyphs"));
    searchEdit->setClearButtonEnabled(true);
    listColumn->addWidget(searchEdit);
    glyphList = new QListWidget(this);
    glyphList->setAccessibleName(tr("Glyphs"));
    glyphList->setMinimumWidth(150);
    listColumn->addWidget(glyphList, 1);
    auto* addRow = new QHBoxLayout;
    addEdit = new QLineEdit(this);
    addEdit->setPlaceholderText(tr("Character"));
    addEdit->setAccessibleName(tr("Character to add"));
    addEdit->setMaximumWidth(90);
    addButton = new QPushButton(tr("Add glyph"), this);
    addButton->setAutoDefault(false);
    addRow->addWidget(addEdit);
    addRow->addWidget(addButton);
    listColumn->addLayout(addRow);
    removeButton = new QPushButton(tr("Remove glyph"), this);
    removeButton->setAutoDefault(false);
    listColumn->addWidget(removeButton);
    return listColumn;
}

QVBoxLayout* FontEditor::buildGlyphColumn()
{
    auto* glyphColumn = new QVBoxLayout;
    auto* toolRow = new QHBoxLayout;
    toolButtons = new QButtonGroup(this);
    toolButtons->setExclusive(true);
    for (std::size_t i = 0; i < tools_.size(); ++i) {
        auto* b = new QToolButton(this);
        b->setText(toolCaptions_[static_cast<int>(i)]);
        b->setCheckable(true);
        b->setChecked(i == 0);
        b->setToolTip(toolCaptions_[static_cast<int>(i)] + tr(": left button lights, right button clears"));
        toolButtons->addButton(b, static_cast<int>(i));
        toolRow->addWidget(b);
    }
    toolRow->addStretch(1);
    glyphColumn->addLayout(toolRow);
    canvas = new GlyphCanvas(this);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(canvas);
    scroll->setAlignment(Qt::AlignCenter);
    scroll->setMinimumSize(420, 360);
    glyphColumn->addWidget(scroll, 1);
    auto* form = new QFormLayout;
    widthBox = new QSpinBox(this);
    widthBox->setRange(1, vexel::LedFont::MaxWidth);
    advanceBox = new QSpinBox(this);
    advanceBox->setRange(0, vexel::LedFont::MaxAdvance);
    advanceBox->setToolTip(tr("How far the pen moves on after the glyph"));
    baselineLabel = new QLabel(this);
    widthBox->setMaximumWidth(90);
    advanceBox->setMaximumWidth(90);
    form->addRow(tr("Width (LEDs)"), widthBox);
    form->addRow(tr("Advance"), advanceBox);
    form->addRow(tr("Baseline"), baselineLabel);
    glyphColumn->addLayout(form);
    return glyphColumn;
}

// The sample text at LED size and zoomed.
void FontEditor::buildSamples(QVBoxLayout* top)
{
    auto* sampleForm = new QFormLayout;
    sampleEdit = new QLineEdit(Samples, this);
    sampleForm->addRow(tr("Sample text"), sampleEdit);
    top->addLayout(sampleForm);
    sampleSmall = new LedLineView(1, this);
    sampleSmall->setAccessibleName(tr("Sample at LED size"));
    top->addWidget(sampleSmall);
    sampleZoomed = new LedLineView(4, this);
    sampleZoomed->setAccessibleName(tr("Sample zoomed"));
    auto* sampleScroll = new QScrollArea(this);
    sampleScroll->setWidget(sampleZoomed);
    sampleScroll->setMinimumHeight(110);
    top->addWidget(sampleScroll);
}

void FontEditor::connectControls()
{
    connect(openButton, &QToolButton::clicked, this, &FontEditor::Open1Click);
    connect(saveButton, &QToolButton::clicked, this, &FontEditor::Save1Click);
    connect(saveAsButton, &QToolButton::clicked, this, &FontEditor::SaveAs1Click);
    connect(undoButton, &QToolButton::clicked, this, &FontEditor::Undo1Click);
    connect(redoButton, &QToolButton::clicked, this, &FontEditor::Redo1Click);
    connect(addButton, &QPushButton::clicked, this, &FontEditor::AddGlyphClick);
    connect(addEdit, &QLineEdit::returnPressed, this, &FontEditor::AddGlyphClick);
    connect(removeButton, &QPushButton::clicked, this, &FontEditor::RemoveGlyphClick);
    connect(searchEdit, &QLineEdit::textChanged, this, &FontEditor::fillList);
    connect(glyphList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (showing_ || row < 0)
            return;
        current_ = static_cast<char32_t>(glyphList->item(row)->data(Qt::UserRole).toUInt());
        showGlyph();
    });
    connect(toolButtons, &QButtonGroup::idClicked, this, &FontEditor::selectTool);
    connect(canvas, &GlyphCanvas::pressed, this, &FontEditor::strokePressed);
    connect(canvas, &GlyphCanvas::moved, this, &FontEditor::strokeMoved);
    connect(canvas, &GlyphCanvas::released, this, &FontEditor::strokeReleased);
    connect(canvas, &GlyphCanvas::keyPressed, this, &FontEditor::strokeKey);
    connect(widthBox, &QSpinBox::valueChanged, this, &FontEditor::widthChosen);
    connect(advanceBox, &QSpinBox::valueChanged, this, &FontEditor::advanceChosen);
    connect(sampleEdit, &QLineEdit::textChanged, this, &FontEditor::showSample);
}

void FontEditor::addShortcuts()
{
    auto shortcut = [this](const QKeySequence& keys, auto slot) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), &FontEditor::Undo1Click);
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &FontEditor::Redo1Click);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), &FontEditor::Redo1Click);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_S), &FontEditor::Save1Click);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_O), &FontEditor::Open1Click);
}

bool FontEditor::openFont(const QString& path)
{
    const vexel::Status opened = document_->open(path);
    if (!opened) {
        report(opened.error());
        return false;
    }
    return true;
}

void FontEditor::Open1Click()
{
    if (document_->isModified() && !prompter_.confirm(tr("Font changed. Open another and drop the changes?")))
        return;
    FileRequest request;
    const QString user = vexel::UserFonts::folder();
    request.directory = document_->isOpen() ? QFileInfo(document_->path()).absolutePath() : user;
    request.filter = fontFilter();
    request.defaultExtension = QStringLiteral("vfont");
    const QString path = prompter_.openFile(request);
    if (!path.isEmpty())
        openFont(path);
}

bool FontEditor::Save1Click()
{
    if (!document_->isOpen())
        return false;
    // The program's own faces stay as shipped: the changes go to a copy.
    if (document_->isShipped())
        return SaveAs1Click();
    const vexel::Status saved = document_->save();
    if (!saved)
        report(saved.error());
    showState();
    return saved.ok();
}

bool FontEditor::SaveAs1Click()
{
    if (!document_->isOpen())
        return false;
    FileRequest request;
    const QString user = vexel::UserFonts::folder();
    QDir().mkpath(user);
    request.directory = document_->isShipped() || user.isEmpty() ? user : QFileInfo(document_->path()).absolutePath();
    request.proposedName = QFileInfo(document_->path()).fileName();
    request.filter = fontFilter();
    request.defaultExtension = QStringLiteral("vfont");
    const QString path = prompter_.saveFile(request);
    if (path.isEmpty())
        return false;
    const vexel::Status saved = document_->saveAs(path);
    if (!saved)
        report(saved.error());
    showState();
    return saved.ok();
}

void FontEditor::AddGlyphClick()
{
    const std::optional<char32_t> code = typedCode(addEdit->text());
    if (!code) {
        prompter_.inform(tr("Type one character, or its code point as U+XXXX."),
                         Prompter::InfoButton::Ok);
        return;
    }
    if (document_->glyph(*code)) {
        selectGlyph(*code);
        return;
    }
    const vexel::Status added = document_->addGlyph(*code);
    if (!added) {
        report(added.error());
        return;
    }
    addEdit->clear();
    selectGlyph(*code);
}

void FontEditor::RemoveGlyphClick()
{
    if (!document_->glyph(current_))
        return;
    const vexel::Status removed = document_->removeGlyph(current_);
    if (!removed)
        report(removed.error());
}

void FontEditor::Undo1Click()
{
    if (const std::optional<char32_t> code = document_->undo(); code && document_->glyph(*code))
        selectGlyph(*code);
}

void FontEditor::Redo1Click()
{
    if (const std::optional<char32_t> code = document_->redo(); code && document_->glyph(*code))
        selectGlyph(*code);
}

int FontEditor::toolIndex(const QString& name) const { return static_cast<int>(toolNames_.indexOf(name)); }

void FontEditor::selectTool(int index)
{
    tool().cancel();
    tool_ = std::clamp(index, 0, static_cast<int>(tools_.size()) - 1);
    if (QAbstractButton* b = toolButtons->button(tool_))
        b->setChecked(true);
}

void FontEditor::selectGlyph(char32_t code)
{
    current_ = code;
    // A glyph the search hides is shown with the whole list.
    const std::vector<char32_t> found = document_->search(searchEdit->text());
    if (std::find(found.begin(), found.end(), code) == found.end()) {
        const QSignalBlocker blocker(searchEdit);
        searchEdit->clear();
    }
    fillList();
}

void FontEditor::documentChanged(char32_t code)
{
    if (code == 0 || !document_->glyph(current_)) {
        const std::vector<char32_t> codes = document_->codes();
        if (code == 0 || codes.empty())
            current_ = codes.empty() ? 0 : codes.front();
        else
            current_ = *std::lower_bound(codes.begin(), codes.end(), std::min(current_, codes.back()));
    }
    fillList();
}

void FontEditor::fillList()
{
    showing_ = true;
    glyphList->clear();
    const std::vector<char32_t> found = document_->search(searchEdit->text());
    int row = -1;
    for (char32_t code : found) {
        auto* item = new QListWidgetItem(FontDocument::listText(code), glyphList);
        item->setData(Qt::UserRole, static_cast<uint>(code));
        if (code == current_)
            row = glyphList->count() - 1;
    }
    // Typing in the search goes to the first glyph found.
    if (row < 0 && !found.empty() && !searchEdit->text().trimmed().isEmpty()) {
        row = 0;
        current_ = found.front();
    }
    glyphList->setCurrentRow(row);
    showing_ = false;
    showGlyph();
}

void FontEditor::showGlyph()
{
    showing_ = true;
    const vexel::Glyph* g = document_->glyph(current_);
    const int height = document_->font().height;
    canvas->setGlyph(g ? g->cell : LedBitmap(), g ? g->advance : 0, document_->baseline());
    if (g && (target_->selected.x1 > g->cell.width() || target_->selected.y1 > g->cell.height()))
        target_->selected = vexel::LedRect{};
    canvas->setOverlay(tool().preview(), target_->selected);
    widthBox->setEnabled(g != nullptr);
    advanceBox->setEnabled(g != nullptr);
    removeButton->setEnabled(g != nullptr);
    if (g) {
        widthBox->setValue(g->cell.width());
        advanceBox->setValue(g->advance);
    }
    setReadableDescription(canvas, g ? tr("%1, %2 LEDs wide, advance %3")
                                           .arg(vexel::FontDocument::listText(current_).simplified())
                                           .arg(g->cell.width())
                                           .arg(g->advance)
                                     : tr("No glyph"));
    baselineLabel->setText(document_->isOpen() ? tr("row %1 of %2").arg(document_->baseline()).arg(height)
                                               : QString());
    showing_ = false;
    showSample();
    showState();
}

void FontEditor::showSample()
{
    const LedBitmap line = document_->sampleLine(sampleEdit->text());
    sampleSmall->setLine(line);
    sampleZoomed->setLine(line);
    for (QWidget* view : {static_cast<QWidget*>(sampleSmall), static_cast<QWidget*>(sampleZoomed)})
        setReadableDescription(view, document_->isOpen() ? sampleEdit->text() : QString());
}

void FontEditor::showState()
{
    const vexel::LedFont& f = document_->font();
    QString title = tr("Font Editor");
    if (document_->isOpen()) {
        const QString name = QFileInfo(document_->path()).fileName();
        title = name + (document_->isModified() ? QStringLiteral("*") : QString()) + tr(" - Font Editor");
        fontLabel->setText(tr("%1, %2 rows%3%4, %5 glyphs%6")
                               .arg(QString::fromStdString(f.family))
                               .arg(f.height)
                               .arg(f.bold ? tr(", bold") : QString())
                               .arg(f.condensed ? tr(", condensed") : QString())
                               .arg(f.glyphs.size())
                               .arg(document_->isShipped() ? tr(" (shipped: Save makes a copy)")
                                    : document_->isReadOnly() ? tr(" (read-only)")
                                                               : QString()));
    } else {
        fontLabel->setText(tr("No font open"));
    }
    setWindowTitle(title);
    undoButton->setEnabled(document_->canUndo());
    redoButton->setEnabled(document_->canRedo());
    showUndoTips();
    saveButton->setEnabled(document_->isOpen());
    saveAsButton->setEnabled(document_->isOpen());
    addButton->setEnabled(document_->isOpen());
}

// What Undo and Redo would take back, in the windows' language: the font's
// own steps are named here, the tools' strokes as the main window names them.
void FontEditor::showUndoTips()
{
    static constexpr const char* FontSteps[] = {
        QT_TR_NOOP("add glyph"),
        QT_TR_NOOP("remove glyph"),
        QT_TR_NOOP("advance"),
        QT_TR_NOOP("width"),
    };
    auto shown = [](const QString& name) {
        for (const char* step : FontSteps)
            if (name == QLatin1String(step))
                return tr(step);
        return EditCommands::Step_Name(name);
    };
    const QString back = document_->undoName();
    const QString on = document_->redoName();
    undoButton->setToolTip((back.isEmpty() ? tr("Undo") : tr("Undo %1").arg(shown(back))) + tr(" (Ctrl+Z)"));
    redoButton->setToolTip((on.isEmpty() ? tr("Redo") : tr("Redo %1").arg(shown(on))) + tr(" (Ctrl+Shift+Z)"));
}

void FontEditor::strokePressed(QPoint led, bool lit)
{
    const vexel::Glyph* g = document_->glyph(current_);
    if (!g)
        return;
    target_->cell = g->cell;
    stroking_ = true;
    // The right button draws the other state, as the unlit toggle does.
    tool().setUnlit(!lit);
    tool().press(*target_, led);
    showWorking();
}

void FontEditor::strokeMoved(QPoint led)
{
    if (!stroking_ || !document_->glyph(current_))
        return;
    tool().move(*target_, led);
    showWorking();
}

void FontEditor::strokeReleased(QPoint led)
{
    if (!stroking_)
        return;
    stroking_ = false;
    if (!document_->glyph(current_))
        return;
    tool().release(*target_, led);
    tool().setUnlit(false);
    showGlyph();
}

void FontEditor::strokeKey(int key)
{
    const vexel::Glyph* g = document_->glyph(current_);
    if (!g || stroking_)
        return;
    target_->cell = g->cell;
    if (tool().key(*target_, key))
        showGlyph();
}

void FontEditor::finishStep(const LedBitmap& cell, const QString& name)
{
    const vexel::Status set = document_->setCell(current_, cell, name);
    if (!set)
        report(set.error());
}

void FontEditor::showWorking()
{
    const vexel::Glyph* g = document_->glyph(current_);
    canvas->setGlyph(target_->cell, g ? g->advance : 0, document_->baseline());
    canvas->setOverlay(tool().preview(), target_->selected);
}

void FontEditor::widthChosen(int width)
{
    if (showing_ || !document_->glyph(current_))
        return;
    const vexel::Status set = document_->setWidth(current_, width);
    if (!set)
        report(set.error());
}

void FontEditor::advanceChosen(int advance)
{
    if (showing_ || !document_->glyph(current_))
        return;
    const vexel::Status set = document_->setAdvance(current_, advance);
    if (!set)
        report(set.error());
}

void FontEditor::report(const QString& error) { prompter_.error(error); }

void FontEditor::closeEvent(QCloseEvent* event)
{
    if (document_->isModified() && prompter_.confirm(tr("Font changed. Do you want to save?")) &&
        !Save1Click()) {
        // A save that did not happen keeps the window and the changes.
        event->ignore();
        return;
    }
    event->accept();
}
