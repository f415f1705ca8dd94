#pragma once

#include "document/Result.h"

#include <QObject>
#include <QString>
#include <QStringList>

class PanelHost;
class QAction;
class QMenu;
class QMenuBar;
class QWidget;
class SignWindow;

namespace vexel {
class EditorSession;
class ExportFormat;
} // namespace vexel

// View > Sign with the sign simulator it shows, and File > Export with an
// entry for every export format. The simulator follows the settings, the
// image as loaded or written, and the send list.
class SignCommands : public QObject {
    Q_OBJECT
public:
    // The View menu goes before `before` on the menu bar; Export at the end
    // of `file`.
    SignCommands(vexel::EditorSession& session, PanelHost& host, QMenuBar* bar, QAction* before, QMenu* file,
                 QWidget* window);

    void Sign1Click();
    // The Sign window takes the image as loaded or written, and the send list.
    void Sign_Follow(bool image, bool sendList);
    QStringList Send_List_Paths() const;
    // Every File > Export entry: one format of the list, for the image or the send list.
    void Export_As(const vexel::ExportFormat& format, bool sendList);
    // Stop ends a running export at its next picture.
    void Stop_Export() { Export_Stopped = true; }

    QMenu* View_Menu() const { return View1; }
    QMenu* Export_Menu() const { return Export1; }

    // An export format's caption or file type, which the preview layer gives
    // in English, in the interface's language; one the list does not know
    // is shown as it is.
    static QString Shown(const QString& text);
    static bool Knows(const QString& text);

signals:
    void statusShown(const QString& text);
    // An export writes (true) or has ended (false).
    void exportRunning(bool on);
    void exportProgress(int finished, int total);

private:
    void Create_Export_Menu();
    void Connect_Settings();
    void Show_Colours();
    void Save_Settings();
    QString Ask_Export_Path(const QString& proposed, const QString& filter, const QString& extension);
    void Show_Export(const vexel::Status& done, const QString& path);

    vexel::EditorSession& session_;
    PanelHost& host_;

    QMenu* View1 = nullptr;
    QAction* Sign1 = nullptr;
    QMenu* Export1 = nullptr;
    QAction* Export_Frame_Leds = nullptr;
    QAction* Export_Frame_Pixels = nullptr;
    QAction* Export_Gif_Image = nullptr;
    QAction* Export_Gif_List = nullptr;
    QAction* Export_Sheet_Image = nullptr;
    QAction* Export_Sheet_List = nullptr;
    SignWindow* Sign_Window = nullptr;
    bool Export_Stopped = false;
};
