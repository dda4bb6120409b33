#include "common/DelimitedFieldReader.h"

#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

DelimitedFieldReader readerOf(std::string text, ReadLimits limits = {})
{
    auto reader = DelimitedFieldReader::fromText("names.txt", std::move(text), limits);
    EXPECT_TRUE(reader.ok()) << (reader.ok() ? "" : reader.error().text());
    return std::move(reader).value();
}

std::vector<std::string> allFields(DelimitedFieldReader reader, NumericField numbers = NumericField::KeepText)
{
    std::vector<std::string> fields;
    while (!reader.atEnd()) {
        auto field = reader.nextField(numbers);
        if (!field)
            break;
        fields.push_back(*field);
    }
    return fields;
}

TEST(DelimitedFieldReader, CommasAndLineEndsSeparateFields)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(allFields(readerOf("Alpha,Beta\r\nGamma\r\n")), (V{"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(allFields(readerOf("Alpha\nBeta")), (V{"Alpha", "Beta"}));
    EXPECT_EQ(allFields(readerOf("  Alpha ,\tBeta  \r\n")), (V{"Alpha", "Beta"}));
    // An empty line is one empty field; a comma that closes a line adds none.
    EXPECT_EQ(allFields(readerOf("A\r\n\r\nB,\r\nC,")), (V{"A", "", "B", "C"}));
    EXPECT_EQ(allFields(readerOf("A,,B")), (V{"A", "", "B"}));
}

TEST(DelimitedFieldReader, QuotedFieldsKeepCommasAndLoseTheirQuotes)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(allFields(readerOf("\"Alpha, Beta\"\r\n")), (V{"Alpha, Beta"}));
    EXPECT_EQ(allFields(readerOf("  \"Smith, John\" , Doe\r\n")), (V{"Smith, John", "Doe"}));
    EXPECT_EQ(allFields(readerOf("\"\",X")), (V{"", "X"}));
    // An unterminated quote ends with its line.
    EXPECT_EQ(allFields(readerOf("\"open, field\r\nNext")), (V{"open, field", "Next"}));
}

TEST(DelimitedFieldReader, NumbersCanComeBackInPlainForm)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(allFields(readerOf("007, 1.50,\"007\",Bond"), NumericField::PlainNumber),
              (V{"7", "1.5", "007", "Bond"}));
    EXPECT_EQ(allFields(readerOf("007"), NumericField::KeepText), (V{"007"}));
}

TEST(DelimitedFieldReader, NumberFieldsMustHoldOneNumber)
{
    DelimitedFieldReader reader = readerOf(" 5025 , 3390 , 12.5 ,-3.25 \r\nabc\r\n");
    EXPECT_EQ(*reader.nextNumber(), 5025.0);
    EXPECT_EQ(*reader.nextNumber(), 3390.0);
    EXPECT_EQ(*reader.nextNumber(), 12.5);
    EXPECT_EQ(*reader.nextNumber(), -3.25);
    const auto bad = reader.nextNumber();
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.error().text(), "names.txt, line 2: a number was expected, found \"abc\"");
    const auto end = reader.nextNumber();
    ASSERT_FALSE(end.ok());
    EXPECT_EQ(end.error().text(), "names.txt, line 3: the file ends early");
}

TEST(DelimitedFieldReader, WholeLinesAreTakenAsTheyStand)
{
    DelimitedFieldReader reader =
        readerOf("Initialization Points for file: C:\\a,b\\\"g\".ipt\r\nnext, line\r\n");
    EXPECT_EQ(*reader.nextLine(), "Initialization Points for file: C:\\a,b\\\"g\".ipt");
    EXPECT_EQ(reader.lineNumber(), 2);
    EXPECT_EQ(*reader.nextField(), "next");
    EXPECT_EQ(*reader.nextField(), "line");
    EXPECT_TRUE(reader.atEnd());
    EXPECT_FALSE(reader.nextLine().ok());
}

TEST(DelimitedFieldReader, RefusesHostileInput)
{
    const auto binary = DelimitedFieldReader::fromText("grid.ipt", std::string("ok\r\nbad\0data", 12));
    ASSERT_FALSE(binary.ok());
    EXPECT_EQ(binary.error().text(), "grid.ipt, line 2: the file holds binary data, not text");

    const auto longLine = DelimitedFieldReader::fromText("grid.ipt", std::string(100, 'x'), {1000, 64});
    ASSERT_FALSE(longLine.ok());
    EXPECT_EQ(longLine.error().text(), "grid.ipt, line 1: the line is longer than 64 characters");

    const auto huge = DelimitedFieldReader::fromText("grid.ipt", std::string(2000, '\n'), {1000, 64});
    ASSERT_FALSE(huge.ok());
    EXPECT_EQ(huge.error().text(), "grid.ipt: the file is larger than 1000 bytes");
}

TEST(DelimitedFieldReader, FilesAreReadWithinTheirBounds)
{
    testing::TempFolder folder;
    testing::writeBytes(folder.file("names.txt"), "\"Alpha, Beta\"\r\n");
    auto reader = DelimitedFieldReader::openFile(folder.file("names.txt"));
    ASSERT_TRUE(reader.ok());
    EXPECT_EQ(*reader->nextField(), "Alpha, Beta");

    testing::writeBytes(folder.file("big.txt"), std::string(5000, 'a'));
    const auto big = DelimitedFieldReader::openFile(folder.file("big.txt"), {4096, 8192});
    ASSERT_FALSE(big.ok());
    EXPECT_NE(big.error().text().find("big.txt: the file is larger than 4096 bytes"), std::string::npos);

    const auto missing = DelimitedFieldReader::openFile(folder.file("missing.txt"));
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().text().find("missing.txt"), std::string::npos);
    EXPECT_NE(missing.error().text().find("No such file"), std::string::npos);

    const auto aFolder = DelimitedFieldReader::openFile(folder.path());
    EXPECT_FALSE(aFolder.ok());
}

} // namespace
} // namespace leapmark
