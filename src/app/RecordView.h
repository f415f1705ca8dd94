#pragma once

#include "document/ImageDocument.h"

#include <QAbstractListModel>
#include <QListView>

#include <cstdint>

class QBoxLayout;

// The record view: shows the Image_Record line by line, read-only, in a
// monospace font. Long lines scroll sideways; the view never changes them.
// Only the lines it shows are made, so a stroke does not make the record.
// It follows the document's record and is hidden until start-up is done,
// keeping its place in `row`.
class RecordView : public QListView {
    Q_OBJECT
public:
    RecordView(const vexel::ImageDocument& document, QWidget* parent, QBoxLayout* row);

    // Re-reads the record when it changed since the last refresh.
    void refresh();
    // The text as shown, line by line.
    QStringList shownLines() const;

private:
    class Model;
    Model* model_;
};
