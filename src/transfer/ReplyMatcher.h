#pragma once

#include <QByteArray>
#include <QString>

namespace vexel {

// The controller's reply as it arrives. Only the complete text counts: a
// reply with anything before it, in lower case or without its CR is not one.
class ReplyMatcher {
public:
    static bool isAccepted(const QByteArray& text);

    void clear() { text_.clear(); }
    // Adds one received byte; true when the text is now an accepted reply.
    bool append(char byte);
    bool accepted() const { return isAccepted(text_); }
    const QByteArray& text() const { return text_; }

    // The first two received characters, for the status bar.
    QString statusText() const;
    // Every received byte as two upper-case hex digits, no separators.
    QString hexLine() const;

private:
    QByteArray text_;
};

} // namespace vexel
