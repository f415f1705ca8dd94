#include "app/ImportPanel.h"

#include "document/PixelArray.h"
#include "widgets/AccessibleText.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

using vexel::FrameRect;
using vexel::ImportOptions;
using vexel::LedConversion;
using vexel::PictureFit;
using vexel::PictureImport;

ImportPanel::ImportPanel(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setWindowTitle(tr("Import picture"));
    buildControls();
    showFrames();
}

ImportPanel::~ImportPanel() = default;

void ImportPanel::buildControls()
{
    auto* outer = new QVBoxLayout(this);
    fileLabel = new QLabel(tr("No picture"), this);
    fileLabel->setTextFormat(Qt::PlainText);
    fileLabel->setAccessibleName(tr("Picture"));
    outer->addWidget(fileLabel);

    outer->addLayout(buildForm());
    outer->addLayout(buildFramesRow());
    statusLabel = new QLabel(this);
    statusLabel->setWordWrap(true);
    statusLabel->setTextFormat(Qt::PlainText);
    statusLabel->setAccessibleName(tr("Status"));
    statusLabel->hide();
    outer->addWidget(statusLabel);
    outer->addLayout(buildButtons());
    connectControls();
}

QFormLayout* ImportPanel::buildForm()
{
    auto* form = new QFormLayout;
    fitBox = new QComboBox(this);
    fitBox->addItems({tr("Keep aspect"), tr("Stretch")});
    nameComboBox(fitBox, tr("Fit"));
    form->addRow(tr("&Fit:"), fitBox);

    methodBox = new QComboBox(this);
    methodBox->addItems({tr("Threshold"), tr("Ordered dither"), tr("Error diffusion")});
    nameComboBox(methodBox, tr("Conversion"));
    form->addRow(tr("&Method:"), methodBox);

    auto* thresholdRow = new QHBoxLayout;
    thresholdSlider = new QSlider(Qt::Horizontal, this);
    thresholdSlider->setRange(0, 255);
    thresholdSlider->setValue(ImportOptions::DefaultThreshold);
    thresholdSlider->setAccessibleName(tr("Threshold"));
    thresholdSlider->setToolTip(tr("Grey level from which an LED is lit; with a dither, a brightness shift"));
    thresholdLabel = new QLabel(this);
    thresholdLabel->setMinimumWidth(thresholdLabel->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    invertBox = new QCheckBox(tr("&Invert"), this);
    invertBox->setToolTip(tr("Light the dark parts, for dark drawings on white"));
    thresholdRow->addWidget(thresholdSlider, 1);
    thresholdRow->addWidget(thresholdLabel);
    thresholdRow->addWidget(invertBox);
    form->addRow(tr("&Threshold:"), thresholdRow);
    static_cast<QLabel*>(form->labelForField(thresholdRow))->setBuddy(thresholdSlider);

    targetBox = targets_.makeBox(this);
    form->addRow(tr("T&arget:"), targetBox);
    return form;
}

QHBoxLayout* ImportPanel::buildFramesRow()
{
    auto* framesRow = new QHBoxLayout;
    framesLabel = new QLabel(this);
    framesLabel->setWordWrap(true);
    framesButton = new QPushButton(tr("Import as &frames"), this);
    framesButton->setAutoDefault(false);
    framesRow->addWidget(framesLabel, 1);
    framesRow->addWidget(framesButton);
    return framesRow;
}

QHBoxLayout* ImportPanel::buildButtons()
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    placeButton = new QPushButton(tr("&Place"), this);
    placeButton->setDefault(true);
    placeButton->setEnabled(false);
    cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setAutoDefault(false);
    buttons->addWidget(placeButton);
    buttons->addWidget(cancelButton);
    return buttons;
}

