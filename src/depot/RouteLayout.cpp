#include "depot/RouteLayout.h"

#include "depot/FileStem.h"
#include "document/ImageRecord.h"
#include "document/LimitedFile.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <set>

namespace vexel {

namespace {

constexpr int MaxBoardWidth = 488;
constexpr int MaxBoardHeight = 100;

QString columnList()
{
    QStringList names;
    for (const QString& n : RouteLayout::columnNames())
        names << QLatin1Char('{') + n + QLatin1Char('}');
    const QString lastName = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" and ") + lastName;
}

// Walks a template; `each` gets every column name used. False with a
// reason on an unknown name or a lone brace.
bool scanTemplate(const QString& pattern, QString* reason, std::vector<QString>* used, QString* expanded = nullptr,
                  const std::map<QString, QString>* values = nullptr)
{
    const std::vector<QString>& known = RouteLayout::columnNames();
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        const bool doubled = i + 1 < pattern.size() && pattern[i + 1] == c;
        if (c == QLatin1Char('}')) {
            if (!doubled) {
                if (reason)
                    *reason = QStringLiteral("a lone \"}\" (write \"}}\" for a brace)");
                return false;
            }
            if (expanded)
                *expanded += c;
            ++i;
            continue;
        }
        if (c != QLatin1Char('{')) {
            if (expanded)
                *expanded += c;
            continue;
        }
        if (doubled) {
            if (expanded)
                *expanded += c;
            ++i;
            continue;
        }
        const qsizetype close = pattern.indexOf(QLatin1Char('}'), i + 1);
        if (close < 0) {
            if (reason)
                *reason = QStringLiteral("a \"{\" without its \"}\" (write \"{{\" for a brace)");
            return false;
        }
        const QString name = pattern.mid(i + 1, close - i - 1);
        if (std::find(known.begin(), known.end(), name) == known.end()) {
            if (reason)
                *reason = QStringLiteral("{%1} is no column; the columns are %2").arg(name, columnList());
            return false;
        }
        if (used && std::find(used->begin(), used->end(), name) == used->end())
            used->push_back(name);
        if (expanded && values) {
            const auto it = values->find(name);
            if (it != values->end())
                *expanded += it->second;
        }
        i = close;
    }
    return true;
}

// Reads the keys of one JSON object, refusing what it does not know.
class Reader {
public:
    Reader(const QJsonObject& object, QString path) : object_(object), path_(std::move(path)) {}

    bool failed() const { return !error_.isEmpty(); }
    const QString& error() const { return error_; }

    QString key(const QString& name) const { return path_.isEmpty() ? name : path_ + QLatin1Char('.') + name; }

    void fail(const QString& name, const QString& reason)
    {
        if (error_.isEmpty())
            error_ = QStringLiteral("%1: %2").arg(key(name), reason);
    }

    bool has(const QString& name)
    {
        seen_.insert(name);
        return object_.contains(name);
    }

    void integer(const QString& name, int low, int high, int& out)
    {
        if (!has(name))
            return;
        const QJsonValue v = object_.value(name);
        const double d = v.toDouble(-1e300);
        if (!v.isDouble() || d != std::floor(d) || d < low || d > high) {
            fail(name, QStringLiteral("must be a whole number from %1 to %2").arg(low).arg(high));
            return;
        }
        out = static_cast<int>(d);
    }

    void boolean(const QString& name, bool& out)
    {
        if (!has(name))
            return;
        if (!object_.value(name).isBool()) {
            fail(name, QStringLiteral("must be true or false"));
            return;
        }
        out = object_.value(name).toBool();
    }

    void string(const QString& name, QString& out)
    {
        if (!has(name))
            return;
        if (!object_.value(name).isString()) {
            fail(name, QStringLiteral("must be a text in quotes"));
            return;
        }
        out = object_.value(name).toString();
    }

    void textTemplate(const QString& name, QString& out)
    {
        if (!has(name))
            return;
        string(name, out);
        QString reason;
        if (!failed() && !scanTemplate(out, &reason, nullptr))
            fail(name, reason);
    }

