#include "feeds/ZipArchive.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSet>
#include <QStringList>

#include <zip.h>

#include <cstring>
#include <map>

namespace vexel {

namespace {

QString text(const char* english) { return QCoreApplication::translate("ZipArchive", english); }

// "... more than 200 MiB ..." or "... more than 1000 bytes ...": a whole
// sentence each, so that a translation never has to agree with a glued noun.
QString tooLarge(const QString& what, qint64 bytes)
{
    if (bytes >= 1024 * 1024 && bytes % (1024 * 1024) == 0)
        return text(QT_TRANSLATE_NOOP("ZipArchive", "%1 decompresses to more than %2 MiB; it is not read"))
            .arg(what)
            .arg(bytes / (1024 * 1024));
    return text(QT_TRANSLATE_NOOP("ZipArchive", "%1 decompresses to more than %2 bytes; it is not read"))
        .arg(what)
        .arg(bytes);
}

// libzip's reason in the interface's language. libzip words its reasons in
// English only; where a translation of ours is loaded the reason is said
// from its code (with the system's own words for a failed read or open),
// and otherwise it is libzip's text as it stands, which the command line
// prints.
QString zipReason(zip_error_t* error)
{
    static const std::map<int, const char*> own{
        {ZIP_ER_MULTIDISK, QT_TRANSLATE_NOOP("ZipArchive", "Multi-disk zip archives not supported")},
        {ZIP_ER_SEEK, QT_TRANSLATE_NOOP("ZipArchive", "Seek error")},
        {ZIP_ER_READ, QT_TRANSLATE_NOOP("ZipArchive", "Read error")},
        {ZIP_ER_CRC, QT_TRANSLATE_NOOP("ZipArchive", "CRC error")},
        {ZIP_ER_NOENT, QT_TRANSLATE_NOOP("ZipArchive", "No such file")},
        {ZIP_ER_OPEN, QT_TRANSLATE_NOOP("ZipArchive", "Can't open file")},
        {ZIP_ER_ZLIB, QT_TRANSLATE_NOOP("ZipArchive", "Zlib error")},
        {ZIP_ER_MEMORY, QT_TRANSLATE_NOOP("ZipArchive", "Malloc failure")},
        {ZIP_ER_COMPNOTSUPP, QT_TRANSLATE_NOOP("ZipArchive", "Compression method not supported")},
        {ZIP_ER_EOF, QT_TRANSLATE_NOOP("ZipArchive", "Premature end of file")},
        {ZIP_ER_INVAL, QT_TRANSLATE_NOOP("ZipArchive", "Invalid argument")},
        {ZIP_ER_NOZIP, QT_TRANSLATE_NOOP("ZipArchive", "Not a zip archive")},
        {ZIP_ER_INTERNAL, QT_TRANSLATE_NOOP("ZipArchive", "Internal error")},
        {ZIP_ER_INCONS, QT_TRANSLATE_NOOP("ZipArchive", "Zip archive inconsistent")},
        {ZIP_ER_ENCRNOTSUPP, QT_TRANSLATE_NOOP("ZipArchive", "Encryption method not supported")},
        {ZIP_ER_NOPASSWD, QT_TRANSLATE_NOOP("ZipArchive", "No password provided")},
        {ZIP_ER_WRONGPASSWD, QT_TRANSLATE_NOOP("ZipArchive", "Wrong password provided")},
        {ZIP_ER_OPNOTSUPP, QT_TRANSLATE_NOOP("ZipArchive", "Operation not supported")},
        {ZIP_ER_TELL, QT_TRANSLATE_NOOP("ZipArchive", "Tell error")},
        {ZIP_ER_COMPRESSED_DATA, QT_TRANSLATE_NOOP("ZipArchive", "Compressed data invalid")},
    };
    const QString libzips = QString::fromUtf8(zip_error_strerror(error));
    const auto found = own.find(zip_error_code_zip(error));
    if (found == own.end())
        return libzips;
    const QString said = text(found->second);
    if (said == QLatin1String(found->second))
        return libzips; // no translation loaded
    if (zip_error_system_type(error) == ZIP_ET_SYS && zip_error_code_system(error) != 0)
        return said + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(zip_error_code_system(error)));
    return said;
}

// A member name that would land outside the folder it is unpacked into.
bool leavesFolder(const QString& name)
{
    QString path = name;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.startsWith(QLatin1Char('/')))
        return true;
    if (path.size() >= 2 && path[1] == QLatin1Char(':') && path[0].isLetter())
        return true;
    const QStringList parts = path.split(QLatin1Char('/'));
    return parts.contains(QStringLiteral(".."));
}

