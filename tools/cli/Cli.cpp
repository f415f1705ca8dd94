#include "Cli.h"
#include "FontCommand.h"

#include "depot/PictureImport.h"
#include "depot/Preflight.h"
#include "depot/RouteCsv.h"
#include "depot/RouteLayout.h"
#include "depot/RouteSet.h"
#include "document/ImageDocument.h"
#include "document/ImageFile.h"
#include "document/PixelArray.h"
#include "lettering/FontList.h"
#include "preview/ExportFormat.h"
#include "preview/SignTimeline.h"
#include "preview/Timeline.h"
#include "fleet/ReleaseNote.h"
#include "transfer/DataMessage.h"
#include "transfer/SendJob.h"
#include "transfer/SerialLink.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <unistd.h>

#include <algorithm>
#include <functional>
#include <optional>

using namespace vexel;

namespace {

bool parseSize(const QString& text, int& width, int& height)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    if (parts.size() != 2)
        return false;
    bool okW = false;
    bool okH = false;
    const int w = parts[0].toInt(&okW);
    const int h = parts[1].toInt(&okH);
    if (!okW || !okH || w < 1 || w > 488 || h < 1 || h > 100)
        return false;
    width = w;
    height = h;
    return true;
}

bool parseNumber(const QString& text, int low, int high, int& out)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < low || v > high)
        return false;
    out = v;
    return true;
}

// What `render` draws on without --size: the board each file is made for,
// which is its sign's as its release names it (the file in `<release>/<sign>/`)
// or else the right and bottom edges of its widest frame windows; the widest
// and tallest of them when the files differ, said in `notes`.
SignTimeline::Board boardFor(const QStringList& paths, QStringList& notes)
{
    SignTimeline::Board board{0, 0, Timeline::DefaultStepTime};
    QStringList sizes;
    for (const QString& path : paths) {
        std::optional<std::pair<int, int>> size = ReleaseNote::signSizeOf(path);
        if (!size) {
            const Expected<ImageRecord> record = ImageFile::load(path);
            if (!record)
                continue; // the timeline says why
            size = Preflight::boardSizeOf(*record);
        }
        const QString named = QStringLiteral("%1 x %2").arg(size->first).arg(size->second);
        if (!sizes.contains(named))
            sizes << named;
        board.width = std::max(board.width, size->first);
        board.height = std::max(board.height, size->second);
    }
    if (sizes.size() > 1)
        notes << QStringLiteral("vexel: render: the files are made for boards of %1; drawn on %2 x %3")
                     .arg(sizes.join(QStringLiteral(", ")))
                     .arg(board.width)
                     .arg(board.height);
    board.width = std::clamp(board.width, 1, 488);
    board.height = std::clamp(board.height, 1, 100);
    return board;
}

// A line for each file whose frames the board cuts.
QStringList cutOn(const QStringList& paths, const SignTimeline::Board& board)
{
    QStringList cut;
    for (const QString& path : paths) {
        const Expected<ImageRecord> record = ImageFile::load(path);
        const std::vector<int> beyond = record ? record->framesBeyond(board.width, board.height) : std::vector<int>{};
        if (!beyond.empty())
            cut << QStringLiteral("vexel: render: %1: %2 beyond the %3 x %4 board, drawn cut")
                       .arg(QDir::toNativeSeparators(path),
                            ImageDocument::frameList(beyond) +
                                (beyond.size() == 1 ? QStringLiteral(" reaches") : QStringLiteral(" reach")),
                            QString::number(board.width), QString::number(board.height));
    }
    return cut;
}

using WantedExports = std::vector<std::pair<const ExportFormat*, QString>>;

QString optionIn(const std::map<QString, QString>& options, const QString& name)
{
    const auto it = options.find(name);
    return it == options.end() ? QString() : it->second;
}

// The exports `render` is asked for: each format's option names its file.
WantedExports wantedExports(const std::map<QString, QString>& options)
{
    WantedExports wanted;
    for (const ExportFormat* format : ExportFormat::all())
        if (const QString path = optionIn(options, QStringLiteral("--") + format->name()); !path.isEmpty())
            wanted.emplace_back(format, path);
    return wanted;
}

