#include "support/WindowTexts.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QSysInfo>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <functional>
#include <sstream>

namespace testing_support {

namespace {

bool hasLatinLetter(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
    });
}

// A word that names a thing rather than says something: a code with a
// digit (COM1, ttyUSB0, 0x1F, v1.0, F1), an identifier, a file name or a
// path, an address, a character's code point.
bool isCode(const QString& word)
{
    static const QRegularExpression file(QStringLiteral(R"(^[\w*~-]*\.[A-Za-z0-9]{1,8}$)"));
    static const QRegularExpression path(QStringLiteral(R"(^(~|\.)?/|://|^[A-Za-z]:\\)"));
    static const QRegularExpression codePoint(QStringLiteral("^U\\+([0-9A-F]{4,6}|X{4,6})$"));
    return std::any_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); }) ||
           word.contains(QLatin1Char('_')) || word.contains(QLatin1Char('@')) || file.match(word).hasMatch() ||
           path.match(word).hasMatch() || codePoint.match(word).hasMatch();
}

QString plain(const QString& text, Qt::TextFormat format = Qt::PlainText)
{
    const bool rich = format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text));
    QString out = rich ? QTextDocumentFragment::fromHtml(text).toPlainText() : text;
    out.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return out;
}

// The text without its mnemonic marks, as the widget shows it.
QString shown(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text;
}

QString widgetName(const QObject* object)
{
    if (!object->objectName().isEmpty())
        return object->objectName();
    QString name = QString::fromLatin1(object->metaObject()->className());
    if (const auto* w = qobject_cast<const QWidget*>(object); w && !w->accessibleName().isEmpty())
        name += QStringLiteral(" [%1]").arg(w->accessibleName());
    for (const QObject* up = object->parent(); up; up = up->parent()) {
        if (!up->objectName().isEmpty()) {
            name += QStringLiteral(" in ") + up->objectName();
            break;
        }
    }
    return name;
}

// The widgets of `window` itself, without those of the windows it owns.
QList<QWidget*> ownWidgets(QWidget* root, QWidget* window)
{
    QList<QWidget*> out;
    if (root->window() == window)
        out << root;
    for (QWidget* w : root->findChildren<QWidget*>())
        if (w->window() == window)
            out << w;
    return out;
}

class LatinCollector {
public:
    LatinCollector(const QString& window, const QStringList& allowed, const QSet<const QObject*>& dataWidgets,
                   std::vector<TextFinding>& out)
        : window_(window), allowed_(allowed), data_(dataWidgets), out_(out)
    {
    }

    void check(const QObject* object, const QString& text, const QString& where = QString())
    {
        add(object, text, latinWords(text, allowed_), where);
    }

    // A box's or a list's entries, as one finding.
    void entries(const QObject* object, const QStringList& texts)
    {
        QStringList latin;
        QStringList words;
        for (const QString& text : texts) {
            const QStringList found = latinWords(text, allowed_);
            if (found.isEmpty())
                continue;
            latin << text;
            for (const QString& word : found)
                if (!words.contains(word))
                    words << word;
        }
        if (latin.size() > 1)
            add(object, latin.join(QStringLiteral(" | ")), words, QStringLiteral("%1 entries").arg(latin.size()));
        else if (!latin.isEmpty())
            add(object, latin.front(), words, QStringLiteral("entry"));
    }

    void add(const QObject* object, const QString& text, QStringList words, const QString& where)
    {
        if (words.isEmpty())
            return;
        // A long list of words says no more than its start.
        constexpr int Named = 12;
        if (words.size() > Named) {
            words = words.mid(0, Named);
            words << QStringLiteral("…");
        }
        QString why = QStringLiteral("Latin: ") + words.join(QStringLiteral(", "));
        if (!where.isEmpty())
            why = where + QStringLiteral("; ") + why;
        if (const auto* w = qobject_cast<const QWidget*>(object); w && !w->isVisible() && !w->isWindow())
            why += QStringLiteral(" (hidden now)");
        out_.push_back({window_, widgetName(object), text, why});
    }

