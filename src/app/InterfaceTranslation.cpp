#include "app/InterfaceTranslation.h"

#include <QCoreApplication>
#include <QTranslator>

namespace vexel {

namespace {

// Compiled into the editor at build time.
const QString TranslationFolder = QStringLiteral(":/i18n");

std::unique_ptr<QTranslator> installed(const QString& name)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(name, TranslationFolder) || !QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    return translator;
}

} // namespace

bool InterfaceTranslation::wantsGeorgian(AppSettings::InterfaceLanguage language, const QLocale& system)
{
    switch (language) {
    case AppSettings::InterfaceLanguage::Georgian:
        return true;
    case AppSettings::InterfaceLanguage::English:
        return false;
    case AppSettings::InterfaceLanguage::System:
        break;
    }
    return system.language() == QLocale::Georgian;
}

InterfaceTranslation::InterfaceTranslation(AppSettings::InterfaceLanguage language, const QLocale& system)
{
    if (!wantsGeorgian(language, system))
        return;
    windows_ = installed(QStringLiteral("vexel_ka"));
    qt_ = installed(QStringLiteral("qtbase_ka"));
    georgian_ = windows_ != nullptr;
}

InterfaceTranslation::~InterfaceTranslation()
{
    for (const auto* translator : {windows_.get(), qt_.get()})
        if (translator)
            QCoreApplication::removeTranslator(const_cast<QTranslator*>(translator));
}

} // namespace vexel
