#pragma once

#include "document/LedBitmap.h"
#include "document/Result.h"
#include "preview/SignRenderer.h"
#include "preview/Timeline.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

namespace vexel {

class ProofSheet;

// Pictures of what the board shows, written to files. A failed write leaves
// any old file whole and names the file; nothing is half-written.
class Export {
public:
    // Called after each picture; returning false stops the export.
    using Progress = std::function<bool(int done, int total)>;

    // What a stopped export reports.
    static const QString& cancelledMessage();
    static bool cancelled(const Status& status) { return !status.ok() && status.error() == cancelledMessage(); }

    // The board picturing one frame: the frame alone on a dark board, or
    // the board while it holds on a later pass, as the proof sheet shows it.
    static LedBitmap framePicture(Timeline& timeline, int frame, bool alone);

    // One board picture as PNG.
    static Status framePng(const LedBitmap& leds, const SignStyle& style, const QString& path);

    // The animation with its real timing. Looping, it is one pass as the
    // board plays it again and again (starting from what the end of a pass
    // leaves on the board); not looping, the first pass from the dark board.
    // Times are rounded to the GIF's hundredths of a second without drift.
    static Expected<QByteArray> gifData(Timeline& timeline, const SignStyle& style, const Progress& progress = {},
                                        bool loop = true);
    static Status gif(Timeline& timeline, const SignStyle& style, const QString& path, const Progress& progress = {},
                      bool loop = true);

    // The proof sheet (see ProofSheet) as PNG: its first page at `path`, any
    // further at ProofSheet::pagePath; `written`, when given, gets each file.
    static Status proofSheet(Timeline& timeline, const QStringList& titles, const QString& heading, const QString& path,
                             QStringList* written = nullptr);

    // The proof sheet as one PDF at `path`, a proof page on each PDF page,
    // the pictures as the PNG pages hold them, scaled to fit an A4 page.
    static Status proofSheetPdf(Timeline& timeline, const QStringList& titles, const QString& heading, const QString& path);
    // The same PDF as bytes, of a sheet laid out already (marks, images
    // apart), titled `title`; `path` is the file a failure names.
    static Expected<QByteArray> proofSheetPdfData(ProofSheet& sheet, const QString& title, const QString& path);

    static Status writePng(const QImage& image, const QString& path);
    static Status writeFile(const QString& path, const QByteArray& bytes);
};

} // namespace vexel