// The board and the look `render` draws with; the usage problem, or empty.
QString readRenderSettings(const std::map<QString, QString>& given, const QStringList& files,
                           SignTimeline::Board& board, ExportOptions& options, QStringList& notes)
{
    const auto option = [&](const QString& name) { return optionIn(given, name); };
    if (option(QStringLiteral("--size")).isEmpty())
        board = boardFor(files, notes);
    else if (!parseSize(option(QStringLiteral("--size")), board.width, board.height))
        return QStringLiteral("--size wants WxH within 488x100");
    if (!option(QStringLiteral("--step")).isEmpty() &&
        !parseNumber(option(QStringLiteral("--step")), 1, Timeline::MaxStepTime, board.stepTime))
        return QStringLiteral("--step wants milliseconds from 1 to %1").arg(Timeline::MaxStepTime);
    if (!option(QStringLiteral("--zoom")).isEmpty() &&
        !parseNumber(option(QStringLiteral("--zoom")), 1, SignStyle::MaxZoom, options.style.zoom))
        return QStringLiteral("--zoom wants 1 to %1").arg(SignStyle::MaxZoom);
    if (!option(QStringLiteral("--frame")).isEmpty() && !parseNumber(option(QStringLiteral("--frame")), 0, 0xFFFF, options.frame))
        return QStringLiteral("--frame wants a frame number");
    options.style.glow = given.count(QStringLiteral("--glow")) > 0;
    if (given.count(QStringLiteral("--pixels")))
        options.style.look = SignStyle::Look::Pixels;
    options.loop = given.count(QStringLiteral("--once")) == 0;
    return QString();
}

// Why one of the exports cannot be made, or empty when all can.
QString refusedExport(const SignTimeline& source, const ExportOptions& options, const WantedExports& wanted)
{
    for (const auto& [format, path] : wanted) {
        const Status possible = format->check(source, options);
        if (!possible)
            return possible.error();
    }
    return QString();
}

// The line settings of `send` and `read`, with the editor's defaults.
struct LinkSettings {
    QString port;
    QString baud;
    int delay = 0;
    int timeout = 0;
};

QString optionOr(const std::map<QString, QString>& given, const char* key, const char* fallback)
{
    const auto it = given.find(QString::fromLatin1(key));
    return it == given.end() ? QString::fromLatin1(fallback) : it->second;
}

// Reads the line settings; the usage problem, or empty.
QString readLinkSettings(const std::map<QString, QString>& given, const char* name, LinkSettings& link)
{
    const auto option = [&](const char* key, const char* fallback) { return optionOr(given, key, fallback); };
    link.port = option("--port", "");
    if (link.port.isEmpty())
        return QStringLiteral("%1: --port is needed").arg(QLatin1String(name));
    link.baud = option("--baud", "19200");
    if (!SerialLink::Parse_Baud(link.baud))
        return QStringLiteral("--baud wants a number, not \"%1\"").arg(link.baud);
    if (!parseNumber(option("--delay", "500"), 0, 1000000, link.delay))
        return QStringLiteral("--delay wants a Flash_Delay from 0 up");
    if (!parseNumber(option("--timeout", "1000"), 0, 3600000, link.timeout))
        return QStringLiteral("--timeout wants milliseconds");
    return QString();
}

// What `send` puts on the line: the DATA message of the files, or the READ
// request. When the files cannot make a message, `said` is the message for
// the user and `refusal` what the journal records.
struct Outgoing {
    QByteArray bytes;
    int dataLength = -1;
    int checksum = -1;
    bool refused = false;
    QString said;
    QString refusal;
};

