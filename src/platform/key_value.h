#pragma once

#include "platform/registry.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace bladetrace::platform {

// Turns the bytes of a registry read into the text GetKeyValue hands back: the buffer is cut
// at `size` and loses one trailing zero; text values become that text, 32-bit numbers their
// decimal digits, other types leave `previous`. Empty when `size` is 0 (nothing to cut).
std::optional<QString> decodeKeyValue(quint32 type, const QByteArray& buffer, quint32 size,
                                      const QString& previous);

// Reads value `SubKeyRef` of key `KeyName` under `KeyRoot` into `KeyVal`; false with an empty
// `KeyVal` when the key cannot be opened or the value not read. A value read with size 0
// throws bladetrace::Failure (5, invalid procedure call) after closing the key.
bool GetKeyValue(Registry& registry, RegistryRoot KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal);

} // namespace bladetrace::platform