// The archive's bytes pass through this source on their way to libzip, which
// reads a member's compressed bytes only as it inflates them: the count
// before and after a read tells how much of the member has been consumed.
struct CountingSource {
    zip_source_t* inner = nullptr;
    quint64 read = 0;

    static zip_int64_t call(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command)
    {
        auto* self = static_cast<CountingSource*>(state);
        switch (command) {
        case ZIP_SOURCE_OPEN:
            return zip_source_open(self->inner);
        case ZIP_SOURCE_READ: {
            const zip_int64_t n = zip_source_read(self->inner, data, length);
            if (n > 0)
                self->read += static_cast<quint64>(n);
            return n;
        }
        case ZIP_SOURCE_CLOSE:
            return zip_source_close(self->inner);
        case ZIP_SOURCE_STAT:
            if (length < sizeof(zip_stat_t) || zip_source_stat(self->inner, static_cast<zip_stat_t*>(data)) != 0)
                return -1;
            return sizeof(zip_stat_t);
        case ZIP_SOURCE_SEEK: {
            zip_error_t error;
            zip_error_init(&error);
            const auto* seek = ZIP_SOURCE_GET_ARGS(zip_source_args_seek_t, data, length, &error);
            zip_error_fini(&error);
            if (!seek)
                return -1;
            return zip_source_seek(self->inner, seek->offset, seek->whence);
        }
        case ZIP_SOURCE_TELL:
            return zip_source_tell(self->inner);
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(zip_source_error(self->inner), data, length);
        case ZIP_SOURCE_FREE:
            zip_source_free(self->inner);
            delete self;
            return 0;
        case ZIP_SOURCE_SUPPORTS:
            return ZIP_SOURCE_SUPPORTS_SEEKABLE;
        default:
            return -1;
        }
    }

    // Takes `inner` over, also when it fails.
    static zip_source_t* wrap(zip_source_t* inner, const quint64** counter, zip_error_t* error)
    {
        auto* state = new CountingSource{inner};
        zip_source_t* source = zip_source_function_create(&CountingSource::call, state, error);
        if (!source) {
            zip_source_free(inner);
            delete state;
            return nullptr;
        }
        *counter = &state->read;
        return source;
    }
};

class MemberStream : public ByteStream {
public:
    MemberStream(std::shared_ptr<zip> archive, const quint64* compressedRead, zip_file_t* file, QString what,
                 ZipArchive::Limits limits)
        : archive_(std::move(archive)), compressedRead_(compressedRead), file_(file), what_(std::move(what)),
          limits_(limits)
    {
    }
    ~MemberStream() override { zip_fclose(file_); }

    qint64 read(char* data, qint64 capacity) override
    {
        if (!error_.isEmpty())
            return -1;
        const quint64 before = *compressedRead_;
        const zip_int64_t n = zip_fread(file_, data, static_cast<zip_uint64_t>(capacity));
        compressed_ += *compressedRead_ - before;
        if (n < 0) {
            error_ = text(QT_TRANSLATE_NOOP("ZipArchive", "%1 cannot be decompressed: %2"))
                         .arg(what_, zipReason(zip_file_get_error(file_)));
            return -1;
        }
        total_ += n;
        if (total_ > limits_.maxBytes) {
            error_ = tooLarge(what_, limits_.maxBytes);
            return -1;
        }
        if (total_ > limits_.ratioFloor &&
            static_cast<quint64>(total_) > static_cast<quint64>(limits_.maxRatio) * compressed_) {
            error_ = text(QT_TRANSLATE_NOOP("ZipArchive", "%1 decompresses to more than %2 times its compressed size "
                                                         "(a zip bomb); it is not read"))
                              .arg(what_, QString::number(limits_.maxRatio));
            return -1;
        }
        return n;
    }
    const QString& error() const override { return error_; }

private:
    std::shared_ptr<zip> archive_; // the file reads from it, and it owns the counter
    const quint64* compressedRead_;
    zip_file_t* file_;
    QString what_;
    ZipArchive::Limits limits_;
    quint64 compressed_ = 0; // of this member, read so far
    qint64 total_ = 0;
    QString error_;
};

} // namespace

ZipArchive::~ZipArchive() = default;

Expected<std::shared_ptr<ZipArchive>> ZipArchive::open(const QString& path)
{
    std::shared_ptr<ZipArchive> archive(new ZipArchive);
    archive->name_ = QFileInfo(path).fileName();
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* file = zip_source_file_create(QFile::encodeName(path).constData(), 0, -1, &error);
    zip_source_t* counted = file ? CountingSource::wrap(file, &archive->compressedRead_, &error) : nullptr;
    return opened(std::move(archive), counted, &error);
}

