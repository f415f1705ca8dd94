#include "app/TextPanel.h"

#include "session/ShownWords.h"
#include "widgets/AccessibleText.h"

#include "document/PixelArray.h"
#include "lettering/FontList.h"
#include "lettering/SignPresets.h"
#include "lettering/TextFit.h"
#include "lettering/UserFonts.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

using vexel::FontList;
using vexel::FrameRect;
using vexel::HAlign;
using vexel::TextBlock;
using vexel::TextStyle;
using vexel::VAlign;

namespace {

constexpr int PreferredHeight = 11; // two lines on a 24-row board

QString describe(char32_t c)
{
    return QStringLiteral("%1 (U+%2)")
        .arg(QString::fromUcs4(&c, 1), QString::number(static_cast<uint>(c), 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

} // namespace

TextPanel::TextPanel(std::shared_ptr<FontList> fonts, QWidget* parent)
    : QWidget(parent, Qt::Tool), fonts_(std::move(fonts))
{
    if (!fonts_)
        fonts_ = std::make_shared<FontList>(FontList::installedPlaces());
    setWindowTitle(tr("Text"));
    buildControls();

    TextBlock first;
    first.style.font = defaultFont();
    first.style.hAlign = HAlign::Centre;
    first.style.vAlign = VAlign::Middle;
    if (const vexel::FontInfo* info = fonts_->find(first.style.font))
        first.style.height = info->size(PreferredHeight) ? PreferredHeight : info->sizes.front().height;
    blocks_.push_back(first);
    fillFonts();
    showBlock(0);
    recompute();
    connect(&vexel::UserFonts::instance(), &vexel::UserFonts::fontSaved, this, &TextPanel::reloadFonts);
}

TextPanel::~TextPanel() = default;

void TextPanel::reloadFonts()
{
    fonts_->reload();
    fillFonts();
    showBlock(current_);
    recompute();
}

void TextPanel::buildControls()
{
    auto* outer = new QVBoxLayout(this);

    textEdit = new QPlainTextEdit(this);
    textEdit->setAccessibleName(tr("Text"));
    textEdit->setPlaceholderText(tr("Text to letter; Enter starts a new line"));
    textEdit->setTabChangesFocus(true);
    textEdit->setFixedHeight(textEdit->fontMetrics().lineSpacing() * 4 + 12);
    outer->addWidget(textEdit);

    outer->addLayout(buildPresets());
    outer->addLayout(buildForm());
    form_->setRowVisible(partBox, false);
    form_->setRowVisible(numberFontBox, false);
    buildFit(outer);
    buildMessages(outer);
    outer->addLayout(buildButtons());
    connectControls();
}

QHBoxLayout* TextPanel::buildPresets()
{
    auto* presets = new QHBoxLayout;
    oneTextButton = new QPushButton(tr("One text"), this);
    numberButton = new QPushButton(tr("Number + destination"), this);
    twoLinesButton = new QPushButton(tr("Two lines"), this);
    for (QPushButton* b : {oneTextButton, numberButton, twoLinesButton}) {
        b->setCheckable(true);
        b->setAutoDefault(false);
        presets->addWidget(b);
    }
    oneTextButton->setChecked(true);
    return presets;
}

QFormLayout* TextPanel::buildForm()
{
    auto* form = form_ = new QFormLayout;
    partBox = new QComboBox(this);
    nameComboBox(partBox, tr("Part of the sign"));
    form->addRow(tr("&Part:"), partBox);

    fontBox = new QComboBox(this);
    nameComboBox(fontBox, tr("Font"));
    form->addRow(tr("&Font:"), fontBox);

    auto* sizeRow = new QHBoxLayout;
    heightBox = new QComboBox(this);
    nameComboBox(heightBox, tr("Height in LEDs"));
    boldBox = new QCheckBox(tr("&Bold"), this);
    sizeRow->addWidget(heightBox, 1);
    sizeRow->addWidget(boldBox);
    form->addRow(tr("&Height:"), sizeRow);
    static_cast<QLabel*>(form->labelForField(sizeRow))->setBuddy(heightBox);

    letterSpacingBox = new QSpinBox(this);
    letterSpacingBox->setRange(TextStyle::MinLetterSpacing, TextStyle::MaxLetterSpacing);
    letterSpacingBox->setSuffix(tr(" LEDs"));
    letterSpacingBox->setAccessibleName(tr("Letter spacing in LEDs"));
    form->addRow(tr("L&etter spacing:"), letterSpacingBox);
    lineSpacingBox = new QSpinBox(this);
    lineSpacingBox->setRange(TextStyle::MinLineSpacing, TextStyle::MaxLineSpacing);
    lineSpacingBox->setSuffix(tr(" LEDs"));
    lineSpacingBox->setAccessibleName(tr("Line spacing in LEDs"));
    form->addRow(tr("&Line spacing:"), lineSpacingBox);

    auto* alignRow = new QHBoxLayout;
    hAlignBox = new QComboBox(this);
    hAlignBox->addItems({tr("Left"), tr("Centre"), tr("Right")});
    nameComboBox(hAlignBox, tr("Horizontal alignment"));
    vAlignBox = new QComboBox(this);
    vAlignBox->addItems({tr("Top"), tr("Middle"), tr("Bottom")});
    nameComboBox(vAlignBox, tr("Vertical alignment"));
    alignRow->addWidget(hAlignBox);
    alignRow->addWidget(vAlignBox);
    form->addRow(tr("&Align:"), alignRow);
    static_cast<QLabel*>(form->labelForField(alignRow))->setBuddy(hAlignBox);

    numberFontBox = new QComboBox(this);
    nameComboBox(numberFontBox, tr("Number font"));
    numberFontBox->setToolTip(tr("The font of the route number; the text's font unless another is chosen"));
    form->addRow(tr("&Number font:"), numberFontBox);

    targetBox = targets_.makeBox(this);
    form->addRow(tr("&Target:"), targetBox);
    return form;
}

void TextPanel::buildFit(QVBoxLayout* outer)
{
    auto* fitRow = new QHBoxLayout;
    fitButton = new QPushButton(tr("F&it"), this);
    fitButton->setAutoDefault(false);
    fitButton->setToolTip(tr("The largest height of this font at which the text fits its area; a line that fits "
                             "no height goes on two, broken at a space or else after a hyphen"));
    fitLabel = new QLabel(this);
    fitLabel->setWordWrap(true);
    fitLabel->setAccessibleName(tr("Fit result"));
    fitRow->addWidget(fitButton);
    fitRow->addWidget(fitLabel, 1);
    outer->addLayout(fitRow);
    fitStepLabel = new QLabel(this);
    fitStepLabel->setAccessibleName(tr("Fitting step"));
    fitStepLabel->setToolTip(tr("Fitting tries the face at its height, then the condensed face of that height, "
                                "then the next height down; then two lines, then a break after a hyphen"));
    outer->addWidget(fitStepLabel);
}

void TextPanel::buildMessages(QVBoxLayout* outer)
{
    missingLabel = new QLabel(this);
    missingLabel->setWordWrap(true);
    missingLabel->setAccessibleName(tr("Missing characters"));
    missingLabel->setTextFormat(Qt::PlainText);
    outer->addWidget(missingLabel);
    statusLabel = new QLabel(this);
    statusLabel->setWordWrap(true);
    statusLabel->setAccessibleName(tr("Status"));
    statusLabel->setTextFormat(Qt::PlainText);
    outer->addWidget(statusLabel);

    clearTargetBox = new QCheckBox(tr("&Clear target"), this);
    clearTargetBox->setToolTip(tr("Unlit every LED of the target before the text is written"));
    outer->addWidget(clearTargetBox);
}

QHBoxLayout* TextPanel::buildButtons()
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    placeButton = new QPushButton(tr("&Place"), this);
    placeButton->setDefault(true);
    cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setAutoDefault(false);
    buttons->addWidget(placeButton);
    buttons->addWidget(cancelButton);
    return buttons;
}

void TextPanel::connectControls()
{
    connect(textEdit, &QPlainTextEdit::textChanged, this, &TextPanel::textEdited);
    connect(partBox, qOverload<int>(&QComboBox::currentIndexChanged), this, &TextPanel::partChosen);
    connect(fontBox, qOverload<int>(&QComboBox::currentIndexChanged), this, &TextPanel::fontChosen);
    connect(heightBox, qOverload<int>(&QComboBox::currentIndexChanged), this, &TextPanel::readFields);
    connect(boldBox, &QCheckBox::toggled, this, &TextPanel::readFields);
    connect(letterSpacingBox, qOverload<int>(&QSpinBox::valueChanged), this, &TextPanel::readFields);
    connect(lineSpacingBox, qOverload<int>(&QSpinBox::valueChanged), this, &TextPanel::readFields);
    connect(hAlignBox, qOverload<int>(&QComboBox::currentIndexChanged), this, &TextPanel::readFields);
    connect(vAlignBox, qOverload<int>(&QComboBox::currentIndexChanged), this, &TextPanel::readFields);
    connect(targetBox, qOverload<int>(&QComboBox::currentIndexChanged), this, &TextPanel::targetChosen);
    connect(numberFontBox, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] {
        if (!loading_ && layout_ == Layout::NumberAndDestination)
            applyLayout(layout_);
    });
    connect(oneTextButton, &QPushButton::clicked, this, [this] { applyLayout(Layout::OneText); });
    connect(numberButton, &QPushButton::clicked, this, [this] { applyLayout(Layout::NumberAndDestination); });
    connect(twoLinesButton, &QPushButton::clicked, this, [this] { applyLayout(Layout::TwoLines); });
    connect(fitButton, &QPushButton::clicked, this, &TextPanel::fit);
    connect(placeButton, &QPushButton::clicked, this, &TextPanel::place);
    connect(cancelButton, &QPushButton::clicked, this, &TextPanel::cancel);
}

QString TextPanel::defaultFont() const
{
    if (fonts_->find(QStringLiteral("Vexel LED")))
        return QStringLiteral("Vexel LED");
    for (const vexel::FontInfo& f : fonts_->fonts())
        if (f.kind == vexel::FontKind::Led)
            return f.name;
    return fonts_->fonts().empty() ? QString() : fonts_->fonts().front().name;
}

void TextPanel::fillFonts()
{
    const QSignalBlocker blocker(fontBox);
    fontBox->clear();
    for (const vexel::FontInfo& f : fonts_->fonts()) {
        QString shown = f.name;
        if (f.kind == vexel::FontKind::Led)
            shown += tr(" (LED font)");
        else if (f.kind == vexel::FontKind::Bitmap)
            shown += tr(" (bitmap)");
        fontBox->addItem(shown, f.name);
    }
    const QSignalBlocker numberBlocker(numberFontBox);
    numberFontBox->clear();
    numberFontBox->addItem(tr("As the text"), QString());
    for (const vexel::FontInfo& f : fonts_->fonts())
        if (f.kind == vexel::FontKind::Led)
            numberFontBox->addItem(f.name, f.name);
    if (!fonts_->problems().isEmpty())
        fontBox->setToolTip(tr("Font files that could not be read:\n") + fonts_->problems().join(QLatin1Char('\n')));
}

// Each height, and after it its condensed face where the font has one; the
// item's data is the height, its CondensedRole whether it is condensed.
void TextPanel::fillHeights(const QString& font, int wanted, bool condensed)
{
    constexpr int CondensedRole = Qt::UserRole + 1;
    const QSignalBlocker blocker(heightBox);
    heightBox->clear();
    const vexel::FontInfo* info = fonts_->find(font);
    if (!info)
        return;
    // The wanted height, or the tallest one below it, or the smallest.
    int chosen = 0;
    for (const vexel::FontSize& s : info->sizes) {
        const QString label = s.scale == 1 ? QString::number(s.height)
                                           : tr("%1 (%2 x %3)").arg(s.height).arg(s.native).arg(s.scale);
        heightBox->addItem(label, s.height);
        if (s.height <= wanted)
            chosen = heightBox->count() - 1;
        if (s.condensed) {
            heightBox->addItem(tr("%1 condensed").arg(label), s.height);
            heightBox->setItemData(heightBox->count() - 1, true, CondensedRole);
            if (s.height == wanted && condensed)
                chosen = heightBox->count() - 1;
        }
    }
    heightBox->setCurrentIndex(chosen);
}

void TextPanel::showStep()
{
    const std::size_t i = static_cast<std::size_t>(current_);
    const std::string step = i < steps_.size() ? steps_[i] : std::string();
    fitStepLabel->setText(step.empty() ? QString()
                                     : tr("Fitting step: %1").arg(vexel::shownFitStatus(QString::fromStdString(step))));
    fitStepLabel->setVisible(!step.empty());
}

// Fills the fields from a block; no field change is read back meanwhile.
void TextPanel::showBlock(int index)
{
    current_ = std::clamp(index, 0, static_cast<int>(blocks_.size()) - 1);
    const TextBlock& b = blocks_[static_cast<std::size_t>(current_)];
    loading_ = true;
    if (textEdit->toPlainText() != b.text)
        textEdit->setPlainText(b.text);
    const int fontIndex = fontBox->findData(b.style.font);
    {
        const QSignalBlocker blocker(fontBox);
        fontBox->setCurrentIndex(fontIndex);
    }
    fillHeights(b.style.font, b.style.height, b.style.condensed);
    const vexel::FontInfo* info = fonts_->find(b.style.font);
    boldBox->setEnabled(info && info->hasBold(b.style.height));
    boldBox->setChecked(b.style.bold);
    letterSpacingBox->setValue(b.style.letterSpacing);
    lineSpacingBox->setValue(b.style.lineSpacing);
    hAlignBox->setCurrentIndex(static_cast<int>(b.style.hAlign));
    vAlignBox->setCurrentIndex(static_cast<int>(b.style.vAlign));
    loading_ = false;
    showStep();
    readFields();
}

void TextPanel::readFields()
{
    if (loading_ || blocks_.empty())
        return;
    TextBlock& b = blocks_[static_cast<std::size_t>(current_)];
    b.style.font = fontBox->currentData().toString();
    if (heightBox->currentIndex() >= 0) {
        b.style.height = heightBox->currentData().toInt();
        b.style.condensed = heightBox->currentData(Qt::UserRole + 1).toBool();
    }
    const vexel::FontInfo* info = fonts_->find(b.style.font);
    boldBox->setEnabled(info && info->hasBold(b.style.height));
    b.style.bold = boldBox->isEnabled() && boldBox->isChecked();
    b.style.letterSpacing = letterSpacingBox->value();
    b.style.lineSpacing = lineSpacingBox->value();
    b.style.hAlign = static_cast<HAlign>(std::max(0, hAlignBox->currentIndex()));
    b.style.vAlign = static_cast<VAlign>(std::max(0, vAlignBox->currentIndex()));
    recompute();
}

void TextPanel::textEdited()
{
    if (loading_ || blocks_.empty())
        return;
    blocks_[static_cast<std::size_t>(current_)].text = textEdit->toPlainText();
    recompute();
}

void TextPanel::fontChosen()
{
    if (loading_)
        return;
    fillHeights(fontBox->currentData().toString(), heightBox->currentData().toInt());
    readFields();
}

void TextPanel::partChosen()
{
    if (!loading_)
        showBlock(partBox->currentIndex());
}

void TextPanel::targetChosen()
{
    if (!loading_)
        relayout();
}

FrameRect TextPanel::target() const { return targets_.target(); }

void TextPanel::setTargets(const FrameRect& frame, const std::optional<FrameRect>& selection)
{
    targets_.set(frame, selection);
    relayout();
}

QString TextPanel::allText(const QChar& separator) const
{
    QStringList texts;
    for (const TextBlock& b : blocks_)
        if (!b.text.trimmed().isEmpty())
            texts << b.text.trimmed();
    return texts.join(separator);
}

void TextPanel::applyLayout(Layout layout)
{
    const QString text = allText(layout == Layout::TwoLines || layout == Layout::OneText ? QChar('\n') : QChar(' '));
    TextStyle base = blocks_[static_cast<std::size_t>(current_)].style;
    // With the route number in a font of its own, the destination's style is
    // the text's.
    if (layout_ == Layout::NumberAndDestination && blocks_.size() == 2 && current_ == 0 &&
        (!numberFontBox->currentData().toString().isEmpty() || blocks_[0].style.font != blocks_[1].style.font))
        base = blocks_[1].style;
    layout_ = layout;
    oneTextButton->setChecked(layout == Layout::OneText);
    numberButton->setChecked(layout == Layout::NumberAndDestination);
    twoLinesButton->setChecked(layout == Layout::TwoLines);

    const FrameRect t = target();
    QStringList names;
    steps_.clear();
    form_->setRowVisible(numberFontBox, layout == Layout::NumberAndDestination);
    if (layout == Layout::OneText) {
        TextBlock b;
        b.text = text;
        b.style = base;
        b.area = FrameRect{0, 0, t.w, t.h};
        blocks_ = {b};
        setReadableText(fitLabel, QString());
    } else {
        const auto [first, second] = layout == Layout::NumberAndDestination ? vexel::SignPresets::splitNumber(text)
                                                                            : vexel::SignPresets::splitLines(text);
        vexel::PresetOptions options;
        options.numberFont = numberFontBox->currentData().toString();
        const vexel::PresetLayout preset =
            layout == Layout::NumberAndDestination
                ? vexel::SignPresets::numberAndDestination(first, second, *fonts_, base, t.w, t.h, options)
                : vexel::SignPresets::twoLines(first, second, *fonts_, base, t.w, t.h, options);
        steps_ = preset.steps;
        setReadableText(fitLabel, vexel::shownPresetMessage(preset));
        if (preset.blocks.empty()) {
            TextBlock b;
            b.style = base;
            b.area = FrameRect{0, 0, t.w, t.h};
            blocks_ = {b};
        } else {
            blocks_ = preset.blocks;
            if (layout == Layout::NumberAndDestination)
                names = blocks_.size() == 2 ? QStringList{tr("Route number"), tr("Destination")}
                                            : QStringList{second.isEmpty() ? tr("Route number") : tr("Destination")};
            else
                names = blocks_.size() == 2 ? QStringList{tr("Upper line"), tr("Lower line")}
                                            : QStringList{tr("Line")};
        }
    }
    loading_ = true;
    partBox->clear();
    partBox->addItems(names);
    form_->setRowVisible(partBox, names.size() > 1);
    loading_ = false;
    showBlock(0);
}

// The target changed: a preset is laid out again for its new size.
void TextPanel::relayout()
{
    if (layout_ != Layout::OneText) {
        applyLayout(layout_);
        return;
    }
    const FrameRect t = target();
    for (TextBlock& b : blocks_)
        b.area = FrameRect{0, 0, t.w, t.h};
    recompute();
}

void TextPanel::fit()
{
    TextBlock& b = blocks_[static_cast<std::size_t>(current_)];
    const vexel::LineFit lines = vexel::SignPresets::fitOneText(b.text, *fonts_, b.style, b.area.w, b.area.h);
    const vexel::FitResult& result = lines.fit;
    setReadableText(fitLabel, vexel::shownFitMessage(result));
    if (!result.fits)
        return;
    b.text = lines.text;
    b.style.height = result.height;
    b.style.condensed = result.condensed;
    b.style.letterSpacing = result.letterSpacing;
    steps_.resize(blocks_.size());
    steps_[static_cast<std::size_t>(current_)] = result.step;
    showBlock(current_);
}

void TextPanel::recompute()
{
    const FrameRect t = target();
    ghost_ = vexel::TextLayout::renderBlocks(blocks_, *fonts_, t.w, t.h);
    QString missing;
    QStringList described;
    for (char32_t c : ghost_.missing) {
        missing += QString::fromUcs4(&c, 1);
        described << describe(c);
    }
    setReadableText(missingLabel, described.isEmpty() ? QString()
                                              : tr("Not in this font (shown as boxes): %1").arg(described.join(", ")));
    missingLabel->setVisible(!described.isEmpty());
    QString status;
    if (fonts_->fonts().empty())
        status = tr("No font is installed.");
    else if (!ghost_.error.empty())
        status = QString::fromStdString(ghost_.error);
    else if (ghost_.overflow)
        status = tr("The text reaches past the target.");
    setReadableText(statusLabel, status);
    statusLabel->setVisible(!status.isEmpty());
    emit ghostChanged(t, ghost_.bitmap, missing);
}

void TextPanel::place()
{
    emit placeRequested(target(), ghost_.bitmap, clearTargetBox->isChecked());
    hide();
}

void TextPanel::cancel()
{
    emit cancelled();
    hide();
}

// Escape reaches the panel from whichever field has the focus, as in a dialog.
void TextPanel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancel();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TextPanel::closeEvent(QCloseEvent* event)
{
    emit cancelled();
    event->accept();
}