Outgoing outgoingMessage(const QStringList& files, bool read)
{
    Outgoing out;
    out.bytes = DataMessage::readMessage();
    if (read)
        return out;
    const Expected<std::vector<FileText>> texts = SendJob::fileTexts(files, QString());
    if (!texts) {
        out.refused = true;
        out.said = out.refusal = texts.error();
        return out;
    }
    const Expected<DataMessage> data = DataMessage::build(*texts);
    if (!data) {
        out.refused = true;
        out.said = QStringLiteral("Nothing was sent. ") + data.error();
        out.refusal = data.error();
        return out;
    }
    out.bytes = data->bytes();
    out.dataLength = data->length() - DataMessage::HeaderLength;
    out.checksum = data->checksum();
    return out;
}

// Said when the message is out: how many bytes went to the port, and for a
// DATA message the figure the journal, release.txt and the board show,
// which is the data block's.
QString waitingLine(int sent, const QString& port, const Outgoing* data)
{
    const QString what = data ? QStringLiteral(" (the whole message; its %1)")
                                    .arg(DataMessage::blockFigure(data->dataLength, data->checksum))
                              : QString();
    return QStringLiteral("Sent %1 bytes to %2%3; waiting for the reply").arg(sent).arg(port, what);
}

// The progress line of a send: rewritten in place on a terminal, said once
// when the output goes to a file. `waiting` gives the line said when the
// message is out and the reply is awaited.
class ProgressLine {
public:
    ProgressLine(std::FILE* err, int total, std::function<QString(int sent)> waiting)
        : err_(err), terminal_(::isatty(::fileno(err)) == 1), total_(total), waiting_(std::move(waiting))
    {
    }

    void follow(SerialLink& link)
    {
        QObject::connect(&link, &SerialLink::statusChanged, &link, [this](const QString& status) {
            // The link says it in the language loaded, which is none here.
            if (status == QCoreApplication::translate("SerialLink", "Wait for reply") && sending_) {
                sending_ = false;
                if (terminal_)
                    std::fputc('\n', err_);
                std::fprintf(err_, "%s\n", waiting_(sent_).toUtf8().constData());
            }
        });
        QObject::connect(&link, &SerialLink::progressAdvanced, &link, [this](int step) { advance(step); });
    }

private:
    void advance(int step)
    {
        if (!sending_)
            return;
        sent_ += step;
        const int percent = total_ ? sent_ * 100 / total_ : 100;
        if (terminal_ && percent != shown_) {
            shown_ = percent;
            std::fprintf(err_, "\rSending %d of %d bytes (%d%%)", sent_, total_, percent);
            std::fflush(err_);
        }
    }

    std::FILE* err_;
    bool terminal_;
    int total_;
    std::function<QString(int)> waiting_;
    int sent_ = 0;
    int shown_ = -1;
    bool sending_ = true;
};

// The import settings; the usage problem, or empty.
QString readImportSettings(const std::map<QString, QString>& given, int& width, int& height, ImportOptions& options)
{
    const auto option = [&](const char* name) { return optionIn(given, QString::fromLatin1(name)); };
    if (!option("--size").isEmpty() && !parseSize(option("--size"), width, height))
        return QStringLiteral("--size wants WxH within 488x100");
    if (given.count(QStringLiteral("--fit")) && given.count(QStringLiteral("--stretch")))
        return QStringLiteral("import: --fit or --stretch, not both");
    if (given.count(QStringLiteral("--stretch")))
        options.fit = PictureFit::Stretch;
    const QString method = option("--method");
    if (method == QLatin1String("ordered"))
        options.method = LedConversion::Ordered;
    else if (method == QLatin1String("diffusion"))
        options.method = LedConversion::ErrorDiffusion;
    else if (!method.isEmpty() && method != QLatin1String("threshold"))
        return QStringLiteral("--method wants threshold, ordered or diffusion, not \"%1\"").arg(method);
    if (!option("--threshold").isEmpty() && !parseNumber(option("--threshold"), 0, 255, options.threshold))
        return QStringLiteral("--threshold wants 0 to 255");
    options.invert = given.count(QStringLiteral("--invert")) > 0;
    return QString();
}

