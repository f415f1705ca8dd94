// The DATA message built from arbitrary file texts (NUL bytes separate the
// files of the send list). Whatever is built must be what the board reads:
// one message, right checksum, right counts, each file's bytes as its text
// spells them. Whatever is refused must be refused whole.
#include "FuzzCheck.h"

#include "BoardMessageParser.h"
#include "document/ImageFile.h"
#include "transfer/DataMessage.h"

#include <QByteArray>
#include <QList>

#include <cstddef>
#include <cstdint>
#include <vector>

using board::BoardMessageParser;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    std::vector<vexel::FileText> files;
    for (const QByteArray& part : input.split('\0')) {
        // As the send job and the file counter see a file: its lines joined.
        const vexel::Expected<vexel::ImageRecord> record = vexel::ImageFile::parse(part);
        if (!record)
            return 0;
        files.push_back({"f.img", record->hexText()});
    }

    const vexel::Expected<int> payload = vexel::DataMessage::payloadLength(files);
    const vexel::Expected<vexel::DataMessage> message = vexel::DataMessage::build(files);
    if (!message) {
        FUZZ_CHECK(!message.error().isEmpty());
        return 0;
    }
    FUZZ_CHECK(payload.ok());

    const QByteArray bytes = message->bytes();
    const QByteArray block = message->block();
    FUZZ_CHECK(bytes.size() == block.size() + vexel::DataMessage::HeaderLength);
    FUZZ_CHECK(block.size() == *payload + 1);
    FUZZ_CHECK(block.size() <= vexel::DataMessage::MaxBlockBytes);
    FUZZ_CHECK(message->checksum() == vexel::DataMessage::checksum(block));
    FUZZ_CHECK(message->hexView().left(vexel::DataMessage::HeaderLength) == bytes.left(vexel::DataMessage::HeaderLength));
    FUZZ_CHECK(QByteArray::fromHex(message->hexView().mid(vexel::DataMessage::HeaderLength)) == block);

    BoardMessageParser parser;
    const std::vector<BoardMessageParser::Message> got = parser.feed(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    FUZZ_CHECK(got.size() == 1);
    FUZZ_CHECK(!parser.inBlock());
    const BoardMessageParser::Message& m = got.front();
    FUZZ_CHECK(m.kind == BoardMessageParser::Kind::Data || m.kind == BoardMessageParser::Kind::BadImage);
    FUZZ_CHECK(m.declaredLength == block.size() && m.declaredChecksum == message->checksum());
    if (m.kind == BoardMessageParser::Kind::Data) {
        FUZZ_CHECK(m.files.size() == files.size());
        for (std::size_t f = 0; f < files.size(); ++f)
            FUZZ_CHECK(m.files[f] == QByteArray::fromHex(QByteArray::fromStdString(files[f].hex)));
    }
    return 0;
}
