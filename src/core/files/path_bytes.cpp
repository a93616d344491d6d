#include "files/path_bytes.h"

namespace bladetrace {
namespace {

constexpr char16_t kEscape = 0xDC00;

// The length of the valid UTF-8 sequence at `p` and its code point, or 0.
int sequenceAt(const uchar* p, qsizetype left, char32_t& c) {
    const uchar lead = p[0];
    const int length = lead < 0x80                   ? 1
                       : lead >= 0xC2 && lead < 0xE0 ? 2
                       : lead >= 0xE0 && lead < 0xF0 ? 3
                       : lead >= 0xF0 && lead < 0xF5 ? 4
                                                     : 0;
    if (length == 0 || length > left)
        return 0;
    c = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        if ((p[k] & 0xC0) != 0x80)
            return 0;
        c = c << 6 | (p[k] & 0x3F);
    }
    // Overlong forms, surrogates and code points beyond U+10FFFF are not valid UTF-8.
    const bool valid = length < 3 || (length == 3 && c >= 0x800 && (c < 0xD800 || c > 0xDFFF)) ||
                       (c >= 0x10000 && c <= 0x10FFFF);
    return valid ? length : 0;
}

} // namespace

QString pathFromBytes(QByteArrayView bytes) {
    QString path;
    path.reserve(bytes.size());
    const auto* p = reinterpret_cast<const uchar*>(bytes.data());
    for (qsizetype i = 0; i < bytes.size();) {
        char32_t c = 0;
        const int length = sequenceAt(p + i, bytes.size() - i, c);
        if (length == 0)
            path.append(QChar(char16_t(kEscape + p[i++])));
        else if (c >= 0x10000)
            path.append(QChar::highSurrogate(c)).append(QChar::lowSurrogate(c));
        else
            path.append(QChar(char16_t(c)));
        i += length;
    }
    return path;
}

QByteArray pathBytes(const QString& path) {
    QByteArray bytes;
    qsizetype from = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t u = path[i].unicode();
        if (u < kEscape + 0x80 || u > kEscape + 0xFF || (i > 0 && path[i - 1].isHighSurrogate()))
            continue;
        bytes += QStringView(path).mid(from, i - from).toUtf8();
        bytes += char(u - kEscape);
        from = i + 1;
    }
    return bytes + QStringView(path).mid(from).toUtf8();
}

} // namespace bladetrace
