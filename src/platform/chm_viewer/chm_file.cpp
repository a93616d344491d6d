#include "platform/chm_viewer/chm_file.h"

#include <QFile>
#include <chm_lib.h>
#include <limits>

namespace bladetrace::platform {
namespace {

// Entry codes of the #SYSTEM file.
constexpr quint16 kContentsCode = 0;
constexpr quint16 kIndexCode = 1;
constexpr quint16 kDefaultTopicCode = 2;

quint16 readLe16(const QByteArray& data, qsizetype at) {
    return quint16(quint8(data[at]) | (quint8(data[at + 1]) << 8));
}

QString zeroEnded(const QByteArray& data) {
    const qsizetype end = data.indexOf('\0');
    return QString::fromLatin1(end < 0 ? data : data.left(end));
}

} // namespace

ChmFile::ChmFile(const QString& path) {
    file_ = chm_open(QFile::encodeName(path).constData());
    if (file_)
        readSystemFile();
}

ChmFile::~ChmFile() {
    if (file_)
        chm_close(file_);
}

std::optional<QByteArray> ChmFile::read(const QString& path) const {
    if (!file_)
        return std::nullopt;
    chmUnitInfo unit{};
    const QByteArray name = (path.startsWith(u'/') ? path : u'/' + path).toUtf8();
    if (chm_resolve_object(file_, name.constData(), &unit) != CHM_RESOLVE_SUCCESS)
        return std::nullopt;
    if (unit.length > quint64(std::numeric_limits<int>::max()))
        return std::nullopt;
    QByteArray data(qsizetype(unit.length), '\0');
    const LONGINT64 got = chm_retrieve_object(
        file_, &unit, reinterpret_cast<unsigned char*>(data.data()), 0, LONGINT64(unit.length));
    if (got != LONGINT64(unit.length))
        return std::nullopt;
    return data;
}

void ChmFile::readSystemFile() {
    const std::optional<QByteArray> system = read(QStringLiteral("/#SYSTEM"));
    if (!system)
        return;
    // A version word, then entries of code, length and data, all little-endian.
    qsizetype at = 4;
    while (at + 4 <= system->size()) {
        const quint16 code = readLe16(*system, at);
        const quint16 length = readLe16(*system, at + 2);
        at += 4;
        if (at + length > system->size())
            break;
        const QString text = zeroEnded(system->mid(at, length));
        if (code == kContentsCode)
            contentsFile_ = text;
        else if (code == kIndexCode)
            indexFile_ = text;
        else if (code == kDefaultTopicCode)
            defaultTopic_ = text;
        at += length;
    }
}

} // namespace bladetrace::platform
