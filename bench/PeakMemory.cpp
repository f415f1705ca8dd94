#include "PeakMemory.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

namespace bench {

int measurePeakMemory(const QString& imagePath)
{
    QFile file(imagePath);
    if (!file.open(QIODevice::ReadOnly))
        return 2;
    const QByteArray text = file.readAll();
    file.close();

    EditorSetup setup(LargeWidth, LargeHeight, 4);
    TForm1& form = setup.form();
    form.show();
    QCoreApplication::processEvents();
    if (!setup.open(QFileInfo(imagePath).fileName(), text))
        return 3;
    QCoreApplication::processEvents();
    form.Button7Click();
    form.Timer3->stop();
    for (int step = 0; step < form.Frame_Count; ++step) {
        form.Timer3Timer();
        QCoreApplication::processEvents();
    }
    form.Button7Click();
    QCoreApplication::processEvents();
    std::printf("%lld\n", peakResidentBytes());
    return 0;
}

} // namespace bench