// The picture as an image of a `width` x `height` board, a frame for each
// of its pictures.
ImageRecord imageOf(const Picture& picture, int width, int height, const ImportOptions& options)
{
    // A still picture is one frame of the editor's usual duration.
    constexpr int StillDuration = 500;
    ImageRecord record;
    const int count = static_cast<int>(picture.frames.size());
    record.setFrameCount(count);
    for (int f = 0; f < count; ++f) {
        const LedBitmap leds = PictureImport::convert(picture.frames[static_cast<std::size_t>(f)], width, height, options);
        FrameHeader header;
        header.index = f;
        header.duration = picture.animated()
                              ? PictureImport::frameDuration(picture.delaysMs[static_cast<std::size_t>(f)])
                              : StillDuration;
        header.rect = FrameRect{0, 0, width, height};
        PixelArray bits;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (leds.lit(x, y))
                    bits.setLit(x, y, true);
        record.appendFrame(header, bits);
    }
    return record;
}

// The help text: the head, with %1 for the render formats' options, then
// a line for each format (from the formats themselves), then the rest.
const char UsageHead[] = R"(usage: vexel COMMAND [OPTIONS] ARGUMENTS

  vexel check [--size WxH] FILE...
      load each image as the editor does and run the checks before a send;
      one line per finding on standard output (board size 96x24 unless --size)
  vexel render FILE... (%1)... [--size WxH]
               [--step MS] [--zoom N] [--glow] [--pixels] [--frame N] [--once]
      the simulator's exports, each to its file (--pixels: one pixel per LED), on
      the board of --size, else of the file's sign in its release, else of its frames:
)";