    void widget(QWidget* w)
    {
        if (auto* label = qobject_cast<QLabel*>(w)) {
            check(w, plain(label->text(), label->textFormat()));
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            check(w, shown(button->text()));
        } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
            check(w, shown(box->title()), QStringLiteral("title"));
        } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                check(w, shown(tabs->tabText(i)), QStringLiteral("tab %1").arg(i));
        } else if (auto* header = qobject_cast<QHeaderView*>(w)) {
            headers(header);
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            // An editable box offers what may be typed: ports, buses.
            if (!combo->isEditable() && !data_.contains(combo)) {
                QStringList texts;
                for (int i = 0; i < combo->count(); ++i)
                    texts << combo->itemText(i);
                entries(w, texts);
            }
        } else if (auto* list = qobject_cast<QListWidget*>(w)) {
            if (!data_.contains(list)) {
                QStringList texts;
                for (int i = 0; i < list->count(); ++i)
                    texts << list->item(i)->text();
                entries(w, texts);
            }
        }
        fieldTexts(w);
    }

    // The hints an empty field shows, and the words around a number.
    void fieldTexts(QWidget* w)
    {
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            // The station's hint is this computer's name.
            if (edit->placeholderText() != QSysInfo::machineHostName())
                check(w, edit->placeholderText(), QStringLiteral("hint"));
        } else if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
            check(w, text->placeholderText(), QStringLiteral("hint"));
        } else if (auto* rich = qobject_cast<QTextEdit*>(w)) {
            check(w, rich->placeholderText(), QStringLiteral("hint"));
        } else if (auto* spin = qobject_cast<QSpinBox*>(w)) {
            check(w, spin->prefix() + QLatin1Char(' ') + spin->suffix() + QLatin1Char(' ') + spin->specialValueText());
        } else if (auto* real = qobject_cast<QDoubleSpinBox*>(w)) {
            check(w, real->prefix() + QLatin1Char(' ') + real->suffix() + QLatin1Char(' ') + real->specialValueText());
        } else if (auto* status = qobject_cast<QStatusBar*>(w)) {
            check(w, status->currentMessage(), QStringLiteral("status"));
        }
    }

    void headers(QHeaderView* header)
    {
        const QAbstractItemModel* model = header->model();
        if (!model || header->isHidden())
            return;
        for (int i = 0; i < header->count(); ++i)
            check(header, model->headerData(i, header->orientation(), Qt::DisplayRole).toString(),
                  QStringLiteral("column %1").arg(i));
    }

    void menu(QMenu* menu, QSet<QMenu*>& seen)
    {
        if (seen.contains(menu))
            return;
        seen.insert(menu);
        check(menu, shown(menu->title()), QStringLiteral("menu title"));
        for (QAction* action : menu->actions()) {
            if (action->isSeparator())
                continue;
            check(menu, shown(action->text()), QStringLiteral("menu entry"));
            if (action->menu())
                this->menu(action->menu(), seen);
        }
    }

private:
    QString window_;
    const QStringList& allowed_;
    const QSet<const QObject*>& data_;
    std::vector<TextFinding>& out_;
};

// ---- clipping

// Members Qt keeps for subclasses, reached through a pointer to member.
struct TabBarAccess : QTabBar {
    using QTabBar::tabSizeHint;
};

QString clippedBy(int need, int have)
{
    return QStringLiteral("clipped by %1 px (needs %2, has %3)").arg(need - have).arg(need).arg(have);
}

class ClipCollector {
public:
    ClipCollector(const QString& window, std::vector<TextFinding>& out) : window_(window), out_(out) {}

    void widget(QWidget* w)
    {
        if (!w->isVisible() || w->width() <= 0)
            return;
        if (auto* label = qobject_cast<QLabel*>(w))
            this->label(label);
        else if (auto* push = qobject_cast<QPushButton*>(w))
            pushButton(push);
        else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w))
            byHint(w, static_cast<QAbstractButton*>(w)->text());
        else if (auto* tool = qobject_cast<QToolButton*>(w))
            toolButton(tool);
        else if (auto* box = qobject_cast<QGroupBox*>(w))
            groupBox(box);
        else if (auto* tabs = qobject_cast<QTabBar*>(w))
            tabBar(tabs);
        else if (auto* header = qobject_cast<QHeaderView*>(w))
            headerView(header);
        else if (auto* bar = qobject_cast<QMenuBar*>(w))
            menuBar(bar);
        else if (auto* tools = qobject_cast<QToolBar*>(w))
            toolBar(tools);
    }

