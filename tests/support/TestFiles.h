#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <vector>

namespace vexel {
class ImageRecord;
}

namespace testing_support {

// Whole-file helpers for tests.
QByteArray readAll(const QString& path);
void writeAll(const QString& path, const QByteArray& bytes);

// A folder that ends with a separator, as the editor keeps its folders.
QString folderOf(const QTemporaryDir& dir);

// The text of a one-frame image of `width` x `height` with every LED off.
QByteArray blankImageText(int width, int height, int duration = 500);

// `frames` full-board frames of pseudo-random LEDs, the same for a seed.
QByteArray randomImageText(int frames, int width, int height, unsigned seed = 1);

// An image of `width` x `height` LEDs whose frame f lights row rows[f] alone.
vexel::ImageRecord rowsImage(int width, int height, const std::vector<int>& rows);

} // namespace testing_support