const char UsageCommands[] = R"(  vexel send --port PORT [--baud N] [--delay N] [--timeout MS] [--bus N] [--sign S] FILE...
      the files as one DATA message, as the editor's Send (19200 baud, Flash_Delay
      500, time-out 1000 ms unless given); the board's reply is the exit status;
      recorded in the send journal with the bus, and the set and version of the
      release.txt beside the files
  vexel read --port PORT [--baud N] [--delay N] [--timeout MS] [--bus N]
      the READ request; the reply on standard output
  vexel journal [--bus N] [--sign S] [--set SET] [--csv]
      the send journal, oldest first (CSV columns: time, bus, sign, set, version,
      port, files, bytes (the data block), checksum, reply, message_bytes (the
      whole message)); VEXEL_JOURNAL may name a file or a
      server database (postgresql://...), else the editor's Lumaro.ini may name a
      server; entries not yet uploaded are marked
  vexel db init URL
      the journal's table in an empty server database, and the roles vexel_owner
      (owns the sets), vexel_editor and vexel_viewer where the connecting role may
      create roles; a journal there already is brought up to this version, and
      sets made by an earlier version are brought under vexel_owner
  vexel fleet import BUSES.csv
      the bus list (columns bus, depot, set, codes, in_service, note) merged into
      the journal's database by bus number: added, changed, unchanged; rows that
      cannot be buses are named with their line and left out (exit 1)
  vexel fleet export --csv OUT
      the bus list as import reads it
  vexel fleet status [--behind] [--depot D] [--bus N] [--csv]
      one line per bus and sign: the codes behind the latest release, the version
      carried, the latest version and since when, then on standard error how many
      buses are up to date on every sign; exit 1 when a bus in service is behind
  vexel fleet visit --depot D --release DIR [--pdf OUT]
      the depot's buses behind the release in DIR, with each sign's files to send;
      --pdf writes the checklist the Fleet window prints
  vexel db grant ROLE SERVERSET --edit|--read
      lets the database role edit (and release) the set, or only read it; a role
      given neither cannot see the set
  vexel db sql [ROLE SET --edit|--read]
      the SQL of db init, or of db grant for the set named SET, for a database
      administrator to run
  vexel routes LAYOUT.json ROUTES.csv --out DIR
      one image per row of the route list, DIR/<route>.img, lettered as the
      layout says; rows that do not fit are reported and written nowhere; a
      layout that names several signs writes DIR/<sign>/<route>.img
  vexel import PICTURE --out FILE.img [--size WxH] [--fit | --stretch]
               [--method threshold|ordered|diffusion] [--threshold 0-255] [--invert]
      the picture as an image of the board, as the editor's Import converts it
      (kept in aspect, threshold 128 unless given); an animated GIF becomes one
      frame per picture with its delay
  vexel set new SET PROFILE.json
      a new destination set for the vehicle's signs the profile names
  vexel set import SET ROUTES.csv
      the route list merged into the set by code: added, changed, unchanged;
      "X via Y" and Latin texts in capitals as in set gtfs (auto)
  vexel set export SET --csv OUT
      the set's destinations as a route list
  vexel set status SET
      how each destination fits each sign, one line each; exit 1 if any does not
  vexel set override remove SET CODE SIGN
      the destination's image made by hand for the sign taken out: it is lettered again
  vexel set audit SET [--rules NAME|FILE]
      the legibility audit of every sign and destination, one line per finding
      (code, sign, page: rule, measured, required); rules "vexel" unless given;
      exit 1 on any finding
  vexel translit TEXT...
      the Latin name suggested for each Georgian text, one line each
  vexel set versions SET
      one line per kept version: number, time, note, feed version and counts
  vexel set diff SET A B
      what changed from version A to version B, one line per destination;
      exit 1 when they differ
  vexel set release SET --out DIR [--partial] [--version N] [--note TEXT]
                    [--rules NAME|FILE] [--valid-from YYYY-MM-DD] [--sheets png|pdf]
      each sign's images in DIR/<sign>/, proof sheets and DIR/release.txt; a sign's
      proof sheet is DIR/<sign>-proof.png, going on in -2.png, -3.png ... (png, the
      default), or one DIR/<sign>-proof.pdf of a page each (pdf); sheets an earlier
      release left there in the other format or with more pages are removed
  vexel set gtfs SET FEED [--apply [--remove] [--take-feed]] [--return-suffix S]
                 [--variant-suffix P] [--route-type N] [--agency ID] [--case keep|title|auto]
      a transit feed (zip or folder) against the set: + added, ~ changed, - removed;
      --apply takes the additions and changes, --remove the removals too, --take-feed
      the held texts (changed by hand since the last import and in the feed); a headsign
      "X via Y" gives the via, service words at its start the service; a Latin text
      in capitals is suggested in title case, and one that mixes cases has its words
      in capitals cased (auto), only the former (title) or never (keep); only the
      routes and agencies the feed runs are proposed for removal; a direction's
      other headsigns are coded by the set's variant suffix ("-%n": B41-2), or by
      --variant-suffix P, which becomes the set's when applied
  vexel set abbreviations SET [--export FILE|-] [--import FILE]
      the set's abbreviations as CSV (script,word,short); --import replaces them all
  vexel set words SET [--upper|--via|--service|--keep add|remove WORD]
                      [--via-word latin|georgian WORD] [--variant-suffix P]
      the set's other word lists, one entry a line; or one entry added or removed:
      words kept in capitals, via separators, service words, phrases kept together;
      or the word a via frame starts with for Latin or Georgian text ("via",
      "გავლით:" in a new set); or the suffix that codes a direction's other
      headsigns, %n their number from 2 ("-%n" in a new set: B41-2)
  vexel set copy FROM TO
      the whole set, versions and histories included, to a new file or server set;
      a server set copied to a file is an offline copy that set merge takes back
  vexel set merge FILE SERVERSET
      the destinations the offline copy FILE added, changed or removed, into the
      server set it was copied from; one the server changed too is refused by name

exit status: 0 success, 1 a failed check or refused input, 2 bad usage;
send and read: 3 the board replied CS, 4 it replied LN, 5 no reply
)";

} // namespace

QString Cli::usageText()
{
    QStringList files;
    QString formats;
    for (const ExportFormat* format : ExportFormat::all()) {
        const QString option = QStringLiteral("--") + format->name();
        files << option + QStringLiteral(" OUT");
        formats += QStringLiteral("        %1 %2\n").arg(option, -11).arg(format->summary());
    }
    return QString::fromLatin1(UsageHead).arg(files.join(QStringLiteral(" | "))) + formats +
           QString::fromLatin1(UsageCommands);
}

