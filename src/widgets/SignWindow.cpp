#include "widgets/SignWindow.h"

#include "document/ImageFile.h"
#include "widgets/AccessibleText.h"
#include "widgets/SignView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr double Speeds[] = {0.25, 0.5, 1.0, 2.0, 4.0};

std::int64_t monotonicMs()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

QString seconds(std::int64_t ms) { return QString::number(ms / 1000.0, 'f', 2); }

} // namespace

SignWindow::SignWindow(QWidget* parent) : QWidget(parent, Qt::Window), clock_(monotonicMs)
{
    setWindowTitle(tr("Sign"));

    view_ = new SignView(this);

    buildPlayControls();
    QLabel* stepLabel = buildLookControls();
    readout_ = new QLabel(this);
    readout_->setAccessibleName(tr("Position"));
    status_ = new QLabel(this);
    status_->setAccessibleName(tr("Status"));
    status_->setWordWrap(true);
    layOut(stepLabel);
    connectControls();
    timer_.setInterval(TickInterval);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &SignWindow::tick);
    lastClock_ = clock_();
    rebuild();
}

// What plays, and how it is played.
void SignWindow::buildPlayControls()
{
    sourceBox_ = new QComboBox(this);
    sourceBox_->addItems({tr("Current image"), tr("Send list")});
    nameComboBox(sourceBox_, tr("Source"));
    playButton_ = new QPushButton(tr("Pause"), this);
    auto toolButton = [this](QStyle::StandardPixmap icon, const QString& text, const QString& name) {
        auto* b = new QToolButton(this);
        b->setIcon(style()->standardIcon(icon));
        b->setText(text);
        b->setToolTip(name);
        b->setAccessibleName(name);
        return b;
    };
    restartButton_ = toolButton(QStyle::SP_MediaSkipBackward, QStringLiteral("|<"), tr("Restart"));
    backButton_ = toolButton(QStyle::SP_MediaSeekBackward, QStringLiteral("<"), tr("Step back"));
    forwardButton_ = toolButton(QStyle::SP_MediaSeekForward, QStringLiteral(">"), tr("Step forward"));
    speedBox_ = new QComboBox(this);
    for (double s : Speeds)
        speedBox_->addItem(QStringLiteral("x%1").arg(s), s);
    speedBox_->setCurrentIndex(2);
    nameComboBox(speedBox_, tr("Speed"));
    loopBox_ = new QCheckBox(tr("Loop"), this);
    loopBox_->setChecked(true);
    glowBox_ = new QCheckBox(tr("Glow"), this);
}

// How the LEDs look and how fast a slide moves; returns the step's label.
QLabel* SignWindow::buildLookControls()
{
    colourBox_ = new QComboBox(this);
    colourBox_->addItems({tr("Amber"), tr("Editor's colour")});
    nameComboBox(colourBox_, tr("LED colour"));
    colourBox_->setToolTip(tr("Lit LEDs in a real sign's amber or in the editor's lit colour"));
    stepBox_ = new QSpinBox(this);
    stepBox_->setRange(1, vexel::Timeline::MaxStepTime);
    stepBox_->setValue(vexel::Timeline::DefaultStepTime);
    stepBox_->setSuffix(tr(" ms"));
    stepBox_->setAccessibleName(tr("LED step time"));
    stepBox_->setToolTip(tr("How long the board takes for one LED of a slide"));
    auto* stepLabel = new QLabel(tr("Step"), this);
    stepLabel->setBuddy(stepBox_);
    return stepLabel;
}

void SignWindow::layOut(QLabel* stepLabel)
{
    auto* controls = new QHBoxLayout;
    controls->addWidget(sourceBox_);
    controls->addWidget(playButton_);
    controls->addWidget(restartButton_);
    controls->addWidget(backButton_);
    controls->addWidget(forwardButton_);
    controls->addWidget(speedBox_);
    controls->addWidget(loopBox_);
    controls->addWidget(glowBox_);
    controls->addWidget(colourBox_);
    controls->addWidget(stepLabel);
    controls->addWidget(stepBox_);
    controls->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addLayout(controls);
    layout->addWidget(readout_);
    layout->addWidget(status_);
}

void SignWindow::connectControls()
{
    connect(sourceBox_, &QComboBox::currentIndexChanged, this,
            [this](int index) { setSource(index == 1 ? Source::SendList : Source::CurrentImage); });
    connect(playButton_, &QPushButton::clicked, this, [this] { playing_ ? pause() : play(); });
    connect(restartButton_, &QToolButton::clicked, this, &SignWindow::restart);
    connect(backButton_, &QToolButton::clicked, this, &SignWindow::stepBack);
    connect(forwardButton_, &QToolButton::clicked, this, &SignWindow::stepForward);
    connect(speedBox_, &QComboBox::currentIndexChanged, this,
            [this](int index) { setSpeed(speedBox_->itemData(index).toDouble()); });
    connect(loopBox_, &QCheckBox::toggled, this, &SignWindow::setLoop);
    connect(glowBox_, &QCheckBox::toggled, this, &SignWindow::setGlow);
    connect(colourBox_, &QComboBox::currentIndexChanged, this, [this](int index) {
        setEditorColour(index == 1);
        emit editorColourChosen(index == 1);
    });
    connect(stepBox_, &QSpinBox::valueChanged, this, [this](int ms) {
        setStepTime(ms);
        emit stepTimeChanged(ms);
    });
}

