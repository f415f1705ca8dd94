// Arbitrary byte streams as the controller's reply: only the complete text
// of one accepted reply counts, and the status and log lines follow what
// arrived.
#include "FuzzCheck.h"

#include "transfer/ReplyMatcher.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vexel::ReplyMatcher matcher;
    QByteArray seen;
    for (std::size_t i = 0; i < size; ++i) {
        const char byte = static_cast<char>(data[i]);
        // A 0xFF starts the next exchange, as the link clears the matcher.
        if (data[i] == 0xFF) {
            matcher.clear();
            seen.clear();
            continue;
        }
        seen.append(byte);
        const bool accepted = matcher.append(byte);
        FUZZ_CHECK(accepted == (seen == "OK\r\n" || seen == "CS\r\n" || seen == "LN\r\n"));
        FUZZ_CHECK(accepted == matcher.accepted());
        FUZZ_CHECK(matcher.text() == seen);
    }
    FUZZ_CHECK(matcher.statusText() == QString::fromLatin1(seen.left(2)));
    FUZZ_CHECK(matcher.hexLine().size() == 2 * seen.size());
    FUZZ_CHECK(QByteArray::fromHex(matcher.hexLine().toLatin1()) == seen);
    return 0;
}
