#pragma once

#include "settings/SettingsFile.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>

namespace vexel {

// The size of a sign, whose board an image made by hand for it is edited on.
struct SignBoard {
    QString sign;
    int width = 0;
    int height = 0;
    bool operator==(const SignBoard& o) const { return sign == o.sign && width == o.width && height == o.height; }
    bool operator!=(const SignBoard& o) const { return !(*this == o); }
};

// The settings in force: board size, zoom, colours, drawing options and the
// serial link's parameters. The Settings dialog's controls, the LED grid and
// the serial link all follow this one object. A setter stores its value
// (brought into range) and always signals, also when the value is the same:
// the start-up work and the dialog apply a setting by setting it.
class AppSettings : public QObject {
    Q_OBJECT
public:
    // A row of the bit array holds 488 columns; its 101st row is spare.
    static constexpr int MaxBoardWidth = 488;
    static constexpr int MaxBoardHeight = 100;
    static constexpr int MaxCellSize = 100;

    explicit AppSettings(QObject* parent = nullptr);

    // The board in force: the editor's own or, while an image made for a
    // sign is open, that sign's.
    int boardWidth() const { return boardWidth_; }
    int boardHeight() const { return boardHeight_; }
    // The editor's own board: the Settings dialog's, the one the settings
    // file keeps whatever board is in force.
    int ownBoardWidth() const { return ownBoardWidth_; }
    int ownBoardHeight() const { return ownBoardHeight_; }
    const std::optional<SignBoard>& signBoard() const { return signBoard_; }
    // Puts a sign's board in force, or the editor's own back (none). The
    // board's followers hear of the new size as of any change; meanwhile
    // signBoardChanging() tells them that the image is being replaced, so
    // no frame is stored at the new size.
    void setSignBoard(const std::optional<SignBoard>& board);
    bool signBoardChanging() const { return signBoardChanging_; }
    int cellSize() const { return cellSize_; }
    std::uint32_t backColor() const { return backColor_; }
    std::uint32_t ledColor() const { return ledColor_; }
    std::uint32_t gridColor() const { return gridColor_; }
    bool drawGrid() const { return drawGrid_; }
    // Pixels left free at the top and left of a cell for the grid line: 1
    // while the grid is drawn, 0 before the grid setting was first applied.
    int gridInset() const { return gridInset_; }
    bool roundedLeds() const { return roundedLeds_; }
    bool frameBounds() const { return frameBounds_; }
    const QString& comPort() const { return comPort_; }
    const QString& baudRate() const { return baudRate_; }
    int timeOut() const { return timeOut_; }
    int flashDelay() const { return flashDelay_; }
    // The sign simulator's time for one LED of a slide, in ms.
    int simulatorStep() const { return simulatorStep_; }
    static constexpr int DefaultSimulatorStep = 30;
    // The colour the Sign window draws lit LEDs in: a real sign's amber, or
    // the editor's lit colour.
    enum class SimulatorColour { Amber, EditorLit };
    SimulatorColour simulatorColour() const { return simulatorColour_; }
    // The bus the send panel sends to, for the send journal; may be empty.
    // It lasts for the run only, so a day's first send names its own bus.
    const QString& busNumber() const { return busNumber_; }
    // The fleet's journal server (a postgresql:// address, never with its
    // password), empty for none; and this PC's name in the journal.
    const QString& journalServer() const { return journalServer_; }
    void setJournalServer(const QString& address);
    const QString& stationName() const { return stationName_; }
    void setStationName(const QString& name);
    // `address` with any password left out: between the user and the @,
    // and the `password` and `sslpassword` parameters of its query.
    static QString withoutPassword(const QString& address);
    static constexpr int MaxBusNumberLength = 32;
    // The language of the editor's windows, taken at the next start.
    enum class InterfaceLanguage { System, English, Georgian };
    InterfaceLanguage interfaceLanguage() const { return interfaceLanguage_; }
    void setInterfaceLanguage(InterfaceLanguage language);
    // The settings file's values: "system", "en", "ka"; anything else is System.
    static QString languageKey(InterfaceLanguage language);
    static InterfaceLanguage languageOfKey(const QString& key);

