#pragma once

#include "settings/AppSettings.h"

#include <QLocale>

#include <memory>

class QTranslator;

namespace vexel {

// The translations of the editor's windows for one interface language, in
// force while this object lives. Qt's own dialogs the windows show (file
// choosers, message box buttons, an edit field's menu) are translated by a
// second file of ours: Debian's Qt has none for Georgian. The command line
// and the virtual board install none and stay English, for scripts.
class InterfaceTranslation {
public:
    explicit InterfaceTranslation(AppSettings::InterfaceLanguage language, const QLocale& system = QLocale::system());
    ~InterfaceTranslation();
    InterfaceTranslation(const InterfaceTranslation&) = delete;
    InterfaceTranslation& operator=(const InterfaceTranslation&) = delete;

    // Whether the windows show Georgian; English is the texts as written.
    bool georgian() const { return georgian_; }
    static bool wantsGeorgian(AppSettings::InterfaceLanguage language, const QLocale& system);

private:
    bool georgian_ = false;
    std::unique_ptr<QTranslator> windows_;
    std::unique_ptr<QTranslator> qt_;
};

} // namespace vexel