    template <class T>
    void choice(const QString& name, const std::vector<std::pair<const char*, T>>& choices, T& out)
    {
        if (!has(name))
            return;
        const QString v = object_.value(name).toString();
        QStringList names;
        for (const auto& [text, value] : choices) {
            names << QStringLiteral("\"%1\"").arg(QLatin1String(text));
            if (v == QLatin1String(text)) {
                out = value;
                return;
            }
        }
        fail(name, QStringLiteral("must be one of %1").arg(names.join(QStringLiteral(", "))));
    }

    QJsonObject object(const QString& name)
    {
        if (!has(name))
            return {};
        if (!object_.value(name).isObject())
            fail(name, QStringLiteral("must be an object in braces"));
        return object_.value(name).toObject();
    }

    // Keys present that nothing read: a misspelling, most likely, or a key
    // of another preset (`otherwise` says so).
    void refuseUnknown(const std::set<QString>& elsewhere = {}, const QString& otherwise = QString())
    {
        for (const QString& k : object_.keys())
            if (!seen_.count(k))
                fail(k, elsewhere.count(k) ? otherwise : QStringLiteral("unknown key"));
    }

private:
    QJsonObject object_;
    QString path_;
    QString error_;
    std::set<QString> seen_;
};

const std::vector<std::pair<const char*, HAlign>> HAligns = {
    {"left", HAlign::Left}, {"centre", HAlign::Centre}, {"center", HAlign::Centre}, {"right", HAlign::Right}};
const std::vector<std::pair<const char*, VAlign>> VAligns = {
    {"top", VAlign::Top}, {"middle", VAlign::Middle}, {"bottom", VAlign::Bottom}};
const std::vector<std::pair<const char*, RouteFrame::Preset>> Presets = {
    {"number", RouteFrame::Preset::NumberAndDestination},
    {"two-lines", RouteFrame::Preset::TwoLines},
    {"one-text", RouteFrame::Preset::OneText}};

// The keys that style and time a frame, at the top as defaults or per frame.
void readCommon(Reader& r, RouteFrame& f)
{
    r.string(QStringLiteral("font"), f.style.font);
    r.integer(QStringLiteral("height"), 1, MaxBoardHeight, f.style.height);
    r.boolean(QStringLiteral("bold"), f.style.bold);
    r.integer(QStringLiteral("letterSpacing"), TextStyle::MinLetterSpacing, TextStyle::MaxLetterSpacing,
              f.style.letterSpacing);
    r.integer(QStringLiteral("lineSpacing"), TextStyle::MinLineSpacing, TextStyle::MaxLineSpacing,
              f.style.lineSpacing);
    r.integer(QStringLiteral("duration"), 0, FrameHeader::MaxField, f.duration);
    r.integer(QStringLiteral("entry"), 0, FrameHeader::MaxEffect, f.entry);
    r.integer(QStringLiteral("exit"), 0, FrameHeader::MaxEffect, f.exit);
    r.boolean(QStringLiteral("doubled"), f.order.doubled);
    r.boolean(QStringLiteral("tightSpacing"), f.order.tightSpacing);
    r.boolean(QStringLiteral("balancedBreaks"), f.order.balanced);
    r.integer(QStringLiteral("max_pages"), 1, ImageRecord::MaxFrames, f.maxPages);
}

} // namespace

const std::vector<QString>& RouteLayout::columnNames()
{
    static const std::vector<QString> names = {QStringLiteral("route"), QStringLiteral("destination_ka"),
                                               QStringLiteral("destination_en"), QStringLiteral("via"),
                                               QStringLiteral("code"),     QStringLiteral("via_ka"),
                                               QStringLiteral("via_en"),   QStringLiteral("service")};
    return names;
}

std::vector<QString> RouteFrame::columns() const
{
    std::vector<QString> used;
    for (const QString* t : {&text, &number, &destination, &upper, &lower})
        scanTemplate(*t, nullptr, &used);
    return used;
}

