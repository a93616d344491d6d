#include "platform/fake_registry.h"
#include "platform/key_value.h"
#include "text/app_error.h"

#include <gtest/gtest.h>

namespace bladetrace::platform {
namespace {

const QString kKey = QStringLiteral("SOFTWARE\\Some\\Key");
const QString kOld = QStringLiteral("old text");

// A 1024-byte buffer as the registry leaves it: the data, then zeros.
QByteArray registryBuffer(const QByteArray& data) {
    QByteArray buffer(1024, '\0');
    std::copy(data.cbegin(), data.cend(), buffer.begin());
    return buffer;
}

TEST(DecodeKeyValue, TextWithOrWithoutItsTerminatingZeroGivesTheSameLetters) {
    const QByteArray buffer = registryBuffer("abc");
    EXPECT_EQ(decodeKeyValue(kRegText, buffer, 4, kOld), QStringLiteral("abc"));
    EXPECT_EQ(decodeKeyValue(kRegText, buffer, 3, kOld), QStringLiteral("abc"));
    // Only one zero goes: a second one stays part of the value.
    EXPECT_EQ(decodeKeyValue(kRegText, buffer, 5, kOld), QString::fromLatin1("abc\0", 4));
}

TEST(DecodeKeyValue, TextIsCutAtTheReturnedSize) {
    const QByteArray buffer = registryBuffer("abcdef");
    EXPECT_EQ(decodeKeyValue(kRegText, buffer, 2, kOld), QStringLiteral("ab"));
}

TEST(DecodeKeyValue, NumberIsLittleEndianSigned32Bit) {
    EXPECT_EQ(
        decodeKeyValue(kRegNumber, registryBuffer(QByteArray("\x02\x01\x00\x00", 4)), 4, kOld),
        QStringLiteral("258"));
    EXPECT_EQ(
        decodeKeyValue(kRegNumber, registryBuffer(QByteArray("\xff\xff\xff\x7f", 4)), 4, kOld),
        QStringLiteral("2147483647"));
    EXPECT_EQ(
        decodeKeyValue(kRegNumber, registryBuffer(QByteArray("\x00\x00\x00\x80", 4)), 4, kOld),
        QStringLiteral("-2147483648"));
    EXPECT_EQ(
        decodeKeyValue(kRegNumber, registryBuffer(QByteArray("\xfe\xff\xff\xff", 4)), 4, kOld),
        QStringLiteral("-2"));
}

TEST(DecodeKeyValue, OtherTypesKeepTheOldText) {
    const QByteArray buffer = registryBuffer("%SystemRoot%");
    EXPECT_EQ(decodeKeyValue(2, buffer, 13, kOld), kOld); // expandable text
    EXPECT_EQ(decodeKeyValue(3, buffer, 13, kOld), kOld); // binary
}

TEST(DecodeKeyValue, SizeZeroHasNothingToCut) {
    EXPECT_FALSE(decodeKeyValue(kRegText, registryBuffer("abc"), 0, kOld).has_value());
    EXPECT_FALSE(decodeKeyValue(kRegNumber, registryBuffer("\x02\x01"), 0, kOld).has_value());
}

class GetKeyValueTest : public ::testing::Test {
protected:
    testing::FakeRegistry registry;
    QString value = kOld;
};

TEST_F(GetKeyValueTest, ReadsTextAndNumbersAndClosesTheKey) {
    registry.setText(kKey, QStringLiteral("Name"), "abc");
    registry.set(kKey, QStringLiteral("Count"),
                 {kRegNumber, QByteArray("\x02\x01\x00\x00", 4), {}});

    EXPECT_TRUE(GetKeyValue(registry, kHkeyLocalMachine, kKey, QStringLiteral("Name"), value));
    EXPECT_EQ(value, QStringLiteral("abc"));
    EXPECT_TRUE(GetKeyValue(registry, kHkeyLocalMachine, kKey, QStringLiteral("Count"), value));
    EXPECT_EQ(value, QStringLiteral("258"));

    EXPECT_EQ(registry.roots, (std::vector<RegistryRoot>{kHkeyLocalMachine, kHkeyLocalMachine}));
    EXPECT_EQ(registry.masks, (std::vector<quint32>{0x2003Fu, 0x2003Fu}));
    EXPECT_EQ(registry.leakedHandles(), 0);
}

TEST_F(GetKeyValueTest, OtherTypeIsReadButKeepsTheTextItHad) {
    registry.set(kKey, QStringLiteral("Blob"), {3, QByteArray("\x01\x02\x03", 3), {}});
    EXPECT_TRUE(GetKeyValue(registry, kHkeyLocalMachine, kKey, QStringLiteral("Blob"), value));
    EXPECT_EQ(value, kOld);
    EXPECT_EQ(registry.leakedHandles(), 0);
}

TEST_F(GetKeyValueTest, MissingKeyOrValueGivesFalseAndEmptyText) {
    registry.setText(kKey, QStringLiteral("Name"), "abc");

    EXPECT_FALSE(GetKeyValue(registry, kHkeyLocalMachine, QStringLiteral("SOFTWARE\\Elsewhere"),
                             QStringLiteral("Name"), value));
    EXPECT_TRUE(value.isEmpty());
    EXPECT_TRUE(registry.queried.empty());

    value = kOld;
    EXPECT_FALSE(GetKeyValue(registry, kHkeyLocalMachine, kKey, QStringLiteral("Other"), value));
    EXPECT_TRUE(value.isEmpty());
    EXPECT_EQ(registry.leakedHandles(), 0);
}

TEST_F(GetKeyValueTest, ValueLargerThanTheBufferCannotBeRead) {
    registry.setText(kKey, QStringLiteral("Long"), QByteArray(1024, 'x'));
    EXPECT_FALSE(GetKeyValue(registry, kHkeyLocalMachine, kKey, QStringLiteral("Long"), value));
    EXPECT_TRUE(value.isEmpty());
}

TEST_F(GetKeyValueTest, SizeZeroFailsWithInvalidProcedureCallAfterClosingTheKey) {
    registry.set(kKey, QStringLiteral("Empty"), {kRegText, QByteArray(), 0u});
    try {
        GetKeyValue(registry, kHkeyLocalMachine, kKey, QStringLiteral("Empty"), value);
        ADD_FAILURE() << "a value of size 0 must fail";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.error().number, 5);
    }
    EXPECT_EQ(value, kOld);
    EXPECT_EQ(registry.leakedHandles(), 0);
}

} // namespace
} // namespace bladetrace::platform
