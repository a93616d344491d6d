#include "platform/key_value.h"

#include "base/app_error.h"

namespace bladetrace::platform {
namespace {

constexpr int kBufferSize = 1024;

} // namespace

std::optional<QString> decodeKeyValue(quint32 type, const QByteArray& buffer, quint32 size,
                                      const QString& previous) {
    if (size == 0)
        return std::nullopt;
    QByteArray cut = buffer.left(qsizetype(qMin<quint32>(size, quint32(buffer.size()))));
    if (!cut.isEmpty() && cut.back() == '\0')
        cut.chop(1);

    if (type == kRegText)
        return QString::fromLocal8Bit(cut);
    if (type == kRegNumber) {
        // The number is read from the buffer itself: the cut may have dropped its high zero.
        quint32 bits = 0;
        for (int i = 3; i >= 0; --i)
            bits = (bits << 8) | (i < buffer.size() ? quint8(buffer[i]) : 0u);
        return QString::number(qint32(bits));
    }
    return previous;
}

bool GetKeyValue(Registry& registry, RegistryRoot KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal) {
    RegistryKey key = 0;
    if (!registry.openKey(KeyRoot, KeyName, kKeyAccessMask, key)) {
        KeyVal.clear();
        registry.closeKey(key);
        return false;
    }

    QByteArray buffer(kBufferSize, '\0');
    quint32 type = 0;
    quint32 size = kBufferSize;
    if (!registry.queryValue(key, SubKeyRef, buffer, type, size)) {
        KeyVal.clear();
        registry.closeKey(key);
        return false;
    }

    const std::optional<QString> value = decodeKeyValue(type, buffer, size, KeyVal);
    registry.closeKey(key);
    if (!value)
        fail(errc::kInvalidCall);
    KeyVal = *value;
    return true;
}

} // namespace bladetrace::platform
