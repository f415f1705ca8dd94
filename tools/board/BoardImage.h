#pragma once

#include "document/ImageRecord.h"
#include "document/Result.h"

#include <QByteArray>

namespace board {

// Turns the bytes of one file back into the lines of an image: the count
// line, then per frame its header and as many rows as its window needs.
// Fails unless the bytes make exactly a whole, well-formed image.
vexel::Expected<vexel::ImageRecord> decodeImage(const QByteArray& bytes);

} // namespace board
