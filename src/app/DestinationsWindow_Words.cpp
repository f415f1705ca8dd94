// The Destinations window's word lists.
#include "app/DestinationsWindow.h"

#include "app/WordListsDialog.h"
#include "session/DestinationsSession.h"

void DestinationsWindow::Word_Lists_Click()
{
    if (!session_)
        return;
    if (!wordsDialog_) {
        auto* dialog = new WordListsDialog(*session_, prompter_, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setObjectName(QStringLiteral("Word_Lists_Dialog"));
        wordsDialog_ = dialog;
        dialog->open();
    }
    wordsDialog_->raise();
}
