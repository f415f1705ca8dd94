#include "app/Graphic_Editor.h"

#include "app/RecordView.h"
#include "app/Settings.h"
#include "document/ImageFile.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

namespace {

const QString SavePrompt = QStringLiteral("Image changed. Do you want to save?");

} // namespace

void TForm1::Connect_Files()
{
    connect(New1, &QAction::triggered, this, &TForm1::New1Click);
    connect(Save1, &QAction::triggered, this, &TForm1::Save1Click);
    connect(SaveAs1, &QAction::triggered, this, &TForm1::SaveAs1Click);
    connect(Load1, &QAction::triggered, this, &TForm1::Load1Click);
}

void TForm1::Set_Title()
{
    setWindowTitle(Title_Text + Data_Folder + Image_File_Name);
    Label3->setText(Image_File_Name);
}

bool TForm1::Ask_To_Save()
{
    if (!Image_Modified || !prompter().confirm(SavePrompt))
        return true;
    Save1Click();
    return !Image_Modified;
}

bool TForm1::Write_Image_File()
{
    const vexel::Status written = vexel::ImageFile::write(Image_Path(), Image_Record);
    if (!written) {
        Show_Error(written.error());
        return false;
    }
    return true;
}

void TForm1::New1Click()
{
    if (!Ask_To_Save())
        return;

    Image2_Surface.setFillColor(Back_Color);
    Image2_Surface.fillRect(0, 0, Board_Width, Board_Height);
    Image1_Surface.setFillColor(Back_Color);
    Image1_Surface.fillRect(0, 0, Board_Width * Cell_Size, Board_Height * Cell_Size);
    Refresh_Grid();

    Rebuild_Array();

    Frame_Rect = vexel::FrameRect{0, 0, Board_Width, Board_Height};
    Frame_Count = 1;
    Current_Frame = 0;
    Frame_Duration = SpinEdit2->value();
    Image_Record = vexel::ImageRecord::blank(Entry_Effect, Exit_Effect, Frame_Duration, Board_Width, Board_Height,
                                             Pixel_Array);
    Entry_Effect = std::max(TntComboBox1->currentIndex(), 0);
    Exit_Effect = std::max(TntComboBox2->currentIndex(), 0);
    Row_Line_Pos = 2;
    Memo1->refresh();

    Image_File_Name = QStringLiteral("Untitled") + QString::number(Untitled_Number);
    setWindowTitle(Title_Text + Data_Folder + Image_File_Name);
    Label3->clear();
    Image_Modified = false;

    Cursor_Color = Back_Color;
    Cursor_Pos = QPoint(0, 0);
    Blink_Phase = false;
    const vexel::Color fill = Image1_Surface.fillColor();
    Image1_Surface.setFillColor(Cursor_Color);
    const vexel::CellBody body = vexel::cellBody(0, 0, Cell_Size, Grid_Inset);
    Draw_Led(body.left, body.top, body.right, body.bottom);
    Image1_Surface.setFillColor(fill);
    if (Timer2->isActive())
        Timer2->start(); // the blink starts its phase again

    Refresh_Frames_List();
}

bool TForm1::Load_File()
{
    vexel::Expected<vexel::ImageRecord> loaded = vexel::ImageFile::load(Image_Path());
    if (!loaded) {
        Show_Error(loaded.error());
        return false;
    }
    Image_Record = std::move(loaded).value();
    Memo1->refresh();
    Set_Title();
    Image_Modified = false;

    for (int r = 0; r < Board_Height; ++r)
        Pixel_Array.clearBytes(r, 0, Board_Width / 8);

    Frame_Count = *Image_Record.frameCount(); // checked by load()
    // A file changed on disk may hold fewer frames than the one shown before.
    Current_Frame = std::clamp(Current_Frame, 0, Frame_Count - 1);
    // While playing, Run must stay usable so that Stop can end the preview.
    Button7->setEnabled(Frame_Count >= 2 || Preview_Running());
    Refresh_Frames_List();
    Load_Frame();
    Fill_Canvas();
    return true;
}

bool TForm1::Open_Image(const QString& folder, const QString& name, int frame)
{
    const QString oldFolder = Data_Folder;
    const QString oldName = Image_File_Name;
    const int oldFrame = Current_Frame;
    Data_Folder = folder;
    Image_File_Name = name;
    Current_Frame = frame;
    if (Load_File())
        return true;
    Data_Folder = oldFolder;
    Image_File_Name = oldName;
    Current_Frame = oldFrame;
    return false;
}

void TForm1::Load1Click()
{
    if (!Ask_To_Save())
        return;
    if (!QFileInfo(Image_Path()).isFile())
        Image_File_Name.clear();

    FileRequest request;
    request.directory = Data_Folder;
    request.proposedName = Image_File_Name;
    const QString chosen = prompter().openFile(request);
    if (chosen.isEmpty()) {
        if (!Startup_Done)
            New1Click();
        return;
    }

    const QFileInfo info(chosen);
    const QString oldFolder = Data_Folder;
    const bool hadSelection = Selection_Shown;
    const bool couldAddFrame = Button9->isEnabled();
    Selection_Shown = false;
    Button9->setEnabled(false);
    Timer3->stop();
    Data_Folder = QDir::cleanPath(info.absolutePath()) + QLatin1Char('/');
    List_Files();
    if (!Open_Image(Data_Folder, info.fileName(), 0)) {
        // The refused file changes nothing: the old image stays, with its
        // folder, name and selection.
        Selection_Shown = hadSelection;
        Button9->setEnabled(couldAddFrame);
        if (Data_Folder != oldFolder) {
            Data_Folder = oldFolder;
            List_Files();
        }
        if (!Startup_Done && Image_Record.empty())
            New1Click();
        return;
    }
    Form2->Save_Settings();
}

void TForm1::Save1Click()
{
    const QString& name = Image_File_Name;
    const bool titled = !name.isEmpty() && !name.startsWith(QStringLiteral("Untitled"));
    const bool savedUntitled = name.size() >= 4 && name.at(name.size() - 4) == QLatin1Char('.');
    if (titled || savedUntitled) {
        if (Write_Image_File())
            Image_Modified = false;
    } else {
        SaveAs1Click();
    }
    Set_Title();
}

void TForm1::SaveAs1Click()
{
    FileRequest request;
    request.directory = Data_Folder;
    request.proposedName = Image_File_Name;
    QString chosen = prompter().saveFile(request);
    if (chosen.isEmpty())
        return;
    QFileInfo info(chosen);
    if (info.suffix().isEmpty() && !chosen.endsWith(QLatin1Char('.')))
        info.setFile(chosen + QLatin1Char('.') + request.defaultExtension);

    // The new name is taken only once the file is written, so a failed save
    // leaves the document pointing at what it was.
    const QString folder = QDir::cleanPath(info.absolutePath()) + QLatin1Char('/');
    const vexel::Status written = vexel::ImageFile::write(folder + info.fileName(), Image_Record);
    if (!written) {
        Show_Error(written.error());
        return;
    }
    Data_Folder = folder;
    Image_File_Name = info.fileName();
    Image_Modified = false;
    Form2->Save_Settings();
    Set_Title();
    List_Files();
}
