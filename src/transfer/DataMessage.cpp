#include "transfer/DataMessage.h"

#include "document/HexConvert.h"

#include <QCoreApplication>

#include <climits>
#include <string_view>

namespace vexel {

namespace {

QString quoted(const QString& name) { return QLatin1Char('"') + name + QLatin1Char('"'); }

QByteArray header(int blockLength, std::uint16_t sum)
{
    return QByteArray("\r\nDATA=") + QByteArray::fromStdString(toHex(static_cast<unsigned>(blockLength), 4)) + ',' +
           QByteArray::fromStdString(toHex(sum, 4)) + "\r\n";
}

} // namespace

Status DataMessage::checkPairs(const FileText& file)
{
    const std::string& hex = file.hex;
    if (hex.size() % 2 != 0)
        return Status::failure(quoted(file.name) +
                               QStringLiteral(" has an odd number of hexadecimal digits (%1), so it is not whole bytes.")
                                   .arg(hex.size()));
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        if (!isHexDigit(hex[i]) || !isHexDigit(hex[i + 1]))
            return Status::failure(quoted(file.name) + QStringLiteral(": ") +
                                   conversionMessage(std::string_view(hex).substr(i, 2)));
    }
    return Status::success();
}

Status DataMessage::checkFile(const FileText& file)
{
    const Status pairs = checkPairs(file);
    if (!pairs)
        return pairs;
    const std::size_t bytes = file.hex.size() / 2;
    if (bytes > static_cast<std::size_t>(MaxFileBytes))
        return Status::failure(quoted(file.name) +
                               QStringLiteral(" holds %1 bytes; a file sent to the board may hold at most %2 bytes.")
                                   .arg(bytes)
                                   .arg(MaxFileBytes));
    return Status::success();
}

Expected<int> DataMessage::payloadLength(const std::vector<FileText>& files)
{
    long long total = 0;
    for (const FileText& file : files) {
        const Status checked = checkPairs(file);
        if (!checked)
            return checked;
        total += 2 + static_cast<long long>(file.hex.size() / 2);
    }
    return total > INT_MAX ? Expected<int>(INT_MAX) : Expected<int>(static_cast<int>(total));
}

Expected<DataMessage> DataMessage::build(const std::vector<FileText>& files)
{
    if (files.size() > static_cast<std::size_t>(MaxFiles))
        return Expected<DataMessage>::failure(
            QStringLiteral("The send list holds %1 files; a DATA message carries at most %2 files.")
                .arg(files.size())
                .arg(MaxFiles));
    long long blockLength = 1;
    for (const FileText& file : files) {
        const Status checked = checkFile(file);
        if (!checked)
            return checked;
        blockLength += 2 + static_cast<long long>(file.hex.size() / 2);
    }
    if (blockLength > MaxBlockBytes)
        return Expected<DataMessage>::failure(
            QStringLiteral("The files of the send list come to %1 bytes; a DATA message carries at most %2 bytes.")
                .arg(blockLength)
                .arg(MaxBlockBytes));


    QByteArray block;
    block.reserve(static_cast<qsizetype>(blockLength));
    std::string dataHex = toHex(static_cast<unsigned>(files.size()), 2);
    block.append(static_cast<char>(files.size()));
    for (const FileText& file : files) {
        const unsigned count = static_cast<unsigned>(file.hex.size() / 2);
        dataHex += toHex(count, 4);
        dataHex += file.hex;
        block.append(static_cast<char>(count >> 8));
        block.append(static_cast<char>(count & 0xFF));
        for (std::size_t i = 0; i < file.hex.size(); i += 2)
            block.append(static_cast<char>(hexDigitValue(file.hex[i]) * 16 + hexDigitValue(file.hex[i + 1])));
    }

    DataMessage message;
    message.checksum_ = checksum(block);
    message.bytes_ = header(static_cast<int>(block.size()), message.checksum_) + block;
    message.hexView_ = header(static_cast<int>(block.size()), message.checksum_) + QByteArray::fromStdString(dataHex);
    return message;
}

std::uint16_t DataMessage::checksum(const QByteArray& block)
{
    std::uint16_t sum = 0;
    for (char c : block)
        sum = static_cast<std::uint16_t>(sum + static_cast<unsigned char>(c));
    return sum;
}

QString DataMessage::blockFigure(long long blockLength, int checksum)
{
    // In the editor's language where the windows and the visit list show it.
    if (checksum < 0)
        return QCoreApplication::translate("DataMessage", "data block %1 bytes").arg(blockLength);
    return QCoreApplication::translate("DataMessage", "data block %1 bytes, checksum %2")
        .arg(QString::number(blockLength), QString::fromStdString(toHex(static_cast<unsigned>(checksum), 4)));
}

QString DataMessage::messageFigure(long long blockLength)
{
    return QCoreApplication::translate("DataMessage", "whole message %1 bytes").arg(blockLength + HeaderLength);
}

QByteArray DataMessage::readMessage() { return QByteArrayLiteral("\r\nREAD=\r\n"); }

} // namespace vexel
