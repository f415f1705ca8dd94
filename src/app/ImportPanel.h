#pragma once

#include "app/TargetChoice.h"

// TextPanel.h declares FrameRect and LedBitmap to Qt's meta-types; both
// panels' signals carry them.
#include "app/TextPanel.h"
#include "depot/PictureImport.h"
#include "document/FrameHeader.h"
#include "document/LedBitmap.h"
#include "document/Result.h"

#include <QWidget>

#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QSlider;

// The picture import's small non-modal window: the picture, how it is fitted
// into the target and turned into LEDs, and the target. Like the Text panel
// it only computes: the owner draws the ghost it announces, places the
// LEDs on Place, and adds the frames of an animation on "Import as frames".
class ImportPanel : public QWidget {
    Q_OBJECT
public:
    explicit ImportPanel(QWidget* parent = nullptr);
    ~ImportPanel() override;

    // The current frame's window and the selection, in board LEDs. The
    // selection counts only as far as it lies inside the frame's window.
    void setTargets(const vexel::FrameRect& frame, const std::optional<vexel::FrameRect>& selection);
    // How many frames the image can still take (256 in all).
    void setFrameRoom(int frames);

    // Reads the picture; on failure nothing changes and the message names
    // the file and the reason.
    vexel::Status openPicture(const QString& path);

    vexel::FrameRect target() const;
    vexel::ImportOptions options() const;
    const vexel::LedBitmap& ghost() const { return ghost_; }
    const std::optional<vexel::Picture>& picture() const { return picture_; }

    // The panel's own actions, as its buttons do them.
    void place();
    void importFrames();
    void cancel();

    QLabel* fileLabel = nullptr;
    QComboBox* fitBox = nullptr;    // keep aspect, stretch
    QComboBox* methodBox = nullptr; // threshold, ordered dither, error diffusion
    QSlider* thresholdSlider = nullptr;
    QLabel* thresholdLabel = nullptr;
    QCheckBox* invertBox = nullptr;
    QComboBox* targetBox = nullptr; // frame window, selection
    QLabel* framesLabel = nullptr;
    QPushButton* framesButton = nullptr;
    QLabel* statusLabel = nullptr;
    QPushButton* placeButton = nullptr;
    QPushButton* cancelButton = nullptr;

signals:
    // After every change: the target in board LEDs and the picture (the
    // first frame of an animation) as LEDs of the target's size.
    void ghostChanged(const vexel::FrameRect& target, const vexel::LedBitmap& bitmap);
    // The target's LEDs are to become `bitmap`, as one undo step.
    void placeRequested(const vexel::FrameRect& target, const vexel::LedBitmap& bitmap);
    // An animation as new frames, each with its window `target`, its LEDs
    // and its duration; no more than the image can take.
    void framesRequested(const vexel::FrameRect& target, const std::vector<vexel::LedBitmap>& frames,
                         const std::vector<int>& durationsMs);
    void cancelled();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    QFormLayout* buildForm();
    QHBoxLayout* buildFramesRow();
    QHBoxLayout* buildButtons();
    void connectControls();
    void recompute(bool rescale);
    void showFrames();

    TargetChoice targets_;
    int frameRoom_ = vexel::ImageRecord::MaxFrames - 1;
    std::optional<vexel::Picture> picture_;
    vexel::ScaledLevels scaled_; // the first frame in the target, kept while only the conversion changes
    vexel::LedBitmap ghost_;
    bool loading_ = false;
};