void Cli::say(std::FILE* stream, const QString& line)
{
    std::fprintf(stream, "%s\n", line.toUtf8().constData());
}

int Cli::usage(const QString& problem)
{
    say(err_, QStringLiteral("vexel: ") + problem);
    std::fputs("Try 'vexel --help'.\n", err_);
    return BadUsage;
}

Cli::Parsed Cli::parse(const QStringList& args, const QStringList& valued, const QStringList& flags)
{
    Parsed p;
    bool optionsDone = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (optionsDone || !a.startsWith(QLatin1String("--")) || a == QLatin1String("-")) {
            p.positional << a;
        } else if (a == QLatin1String("--")) {
            optionsDone = true;
        } else if (flags.contains(a)) {
            p.options[a] = QStringLiteral("1");
        } else if (valued.contains(a)) {
            if (i + 1 >= args.size()) {
                p.error = QStringLiteral("%1 needs a value").arg(a);
                return p;
            }
            p.options[a] = args[++i];
        } else {
            p.error = QStringLiteral("unknown option %1").arg(a);
            return p;
        }
    }
    return p;
}

int Cli::run(const QStringList& args)
{
    if (args.isEmpty())
        return usage(QStringLiteral("no command given"));
    const QString command = args.front();
    const QStringList rest = args.mid(1);
    if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help") ||
        rest.contains(QStringLiteral("--help"))) {
        std::fputs(usageText().toUtf8().constData(), out_);
        std::fputs(FontCommandUsage, out_);
        return Success;
    }
    if (command == QLatin1String("check"))
        return check(rest);
    if (command == QLatin1String("render"))
        return render(rest);
    if (command == QLatin1String("send"))
        return send(rest, false);
    if (command == QLatin1String("read"))
        return send(rest, true);
    if (command == QLatin1String("routes"))
        return routes(rest);
    if (command == QLatin1String("font"))
        return runFontCommand(rest, out_, err_);
    if (command == QLatin1String("set"))
        return set(rest);
    if (command == QLatin1String("import"))
        return import(rest);
    if (command == QLatin1String("translit"))
        return translit(rest);
    if (command == QLatin1String("journal"))
        return journal(rest);
    if (command == QLatin1String("db"))
        return db(rest);
    if (command == QLatin1String("fleet"))
        return fleet(rest);
    return usage(QStringLiteral("unknown command \"%1\"").arg(command));
}

int Cli::check(const QStringList& args)
{
    const Parsed p = parse(args, {QStringLiteral("--size")}, {});
    if (!p.error.isEmpty())
        return usage(p.error);
    if (p.positional.isEmpty())
        return usage(QStringLiteral("check: no file given"));
    PreflightInput input;
    const bool sized = p.options.count(QStringLiteral("--size")) > 0;
    if (sized && !parseSize(p.options.at(QStringLiteral("--size")), input.boardWidth, input.boardHeight))
        return usage(QStringLiteral("--size wants WxH within 488x100"));
    input.files = Preflight::load(p.positional, QString());
    // A released file is checked against its sign, unless a size is asked for.
    if (!sized)
        ReleaseNote::findSigns(input.files);
    const std::vector<Finding> findings = Preflight::check(input);
    for (const Finding& f : findings) {
        // A file that does not load was refused: its message says where.
        if (f.kind == Finding::Kind::Unreadable)
            say(err_, f.message);
        else
            say(out_, f.line());
    }
    return findings.empty() ? Success : Failed;
}

