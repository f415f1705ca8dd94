#pragma once

#include "document/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class CSimpleIniSections;

// An INI file held in memory, read and written the way the Windows profile
// functions do it: keys keep their file order, a replaced value stays in
// place, a new key goes to the end of its section and a new section to the
// end of the file. Section and key names compare without case.
class IniFile {
public:
    static constexpr int MaxStringLength = 2047;
    // Far more than the editor writes: 255 files of the send list at the
    // longest value each, and the rest.
    static constexpr qint64 MaxFileBytes = 1024 * 1024;

    IniFile();
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    // A missing file reads as empty, and so does one that cannot be read:
    // not a regular file, larger than MaxFileBytes, or refused; the failure
    // says which, so a save does not put a new file in its place.
    vexel::Status load(const QString& path);
    void loadText(const QByteArray& text);
    QByteArray text() const;
    // Writes the whole text at once through a temporary file, so a failed
    // write leaves the old file whole.
    vexel::Status save(const QString& path) const;

    bool hasKey(const QString& section, const QString& key) const;
    // Up to MaxStringLength characters; `fallback` when the key is missing.
    QString readString(const QString& section, const QString& key, const QString& fallback) const;
    // Decimal, or hexadecimal after "0x", "0X" or "$"; `fallback` when the
    // key is missing or its text is not a 32-bit number.
    int readInteger(const QString& section, const QString& key, int fallback) const;
    // Any non-zero integer is true.
    bool readBool(const QString& section, const QString& key, bool fallback) const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);
    void eraseSection(const QString& section);

    // The keys of a section in file order.
    QStringList keys(const QString& section) const;
    // "key=value" per key of a section, in file order.
    QStringList sectionValues(const QString& section) const;

    // The integer reading rule on its own; `ok` is false for text that is not a number.
    static int parseInteger(const QString& text, bool* ok);

private:
    std::unique_ptr<CSimpleIniSections> ini_;
};
