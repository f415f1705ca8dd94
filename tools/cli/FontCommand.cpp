#include "FontCommand.h"

#include "lettering/BdfFont.h"
#include "lettering/FontCheck.h"
#include "lettering/LedFontReader.h"
#include "lettering/LedFontWriter.h"
#include "lettering/TextFit.h"

#include <QDir>
#include <QFileInfo>

#include <map>

using namespace vexel;

const char* const FontCommandUsage =
    "  vexel font check FONT.vfont...\n"
    "      coverage (ASCII, Georgian, punctuation), empty and duplicate glyphs and\n"
    "      Georgian letters one LED apart of each face; exit status 1 when a file\n"
    "      is refused or a glyph is broken\n"
    "  vexel font export FONT.vfont --bdf OUT.bdf\n"
    "      the face as a BDF 2.1 font for other tools\n"
    "  vexel font import FONT.(bdf|pcf|pcf.gz) --out NEW.vfont [--family NAME]\n"
    "      a bitmap font at its size as a new LED font file\n";

namespace {

class FontCommand {
public:
    FontCommand(std::FILE* out, std::FILE* err) : out_(out), err_(err) {}

    int run(const QStringList& args)
    {
        if (args.isEmpty())
            return usage(QStringLiteral("font: say check, export or import"));
        const QString sub = args.front();
        const QStringList rest = args.mid(1);
        if (sub == QLatin1String("check"))
            return check(rest);
        if (sub == QLatin1String("export"))
            return exportBdf(rest);
        if (sub == QLatin1String("import"))
            return import(rest);
        return usage(QStringLiteral("font: unknown command \"%1\"").arg(sub));
    }

private:
    void say(std::FILE* stream, const QString& line) { std::fprintf(stream, "%s\n", line.toUtf8().constData()); }
    void say(std::FILE* stream, const std::string& line) { std::fprintf(stream, "%s\n", line.c_str()); }

    int usage(const QString& problem)
    {
        say(err_, QStringLiteral("vexel: ") + problem);
        std::fputs("Try 'vexel --help'.\n", err_);
        return 2;
    }

    // FILE --option VALUE in any order; false with the usage message shown.
    bool fileAndOption(const QStringList& args, const QString& option, const QStringList& optional, QString& file,
                       QString& value, std::map<QString, QString>& others, int& status)
    {
        for (int i = 0; i < args.size(); ++i) {
            const QString& a = args[i];
            if (a == option || optional.contains(a)) {
                if (i + 1 >= args.size()) {
                    status = usage(QStringLiteral("%1 needs a value").arg(a));
                    return false;
                }
                (a == option ? value : others[a]) = args[++i];
            } else if (a.startsWith(QLatin1String("--"))) {
                status = usage(QStringLiteral("unknown option %1").arg(a));
                return false;
            } else if (file.isEmpty()) {
                file = a;
            } else {
                status = usage(QStringLiteral("one font file only"));
                return false;
            }
        }
        if (file.isEmpty() || value.isEmpty()) {
            status = usage(QStringLiteral("font: a font file and %1 are needed").arg(option));
            return false;
        }
        return true;
    }

    int check(const QStringList& files)
    {
        if (files.isEmpty())
            return usage(QStringLiteral("font check: no file given"));
        bool broken = false;
        for (const QString& file : files) {
            const Expected<LedFont> font = LedFontReader::read(file);
            if (!font) {
                say(err_, font.error());
                broken = true;
                continue;
            }
            const QString name = QDir::toNativeSeparators(file);
            const FontCheckReport report = FontCheck::check(*font);
            say(out_, QStringLiteral("%1: %2, %3 rows, %4%5, baseline %6, %7 glyphs")
                          .arg(name, QString::fromStdString(font->family))
                          .arg(font->height)
                          .arg(font->bold ? "bold" : "regular", font->condensed ? ", condensed" : "")
                          .arg(font->baseline)
                          .arg(font->glyphs.size()));
            for (const FontCheckReport::Coverage& c : report.coverage) {
                QString line = QStringLiteral("%1: %2 %3 of %4")
                                   .arg(name, QString::fromStdString(c.name))
                                   .arg(c.wanted - static_cast<int>(c.lacking.size()))
                                   .arg(c.wanted);
                if (!c.lacking.empty())
                    line += QStringLiteral(", lacks ") + QString::fromStdString(TextFit::characterList(c.lacking));
                say(out_, line);
            }
            if (!report.empty.empty())
                say(out_, QStringLiteral("%1: empty glyphs: %2")
                              .arg(name, QString::fromStdString(TextFit::characterList(report.empty))));
            for (const auto& [a, b] : report.duplicates)
                say(out_, QStringLiteral("%1: %2 is drawn as %3")
                              .arg(name, QString::fromStdString(TextFit::characterList({b})),
                                   QString::fromStdString(TextFit::characterList({a}))));
            for (const auto& [a, b] : report.alike)
                say(out_, QStringLiteral("%1: %2 and %3 are drawn alike")
                              .arg(name, QString::fromStdString(TextFit::characterList({a})),
                                   QString::fromStdString(TextFit::characterList({b}))));
            if (!report.floating.empty())
                say(out_, QStringLiteral("%1: Georgian letters above the baseline: %2")
                              .arg(name, QString::fromStdString(TextFit::characterList(report.floating))));
        }
        return broken ? 1 : 0;
    }

    int exportBdf(const QStringList& args)
    {
        QString file;
        QString out;
        std::map<QString, QString> others;
        int status = 0;
        if (!fileAndOption(args, QStringLiteral("--bdf"), {}, file, out, others, status))
            return status;
        const Expected<LedFont> font = LedFontReader::read(file);
        if (!font) {
            say(err_, font.error());
            return 1;
        }
        const Status saved = BdfFont::save(*font, out);
        if (!saved) {
            say(err_, saved.error());
            return 1;
        }
        return 0;
    }

    int import(const QStringList& args)
    {
        QString file;
        QString out;
        std::map<QString, QString> others;
        int status = 0;
        if (!fileAndOption(args, QStringLiteral("--out"), {QStringLiteral("--family")}, file, out, others, status))
            return status;
        const std::string family = others.count(QStringLiteral("--family"))
                                       ? others.at(QStringLiteral("--family")).toStdString()
                                       : std::string();
        const Expected<BdfFont::Imported> imported = BdfFont::import(file, family);
        if (!imported) {
            say(err_, imported.error());
            return 1;
        }
        const Status saved = LedFontWriter::save(imported->font, out);
        if (!saved) {
            say(err_, saved.error());
            return 1;
        }
        say(out_, QStringLiteral("%1: %2, %3 rows, %4 glyphs")
                      .arg(QDir::toNativeSeparators(out), QString::fromStdString(imported->font.family))
                      .arg(imported->font.height)
                      .arg(imported->font.glyphs.size()) +
                      (imported->leftOut > 0 ? QStringLiteral(" (%1 left out)").arg(imported->leftOut) : QString()));
        return 0;
    }

    std::FILE* out_;
    std::FILE* err_;
};

} // namespace

int runFontCommand(const QStringList& args, std::FILE* out, std::FILE* err)
{
    return FontCommand(out, err).run(args);
}
