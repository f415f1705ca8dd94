#pragma once

// Shared pieces of the benchmarks: image texts of a known size and an editor
// window set up the way an operator would have it, in a folder of its own so
// that the settings file it keeps writing lands there.

#include "app/Graphic_Editor.h"
#include "app/Prompter.h"
#include "depot/Destination.h"
#include "document/Result.h"
#include "session/EditorSession.h"

#include <QByteArray>
#include <QString>
#include <QSize>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace bench {

constexpr int LargeWidth = 488;
constexpr int LargeHeight = 100;
constexpr int LargeFrames = 256;

// One frame covering a width x height board, every other LED lit (a
// checkerboard, so exactly half).
QByteArray checkerboardImage(int width, int height);

// `frames` full-board frames of pseudo-random LEDs (about half lit), the
// same bytes on every call.
QByteArray randomImage(int frames, int width, int height);

// An image of one frame per size given, each of pseudo-random LEDs.
QByteArray framesImage(const std::vector<QSize>& frames);

// A depot's destinations numbered from 1: six Georgian places with their
// Latin names and three via lines in turn.
std::vector<vexel::Destination> busDestinations(int count);

// The peak resident set of this process so far, in bytes.
long long peakResidentBytes();

// The address of database `name`, made empty on the benchmarks' server
// (VEXEL_BENCH_PGHOST, which `make bench` starts), or why there is none.
vexel::Expected<QString> freshServerDatabase(const QString& name);

// An editor window whose start-up is done, on a board of the given size and
// zoom, the grid on and rounded LEDs.
class EditorSetup {
public:
    EditorSetup(int width, int height, int zoom, bool grid = true);
    ~EditorSetup();

    TForm1& form() { return *form_; }
    const QString& folder() const { return folder_; }
    // Writes `text` as `name` into the data folder and loads it.
    bool open(const QString& name, const QByteArray& text, int frame = 0);

private:
    QTemporaryDir dir_;
    QString folder_;
    ScriptedPrompter prompter_;
    std::unique_ptr<TForm1> form_;
};

} // namespace bench
