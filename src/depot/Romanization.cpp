#include "depot/Romanization.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>
#include <mutex>

namespace vexel {

namespace {

bool isGeorgian(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x10A0 && u <= 0x10FF) || (u >= 0x1C90 && u <= 0x1CBF) || (u >= 0x2D00 && u <= 0x2D2F);
}

// ICU's transform is not safe to share between threads; one instance guarded
// by a lock is enough for the handful of names a set suggests at once.
QString transliterate(const QString& run)
{
    static std::mutex lock;
    static std::unique_ptr<icu::Transliterator> transform = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> t(icu::Transliterator::createInstance(
            icu::UnicodeString::fromUTF8("Georgian-Latin; [\\u02BC\\u2019] Any-Remove"), UTRANS_FORWARD, status));
        if (U_FAILURE(status))
            t.reset();
        return t;
    }();
    if (!transform)
        return run;
    std::lock_guard<std::mutex> guard(lock);
    icu::UnicodeString text(reinterpret_cast<const UChar*>(run.utf16()), static_cast<int32_t>(run.size()));
    transform->transliterate(text);
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

} // namespace

bool hasGeorgian(const QString& text)
{
    for (const QChar c : text)
        if (isGeorgian(c))
            return true;
    return false;
}

QString suggestLatin(const QString& georgian)
{
    QString out;
    out.reserve(georgian.size() * 2);
    int i = 0;
    const int n = static_cast<int>(georgian.size());
    while (i < n) {
        if (!isGeorgian(georgian[i])) {
            out += georgian[i++];
            continue;
        }
        const bool wordStart = i == 0 || !georgian[i - 1].isLetterOrNumber();
        int end = i;
        while (end < n && isGeorgian(georgian[end]))
            ++end;
        QString latin = transliterate(georgian.mid(i, end - i)).toLower();
        if (wordStart && !latin.isEmpty())
            latin[0] = latin[0].toUpper();
        out += latin;
        i = end;
    }
    return out;
}

} // namespace vexel