void ImportPanel::connectControls()
{
    connect(fitBox, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { recompute(true); });
    connect(targetBox, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] {
        if (!loading_)
            recompute(true);
    });
    connect(methodBox, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { recompute(false); });
    connect(thresholdSlider, &QSlider::valueChanged, this, [this] { recompute(false); });
    connect(invertBox, &QCheckBox::toggled, this, [this] { recompute(false); });
    connect(framesButton, &QPushButton::clicked, this, &ImportPanel::importFrames);
    connect(placeButton, &QPushButton::clicked, this, &ImportPanel::place);
    connect(cancelButton, &QPushButton::clicked, this, &ImportPanel::cancel);
}

ImportOptions ImportPanel::options() const
{
    ImportOptions o;
    o.fit = fitBox->currentIndex() == 1 ? PictureFit::Stretch : PictureFit::KeepAspect;
    o.method = static_cast<LedConversion>(std::max(0, methodBox->currentIndex()));
    o.threshold = thresholdSlider->value();
    o.invert = invertBox->isChecked();
    return o;
}

FrameRect ImportPanel::target() const { return targets_.target(); }

void ImportPanel::setTargets(const FrameRect& frame, const std::optional<FrameRect>& selection)
{
    targets_.set(frame, selection);
    recompute(true);
}

void ImportPanel::setFrameRoom(int frames)
{
    frameRoom_ = std::max(0, frames);
    showFrames();
}

vexel::Status ImportPanel::openPicture(const QString& path)
{
    vexel::Expected<vexel::Picture> read = PictureImport::read(path);
    if (!read)
        return read.status();
    picture_ = std::move(read).value();
    fileLabel->setText(QFileInfo(path).fileName());
    fileLabel->setToolTip(path);
    placeButton->setEnabled(true);
    showFrames();
    recompute(true);
    return vexel::Status::success();
}

void ImportPanel::showFrames()
{
    const bool animated = picture_ && picture_->animated();
    framesLabel->setVisible(animated);
    framesButton->setVisible(animated);
    if (!animated)
        return;
    const int count = static_cast<int>(picture_->frames.size());
    const int fit = std::min(count, frameRoom_);
    QString text = tr("Animation of %1 frames.").arg(picture_->framesInFile);
    if (fit < picture_->framesInFile)
        text += QLatin1Char(' ') + tr("The image can take %1 more (%2 frames at most); only the first %1 are "
                                      "imported.")
                                       .arg(fit)
                                       .arg(vexel::ImageRecord::MaxFrames);
    framesLabel->setText(text);
    framesButton->setEnabled(fit > 0);
}

void ImportPanel::recompute(bool rescale)
{
    const FrameRect t = target();
    if (!picture_ || picture_->frames.empty()) {
        ghost_ = vexel::LedBitmap(t.w, t.h);
    } else {
        if (rescale || scaled_.width != t.w || scaled_.height != t.h)
            scaled_ = PictureImport::scale(picture_->frames.front(), t.w, t.h, options().fit);
        ghost_ = PictureImport::toLeds(scaled_, options());
    }
    thresholdLabel->setText(QString::number(thresholdSlider->value()));
    emit ghostChanged(t, ghost_);
}

void ImportPanel::place()
{
    if (!picture_)
        return;
    emit placeRequested(target(), ghost_);
    hide();
}

void ImportPanel::importFrames()
{
    if (!picture_ || !picture_->animated())
        return;
    const FrameRect t = target();
    const ImportOptions o = options();
    const std::size_t count = std::min(picture_->frames.size(), static_cast<std::size_t>(frameRoom_));
    std::vector<vexel::LedBitmap> frames;
    std::vector<int> durations;
    for (std::size_t i = 0; i < count; ++i) {
        frames.push_back(PictureImport::convert(picture_->frames[i], t.w, t.h, o));
        durations.push_back(PictureImport::frameDuration(picture_->delaysMs[i]));
    }
    if (frames.empty())
        return;
    emit framesRequested(t, frames, durations);
    hide();
}

void ImportPanel::cancel()
{
    emit cancelled();
    hide();
}

// Escape reaches the panel from whichever field has the focus, as in a dialog.
void ImportPanel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancel();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ImportPanel::closeEvent(QCloseEvent* event)
{
    emit cancelled();
    event->accept();
}
