#include "settings/IniFile.h"

#include "document/AtomicFile.h"
#include "document/LimitedFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <SimpleIni.h>

#include <limits>
#include <list>
#include <string>

// Byte strings as they stand in the file; the text is in the system's 8-bit
// character set.
class CSimpleIniSections : public CSimpleIniA {
public:
    CSimpleIniSections() : CSimpleIniA(/*isUtf8=*/false, /*multiKey=*/false, /*multiLine=*/false)
    {
        SetSpaces(false);
        SetQuotes(false);
    }
};

namespace {

std::string bytes(const QString& text) { return text.toLocal8Bit().toStdString(); }

QString fromBytes(const char* text) { return QString::fromLocal8Bit(text); }

} // namespace

IniFile::IniFile() : ini_(std::make_unique<CSimpleIniSections>()) {}

IniFile::~IniFile() = default;

vexel::Status IniFile::load(const QString& path)
{
    loadText(QByteArray());
    const QFileInfo info(path);
    if (!info.exists())
        return vexel::Status::success();
    const vexel::Expected<QByteArray> text = vexel::LimitedFile::read(path, MaxFileBytes);
    if (!text)
        return vexel::Status::failure(
            QStringLiteral("Cannot read \"%1\": ").arg(QDir::toNativeSeparators(path)) + text.error());
    loadText(*text);
    return vexel::Status::success();
}

void IniFile::loadText(const QByteArray& text)
{
    ini_ = std::make_unique<CSimpleIniSections>();
    if (!text.isEmpty())
        ini_->LoadData(text.constData(), static_cast<size_t>(text.size()));
}

QByteArray IniFile::text() const
{
    std::string out;
    ini_->Save(out, false);
    return QByteArray::fromStdString(out);
}

vexel::Status IniFile::save(const QString& path) const
{
    const QByteArray content = text();
    if (vexel::writeAtomically(path, std::string_view(content.constData(), static_cast<std::size_t>(content.size()))))
        return vexel::Status::failure(QCoreApplication::translate("IniFile", "Unable to write to %1").arg(path));
    return vexel::Status::success();
}

bool IniFile::hasKey(const QString& section, const QString& key) const
{
    return ini_->GetValue(bytes(section).c_str(), bytes(key).c_str(), nullptr) != nullptr;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& fallback) const
{
    const char* value = ini_->GetValue(bytes(section).c_str(), bytes(key).c_str(), nullptr);
    if (!value)
        return fallback;
    return fromBytes(value).left(MaxStringLength);
}

int IniFile::readInteger(const QString& section, const QString& key, int fallback) const
{
    const char* value = ini_->GetValue(bytes(section).c_str(), bytes(key).c_str(), nullptr);
    if (!value)
        return fallback;
    bool ok = false;
    const int number = parseInteger(fromBytes(value), &ok);
    return ok ? number : fallback;
}

bool IniFile::readBool(const QString& section, const QString& key, bool fallback) const
{
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    ini_->SetValue(bytes(section).c_str(), bytes(key).c_str(), bytes(value).c_str());
}

void IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::eraseSection(const QString& section) { ini_->Delete(bytes(section).c_str(), nullptr); }

QStringList IniFile::keys(const QString& section) const
{
    std::list<CSimpleIniA::Entry> entries;
    ini_->GetAllKeys(bytes(section).c_str(), entries);
    entries.sort(CSimpleIniA::Entry::LoadOrder());
    QStringList out;
    for (const CSimpleIniA::Entry& entry : entries)
        out << fromBytes(entry.pItem);
    return out;
}

QStringList IniFile::sectionValues(const QString& section) const
{
    QStringList out;
    for (const QString& key : keys(section))
        out << key + QLatin1Char('=') + readString(section, key, QString());
    return out;
}

int IniFile::parseInteger(const QString& text, bool* ok)
{
    *ok = false;
    const QString trimmed = text.trimmed();
    int pos = 0;
    bool negative = false;
    if (pos < trimmed.size() && (trimmed[pos] == QLatin1Char('-') || trimmed[pos] == QLatin1Char('+'))) {
        negative = trimmed[pos] == QLatin1Char('-');
        ++pos;
    }
    int base = 10;
    if (trimmed.mid(pos, 2).compare(QLatin1String("0x"), Qt::CaseInsensitive) == 0) {
        base = 16;
        pos += 2;
    } else if (pos < trimmed.size() && trimmed[pos] == QLatin1Char('$')) {
        base = 16;
        ++pos;
    }
    if (pos >= trimmed.size())
        return 0;
    // Hexadecimal covers all 32 bits (0xFFFFFFFF is -1); decimal is signed.
    const qint64 limit = base == 16 ? 0xFFFFFFFFll : (negative ? 0x80000000ll : 0x7FFFFFFFll);
    qint64 magnitude = 0;
    for (; pos < trimmed.size(); ++pos) {
        const char16_t c = trimmed[pos].unicode();
        int digit = 0;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return 0;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return 0;
    }
    qint64 value = base == 16 ? static_cast<qint32>(static_cast<quint32>(magnitude)) : magnitude;
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return 0;
    *ok = true;
    return static_cast<int>(value);
}