private:
    void add(const QObject* object, const QString& text, const QString& why, const QString& where = QString())
    {
        const QString key = QString::number(reinterpret_cast<quintptr>(object)) + where;
        if (seen_.contains(key))
            return;
        seen_.insert(key);
        out_.push_back({window_, widgetName(object), text, where.isEmpty() ? why : where + QStringLiteral("; ") + why});
    }

    void label(QLabel* label)
    {
        const QString text = plain(label->text(), label->textFormat());
        if (text.trimmed().isEmpty() || !label->pixmap().isNull())
            return;
        if (!label->wordWrap()) {
            // Unwrapped, the label asks for the width of its longest line.
            const int need = label->sizeHint().width();
            if (need > label->width())
                add(label, text, clippedBy(need, label->width()));
            return;
        }
        // Wrapped, a word still has to fit on a line, and the lines in the height.
        const int room = label->contentsRect().width() - 2 * label->margin();
        const QFontMetrics metrics = label->fontMetrics();
        for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
            if (metrics.horizontalAdvance(word) > room) {
                add(label, text, QStringLiteral("the word \"%1\" ").arg(word) +
                                     clippedBy(metrics.horizontalAdvance(word), room));
                return;
            }
        }
        const int height = label->heightForWidth(label->width());
        if (height > label->height())
            add(label, text, QStringLiteral("wrapped lines ") + clippedBy(height, label->height()) +
                                 QStringLiteral(" in height"));
    }

    // The width Qt's styles give a button's text, without the least width
    // some styles give every button.
    void pushButton(QPushButton* button)
    {
        const QString text = button->text();
        if (text.isEmpty())
            return;
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = text;
        QStyle* style = button->style();
        int need = button->fontMetrics().size(Qt::TextShowMnemonic, text).width();
        if (!button->icon().isNull())
            need += button->iconSize().width() + 4;
        if (button->menu())
            need += style->pixelMetric(QStyle::PM_MenuButtonIndicator, &option, button);
        need += style->pixelMetric(QStyle::PM_ButtonMargin, &option, button) +
                2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button);
        if (button->autoDefault() || button->isDefault())
            need += 2 * style->pixelMetric(QStyle::PM_ButtonDefaultIndicator, &option, button);
        if (need > button->width())
            add(button, shown(text), clippedBy(need, button->width()));
    }

    void byHint(QWidget* w, const QString& text)
    {
        if (text.isEmpty())
            return;
        const int need = w->sizeHint().width();
        if (need > w->width())
            add(w, shown(text), clippedBy(need, w->width()));
    }

    void toolButton(QToolButton* button)
    {
        // An icon-only button shows its text only when it has no icon.
        if (button->toolButtonStyle() == Qt::ToolButtonIconOnly && !button->icon().isNull())
            return;
        byHint(button, button->text());
    }

    void groupBox(QGroupBox* box)
    {
        if (box->title().isEmpty())
            return;
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.textAlignment = box->alignment();
        option.lineWidth = 1;
        option.midLineWidth = 0;
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        if (box->isCheckable())
            option.subControls |= QStyle::SC_GroupBoxCheckBox;
        option.features = box->isFlat() ? QStyleOptionFrame::Flat : QStyleOptionFrame::None;
        const QRect title = box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
        if (title.right() > box->rect().right())
            add(box, shown(box->title()), clippedBy(title.right() + 1, box->width()), QStringLiteral("title"));
    }

    void tabBar(QTabBar* bar)
    {
        const auto sizeHint = &TabBarAccess::tabSizeHint;
        for (int i = 0; i < bar->count(); ++i) {
            if (!bar->isTabVisible(i))
                continue;
            const QRect tab = bar->tabRect(i);
            const int need = (bar->*sizeHint)(i).width();
            const QString where = QStringLiteral("tab %1").arg(i);
            if (need > tab.width())
                add(bar, shown(bar->tabText(i)), clippedBy(need, tab.width()), where);
            else if (tab.left() < 0 || tab.right() > bar->width() - 1)
                add(bar, shown(bar->tabText(i)), QStringLiteral("out of the tab bar's %1 px").arg(bar->width()), where);
        }
    }

    void headerView(QHeaderView* header)
    {
        const QAbstractItemModel* model = header->model();
        if (!model || header->orientation() != Qt::Horizontal)
            return;
        const QFontMetrics metrics = header->fontMetrics();
        const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        for (int i = 0; i < header->count(); ++i) {
            if (header->isSectionHidden(i))
                continue;
            const QString text = model->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
            if (text.isEmpty())
                continue;
            int need = 0;
            for (const QString& line : text.split(QLatin1Char('\n')))
                need = std::max(need, metrics.horizontalAdvance(line));
            need += 2 * margin;
            if (need > header->sectionSize(i))
                add(header, text, clippedBy(need, header->sectionSize(i)), QStringLiteral("column %1").arg(i));
        }
    }

    // Entries that do not fit a bar go behind its » button.
    static const QToolButton* overflowButton(const QWidget* bar, const char* name)
    {
        const auto* button = bar->findChild<QToolButton*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
        return button && button->isVisible() ? button : nullptr;
    }

    void menuBar(QMenuBar* bar)
    {
        const QToolButton* more = overflowButton(bar, "qt_menubar_ext_button");
        if (!more || !more->menu())
            return;
        QStringList hidden;
        for (const QAction* action : more->menu()->actions())
            hidden << shown(action->text());
        add(bar, hidden.join(QStringLiteral(", ")),
            QStringLiteral("menu bar entries out of its %1 px").arg(bar->width()));
    }

    void toolBar(QToolBar* tools)
    {
        if (!overflowButton(tools, "qt_toolbar_ext_button"))
            return;
        QStringList hidden;
        for (QAction* action : tools->actions()) {
            const QWidget* shownFor = tools->widgetForAction(action);
            if (shownFor && !shownFor->isVisible() && action->isVisible() && !action->isSeparator())
                hidden << (action->text().isEmpty() ? widgetName(shownFor) : shown(action->text()));
        }
        add(tools, hidden.join(QStringLiteral(", ")),
            QStringLiteral("tools out of the tool bar's %1 px").arg(tools->width()));
    }

    QString window_;
    std::vector<TextFinding>& out_;
    QSet<QString> seen_;
};

} // namespace