    // The editor's own board; in force unless a sign's board is.
    void setBoardWidth(int value);
    void setBoardHeight(int value);
    void setCellSize(int value);
    void setBackColor(std::uint32_t value);
    void setLedColor(std::uint32_t value);
    void setGridColor(std::uint32_t value);
    void setDrawGrid(bool on);
    void setRoundedLeds(bool on);
    void setFrameBounds(bool on);
    void setComPort(const QString& name);
    void setBaudRate(const QString& text);
    void setTimeOut(int ms);
    void setFlashDelay(int value);
    void setSimulatorStep(int ms); // 1 .. 65535
    void setSimulatorColour(SimulatorColour colour);
    void setBusNumber(const QString& bus); // trimmed, at most MaxBusNumberLength characters

    // While the settings file is read, the followers only take the values
    // in; they neither repaint, nor open the port, nor save.
    bool loading() const { return loading_; }
    void setLoading(bool on) { loading_ = on; }
    // Set once the start-up work is done; nothing is saved or stored before.
    bool startupDone() const { return startupDone_; }
    void setStartupDone(bool on) { startupDone_ = on; }

    // Whether the last attempt to open the port failed, and why.
    bool portFailed() const { return portFailed_; }
    const QString& portMessage() const { return portMessage_; }
    void setPortState(bool failed, const QString& message);

    // The settings part of what the settings file holds, and back.
    void fillFile(SettingsFile& file) const;

signals:
    void boardWidthChanged(int value);
    void boardHeightChanged(int value);
    void signBoardChanged();
    void cellSizeChanged(int value);
    void backColorChanged(std::uint32_t value);
    void ledColorChanged(std::uint32_t value);
    void gridColorChanged(std::uint32_t value);
    void drawGridChanged(bool on);
    void roundedLedsChanged(bool on);
    void frameBoundsChanged(bool on);
    void portChanged(const QString& name, const QString& baudText);
    void timeOutChanged(int ms);
    void flashDelayChanged(int value);
    void simulatorStepChanged(int ms);
    void simulatorColourChanged(vexel::AppSettings::SimulatorColour colour);
    void portStateChanged(bool failed, const QString& message);
    void busNumberChanged(const QString& bus);
    void journalServerChanged(const QString& address);
    void stationNameChanged(const QString& name);
    void interfaceLanguageChanged(vexel::AppSettings::InterfaceLanguage language);

private:
    int boardWidth_ = 96;
    int boardHeight_ = 24;
    int ownBoardWidth_ = 96;
    int ownBoardHeight_ = 24;
    std::optional<SignBoard> signBoard_;
    bool signBoardChanging_ = false;
    int cellSize_ = 10;
    std::uint32_t backColor_ = 0x000000;
    std::uint32_t ledColor_ = 0x0000FF;
    std::uint32_t gridColor_ = 0x808080;
    bool drawGrid_ = true; // the dialog's design state; the file's default is off
    int gridInset_ = 0;
    bool roundedLeds_ = false; // the dialog's design state; the file's default is on
    bool frameBounds_ = false;
    QString comPort_ = QStringLiteral("COM1");
    QString baudRate_ = QStringLiteral("19200");
    int timeOut_ = 1000;
    int flashDelay_ = 500;
    int simulatorStep_ = DefaultSimulatorStep;
    SimulatorColour simulatorColour_ = SimulatorColour::Amber;
    QString busNumber_;
    QString journalServer_;
    QString stationName_;
    InterfaceLanguage interfaceLanguage_ = InterfaceLanguage::System;
    bool loading_ = false;
    bool startupDone_ = false;
    bool portFailed_ = false;
    QString portMessage_;
};

} // namespace vexel