QString RouteLayout::expand(const QString& pattern, const std::map<QString, QString>& values)
{
    QString out;
    scanTemplate(pattern, nullptr, nullptr, &out, &values);
    return out;
}

RouteFrame RouteLayout::defaultFrame()
{
    RouteFrame frame;
    frame.style.font = QStringLiteral("Vexel LED");
    frame.style.height = 11;
    frame.style.hAlign = HAlign::Centre;
    frame.style.vAlign = VAlign::Middle;
    return frame;
}

namespace {

QString keyPath(const QString& at, const QString& key) { return at.isEmpty() ? key : at + QLatin1Char('.') + key; }

// A sign's `name`, which names its folder of a release.
QString readSignName(Reader& top, const QString& at, QString& name)
{
    if (!top.has(QStringLiteral("name")))
        return keyPath(at, QStringLiteral("name: missing; every sign has a name"));
    top.string(QStringLiteral("name"), name);
    if (top.failed())
        return top.error();
    const Status named = FileStem::check(name, QStringLiteral("the sign's name"));
    if (!named)
        return keyPath(at, QStringLiteral("name: ")) + named.error();
    return QString();
}

// The texts a frame's preset letters, each checked; a failure stays in `r`.
void readPresetTexts(Reader& r, RouteFrame& f)
{
    switch (f.preset) {
    case RouteFrame::Preset::NumberAndDestination:
        r.textTemplate(QStringLiteral("number"), f.number);
        r.textTemplate(QStringLiteral("destination"), f.destination);
        r.string(QStringLiteral("number_font"), f.numberFont);
        if (!r.failed() && f.destination.isEmpty())
            r.fail(QStringLiteral("destination"), QStringLiteral("missing; the preset letters a destination"));
        break;
    case RouteFrame::Preset::TwoLines:
        r.textTemplate(QStringLiteral("text"), f.text);
        r.textTemplate(QStringLiteral("upper"), f.upper);
        r.textTemplate(QStringLiteral("lower"), f.lower);
        if (!r.failed() && f.text.isEmpty() == (f.upper.isEmpty() && f.lower.isEmpty()))
            r.fail(QStringLiteral("text"), QStringLiteral("give either \"text\" or \"upper\" and \"lower\""));
        f.number.clear();
        break;
    case RouteFrame::Preset::OneText:
        r.textTemplate(QStringLiteral("text"), f.text);
        r.boolean(QStringLiteral("fit"), f.fit);
        r.string(QStringLiteral("fallback_font"), f.fallbackFont);
        r.choice(QStringLiteral("align"), HAligns, f.style.hAlign);
        r.choice(QStringLiteral("valign"), VAligns, f.style.vAlign);
        if (!r.failed() && f.text.isEmpty())
            r.fail(QStringLiteral("text"), QStringLiteral("missing; the preset letters one text"));
        f.number.clear();
        break;
    }
}

// A frame's `window` on the board; without a size it runs to the board's edges.
QString readWindow(const QJsonObject& window, const QString& path, const RouteLayout& layout, RouteFrame& f)
{
    FrameRect w{0, 0, -1, -1};
    Reader wr(window, path + QStringLiteral(".window"));
    wr.integer(QStringLiteral("x"), 0, layout.boardWidth - 1, w.x);
    wr.integer(QStringLiteral("y"), 0, layout.boardHeight - 1, w.y);
    wr.integer(QStringLiteral("w"), 1, layout.boardWidth, w.w);
    wr.integer(QStringLiteral("h"), 1, layout.boardHeight, w.h);
    if (w.w < 0)
        w.w = layout.boardWidth - w.x;
    if (w.h < 0)
        w.h = layout.boardHeight - w.y;
    wr.refuseUnknown();
    if (!wr.failed() && (w.right() > layout.boardWidth || w.bottom() > layout.boardHeight))
        wr.fail(QStringLiteral("w"), QStringLiteral("the window reaches past the %1 x %2 board")
                                         .arg(layout.boardWidth)
                                         .arg(layout.boardHeight));
    if (wr.failed())
        return wr.error();
    f.window = w;
    return QString();
}

// One frame at key path `path`, starting from the board's defaults.
QString readFrame(const QJsonValue& value, const QString& path, const RouteLayout& layout, RouteFrame& f)
{
    if (!value.isObject())
        return path + QStringLiteral(": must be an object in braces");
    Reader r(value.toObject(), path);
    if (!r.has(QStringLiteral("preset")))
        return path + QStringLiteral(".preset: missing; one of \"number\", \"two-lines\", \"one-text\"");
    r.choice(QStringLiteral("preset"), Presets, f.preset);
    readCommon(r, f);
    readPresetTexts(r, f);
    const QJsonObject window = r.object(QStringLiteral("window"));
    if (!window.isEmpty())
        if (const QString problem = readWindow(window, path, layout, f); !problem.isEmpty())
            return problem;
    const QString presetName = value.toObject().value(QStringLiteral("preset")).toString();
    r.refuseUnknown({QStringLiteral("text"), QStringLiteral("number"), QStringLiteral("destination"),
                     QStringLiteral("upper"), QStringLiteral("lower"), QStringLiteral("fit"),
                     QStringLiteral("align"), QStringLiteral("valign"), QStringLiteral("number_font"),
                     QStringLiteral("fallback_font")},
                    QStringLiteral("not used by the \"%1\" preset").arg(presetName));
    return r.failed() ? r.error() : QString();
}

// One board's layout from `object` at key path `at` ("" at the top, else
// "signs[1]"); empty, or why not with the key's path. A sign of several
// also gives its `name`.
QString readBoard(const QJsonObject& object, const QString& at, RouteFrame defaults, RouteLayout& layout,
                  QString* signName)
{
    Reader top(object, at);
    if (signName)
        if (const QString problem = readSignName(top, at, *signName); !problem.isEmpty())
            return problem;
    if (!signName && top.has(QStringLiteral("signs")))
        return QStringLiteral("signs: this layout names several signs; give the layout of one board here");
    if (signName && !top.has(QStringLiteral("board")))
        return keyPath(at, QStringLiteral("board: missing; every sign names its board's size"));
    const QJsonObject board = top.object(QStringLiteral("board"));
    if (top.failed())
        return top.error();
    Reader size(board, keyPath(at, QStringLiteral("board")));
    size.integer(QStringLiteral("width"), 1, MaxBoardWidth, layout.boardWidth);
    size.integer(QStringLiteral("height"), 1, MaxBoardHeight, layout.boardHeight);
    size.refuseUnknown();
    if (size.failed())
        return size.error();

    readCommon(top, defaults);
    top.string(QStringLiteral("number_font"), defaults.numberFont);

    const QString framesKey = keyPath(at, QStringLiteral("frames"));
    if (!top.has(QStringLiteral("frames")))
        return framesKey + QStringLiteral(": missing; the layout must name at least one frame");
    const QJsonValue framesValue = object.value(QStringLiteral("frames"));
    const QJsonArray frames = framesValue.toArray();
    if (!framesValue.isArray() || frames.isEmpty() || frames.size() > ImageRecord::MaxFrames)
        return framesKey + QStringLiteral(": must be a list of 1 to %1 frames in brackets").arg(ImageRecord::MaxFrames);
    top.refuseUnknown();
    if (top.failed())
        return top.error();

    for (qsizetype i = 0; i < frames.size(); ++i) {
        RouteFrame f = defaults;
        const QString problem = readFrame(frames[i], framesKey + QStringLiteral("[%1]").arg(i), layout, f);
        if (!problem.isEmpty())
            return problem;
        layout.frames.push_back(f);
    }
    return QString();
}

// The JSON object of a layout, or why not.
Expected<QJsonObject> layoutObject(const QByteArray& json)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        const int offset = std::clamp(parseError.offset, 0, static_cast<int>(json.size()));
        const int line = static_cast<int>(json.left(offset).count('\n')) + 1;
        return Expected<QJsonObject>::failure(
            QStringLiteral("line %1: %2").arg(line).arg(parseError.errorString()));
    }
    if (!doc.isObject())
        return Expected<QJsonObject>::failure("the layout must be one object in braces");
    return doc.object();
}

