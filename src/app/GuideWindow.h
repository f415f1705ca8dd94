#pragma once

#include <QObject>
#include <QStringList>
#include <QUrl>
#include <QWidget>

class QLabel;
class QPushButton;
class QTextBrowser;

// Help > User Guide: the operator's guide read offline, its pictures
// beside it; links between chapters stay in the window.
class GuideWindow : public QWidget {
    Q_OBJECT
public:
    explicit GuideWindow(QWidget* owner);

    // Shows `chapter` ("index" for the contents) in the interface's
    // language, from the guide's usual places unless `places` are given.
    void showChapter(const QString& chapter, const QStringList& places = {});
    // The page shown; empty when the guide was not found.
    QUrl shownPage() const;

private:
    QTextBrowser* browser_ = nullptr;
    QLabel* missing_ = nullptr;
    QPushButton* contents_ = nullptr;
    QStringList places_;
};

// F1 in a window that has a chapter opens the guide there; installed on the
// application by the main window, whose own F1 stays the Help window's.
class GuideKeys : public QObject {
    Q_OBJECT
public:
    explicit GuideKeys(QWidget* owner);

    GuideWindow* guide();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* owner_;
    GuideWindow* guide_ = nullptr;
};
