// Any bytes as Lumaro.ini: reading every setting, and a save into that
// same file (as Save_Settings does) that must read back as what was saved.
#include "FuzzCheck.h"

#include "settings/IniFile.h"
#include "settings/SettingsFile.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace {

bool same(const SettingsFile& a, const SettingsFile& b)
{
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height &&
           a.flashDelay == b.flashDelay && a.boardWidth == b.boardWidth && a.boardHeight == b.boardHeight &&
           a.cellSize == b.cellSize && a.backColor == b.backColor && a.ledColor == b.ledColor &&
           a.gridColor == b.gridColor && a.dataFolder == b.dataFolder && a.dataFileName == b.dataFileName &&
           a.grid == b.grid && a.comPort == b.comPort && a.baudRate == b.baudRate && a.timeOut == b.timeOut &&
           a.roundedLeds == b.roundedLeds && a.frameBounds == b.frameBounds && a.sendList == b.sendList;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString exeFolder = QStringLiteral("/opt/vexel/");

    IniFile ini;
    ini.loadText(text);
    const SettingsFile loaded = SettingsFile::read(ini, exeFolder);

    // Whatever was read, saved over the same file, comes back unchanged.
    loaded.write(ini);
    IniFile reopened;
    reopened.loadText(ini.text());
    FUZZ_CHECK(same(SettingsFile::read(reopened, exeFolder), loaded));

    // A second save over the saved file reads back the same again (the
    // erased send list moves to the end of the file, so the text may differ).
    loaded.write(reopened);
    IniFile twice;
    twice.loadText(reopened.text());
    FUZZ_CHECK(same(SettingsFile::read(twice, exeFolder), loaded));
    return 0;
}
