#pragma once

#include <QCoreApplication>
#include <QString>
#include <QTranslator>

namespace testing_support {

// Installed while it lives; puts every text it is asked for in brackets, so
// a test sees which words went through the translation, each whole, and
// which were kept as they came.
class BracketTranslator : public QTranslator {
public:
    BracketTranslator() { QCoreApplication::installTranslator(this); }
    ~BracketTranslator() override { QCoreApplication::removeTranslator(this); }
    QString translate(const char*, const char* source, const char*, int) const override
    {
        return QLatin1Char('[') + QString::fromUtf8(source) + QLatin1Char(']');
    }
    bool isEmpty() const override { return false; }
};

} // namespace testing_support