int Cli::render(const QStringList& args)
{
    // Each export format is an option naming its file.
    QStringList valued{QStringLiteral("--size"), QStringLiteral("--step"), QStringLiteral("--zoom"),
                       QStringLiteral("--frame")};
    QStringList formatOptions;
    for (const ExportFormat* format : ExportFormat::all())
        formatOptions << QStringLiteral("--") + format->name();
    valued << formatOptions;
    const Parsed p = parse(args, valued, {QStringLiteral("--glow"), QStringLiteral("--pixels"), QStringLiteral("--once")});
    if (!p.error.isEmpty())
        return usage(p.error);
    if (p.positional.isEmpty())
        return usage(QStringLiteral("render: no file given"));
    const WantedExports wanted = wantedExports(p.options);
    if (wanted.empty()) {
        const QString last = formatOptions.takeLast();
        return usage(QStringLiteral("render: say what to write with %1 or %2")
                         .arg(formatOptions.join(QStringLiteral(", ")), last));
    }
    QStringList notes;
    SignTimeline::Board board;
    ExportOptions options;
    if (const QString problem = readRenderSettings(p.options, p.positional, board, options, notes); !problem.isEmpty())
        return usage(problem);

    // All or nothing: every file loads, and every export can be made, before
    // anything is written.
    Expected<SignTimeline> source = SignTimeline::ofFiles(p.positional, board);
    if (!source) {
        say(err_, source.error());
        return Failed;
    }
    options.heading = QStringLiteral("%1 (%2 x %3)")
                          .arg(source->titles().join(QStringLiteral(", ")))
                          .arg(board.width)
                          .arg(board.height);
    if (const QString refused = refusedExport(*source, options, wanted); !refused.isEmpty()) {
        say(err_, QStringLiteral("vexel: render: ") + refused);
        return Failed;
    }
    for (const QString& line : notes + cutOn(p.positional, board))
        say(err_, line);
    bool failed = false;
    for (const auto& [format, path] : wanted) {
        const Status written = format->write(source.value(), options, path);
        if (!written) {
            say(err_, written.error());
            failed = true;
        }
    }
    return failed ? Failed : Success;
}

int Cli::send(const QStringList& args, bool read)
{
    const Parsed p = parse(args,
                           {QStringLiteral("--port"), QStringLiteral("--baud"), QStringLiteral("--delay"),
                            QStringLiteral("--timeout"), QStringLiteral("--bus"), QStringLiteral("--sign")},
                           {});
    const char* name = read ? "read" : "send";
    if (!p.error.isEmpty())
        return usage(p.error);
    LinkSettings settings;
    if (const QString problem = readLinkSettings(p.options, name, settings); !problem.isEmpty())
        return usage(problem);
    if (read && !p.positional.isEmpty())
        return usage(QStringLiteral("read takes no file"));
    if (!read && p.positional.isEmpty())
        return usage(QStringLiteral("send: no file given"));
    Sent record;
    record.read = read;
    record.files = p.positional;
    record.bus = optionOr(p.options, "--bus", "");
    record.sign = optionOr(p.options, "--sign", "");
    record.port = settings.port;
    const auto notSent = [&](const QString& why) {
        record.reply = SendJob::notSent(why);
        journalSend(record);
        return Failed;
    };

    const Outgoing message = outgoingMessage(p.positional, read);
    if (message.refused) {
        say(err_, message.said);
        return notSent(message.refusal);
    }
    record.dataLength = message.dataLength;
    record.checksum = message.checksum;

    ProgressLine progress(err_, static_cast<int>(message.bytes.size()),
                          [&](int sent) { return waitingLine(sent, settings.port, read ? nullptr : &message); });
    SerialLink link;
    if (!link.reopen(settings.port, settings.baud)) {
        say(err_, link.openError());
        return notSent(link.openError());
    }
    link.setFlashDelay(settings.delay);
    link.setReplyTimeout(settings.timeout);
    progress.follow(link);

    const TComand_Result result = link.Send_Data(message.bytes);
    record.reply = SendJob::replyText(result);
    journalSend(record);
    const QByteArray reply = result.Reply_Text.left(2);
    if (!result.Reply_Received) {
        say(err_, QStringLiteral("No reply from %1 within %2 ms").arg(settings.port).arg(settings.timeout));
        return NoReply;
    }
    say(read ? out_ : err_, QStringLiteral("The board replied %1").arg(QString::fromLatin1(reply)));
    if (reply == "OK")
        return Success;
    return reply == "CS" ? ReplyCs : ReplyLn;
}