void SignWindow::setBoardSize(int width, int height)
{
    if (width == boardWidth_ && height == boardHeight_)
        return;
    boardWidth_ = width;
    boardHeight_ = height;
    rebuild();
}

void SignWindow::setStepTime(int ms)
{
    {
        const QSignalBlocker quiet(stepBox_);
        stepBox_->setValue(ms);
    }
    timeline_.setStepTime(ms);
    refresh();
}

void SignWindow::setCurrentImage(const vexel::ImageRecord& image, const QString& title)
{
    const vexel::Status checked = image.check();
    if (!checked) {
        // The last good version goes on playing.
        currentError_ = tr("%1 cannot be shown: %2").arg(title, checked.error());
        refresh();
        return;
    }
    currentImage_ = image;
    currentTitle_ = title;
    currentError_.clear();
    if (source_ == Source::CurrentImage)
        rebuild();
    else
        refresh();
}

void SignWindow::setSendList(const QStringList& paths)
{
    std::vector<vexel::ImageRecord> images;
    QStringList titles;
    QStringList refused;
    for (const QString& path : paths) {
        const QString name = QFileInfo(path).fileName();
        vexel::Expected<vexel::ImageRecord> image = vexel::ImageFile::load(path);
        if (!image) {
            refused << QStringLiteral("%1: %2").arg(name, image.error());
            continue;
        }
        images.push_back(std::move(image).value());
        titles << name;
    }
    sendImages_ = std::move(images);
    sendTitles_ = titles;
    sendErrors_ = refused.isEmpty() ? QString() : tr("Not shown: ") + refused.join(QStringLiteral("; "));
    if (source_ == Source::SendList)
        rebuild();
    else
        refresh();
}

void SignWindow::setSendImages(const std::vector<vexel::ImageRecord>& images, const QStringList& titles)
{
    sendImages_.clear();
    sendTitles_.clear();
    QStringList refused;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const QString title = static_cast<int>(i) < titles.size() ? titles[static_cast<int>(i)]
                                                                  : tr("Image %1").arg(i + 1);
        const vexel::Status checked = images[i].check();
        if (!checked) {
            refused << QStringLiteral("%1: %2").arg(title, checked.error());
            continue;
        }
        sendImages_.push_back(images[i]);
        sendTitles_ << title;
    }
    sendErrors_ = refused.isEmpty() ? QString() : tr("Not shown: ") + refused.join(QStringLiteral("; "));
    if (source_ == Source::SendList)
        rebuild();
    else
        refresh();
}

void SignWindow::fixSource(Source source)
{
    setSource(source);
    sourceBox_->hide();
}

void SignWindow::setSource(Source source)
{
    {
        const QSignalBlocker quiet(sourceBox_);
        sourceBox_->setCurrentIndex(source == Source::SendList ? 1 : 0);
    }
    if (source == source_)
        return;
    source_ = source;
    time_ = 0;
    rebuild();
}

void SignWindow::rebuild()
{
    vexel::Timeline next(boardWidth_, boardHeight_, timeline_.stepTime());
    if (source_ == Source::CurrentImage) {
        if (!currentImage_.empty())
            next.addImage(currentImage_); // checked when it came
    } else {
        for (const vexel::ImageRecord& image : sendImages_)
            next.addImage(image);
    }
    timeline_ = std::move(next);
    refresh();
}

std::int64_t SignWindow::shownTime() const
{
    const std::int64_t length = timeline_.loopLength();
    if (length <= 0)
        return 0;
    const auto t = static_cast<std::int64_t>(time_);
    return !loop_ && t >= length ? length - 1 : t;
}

const vexel::LedBitmap& SignWindow::shownLeds() const { return view_->leds(); }

void SignWindow::refresh()
{
    view_->setLeds(timeline_.stateAt(shownTime()));
    setReadableText(readout_, readout());
    setReadableText(status_, statusText());
    updateControls();
}

QString SignWindow::readout() const
{
    const std::int64_t length = timeline_.loopLength();
    if (length <= 0)
        return tr("no frames");
    const vexel::Timeline::Position at = timeline_.locate(shownTime());
    const std::int64_t inPass = !loop_ && time_ >= static_cast<double>(length) ? length : at.inPass;
    return tr("frame %1 / %2 · %3 s of %4 s")
        .arg(at.frame + 1)
        .arg(timeline_.frameCount())
        .arg(seconds(inPass), seconds(length));
}

