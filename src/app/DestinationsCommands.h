#pragma once

#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>

class DestinationsWindow;
class FileCommands;
class PanelHost;
class QAction;
class QMenu;
class QMenuBar;
class QToolButton;
class QWidget;

namespace vexel {
class EditorSession;
struct SignBoard;
}

// File > Destinations... and the button at the menu bar's right end, with
// the Destinations window, made when first opened. Its images open in the
// editor and its files are sent from here.
class DestinationsCommands : public QObject {
    Q_OBJECT
public:
    // The action goes into `file` before `before`.
    DestinationsCommands(vexel::EditorSession& session, PanelHost& host, FileCommands& files, QMenu* file,
                         QAction* before, QMenuBar* bar, QWidget* window);

    void Destinations1Click();
    // Edit by hand: the image file opens here, as Load opens a chosen file,
    // on a board of its sign's size.
    void Open_Override(const QString& path, const vexel::SignBoard& board);
    // The files of a release go to the sign `sign` of a bus: the bus and the
    // port are asked, the files become the send list, and they are sent
    // through the check before Send, which checks them against the sign.
    void Send_Files(const QStringList& paths, const QString& sign, const QSize& board);

signals:
    void statusShown(const QString& text);
    // The send list is ready: Send, as its button does.
    void sendRequested();

private:
    void Create_Window();
    void Store_Override();
    // The bus list's numbers; none when the list cannot be read.
    QStringList Bus_Numbers() const;

    vexel::EditorSession& session_;
    PanelHost& host_;
    FileCommands& files_;
    QWidget* window_;
    QAction* Destinations1 = nullptr;
    QToolButton* Destinations_Button = nullptr;
    DestinationsWindow* Destinations_Window = nullptr;
};
