#pragma once

#include "settings/AppSettings.h"

#include <QObject>
#include <QString>

#include <optional>

class PanelHost;
class QAction;
class QMenu;

namespace vexel {
class EditorSession;
}

// File > New, Save, Save As and Load, and opening a chosen file in the
// editor for the other windows. The work is the session's; this reads the
// dialogs' answers, shows what failed and tells the window when the image
// on screen has a new name. What it means for the panels (Run, adding a
// frame, the name shown) is said through signals the window wires; whether
// a preview plays is asked of the host.
class FileCommands : public QObject {
    Q_OBJECT
public:
    // The actions go at the end of `file`.
    FileCommands(vexel::EditorSession& session, PanelHost& host, QMenu* file, QObject* parent);

    void New1Click();
    void Load1Click();
    bool Load_File(); // false when the file was refused; nothing changed then
    // What Load does once a file is chosen; an image made by hand for a sign
    // opens on `signBoard`.
    void Open_Chosen(const QString& path, const std::optional<vexel::SignBoard>& signBoard = std::nullopt);
    void Show_Loaded(); // the title and Run after an image was loaded
    // Points the document at folder + name, shows `frame` of it, and puts the
    // old folder, name and frame back when the file is refused.
    bool Open_Image(const QString& folder, const QString& name, int frame);
    void Save1Click();
    void SaveAs1Click();
    // The save prompt. False when the user chose to save and the save failed:
    // the command that asked must stop, or the edits would be lost.
    bool Ask_To_Save();
    // Before writing frames cut to the board: true to go on.
    bool Confirm_Cut();
    QString Image_Path() const;

    bool Preview_Running() const;
    // Another window may put a file of its own on screen: no preview plays
    // and the edits were saved or given up.
    bool Image_Replaceable();
    // The commands that replace or write the image, while a job holds it.
    void Set_Locked(bool locked);

signals:
    // The image has a new name, or its name should be shown anew.
    void imageNamed();
    // An image was loaded into the editor (also in passing, by a job).
    void imageLoaded();
    // A line for the status bar.
    void statusShown(const QString& text);
    // The image was shown on its way to the board: it is not there to be played.
    void shownInPassing();
    // The image's file name to show; empty for a new image.
    void fileNameShown(const QString& name);
    // Run may be offered again for the image loaded.
    void runOffered();
    // A chosen file is about to be opened: no frame is added and the
    // preview pauses meanwhile.
    void openingFile();
    // The chosen file was refused; adding a frame is as it was before.
    void openRefused();

private:
    void Create_Actions(QMenu* file);
    void Connect_Session();

    vexel::EditorSession& session_;
    PanelHost& host_;

    QAction* New1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* SaveAs1 = nullptr;
    QAction* Load1 = nullptr;
};

