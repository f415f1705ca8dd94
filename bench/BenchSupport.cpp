#include "BenchSupport.h"

#include "store/HeldConnection.h"

#include "app/FileCommands.h"
#include "app/Settings.h"
#include "store/ServerAddress.h"
#include "document/HexConvert.h"
#include "support/TestFiles.h"

#include <QCheckBox>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSpinBox>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace bench {

namespace {

void appendHex(QByteArray& text, unsigned value, int width) { text += vexel::toHex(value, width).c_str(); }

void appendHeader(QByteArray& text, int frame, int width, int height)
{
    appendHex(text, static_cast<unsigned>(frame & 0xFF), 2); // index
    appendHex(text, 0, 2);                                  // entry and exit effect
    appendHex(text, 500, 4); // duration
    appendHex(text, 0, 4);   // x
    appendHex(text, 0, 4);   // y
    appendHex(text, static_cast<unsigned>(width), 4);
    appendHex(text, static_cast<unsigned>(height), 4);
    text += "\r\n";
}

int rowBytes(int width) { return (width - 1) / 8 + 1; }

} // namespace

QByteArray checkerboardImage(int width, int height)
{
    QByteArray text;
    appendHex(text, 1, 4);
    text += "\r\n";
    appendHeader(text, 0, width, height);
    for (int r = 0; r < height; ++r) {
        for (int b = 0; b < rowBytes(width); ++b)
            appendHex(text, r % 2 ? 0x55 : 0xAA, 2);
        text += "\r\n";
    }
    return text;
}

QByteArray framesImage(const std::vector<QSize>& frames)
{
    QByteArray text;
    appendHex(text, static_cast<unsigned>(frames.size()), 4);
    text += "\r\n";
    std::uint32_t state = 12345;
    int index = 0;
    for (const QSize& size : frames) {
        appendHeader(text, index++, size.width(), size.height());
        for (int r = 0; r < size.height(); ++r) {
            for (int b = 0; b < rowBytes(size.width()); ++b) {
                state = state * 1664525u + 1013904223u;
                appendHex(text, state >> 24, 2);
            }
            text += "\r\n";
        }
    }
    return text;
}

QByteArray randomImage(int frames, int width, int height)
{
    return framesImage(std::vector<QSize>(static_cast<std::size_t>(frames), QSize(width, height)));
}

std::vector<vexel::Destination> busDestinations(int count)
{
    const char* ka[] = {"აეროპორტი", "დიდუბე", "გლდანი", "ვარკეთილი", "საბურთალო", "ორთაჭალა"};
    const char* en[] = {"Airport", "Didube", "Gldani", "Varketili", "Saburtalo", "Ortachala"};
    const char* via[] = {"რუსთაველი, ვაკე", "საბურთალო, დელისი", "ვერა, ვაკე"};
    std::vector<vexel::Destination> all;
    for (int i = 0; i < count; ++i) {
        vexel::Destination d;
        d.code = d.route = QString::number(i + 1);
        d.destinationKa = QString::fromUtf8(ka[i % 6]);
        d.destinationEn = QString::fromUtf8(en[i % 6]);
        d.viaKa = QString::fromUtf8(via[i % 3]);
        all.push_back(d);
    }
    return all;
}

long long peakResidentBytes()
{
    // VmHWM: the high-water mark of the resident set, in kB.
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char line[256];
    long long kib = -1;
    while (std::fgets(line, sizeof line, status))
        if (std::strncmp(line, "VmHWM:", 6) == 0)
            kib = std::atoll(line + 6);
    std::fclose(status);
    return kib < 0 ? -1 : kib * 1024;
}

EditorSetup::EditorSetup(int width, int height, int zoom, bool grid)
{
    folder_ = testing_support::folderOf(dir_);
    form_ = std::make_unique<TForm1>(EditorContext{folder_, &prompter_});
    TForm1& f = *form_;
    f.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
    f.findChild<QTimer*>(QStringLiteral("Timer2"))->stop(); // the cursor blink would draw between measurements
    f.session().document().setFolder(folder_);
    f.Exe_Folder = folder_;
    f.Form2->SpinEdit2->setValue(width);
    f.Form2->SpinEdit3->setValue(height);
    f.findChild<QSpinBox*>(QStringLiteral("SpinEdit1"))->setValue(zoom);
    f.Form2->CheckBox2->setChecked(true);
    f.Form2->CheckBox1->setChecked(grid);
    f.session().settings().setStartupDone(true);
    if (f.session().settings().boardWidth() != width || f.session().settings().boardHeight() != height || f.session().settings().cellSize() != zoom)
        throw std::runtime_error("the editor did not take the board size");
}

EditorSetup::~EditorSetup() = default;

bool EditorSetup::open(const QString& name, const QByteArray& text, int frame)
{
    testing_support::writeAll(folder_ + name, text);
    form_->session().document().setFileName(name);
    form_->session().document().setCurrentFrame(frame);
    return form_->findChild<FileCommands*>()->Load_File() && prompter_.asked.empty();
}

vexel::Expected<QString> freshServerDatabase(const QString& name)
{
    const char* host = std::getenv("VEXEL_BENCH_PGHOST");
    if (!host || !*host)
        return vexel::Expected<QString>::failure("no server (make bench starts one; set VEXEL_BENCH_PGHOST)");
    const QString server = QStringLiteral("postgresql://postgres@/%1?host=") + QString::fromLocal8Bit(host);
    std::string failed;
    {
        QSqlDatabase admin = vexel::ServerAddress::parse(server.arg(QStringLiteral("postgres")), vexel::ServerAddress::SetName::Forbidden)
                                 ->connection(QStringLiteral("bench-admin"));
        if (!admin.open()) {
            failed = admin.lastError().text().toStdString();
        } else {
            QSqlQuery q(admin);
            // Connections this process keeps from an earlier run close first.
            vexel::HeldConnection::closeKept();
            q.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
            if (!q.exec(QStringLiteral("CREATE DATABASE %1").arg(name)))
                failed = q.lastError().text().toStdString();
            admin.close();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-admin"));
    if (!failed.empty())
        return vexel::Expected<QString>::failure(QString::fromStdString(failed));
    return server.arg(name);
}

} // namespace bench
