#include "platform/fake_registry.h"
#include "platform/key_value.h"

#include <gtest/gtest.h>

namespace bladetrace::platform {
namespace {

const QString kKey = "SOFTWARE\\Some\\Key";
const QString kOld = "old text";

TEST(DecodeKeyValue, TextLosesOneZeroNumbersAreSigned32BitOtherTypesKeepTheOldText) {
    const struct {
        quint32 type;
        QByteArray data;
        quint32 size; // as the registry returns it
        std::optional<QString> value;
    } cases[] = {
        {kRegText, "abc", 4, "abc"},                           // with its terminating zero
        {kRegText, "abc", 5, QString::fromLatin1("abc\0", 4)}, // only one zero goes
        {kRegText, "abcdef", 2, "ab"},                         // no zero: cut at the size
        {kRegNumber, QByteArray("\x02\x01\x00\x00", 4), 4, "258"},
        {kRegNumber, QByteArray("\x00\x00\x00\x80", 4), 4, "-2147483648"},
        {2, "%SystemRoot%", 13, kOld}, // expandable text
        {kRegText, "abc", 0, std::nullopt},
    };
    for (const auto& c : cases) {
        // A 1024-byte buffer as the registry leaves it: the data, then zeros.
        QByteArray buffer(1024, '\0');
        std::copy(c.data.cbegin(), c.data.cend(), buffer.begin());
        EXPECT_EQ(decodeKeyValue(c.type, buffer, c.size, kOld), c.value)
            << c.type << " " << c.data.toHex().constData() << " " << c.size;
    }
}

TEST(GetKeyValue, ReadsWhatTheKeyHoldsAndClosesEveryKeyItOpens) {
    testing::FakeRegistry registry;
    registry.setText(kKey, "Name", "abc");
    registry.set(kKey, "Blob", {3, QByteArray("\x01\x02\x03", 3)});
    registry.setText(kKey, "Long", QByteArray(1024, 'x'));
    const struct {
        QString key;
        const char* name;
        bool read;
        QString value;
    } cases[] = {
        {kKey, "Name", true, "abc"},
        {kKey, "Blob", true, kOld}, // another type keeps the text it had
        {kKey, "Other", false, QString()},
        {kKey, "Long", false, QString()}, // larger than the buffer
        {"SOFTWARE\\Elsewhere", "Name", false, QString()},
    };
    for (const auto& c : cases) {
        QString value = kOld;
        EXPECT_EQ(GetKeyValue(registry, kHkeyLocalMachine, c.key, QLatin1String(c.name), value),
                  c.read)
            << c.name;
        EXPECT_EQ(value, c.value) << c.name;
    }
    EXPECT_EQ(registry.leakedHandles(), 0);
}

} // namespace
} // namespace bladetrace::platform
