#pragma once

#include "document/LedBitmap.h"
#include "document/LedRect.h"
#include "editor/tools/LedTool.h"

#include <QStringList>
#include <QWidget>

#include <memory>
#include <vector>

class Prompter;
class QButtonGroup;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QToolButton;
class QVBoxLayout;

namespace vexel {
class FontDocument;
} // namespace vexel
class GlyphTarget;

// The zoomed LED grid of one glyph: the cell, the columns up to the advance,
// the baseline and the advance marked. Reports strokes in LEDs.
class GlyphCanvas : public QWidget {
    Q_OBJECT
public:
    explicit GlyphCanvas(QWidget* parent = nullptr);

    void setGlyph(const vexel::LedBitmap& cell, int advance, int baseline);
    // What a tool shows over the cell while a gesture is under way, and the
    // selection (ends exclusive; zero for none).
    void setOverlay(const std::vector<vexel::PreviewLed>& preview, const vexel::LedRect& selection);
    const vexel::LedBitmap& cell() const { return cell_; }
    int cellSize() const { return cellSize_; }
    // The top-left pixel of an LED's square.
    QPoint ledOrigin(QPoint led) const;

signals:
    void pressed(QPoint led, bool lit);
    void moved(QPoint led);
    void released(QPoint led);
    void keyPressed(int key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPoint ledAt(QPoint position) const;
    void layout();

    vexel::LedBitmap cell_;
    int advance_ = 0;
    int baseline_ = 0;
    std::vector<vexel::PreviewLed> preview_;
    vexel::LedRect selection_;
    int cellSize_ = 24;
    bool stroke_ = false;
};

// A line of LEDs drawn `scale` pixels a LED, one pixel apart at scale 1.
class LedLineView : public QWidget {
public:
    LedLineView(int scale, QWidget* parent = nullptr);
    void setLine(const vexel::LedBitmap& line);
    const vexel::LedBitmap& line() const { return line_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    vexel::LedBitmap line_;
    int scale_;
};

// The font editor window: a .vfont's glyph list with a search field, the
// chosen glyph on a zoomed LED grid with the drawing tools, its width and
// advance, the face's baseline, a preview line and undo, redo and saving.
class FontEditor : public QWidget {
    Q_OBJECT
public:
    explicit FontEditor(Prompter& prompter, QWidget* parent = nullptr);
    ~FontEditor() override;

    // The window of `owner`, made when first asked for, shown and raised.
    static FontEditor* showFor(QWidget* owner, Prompter& prompter);

    vexel::FontDocument& document() { return *document_; }
    // Opens a font, the refusal in an error box; false when refused.
    bool openFont(const QString& path);
    char32_t currentCode() const { return current_; }
    void selectGlyph(char32_t code);
    void selectTool(int index);
    // The tool row's index of a tool by the name the editor layer gives it
    // ("Line", whatever the buttons show), or -1.
    int toolIndex(const QString& name) const;
    vexel::LedTool& tool() { return *tools_[static_cast<std::size_t>(tool_)]; }

    void Open1Click();
    // Save a shipped font asks for a copy's name; a refusal is shown.
    bool Save1Click();
    bool SaveAs1Click();
    void AddGlyphClick();
    void RemoveGlyphClick();
    void Undo1Click();
    void Redo1Click();

    QLineEdit* searchEdit = nullptr;
    QListWidget* glyphList = nullptr;
    GlyphCanvas* canvas = nullptr;
    QButtonGroup* toolButtons = nullptr;
    QSpinBox* widthBox = nullptr;
    QSpinBox* advanceBox = nullptr;
    QLabel* baselineLabel = nullptr;
    QLabel* fontLabel = nullptr;
    QLineEdit* addEdit = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* removeButton = nullptr;
    QToolButton* openButton = nullptr;
    QToolButton* saveButton = nullptr;
    QToolButton* saveAsButton = nullptr;
    QToolButton* undoButton = nullptr;
    QToolButton* redoButton = nullptr;
    QLineEdit* sampleEdit = nullptr;
    LedLineView* sampleSmall = nullptr;
    LedLineView* sampleZoomed = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    QHBoxLayout* buildFileRow();
    QVBoxLayout* buildListColumn();
    QVBoxLayout* buildGlyphColumn();
    void buildSamples(QVBoxLayout* top);
    void connectControls();
    void addShortcuts();
    void fillList();
    void showGlyph();
    void showSample();
    void showState();
    void showUndoTips();
    void documentChanged(char32_t code);
    friend class GlyphTarget;
    void finishStep(const vexel::LedBitmap& cell, const QString& name);
    void strokePressed(QPoint led, bool lit);
    void strokeMoved(QPoint led);
    void strokeReleased(QPoint led);
    void widthChosen(int width);
    void advanceChosen(int advance);
    void report(const QString& error);

    Prompter& prompter_;
    std::unique_ptr<vexel::FontDocument> document_;
    void strokeKey(int key);
    void showWorking();

    std::vector<std::unique_ptr<vexel::LedTool>> tools_;
    QStringList toolNames_;    // as the editor layer names them; toolIndex() finds them
    QStringList toolCaptions_; // as the buttons show them
    std::unique_ptr<GlyphTarget> target_;
    int tool_ = 0;
    char32_t current_ = 0;
    bool stroking_ = false;
    bool showing_ = false; // fields are being filled from the document
};
