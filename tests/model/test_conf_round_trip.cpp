// Property: what the writers write reads back as what they were given, for seeded pseudo-random
// records, images and awkward values. A text comes back as the writer's text rule makes it.
#include "model/ansi_text.h"
#include "model/catalogue.h"
#include "model/conf_files.h"
#include "model/list_format.h"
#include "model/session.h"
#include "support/scripted_operator.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <limits>
#include <random>

namespace {

constexpr std::uint32_t Seed = 20240611;
constexpr int RecordsPerCode = 4;

float ConfRecord::*const singles[] = {&ConfRecord::OutMin, &ConfRecord::OutMax, &ConfRecord::Damping,
                                      &ConfRecord::RangeMax, &ConfRecord::RangeMin, &ConfRecord::CalLowRef,
                                      &ConfRecord::CalLowRead, &ConfRecord::CalHighRef, &ConfRecord::CalHighRead,
                                      &ConfRecord::CalGain, &ConfRecord::CalOffset};
std::uint8_t ConfRecord::*const codes[] = {&ConfRecord::InputClass, &ConfRecord::Wires, &ConfRecord::BurnOut,
                                           &ConfRecord::Freq, &ConfRecord::Mode, &ConfRecord::Units,
                                           &ConfRecord::AmbUnits};

// A text as a written file holds it: the writer's own text rule, without the quotes around it.
QString asWritten(const QString& text)
{
    ListWriter writer;
    writer.addText(text);
    const QByteArray& bytes = writer.bytes();
    return FromAnsi(bytes.mid(1, bytes.size() - 2));
}

// Seeded values for records: singles of every kind, byte codes in and out of range, and texts
// from plain ones to those the text rule must change.
class Generator {
public:
    explicit Generator(std::uint32_t seed) : rng_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    float single()
    {
        static const float special[] = {0.0f, -0.0f, NoValue, NoCal, OffsetMarker, FLT_MAX, -FLT_MAX, FLT_MIN,
                                        -FLT_MIN, std::numeric_limits<float>::denorm_min(),
                                        -std::numeric_limits<float>::denorm_min(),
                                        std::bit_cast<float>(0x007FFFFFu), std::nextafter(NoValue, 0.0f),
                                        std::nextafter(NoValue, FLT_MAX), 16777216.0f, 0.1f, 1e-7f, 4.0f, 20.0f};
        switch (below(4)) {
        case 0: return special[below(int(std::size(special)))];
        case 1: return std::bit_cast<float>(std::uint32_t(rng_()) & 0x807FFFFFu);  // zero or denormal
        case 2: return float(below(2000001) - 1000000) / 100.0f;                  // a plain decimal
        default: {
            float value;
            do
                value = std::bit_cast<float>(std::uint32_t(rng_()));
            while (!std::isfinite(value));
            return value;
        }
        }
    }

    std::uint8_t code() { return below(2) ? std::uint8_t(below(6)) : std::uint8_t(below(256)); }

    // A text of 0 to 24 characters, often 19 (the unit's tag length); `plain` says whether it
    // holds only characters a file keeps as they are.
    QString text(bool& plain)
    {
        static const QString plainPieces[] = {QStringLiteral("A"), QStringLiteral("7"), QStringLiteral(" "),
                                              QStringLiteral(","), QStringLiteral("'"), QStringLiteral("-"),
                                              QString(QChar(0xE9)), QString(QChar(0xFF)), QString(QChar(0xA0)),
                                              QString(QChar(0x20AC)), QString(QChar(0x201C))};
        static const QString changedPieces[] = {QStringLiteral("\""), QStringLiteral("\t"), QStringLiteral("\r\n"),
                                                QString(QChar(0x01)), QString(QChar(0x7F)), QString(QChar(0x85)),
                                                QString(QChar(0x3A9)),
                                                QString::fromUcs4(U"\U0001F600", 1)};
        const int lengths[] = {0, 1, 7, 18, 19, 19, 19, 20, 24};
        const int length = lengths[below(int(std::size(lengths)))];
        const bool mayChange = below(2);
        plain = true;
        QString text;
        for (int i = 0; i < length; ++i) {
            if (mayChange && below(4) == 0) {
                text += changedPieces[below(int(std::size(changedPieces)))];
                plain = false;
            } else {
                text += plainPieces[below(int(std::size(plainPieces)))];
            }
        }
        return text;
    }

private:
    std::mt19937 rng_;
};

class ConfRoundTrip : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    Catalogue catalogue = BuildCatalogue();
    Generator gen{Seed};
    ScriptedOperator op;
};

