#include "link/codecs.h"
#include "model/conf_record.h"
#include "support/byte_list.h"

#include <gtest/gtest.h>

namespace {

template <std::size_t N>
QByteArray bytes(const std::array<std::uint8_t, N>& a)
{
    return QByteArray(reinterpret_cast<const char*>(a.data()), int(N));
}

} // namespace

TEST(Codecs, Signed24BothWays)
{
    EXPECT_EQ(DecodeSigned24(0x00, 0x00, 0x64), 100.0f);
    EXPECT_EQ(DecodeSigned24(0x80, 0x00, 0x64), -100.0f);
    EXPECT_EQ(DecodeSigned24(0x00, 0x27, 0x10), 10000.0f);
    EXPECT_EQ(DecodeSigned24(0x80, 0x01, 0xF4), -500.0f);
    EXPECT_EQ(DecodeSigned24(0x7F, 0xFF, 0xFF), 8388607.0f);

    EXPECT_EQ(bytes(*EncodeSigned24(100.0f)), bytes({0x00, 0x00, 0x64}));
    EXPECT_EQ(bytes(*EncodeSigned24(-100.0f)), bytes({0x80, 0x00, 0x64}));
    EXPECT_EQ(bytes(*EncodeSigned24(-50.5f)), bytes({0x80, 0x00, 0x32}));  // halves go to even
    EXPECT_EQ(bytes(*EncodeSigned24(1234.5f)), bytes({0x00, 0x04, 0xD2}));
    EXPECT_EQ(bytes(*EncodeSigned24(NoCal)), bytes({0x7F, 0xFF, 0xFF}));
    EXPECT_EQ(bytes(*EncodeSigned24(16777215.0f)), bytes({0xFF, 0xFF, 0xFF}));  // the table end marker
    EXPECT_EQ(bytes(*EncodeSigned24(255.5f)), bytes({0x00, 0x01, 0x00}));
    EXPECT_FALSE(EncodeSigned24(16777216.0f));
    EXPECT_FALSE(EncodeSigned24(NoValue));
    for (float v : {0.0f, 1.0f, -1.0f, 65535.0f, -65536.0f, 8388607.0f, -8388607.0f, 123456.0f})
        EXPECT_EQ(DecodeSigned24((*EncodeSigned24(v))[0], (*EncodeSigned24(v))[1], (*EncodeSigned24(v))[2]), v) << v;
}

TEST(Codecs, SixteenBitWords)
{
    EXPECT_EQ(bytes(EncodeSigned16(300.0f)), bytes({0x01, 0x2C}));
    EXPECT_EQ(bytes(EncodeSigned16(-300.0f)), bytes({0x81, 0x2C}));
    EXPECT_EQ(bytes(EncodeSigned16(16777215.0f)), bytes({0xFF, 0xFF}));
    EXPECT_EQ(bytes(EncodeSigned16(65536.0f + 5)), bytes({0x00, 0x05}));  // higher bytes are dropped
    EXPECT_EQ(bytes(EncodeMilli16(20.0f)), bytes({0x4E, 0x20}));
    EXPECT_EQ(bytes(EncodeMilli16(4.0f)), bytes({0x0F, 0xA0}));
    EXPECT_EQ(bytes(EncodeMilli16(4.005f)), bytes({0x0F, 0xA5}));
    EXPECT_EQ(DecodeWord16(0x0F, 0xA0), 4000.0f);
    EXPECT_TRUE(SameSingle(DecodeWord16(0x0F, 0xA0, 255), NoValue));
    EXPECT_EQ(DecodeDisplayWord(0xFF, 0x38), -200);
    EXPECT_EQ(DecodeDisplayWord(0x03, 0xE8), 1000);
}

TEST(Codecs, FactoryWords)
{
    EXPECT_EQ(DecodeFactoryWordSignHigh(0x01, 0x02), 258.0f);
    EXPECT_EQ(DecodeFactoryWordSignHigh(0x81, 0x02), -258.0f);
    EXPECT_EQ(DecodeFactoryWordSignLow(0x01, 0x02), 258.0f);
    EXPECT_EQ(DecodeFactoryWordSignLow(0x01, 0x82), -258.0f);
    EXPECT_EQ(DecodeFactoryWordReciprocal(0x03, 0xE8), 1000.0f);
    EXPECT_EQ(DecodeFactoryWordReciprocal(0xFC, 0x18), -1000.0f);
    EXPECT_TRUE(SameSingle(DecodeFactoryWordReciprocal(0, 0), NoValue));
}

TEST(Codecs, SerialTagAndChecksum)
{
    EXPECT_EQ(SerialFromBytes(5, 12, 3, 7), QStringLiteral("0512307"));
    EXPECT_EQ(SerialFromBytes(100, 0, 0, 0), QStringLiteral("10000000"));  // a wide first byte keeps all its digits
    EXPECT_EQ(SerialFromBytes(0, 0, 12, 0), QStringLiteral("00001200"));  // no truncation
    EXPECT_EQ(bytes(*SerialToBytes(QStringLiteral("0512307"))), bytes({5, 12, 3, 7}));
    EXPECT_FALSE(SerialToBytes(QStringLiteral("512307")));
    EXPECT_FALSE(SerialToBytes(QStringLiteral("05123O7")));

    EXPECT_EQ(TagToBytes(QStringLiteral("TT-101")), QByteArray("TT-101             "));
    EXPECT_EQ(TagToBytes(QString(25, QLatin1Char('x'))).size(), 19);
    // Windows ANSI bytes: the euro sign and typographic quotes have theirs, Greek has none.
    EXPECT_EQ(TagToBytes(QString::fromUtf8("\u00B0\u20AC\u201C\u03A9")).left(4), QByteArray("\xB0\x80\x93?"));

    const QByteArray marker = bytes({0x81, 0x00, 0xFF, 0xBB});
    EXPECT_EQ(BlockChecksum(1, marker), 0xC4);
    for (std::uint8_t seed : {0, 1, 2, 0xAA, 0xBB}) {
        const QByteArray block = bytes({0xA0, 0x01, 0x00, 0x49, 0x7F, 0xFF, seed});
        unsigned sum = seed + BlockChecksum(seed, block);
        for (char c : block)
            sum += std::uint8_t(c);
        EXPECT_EQ(sum % 256, 0u);
    }
}
