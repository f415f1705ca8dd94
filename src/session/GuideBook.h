#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace vexel {

// Where the operator's guide is and which chapter belongs to which window.
// The guide is HTML with its pictures where `make guide` or the package
// put it, else the Markdown of the source tree (a build without `make guide`).
class GuideBook {
public:
    // The chapter a window's F1 opens ("09-fleet"), by the window's class
    // name; empty for a window that keeps F1 for itself or has none.
    static QString chapterFor(const QString& windowClass);
    // Every window class that has a chapter.
    static QStringList windowsWithChapters();

    // The folders looked in, best first: the build's and the package's
    // HTML, then the source tree's Markdown.
    static QStringList places();
    // The page of `chapter` ("index" for the contents) in `language` ("en"
    // or "ka"), from the first of `places` that has it; a Georgian page
    // that is missing falls back to the English one. Empty when none has it.
    static QUrl page(const QString& chapter, const QString& language, const QStringList& places);
    // The interface's language as the guide names it: "ka" when the
    // Georgian interface is in force, else "en".
    static QString interfaceLanguage();
};

} // namespace vexel