int Cli::routes(const QStringList& args)
{
    const Parsed p = parse(args, {QStringLiteral("--out")}, {});
    if (!p.error.isEmpty())
        return usage(p.error);
    if (p.positional.size() != 2)
        return usage(QStringLiteral("routes wants LAYOUT.json ROUTES.csv --out DIR"));
    if (!p.options.count(QStringLiteral("--out")))
        return usage(QStringLiteral("routes: --out DIR is needed"));
    const QString folder = p.options.at(QStringLiteral("--out"));

    const Expected<std::vector<RouteSignLayout>> signs = RouteLayout::readSigns(p.positional[0]);
    if (!signs) {
        say(err_, signs.error());
        return Failed;
    }
    const Expected<std::vector<RouteRow>> rows = RouteCsv::read(p.positional[1]);
    if (!rows) {
        say(err_, rows.error());
        return Failed;
    }
    FontList fonts(FontList::installedPlaces());
    std::vector<RouteSet> sets;
    for (const RouteSignLayout& sign : *signs) {
        sets.emplace_back(sign.layout, fonts);
        const Status fontsOk = sets.back().checkFonts();
        if (!fontsOk) {
            const QString where = sign.name.isEmpty() ? QString() : QStringLiteral(", sign \"%1\"").arg(sign.name);
            say(err_, QStringLiteral("Layout \"%1\"%2: %3")
                          .arg(QDir::toNativeSeparators(p.positional[0]), where,
                               fontsOk.error()));
            return Failed;
        }
    }
    bool clean = true;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const QString& name = (*signs)[i].name;
        // A layout of one board writes into DIR itself, as it always has.
        const QString into = name.isEmpty() ? folder : QDir(folder).filePath(name);
        const RouteSet::Outcome outcome = sets[i].write(*rows, into, QDir::toNativeSeparators(p.positional[1]));
        for (const QString& problem : outcome.problems)
            say(err_, name.isEmpty() ? problem : name + QStringLiteral(": ") + problem);
        say(err_, QStringLiteral("Wrote %1 of %2 routes to %3")
                      .arg(outcome.written.size())
                      .arg(rows->size())
                      .arg(QDir::toNativeSeparators(into)));
        clean = clean && outcome.problems.isEmpty();
    }
    return clean ? Success : Failed;
}

int Cli::import(const QStringList& args)
{
    const Parsed p = parse(args,
                           {QStringLiteral("--out"), QStringLiteral("--size"), QStringLiteral("--method"),
                            QStringLiteral("--threshold")},
                           {QStringLiteral("--fit"), QStringLiteral("--stretch"), QStringLiteral("--invert")});
    if (!p.error.isEmpty())
        return usage(p.error);
    if (p.positional.size() != 1)
        return usage(QStringLiteral("import wants one PICTURE and --out FILE.img"));
    if (!p.options.count(QStringLiteral("--out")))
        return usage(QStringLiteral("import: --out FILE.img is needed"));
    int width = 96;
    int height = 24;
    ImportOptions options;
    if (const QString problem = readImportSettings(p.options, width, height, options); !problem.isEmpty())
        return usage(problem);

    const Expected<Picture> picture = PictureImport::read(p.positional[0]);
    if (!picture) {
        say(err_, picture.error());
        return Failed;
    }
    const ImageRecord record = imageOf(*picture, width, height, options);
    const int count = static_cast<int>(picture->frames.size());
    if (picture->framesInFile > count)
        say(err_, QStringLiteral("%1 holds %2 pictures; an image holds %3 frames, so the first %3 were taken")
                      .arg(QDir::toNativeSeparators(p.positional[0]))
                      .arg(picture->framesInFile)
                      .arg(count));
    const Status written = ImageFile::write(optionIn(p.options, QStringLiteral("--out")), record);
    if (!written) {
        say(err_, written.error());
        return Failed;
    }
    return Success;
}
