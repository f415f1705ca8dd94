#include "app/GuideWindow.h"

#include "session/GuideBook.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

GuideWindow::GuideWindow(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("Guide_Window"));
    setWindowTitle(tr("User Guide"));
    resize(900, 700);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("Guide_Browser"));
    browser_->setAccessibleName(tr("The user guide"));
    browser_->setOpenExternalLinks(true);
    missing_ = new QLabel(this);
    missing_->setObjectName(QStringLiteral("Guide_Missing_Label"));
    missing_->setWordWrap(true);
    missing_->hide();
    contents_ = new QPushButton(tr("Contents"), this);
    contents_->setObjectName(QStringLiteral("Guide_Contents_Button"));
    auto* back = new QPushButton(tr("Back"), this);
    back->setObjectName(QStringLiteral("Guide_Back_Button"));
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    back->setEnabled(false);
    connect(contents_, &QPushButton::clicked, this, [this] { showChapter(QStringLiteral("index"), places_); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(contents_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(missing_);
    layout->addWidget(browser_, 1);
}

void GuideWindow::showChapter(const QString& chapter, const QStringList& places)
{
    places_ = places.isEmpty() ? vexel::GuideBook::places() : places;
    const QUrl page = vexel::GuideBook::page(chapter, vexel::GuideBook::interfaceLanguage(), places_);
    missing_->setVisible(page.isEmpty());
    browser_->setVisible(!page.isEmpty());
    if (page.isEmpty()) {
        missing_->setText(tr("The user guide is not installed here. It is built with \"make guide\" and "
                             "installed with the package in /usr/share/doc/vexel-image/guide/."));
    } else {
        // The Markdown of the source tree finds its pictures where make guide put them.
        QStringList search{QFileInfo(page.toLocalFile()).absolutePath()};
        for (const QString& place : places_)
            search << place;
        browser_->setSearchPaths(search);
        browser_->setSource(page, page.path().endsWith(QLatin1String(".md")) ? QTextDocument::MarkdownResource
                                                                              : QTextDocument::HtmlResource);
    }
    show();
    raise();
    activateWindow();
}

QUrl GuideWindow::shownPage() const { return browser_->isVisibleTo(this) ? browser_->source() : QUrl(); }

GuideKeys::GuideKeys(QWidget* owner) : QObject(owner), owner_(owner) {}

GuideWindow* GuideKeys::guide()
{
    if (!guide_)
        guide_ = new GuideWindow(owner_);
    return guide_;
}

bool GuideKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
        static_cast<QKeyEvent*>(event)->modifiers() != Qt::NoModifier || !watched->isWidgetType())
        return false;
    const QWidget* window = static_cast<QWidget*>(watched)->window();
    const QString chapter = vexel::GuideBook::chapterFor(QLatin1String(window->metaObject()->className()));
    if (chapter.isEmpty())
        return false;
    guide()->showChapter(chapter);
    return true;
}