QString SignWindow::statusText() const
{
    QStringList parts;
    if (source_ == Source::CurrentImage) {
        if (currentImage_.empty() && currentError_.isEmpty())
            parts << tr("No image");
        parts << currentError_;
    } else {
        if (sendImages_.empty() && sendErrors_.isEmpty())
            parts << tr("The send list is empty");
        parts << sendErrors_;
    }
    parts << extraStatus_;
    parts.removeAll(QString());
    return parts.join(QStringLiteral(" · "));
}

void SignWindow::showStatus(const QString& text)
{
    extraStatus_ = text;
    setReadableText(status_, statusText());
}

void SignWindow::play()
{
    const std::int64_t length = timeline_.loopLength();
    if (!loop_ && length > 0 && time_ >= static_cast<double>(length))
        time_ = 0;
    playing_ = true;
    lastClock_ = clock_();
    updateTimer();
    refresh();
    emit playingChanged(true);
}

void SignWindow::pause()
{
    if (!playing_)
        return;
    playing_ = false;
    updateTimer();
    updateControls();
    emit playingChanged(false);
}

void SignWindow::stepForward()
{
    pause();
    const std::int64_t length = timeline_.loopLength();
    if (length <= 0)
        return;
    const vexel::Timeline::Position at = timeline_.locate(shownTime());
    std::int64_t next = at.pass * length + at.segmentEnd;
    if (!loop_)
        next = std::min(next, length);
    time_ = static_cast<double>(next);
    refresh();
}

void SignWindow::stepBack()
{
    pause();
    const std::int64_t length = timeline_.loopLength();
    if (length <= 0)
        return;
    const vexel::Timeline::Position at = timeline_.locate(shownTime());
    const std::int64_t start = at.pass * length + at.segmentStart;
    if (start <= 0) {
        time_ = 0;
    } else {
        const vexel::Timeline::Position before = timeline_.locate(start - 1);
        time_ = static_cast<double>(before.pass * length + before.segmentStart);
    }
    refresh();
}

void SignWindow::restart()
{
    time_ = 0;
    lastClock_ = clock_();
    refresh();
}

void SignWindow::setSpeed(double speed)
{
    speed_ = std::clamp(speed, 0.25, 4.0);
    const QSignalBlocker quiet(speedBox_);
    for (int i = 0; i < speedBox_->count(); ++i)
        if (speedBox_->itemData(i).toDouble() == speed_)
            speedBox_->setCurrentIndex(i);
}

void SignWindow::setLoop(bool on)
{
    {
        const QSignalBlocker quiet(loopBox_);
        loopBox_->setChecked(on);
    }
    if (on == loop_)
        return;
    loop_ = on;
    const std::int64_t length = timeline_.loopLength();
    // Without looping only the first pass exists: keep the place within it.
    if (!loop_ && length > 0 && time_ >= static_cast<double>(length))
        time_ = std::fmod(time_, static_cast<double>(length));
    refresh();
}

void SignWindow::setGlow(bool on)
{
    {
        const QSignalBlocker quiet(glowBox_);
        glowBox_->setChecked(on);
    }
    view_->setGlow(on);
}

void SignWindow::setEditorColour(bool on)
{
    {
        const QSignalBlocker quiet(colourBox_);
        colourBox_->setCurrentIndex(on ? 1 : 0);
    }
    editorColour_ = on;
    view_->setLedColour(on ? std::optional<QRgb>(editorLit_) : std::nullopt);
}

void SignWindow::setEditorLitColour(QRgb colour)
{
    editorLit_ = colour;
    if (editorColour_)
        view_->setLedColour(colour);
}

void SignWindow::seek(std::int64_t ms)
{
    time_ = static_cast<double>(std::max<std::int64_t>(ms, 0));
    refresh();
}

void SignWindow::setClock(std::function<std::int64_t()> clock)
{
    clock_ = clock ? std::move(clock) : std::function<std::int64_t()>(monotonicMs);
    lastClock_ = clock_();
}

void SignWindow::tick()
{
    const std::int64_t now = clock_();
    const std::int64_t elapsed = std::max<std::int64_t>(now - lastClock_, 0);
    lastClock_ = now;
    if (!playing_)
        return;
    time_ += static_cast<double>(elapsed) * speed_;
    const std::int64_t length = timeline_.loopLength();
    if (!loop_ && length > 0 && time_ >= static_cast<double>(length)) {
        time_ = static_cast<double>(length);
        pause();
    }
    refresh();
}

void SignWindow::updateTimer()
{
    if (playing_ && isVisible()) {
        if (!timer_.isActive())
            timer_.start();
    } else {
        timer_.stop();
    }
}

void SignWindow::updateControls() { playButton_->setText(playing_ ? tr("Pause") : tr("Play")); }

void SignWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    lastClock_ = clock_();
    updateTimer();
}

void SignWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    timer_.stop();
}
