#pragma once

#include "document/ImageRecord.h"
#include "preview/Timeline.h"

#include <QRgb>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QToolButton;
class SignView;

// The "Sign" window: the board as it plays the current image or the send
// list in real time, with the entry and exit effects, for the operator to
// see before a send. It copies what it is given and never touches the
// document, so the editor goes on working beside it.
class SignWindow : public QWidget {
    Q_OBJECT
public:
    enum class Source { CurrentImage, SendList };
    static constexpr int TickInterval = 16;

    explicit SignWindow(QWidget* parent = nullptr);

    void setBoardSize(int width, int height);
    void setStepTime(int ms);
    // Called whenever the image is loaded or written; playing goes on at the
    // same time with the new version.
    void setCurrentImage(const vexel::ImageRecord& image, const QString& title);
    // Loads each file; a file that is refused is named in the status line
    // and left out.
    void setSendList(const QStringList& paths);
    // Images already in memory, as the virtual board receives them.
    void setSendImages(const std::vector<vexel::ImageRecord>& images, const QStringList& titles);
    // Shows only one source and hides the choice.
    void fixSource(Source source);

    void setSource(Source source);
    Source source() const { return source_; }

    void play();
    void pause();
    bool playing() const { return playing_; }
    // Whether the timer runs: only while playing and shown.
    bool ticking() const { return timer_.isActive(); }
    void stepForward();
    void stepBack();
    void restart();
    // 0.25 to 4.
    void setSpeed(double speed);
    double speed() const { return speed_; }
    void setLoop(bool on);
    bool loop() const { return loop_; }
    void setGlow(bool on);
    // Lit LEDs in amber or in the editor's lit colour (a Qt RGB value).
    void setEditorColour(bool on);
    bool editorColour() const { return editorColour_; }
    void setEditorLitColour(QRgb colour);

    // Milliseconds since the board started the source.
    std::int64_t time() const { return static_cast<std::int64_t>(time_); }
    void seek(std::int64_t ms);
    // Advances by the clock's time since the last tick, times the speed.
    void tick();
    // Milliseconds of a monotonic clock; tests give their own.
    void setClock(std::function<std::int64_t()> clock);

    const vexel::Timeline& timeline() const { return timeline_; }
    const vexel::LedBitmap& shownLeds() const;
    QString readout() const;
    QString statusText() const;
    void showStatus(const QString& text);

    SignView* view() const { return view_; }

signals:
    void playingChanged(bool playing);
    // The operator changed the step time in the window.
    void stepTimeChanged(int ms);
    // The operator chose the LED colour in the window.
    void editorColourChosen(bool on);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildPlayControls();
    QLabel* buildLookControls();
    void layOut(QLabel* stepLabel);
    void connectControls();
    void rebuild();
    void refresh();
    void updateTimer();
    void updateControls();
    std::int64_t shownTime() const;

    vexel::Timeline timeline_;
    int boardWidth_ = 96;
    int boardHeight_ = 24;
    Source source_ = Source::CurrentImage;

    vexel::ImageRecord currentImage_;
    QString currentTitle_;
    QString currentError_;
    std::vector<vexel::ImageRecord> sendImages_;
    QStringList sendTitles_;
    QString sendErrors_;
    QString extraStatus_;

    bool playing_ = true;
    bool loop_ = true;
    double speed_ = 1.0;
    double time_ = 0;
    std::int64_t lastClock_ = 0;
    std::function<std::int64_t()> clock_;
    QTimer timer_;

    SignView* view_ = nullptr;
    QComboBox* sourceBox_ = nullptr;
    QPushButton* playButton_ = nullptr;
    QToolButton* restartButton_ = nullptr;
    QToolButton* backButton_ = nullptr;
    QToolButton* forwardButton_ = nullptr;
    QComboBox* speedBox_ = nullptr;
    QCheckBox* loopBox_ = nullptr;
    QCheckBox* glowBox_ = nullptr;
    QComboBox* colourBox_ = nullptr;
    bool editorColour_ = false;
    QRgb editorLit_ = qRgb(255, 0, 0);
    QSpinBox* stepBox_ = nullptr;
    QLabel* readout_ = nullptr;
    QLabel* status_ = nullptr;
};