QString layoutFault(const QString& name, const QString& reason)
{
    return QStringLiteral("Cannot read layout \"%1\": %2").arg(name, reason);
}

Expected<QByteArray> readLayoutFile(const QString& path)
{
    const Expected<QByteArray> bytes = LimitedFile::read(path, RouteLayout::MaxFileBytes);
    if (!bytes)
        return Expected<QByteArray>::failure(
            layoutFault(QDir::toNativeSeparators(path), bytes.error()));
    return bytes;
}

} // namespace

Expected<RouteLayout> RouteLayout::parse(const QByteArray& json, const QString& name)
{
    const Expected<QJsonObject> object = layoutObject(json);
    if (!object)
        return Expected<RouteLayout>::failure(layoutFault(name, object.error()));
    RouteLayout layout;
    const QString fault = readBoard(*object, QString(), defaultFrame(), layout, nullptr);
    if (!fault.isEmpty())
        return Expected<RouteLayout>::failure(layoutFault(name, fault));
    return layout;
}

Expected<std::vector<RouteSignLayout>> RouteLayout::parseSigns(const QByteArray& json, const QString& name)
{
    using Signs = std::vector<RouteSignLayout>;
    auto fail = [&](const QString& reason) { return Expected<Signs>::failure(layoutFault(name, reason)); };
    const Expected<QJsonObject> object = layoutObject(json);
    if (!object)
        return fail(object.error());
    if (!object->contains(QStringLiteral("signs"))) {
        Expected<RouteLayout> one = parse(json, name);
        if (!one)
            return Expected<Signs>::failure(one.error());
        return Signs{RouteSignLayout{QString(), std::move(one).value()}};
    }

    // Style and timing keys at the top are defaults for every sign.
    Reader top(*object, QString());
    RouteFrame defaults = defaultFrame();
    readCommon(top, defaults);
    top.string(QStringLiteral("number_font"), defaults.numberFont);
    top.has(QStringLiteral("signs"));
    top.refuseUnknown({QStringLiteral("board"), QStringLiteral("frames")},
                      QStringLiteral("each sign names its own; put it in the sign"));
    if (top.failed())
        return fail(top.error());
    const QJsonValue signsValue = object->value(QStringLiteral("signs"));
    const QJsonArray list = signsValue.toArray();
    if (!signsValue.isArray() || list.isEmpty() || list.size() > MaxSigns)
        return fail(QStringLiteral("signs: must be a list of 1 to %1 signs in brackets").arg(MaxSigns));
    Signs signs;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString at = QStringLiteral("signs[%1]").arg(i);
        if (!list[i].isObject())
            return fail(at + QStringLiteral(": must be an object in braces"));
        RouteSignLayout sign;
        const QString fault = readBoard(list[i].toObject(), at, defaults, sign.layout, &sign.name);
        if (!fault.isEmpty())
            return fail(fault);
        for (const RouteSignLayout& earlier : signs)
            if (earlier.name.compare(sign.name, Qt::CaseInsensitive) == 0)
                return fail(at + QStringLiteral(".name: \"%1\" names another sign already").arg(sign.name));
        signs.push_back(std::move(sign));
    }
    return signs;
}

Expected<std::vector<RouteSignLayout>> RouteLayout::readSigns(const QString& path)
{
    const Expected<QByteArray> bytes = readLayoutFile(path);
    if (!bytes)
        return Expected<std::vector<RouteSignLayout>>::failure(bytes.error());
    return parseSigns(*bytes, QDir::toNativeSeparators(path));
}

Expected<RouteLayout> RouteLayout::read(const QString& path)
{
    const Expected<QByteArray> bytes = readLayoutFile(path);
    if (!bytes)
        return Expected<RouteLayout>::failure(bytes.error());
    return parse(*bytes, QDir::toNativeSeparators(path));
}

} // namespace vexel