TEST_F(ConfRoundTrip, EveryInputCodeReadsBackAsWritten)
{
    int accepted = 0;
    for (int code = 0; code < 256; ++code) {
        for (int n = 0; n < RecordsPerCode; ++n) {
            SCOPED_TRACE(testing::Message() << "code " << code << ", record " << n);
            // A record holding only what a file holds; the lookup names a catalogue code.
            ConfRecord record = ZeroConfRecord();
            const bool known = LookupInputCode(catalogue, record, std::uint8_t(code));
            record.InputCode = std::uint8_t(code);
            bool plainSerial = false, plainTag = false;
            record.Serial = gen.text(plainSerial);
            record.Tag = gen.text(plainTag);
            for (auto field : codes)
                record.*field = gen.code();
            for (auto field : singles)
                record.*field = gen.single();

            Session session;
            session.EditConf.Tag = QStringLiteral("before");
            op.boxes.clear();
            const QString file = n == 0 ? path("record.cal") : QString();
            const bool read = file.isEmpty()
                ? ReadConfFile(session, catalogue, ConfFileLine(record), path("line.cal"), op)
                : WriteConfFile(record, file, op) && ReadConfFile(session, catalogue, file, op);
            if (!known) {
                EXPECT_FALSE(read);
                EXPECT_EQ(session.EditConf.Tag, QStringLiteral("before"));
                EXPECT_EQ(op.only().title, QStringLiteral("Illegal File"));
                continue;
            }
            ++accepted;
            ASSERT_TRUE(read) << op.transcript().toStdString();
            EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
            ConfRecord expected = record;
            expected.Serial = asWritten(record.Serial);
            expected.Tag = asWritten(record.Tag);
            ClampConfCodes(expected);
            const ConfRecord& back = session.EditConf;
            EXPECT_EQ(back, expected);
            for (auto field : singles)
                EXPECT_TRUE(SameSingle(back.*field, record.*field)) << record.*field << " read as " << back.*field;
            // A text without characters the rule changes reads back as it was.
            if (plainSerial) {
                EXPECT_EQ(back.Serial, record.Serial);
            }
            if (plainTag) {
                EXPECT_EQ(back.Tag, record.Tag);
            }
        }
    }
    EXPECT_GT(accepted, 0);
}

TEST_F(ConfRoundTrip, CalRecordsReadBackTheSixCorrectionFields)
{
    for (int n = 0; n < 64; ++n) {
        SCOPED_TRACE(testing::Message() << "record " << n);
        ConfRecord source = ZeroConfRecord();
        ConfRecord target = ZeroConfRecord();
        for (auto field : singles) {
            source.*field = gen.single();
            target.*field = gen.single();
        }
        target.Tag = QStringLiteral("kept");
        ConfRecord expected = target;
        for (auto field : {&ConfRecord::CalGain, &ConfRecord::CalOffset, &ConfRecord::CalLowRef,
                           &ConfRecord::CalLowRead, &ConfRecord::CalHighRef, &ConfRecord::CalHighRead})
            expected.*field = source.*field;
        ASSERT_TRUE(WriteCalRecord(source, path("E.urd"), op));
        ASSERT_TRUE(ReadCalRecord(target, path("E.urd"), op));
        EXPECT_EQ(target, expected);
        for (auto field : singles)
            EXPECT_TRUE(SameSingle(target.*field, expected.*field)) << expected.*field << " read as " << target.*field;
    }
    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
}

TEST_F(ConfRoundTrip, FactoryImagesReadBackPaddedOrCut)
{
    for (int n = 0; n < 32; ++n) {
        // Shorter, exact and longer images: the file holds the first 704 bytes, zeros after a short one.
        const std::size_t size = n % 3 == 0 ? FactoryImageSize : std::size_t(gen.below(900));
        std::vector<std::uint8_t> image(size);
        for (auto& byte : image)
            byte = std::uint8_t(gen.below(256));
        std::vector<std::uint8_t> expected = image;
        expected.resize(FactoryImageSize, 0);
        std::vector<std::uint8_t> read;
        ASSERT_TRUE(WriteFactoryImage(image, path("flash.cal"), op));
        ASSERT_TRUE(ReadFactoryImage(read, path("flash.cal"), op));
        EXPECT_EQ(read, expected) << "image of " << size << " bytes";
    }
    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
}

} // namespace
