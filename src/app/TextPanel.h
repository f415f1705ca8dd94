#pragma once

#include "app/TargetChoice.h"

#include "document/FrameHeader.h"
#include "document/LedBitmap.h"
#include "lettering/TextLayout.h"
#include "lettering/TextStyle.h"

#include <QMetaType>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QHBoxLayout;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QVBoxLayout;

namespace vexel {
class FontList;
}

// The Text tool's small non-modal window: the text, its font and layout,
// the target, and the two route-sign presets. It only computes: the owner
// draws the ghost it announces and writes the text on Place.
class TextPanel : public QWidget {
    Q_OBJECT
public:
    enum class Layout { OneText, NumberAndDestination, TwoLines };

    // Without a font list the panel finds the installed fonts itself.
    explicit TextPanel(std::shared_ptr<vexel::FontList> fonts = nullptr, QWidget* parent = nullptr);
    ~TextPanel() override;

    // The current frame's window and the selection, in board LEDs. The
    // selection counts only as far as it lies inside the frame's window.
    void setTargets(const vexel::FrameRect& frame, const std::optional<vexel::FrameRect>& selection);

    vexel::FrameRect target() const;
    const vexel::Lettering& ghost() const { return ghost_; }
    const std::vector<vexel::TextBlock>& blocks() const { return blocks_; }
    Layout layout() const { return layout_; }
    vexel::FontList& fonts() { return *fonts_; }

    // The panel's own actions, as its buttons do them.
    void fit();
    void applyLayout(Layout layout);
    void place();
    void cancel();
    // Looks for the fonts again, keeping the text and its choices: a font
    // saved in the font editor is offered at once.
    void reloadFonts();

    QPlainTextEdit* textEdit = nullptr;
    QComboBox* partBox = nullptr;
    QComboBox* fontBox = nullptr;
    QComboBox* heightBox = nullptr;
    QCheckBox* boldBox = nullptr;
    QSpinBox* letterSpacingBox = nullptr;
    QSpinBox* lineSpacingBox = nullptr;
    QComboBox* hAlignBox = nullptr;
    QComboBox* vAlignBox = nullptr;
    QComboBox* targetBox = nullptr;
    QPushButton* oneTextButton = nullptr;
    QPushButton* numberButton = nullptr;
    QPushButton* twoLinesButton = nullptr;
    QPushButton* fitButton = nullptr;
    QLabel* fitLabel = nullptr;
    QLabel* fitStepLabel = nullptr;   // the step of the fitting order used
    QComboBox* numberFontBox = nullptr; // the route number's font in the Number + destination preset
    QLabel* missingLabel = nullptr;
    QLabel* statusLabel = nullptr;
    QCheckBox* clearTargetBox = nullptr;
    QPushButton* placeButton = nullptr;
    QPushButton* cancelButton = nullptr;

signals:
    // After every change: the target in board LEDs, the text as LEDs of the
    // target's size, and the characters the font lacks (drawn as boxes).
    void ghostChanged(const vexel::FrameRect& target, const vexel::LedBitmap& bitmap, const QString& missing);
    // Lit LEDs of `bitmap` are to be lit in the target; with clearTarget the
    // target's other LEDs are cleared first.
    void placeRequested(const vexel::FrameRect& target, const vexel::LedBitmap& bitmap, bool clearTarget);
    void cancelled();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    QHBoxLayout* buildPresets();
    QFormLayout* buildForm();
    void buildFit(QVBoxLayout* outer);
    void buildMessages(QVBoxLayout* outer);
    QHBoxLayout* buildButtons();
    void connectControls();
    void fillFonts();
    void fillHeights(const QString& font, int wanted, bool condensed = false);
    void showStep();
    void showBlock(int index);
    void readFields();
    void textEdited();
    void fontChosen();
    void targetChosen();
    void partChosen();
    void relayout();
    void recompute();
    QString allText(const QChar& separator) const;
    QString defaultFont() const;

    std::shared_ptr<vexel::FontList> fonts_;
    QFormLayout* form_ = nullptr;
    TargetChoice targets_;
    Layout layout_ = Layout::OneText;
    std::vector<vexel::TextBlock> blocks_;
    std::vector<std::string> steps_; // the fitting step of each block, where one was fitted
    int current_ = 0;
    vexel::Lettering ghost_;
    bool loading_ = false; // fields are being filled from a block
};

Q_DECLARE_METATYPE(vexel::FrameRect)
Q_DECLARE_METATYPE(vexel::LedBitmap)
