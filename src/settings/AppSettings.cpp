#include "settings/AppSettings.h"

#include <QStringList>

#include <algorithm>

namespace vexel {

AppSettings::AppSettings(QObject* parent) : QObject(parent) {}

void AppSettings::setBoardWidth(int value)
{
    ownBoardWidth_ = std::clamp(value, 1, MaxBoardWidth);
    if (!signBoard_)
        boardWidth_ = ownBoardWidth_;
    emit boardWidthChanged(boardWidth_);
}

void AppSettings::setBoardHeight(int value)
{
    ownBoardHeight_ = std::clamp(value, 1, MaxBoardHeight);
    if (!signBoard_)
        boardHeight_ = ownBoardHeight_;
    emit boardHeightChanged(boardHeight_);
}

void AppSettings::setSignBoard(const std::optional<SignBoard>& board)
{
    if (board == signBoard_)
        return;
    signBoard_ = board;
    boardWidth_ = board ? std::clamp(board->width, 1, MaxBoardWidth) : ownBoardWidth_;
    boardHeight_ = board ? std::clamp(board->height, 1, MaxBoardHeight) : ownBoardHeight_;
    signBoardChanging_ = true;
    emit boardWidthChanged(boardWidth_);
    emit boardHeightChanged(boardHeight_);
    signBoardChanging_ = false;
    emit signBoardChanged();
}

void AppSettings::setCellSize(int value)
{
    cellSize_ = std::clamp(value, 1, MaxCellSize);
    emit cellSizeChanged(cellSize_);
}

void AppSettings::setBackColor(std::uint32_t value)
{
    backColor_ = value;
    emit backColorChanged(value);
}

void AppSettings::setLedColor(std::uint32_t value)
{
    ledColor_ = value;
    emit ledColorChanged(value);
}

void AppSettings::setGridColor(std::uint32_t value)
{
    gridColor_ = value;
    emit gridColorChanged(value);
}

void AppSettings::setDrawGrid(bool on)
{
    drawGrid_ = on;
    gridInset_ = on ? 1 : 0;
    emit drawGridChanged(on);
}

void AppSettings::setRoundedLeds(bool on)
{
    roundedLeds_ = on;
    emit roundedLedsChanged(on);
}

void AppSettings::setFrameBounds(bool on)
{
    frameBounds_ = on;
    emit frameBoundsChanged(on);
}

void AppSettings::setComPort(const QString& name)
{
    comPort_ = name;
    emit portChanged(comPort_, baudRate_);
}

void AppSettings::setBaudRate(const QString& text)
{
    baudRate_ = text;
    emit portChanged(comPort_, baudRate_);
}

void AppSettings::setTimeOut(int ms)
{
    timeOut_ = ms;
    emit timeOutChanged(ms);
}

void AppSettings::setFlashDelay(int value)
{
    flashDelay_ = value;
    emit flashDelayChanged(value);
}

void AppSettings::setSimulatorStep(int ms)
{
    simulatorStep_ = std::clamp(ms, 1, 0xFFFF);
    emit simulatorStepChanged(simulatorStep_);
}

void AppSettings::setSimulatorColour(SimulatorColour colour)
{
    simulatorColour_ = colour;
    emit simulatorColourChanged(colour);
}

namespace {

QString withoutUserPassword(const QString& address)
{
    const qsizetype scheme = address.indexOf(QLatin1String("://"));
    if (scheme < 0)
        return address;
    const qsizetype start = scheme + 3;
    // An @ after a / (and before the query) leaves unclear where a password
    // ends, as in a password with a / not written %2F: all up to it goes.
    const qsizetype query = address.indexOf(QLatin1Char('?'), start);
    const qsizetype last = address.lastIndexOf(QLatin1Char('@'), query < 0 ? -1 : query - 1);
    const qsizetype slash = address.indexOf(QLatin1Char('/'), start);
    if (last > start && slash >= 0 && last > slash)
        return address.left(start) + address.mid(last + 1);
    qsizetype end = address.indexOf(QLatin1Char('/'), start);
    if (end < 0)
        end = address.size();
    const qsizetype at = address.lastIndexOf(QLatin1Char('@'), end - 1);
    if (at < start)
        return address;
    const qsizetype colon = address.indexOf(QLatin1Char(':'), start);
    if (colon < 0 || colon > at)
        return address;
    return address.left(colon) + address.mid(at);
}

// libpq also takes the password as a parameter of the query, and that of
// a client key as sslpassword; a name may be written with %XX.
QString withoutPasswordParameter(const QString& address)
{
    const qsizetype question = address.indexOf(QLatin1Char('?'));
    if (question < 0)
        return address;
    QStringList kept;
    for (const QString& parameter : address.mid(question + 1).split(QLatin1Char('&')))
    {
        const QString name =
            QString::fromUtf8(QByteArray::fromPercentEncoding(parameter.section(QLatin1Char('='), 0, 0).toUtf8()))
                .trimmed();
        if (name != QLatin1String("password") && name != QLatin1String("sslpassword"))
            kept << parameter;
    }
    return kept.isEmpty() ? address.left(question) : address.left(question + 1) + kept.join(QLatin1Char('&'));
}

} // namespace

QString AppSettings::withoutPassword(const QString& address)
{
    if (!address.contains(QLatin1String("://")))
        return address;
    return withoutPasswordParameter(withoutUserPassword(address));
}

void AppSettings::setJournalServer(const QString& address)
{
    QString cleaned = withoutPassword(address.trimmed());
    for (QChar& c : cleaned)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    journalServer_ = cleaned.left(4096);
    emit journalServerChanged(journalServer_);
}

void AppSettings::setStationName(const QString& name)
{
    QString cleaned = name;
    for (QChar& c : cleaned)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    stationName_ = cleaned.trimmed().left(200);
    emit stationNameChanged(stationName_);
}

void AppSettings::setInterfaceLanguage(InterfaceLanguage language)
{
    interfaceLanguage_ = language;
    emit interfaceLanguageChanged(language);
}

QString AppSettings::languageKey(InterfaceLanguage language)
{
    switch (language) {
    case InterfaceLanguage::English:
        return QStringLiteral("en");
    case InterfaceLanguage::Georgian:
        return QStringLiteral("ka");
    case InterfaceLanguage::System:
        break;
    }
    return QStringLiteral("system");
}

AppSettings::InterfaceLanguage AppSettings::languageOfKey(const QString& key)
{
    const QString k = key.trimmed().toLower();
    if (k == QLatin1String("en"))
        return InterfaceLanguage::English;
    if (k == QLatin1String("ka"))
        return InterfaceLanguage::Georgian;
    return InterfaceLanguage::System;
}

void AppSettings::setBusNumber(const QString& bus)
{
    // One line of text: the settings file and the journal's CSV keep it whole.
    QString cleaned = bus;
    for (QChar& c : cleaned)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    busNumber_ = cleaned.trimmed().left(MaxBusNumberLength);
    emit busNumberChanged(busNumber_);
}

void AppSettings::setPortState(bool failed, const QString& message)
{
    portFailed_ = failed;
    portMessage_ = message;
    emit portStateChanged(failed, message);
}

void AppSettings::fillFile(SettingsFile& s) const
{
    s.flashDelay = flashDelay_;
    // A sign's board is the image's, never the editor's own.
    s.boardWidth = ownBoardWidth_;
    s.boardHeight = ownBoardHeight_;
    s.cellSize = cellSize_;
    s.backColor = backColor_;
    s.ledColor = ledColor_;
    s.gridColor = gridColor_;
    s.grid = drawGrid_;
    s.comPort = comPort_;
    s.baudRate = baudRate_;
    s.timeOut = timeOut_;
    s.roundedLeds = roundedLeds_;
    s.frameBounds = frameBounds_;
}

} // namespace vexel
