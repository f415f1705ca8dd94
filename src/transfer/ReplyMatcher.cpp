#include "transfer/ReplyMatcher.h"

namespace vexel {

bool ReplyMatcher::isAccepted(const QByteArray& text)
{
    return text == "OK\r\n" || text == "CS\r\n" || text == "LN\r\n";
}

bool ReplyMatcher::append(char byte)
{
    text_.append(byte);
    return accepted();
}

QString ReplyMatcher::statusText() const { return QString::fromLatin1(text_.left(2)); }

QString ReplyMatcher::hexLine() const { return QString::fromLatin1(text_.toHex().toUpper()); }

} // namespace vexel