QStringList latinWords(const QString& text, const QStringList& allowed)
{
    QString rest = text;
    for (const QString& phrase : allowed)
        if (phrase.contains(QLatin1Char(' ')))
            rest.replace(phrase, QStringLiteral(" "));
    static const QRegularExpression space(QStringLiteral("\\s+"));
    static const QRegularExpression edges(QStringLiteral(R"(^[\"'«»„“”‘’(\[{<]+|[\"'«»„“”‘’)\]}>.,;:!?…]+$)"));
    static const QRegularExpression joins(QStringLiteral("[-+/–—]"));
    QStringList out;
    for (QString word : rest.split(space, Qt::SkipEmptyParts)) {
        word.remove(edges);
        if (!hasLatinLetter(word) || allowed.contains(word) || isCode(word))
            continue;
        // Words joined by a hyphen, a plus or a slash are each looked at:
        // Ctrl+Alt is keys, Copy/Paste is words.
        for (const QString& part : word.split(joins, Qt::SkipEmptyParts)) {
            const QString bare = QString(part).remove(edges);
            if (hasLatinLetter(bare) && !allowed.contains(bare) && !isCode(bare) && !out.contains(bare))
                out << bare;
        }
    }
    return out;
}

std::vector<TextFinding> latinCaptions(QWidget* window, const QString& name, const QStringList& allowed,
                                       const QSet<const QObject*>& dataWidgets)
{
    std::vector<TextFinding> out;
    LatinCollector collect(name, allowed, dataWidgets, out);
    collect.check(window, QString(window->windowTitle()).remove(QStringLiteral("[*]")), QStringLiteral("window title"));
    for (QWidget* w : ownWidgets(window, window))
        collect.widget(w);
    // The menus: the menu bar's and those the window's controls open.
    QSet<QMenu*> seen;
    for (QMenuBar* bar : window->findChildren<QMenuBar*>())
        if (bar->window() == window)
            for (QAction* action : bar->actions()) {
                if (action->menu())
                    collect.menu(action->menu(), seen);
                else
                    collect.check(bar, shown(action->text()), QStringLiteral("menu bar"));
            }
    // The menu bar's overflow menu repeats the bar's entries.
    for (QMenu* menu : window->findChildren<QMenu*>())
        if (menu->parentWidget() && menu->parentWidget()->window() == window &&
            !qobject_cast<QMenuBar*>(menu->parentWidget()))
            collect.menu(menu, seen);
    return out;
}

std::vector<TextFinding> clippedCaptions(QWidget* window, const QString& name)
{
    std::vector<TextFinding> out;
    ClipCollector collect(name, out);
    for (QWidget* w : ownWidgets(window, window))
        collect.widget(w);
    // The pages behind the current tab, each shown in turn.
    for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
        if (tabs->window() != window || !tabs->isVisible())
            continue;
        const int current = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            if (i == current)
                continue;
            tabs->setCurrentIndex(i);
            QApplication::processEvents();
            for (QWidget* w : ownWidgets(tabs->widget(i), window))
                collect.widget(w);
        }
        tabs->setCurrentIndex(current);
        QApplication::processEvents();
    }
    return out;
}

std::string report(const std::vector<TextFinding>& findings)
{
    std::ostringstream out;
    constexpr int Longest = 200; // characters of a caption shown
    for (const TextFinding& f : findings) {
        QString text = QString(f.text).replace(QLatin1Char('\n'), QStringLiteral("\\n"));
        if (text.size() > Longest)
            text = text.left(Longest) + QStringLiteral("…");
        out << "\n  [" << f.window.toStdString() << "] " << f.widget.toStdString() << " \"" << text.toStdString()
            << "\": " << f.why.toStdString();
    }
    return out.str();
}

} // namespace testing_support