Expected<std::shared_ptr<ZipArchive>> ZipArchive::fromBytes(const QByteArray& bytes, const QString& name)
{
    std::shared_ptr<ZipArchive> archive(new ZipArchive);
    archive->name_ = name;
    archive->bytes_ = bytes;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(archive->bytes_.constData(),
                                                    static_cast<zip_uint64_t>(archive->bytes_.size()), 0, &error);
    zip_source_t* counted = buffer ? CountingSource::wrap(buffer, &archive->compressedRead_, &error) : nullptr;
    return opened(std::move(archive), counted, &error);
}

Expected<std::shared_ptr<ZipArchive>> ZipArchive::opened(std::shared_ptr<ZipArchive> archive, zip_source_t* source,
                                                         zip_error_t* error)
{
    zip_t* z = source ? zip_open_from_source(source, ZIP_RDONLY, error) : nullptr;
    if (!z) {
        if (source)
            zip_source_free(source);
        const QString reason = zipReason(error);
        zip_error_fini(error);
        return Expected<std::shared_ptr<ZipArchive>>::failure(
            QCoreApplication::translate("ZipArchive", "Cannot read the zip \"%1\": %2").arg(archive->name_, reason));
    }
    zip_error_fini(error);
    archive->zip_.reset(z, zip_discard);
    return index(std::move(archive));
}

Expected<std::shared_ptr<ZipArchive>> ZipArchive::index(std::shared_ptr<ZipArchive> archive)
{
    auto fail = [&](const QString& reason) {
        return Expected<std::shared_ptr<ZipArchive>>::failure(
            QCoreApplication::translate("ZipArchive", "Cannot read the zip \"%1\": %2").arg(archive->name_, reason));
    };
    const zip_int64_t count = zip_get_num_entries(archive->zip_.get(), 0);
    std::vector<Member> files;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive->zip_.get(), static_cast<zip_uint64_t>(i), 0, &stat) != 0 ||
            !(stat.valid & ZIP_STAT_NAME))
            return fail(text(QT_TRANSLATE_NOOP("ZipArchive", "member %1 cannot be read: %2"))
                            .arg(QString::number(i + 1), zipReason(zip_get_error(archive->zip_.get()))));
        const QString name = QString::fromUtf8(stat.name);
        if (name.isEmpty() || leavesFolder(name))
            return fail(text(QT_TRANSLATE_NOOP("ZipArchive", "the member name \"%1\" points outside the archive's folder")).arg(name));
        if (name.startsWith(QLatin1String("__MACOSX/")) || name.endsWith(QLatin1Char('/')))
            continue;
        Member m;
        m.name = m.storedName = name;
        m.index = static_cast<quint64>(i);
        m.size = (stat.valid & ZIP_STAT_SIZE) ? stat.size : 0;
        m.compressedSize = (stat.valid & ZIP_STAT_COMP_SIZE) ? stat.comp_size : 0;
        files.push_back(m);
    }

    // Everything in one folder: the folder a packer added around the files.
    QString top;
    bool oneFolder = !files.empty();
    for (const Member& m : files) {
        const qsizetype slash = m.name.indexOf(QLatin1Char('/'));
        const QString first = slash < 0 ? QString() : m.name.left(slash + 1);
        if (first.isEmpty() || (!top.isEmpty() && first != top)) {
            oneFolder = false;
            break;
        }
        top = first;
    }
    QSet<QString> seen;
    for (Member& m : files) {
        if (oneFolder)
            m.name = m.name.mid(top.size());
        if (seen.contains(m.name))
            return fail(text(QT_TRANSLATE_NOOP("ZipArchive", "it holds two members named \"%1\"")).arg(m.name));
        seen.insert(m.name);
    }
    archive->members_ = std::move(files);
    return archive;
}

const ZipArchive::Member* ZipArchive::find(const QString& name) const
{
    for (const Member& m : members_)
        if (m.name == name)
            return &m;
    return nullptr;
}

Expected<std::unique_ptr<ByteStream>> ZipArchive::read(const Member& member, const Limits& limits) const
{
    const QString what = text(QT_TRANSLATE_NOOP("ZipArchive", "\"%1\" in \"%2\"")).arg(member.storedName, name_);
    auto fail = [&](const QString& reason) { return Expected<std::unique_ptr<ByteStream>>::failure(reason); };
    zip_file_t* file = zip_fopen_index(zip_.get(), member.index, 0);
    if (!file)
        return fail(text(QT_TRANSLATE_NOOP("ZipArchive", "%1 cannot be opened: %2"))
                        .arg(what, zipReason(zip_get_error(zip_.get()))));
    return std::unique_ptr<ByteStream>(new MemberStream(zip_, compressedRead_, file, what, limits));
}

} // namespace vexel
