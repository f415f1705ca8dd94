#pragma once

#include <QObject>
#include <QString>

namespace vexel {

// The user's own LED fonts: a "fonts" folder in the application's data
// location (not the image data folder), and the news that a font file was
// saved, so every open font list can look again at once.
class UserFonts : public QObject {
    Q_OBJECT
public:
    static UserFonts& instance();

    // <application data location>/fonts; empty when the system names none.
    static QString folder();

    void announceSaved(const QString& path) { emit fontSaved(path); }

signals:
    void fontSaved(const QString& path);

private:
    UserFonts() = default;
};

} // namespace vexel
