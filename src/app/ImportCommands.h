#pragma once

// The panel declares the ghost's types to the meta-object system.
#include "app/ImportPanel.h"

#include <QObject>
#include <QString>

class FileCommands;
class PanelHost;
class QAction;
class QMenu;
class QWidget;

namespace vexel {
class EditorSession;
}

// File > Import image... with the import panel, made at the first import,
// and File > Import routes from GTFS… with its dialog. The converted
// picture is shown as a ghost on the LED grid until it is placed.
class ImportCommands : public QObject {
    Q_OBJECT
public:
    // The actions go into `file` before `before`.
    ImportCommands(vexel::EditorSession& session, PanelHost& host, const FileCommands& files, QMenu* file,
                   QAction* before, QWidget* window);

    void Import1Click();
    void Import_Picture(const QString& path);
    void Import_Targets();
    // File > Import routes from GTFS…: the import window, for a set chosen there.
    void ImportGtfs1Click();

signals:
    void ghostShown(const vexel::FrameRect& target, const vexel::LedBitmap& bits);
    void ghostCleared();

private:
    void Create_Panel();
    void Import_Frames(const vexel::FrameRect& target, const std::vector<vexel::LedBitmap>& frames,
                       const std::vector<int>& durations);

    vexel::EditorSession& session_;
    PanelHost& host_;
    const FileCommands& files_;
    QWidget* window_;
    QAction* Import1 = nullptr;
    QAction* ImportGtfs1 = nullptr;
    ImportPanel* Import_Panel = nullptr;
};
