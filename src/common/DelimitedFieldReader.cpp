#include "common/DelimitedFieldReader.h"

#include "common/LeadingNumber.h"
#include "common/NumberText.h"
#include "common/PathText.h"
#include "common/TextFile.h"

#include <algorithm>

namespace leapmark {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

/** Refuses text that no line-by-line file of ours can hold: NUL bytes or over-long lines. */
Result<void> checkShape(const std::string& sourceName, const std::string& text, const ReadLimits& limits)
{
    int line = 1;
    std::size_t lineLength = 0;
    for (const char c : text) {
        if (c == '\0')
            return Error(sourceName + ", line " + std::to_string(line) +
                         ": the file holds binary data, not text");
        if (c == '\n') {
            ++line;
            lineLength = 0;
            continue;
        }
        if (++lineLength > limits.maxLineBytes)
            return Error(sourceName + ", line " + std::to_string(line) + ": the line is longer than " +
                         std::to_string(limits.maxLineBytes) + " characters");
    }
    return success();
}

} // namespace

Result<DelimitedFieldReader> DelimitedFieldReader::openFile(const std::filesystem::path& path,
                                                            ReadLimits limits)
{
    auto content = readWholeFile(path, limits.maxFileBytes);
    if (!content)
        return content.error();
    return fromText(pathText(path), std::move(content).value(), limits);
}

Result<DelimitedFieldReader> DelimitedFieldReader::fromText(std::string sourceName, std::string text,
                                                            ReadLimits limits)
{
    if (text.size() > limits.maxFileBytes)
        return Error(sourceName + ": the file is larger than " + std::to_string(limits.maxFileBytes) +
                     " bytes");
    if (auto shape = checkShape(sourceName, text, limits); !shape)
        return shape.error();
    return DelimitedFieldReader(std::move(sourceName), std::move(text));
}

Error DelimitedFieldReader::errorHere(const std::string& reason) const
{
    return Error(m_sourceName + ", line " + std::to_string(m_line) + ": " + reason);
}

bool DelimitedFieldReader::atLineEnd() const
{
    return atEnd() || m_text[m_pos] == '\r' || m_text[m_pos] == '\n';
}

void DelimitedFieldReader::skipLineEnd()
{
    if (m_pos < m_text.size() && m_text[m_pos] == '\r')
        ++m_pos;
    if (m_pos < m_text.size() && m_text[m_pos] == '\n')
        ++m_pos;
    ++m_line;
}

void DelimitedFieldReader::skipBlanks()
{
    while (m_pos < m_text.size() && isBlank(m_text[m_pos]))
        ++m_pos;
}

/** Consumes the comma or line end after a field; a comma that closes its line takes the line end too. */
void DelimitedFieldReader::skipDelimiter()
{
    if (atEnd())
        return;
    if (m_text[m_pos] == ',') {
        ++m_pos;
        const std::size_t afterComma = m_pos;
        skipBlanks();
        if (atEnd())
            return;
        if (atLineEnd())
            skipLineEnd();
        else
            m_pos = afterComma;
        return;
    }
    skipLineEnd();
}

std::string DelimitedFieldReader::readQuoted()
{
    ++m_pos; // opening quote
    const std::size_t start = m_pos;
    while (!atLineEnd() && m_text[m_pos] != '"')
        ++m_pos;
    std::string field = m_text.substr(start, m_pos - start);
    if (!atLineEnd())
        ++m_pos; // closing quote
    // Anything between the closing quote and the delimiter is not part of the field.
    while (!atLineEnd() && m_text[m_pos] != ',')
        ++m_pos;
    return field;
}

std::string DelimitedFieldReader::readUnquoted()
{
    const std::size_t start = m_pos;
    while (!atLineEnd() && m_text[m_pos] != ',')
        ++m_pos;
    std::size_t end = m_pos;
    while (end > start && isBlank(m_text[end - 1]))
        --end;
    return m_text.substr(start, end - start);
}

Result<std::string> DelimitedFieldReader::nextField(NumericField numbers)
{
    if (atEnd())
        return errorHere("the file ends early");
    skipBlanks();
    const bool quoted = !atEnd() && m_text[m_pos] == '"';
    std::string field = quoted ? readQuoted() : readUnquoted();
    skipDelimiter();
    if (!quoted && numbers == NumericField::PlainNumber && isWholeNumberText(field))
        field = plainForm(leadingNumber(field));
    return field;
}

Result<double> DelimitedFieldReader::nextNumber()
{
    const int line = m_line;
    auto field = nextField();
    if (!field)
        return field.error();
    if (!isWholeNumberText(*field))
        return Error(m_sourceName + ", line " + std::to_string(line) + ": a number was expected, found \"" +
                     field->substr(0, 40) + "\"");
    return leadingNumber(*field);
}

Result<std::string> DelimitedFieldReader::nextLine()
{
    if (atEnd())
        return errorHere("the file ends early");
    const std::size_t start = m_pos;
    while (!atLineEnd())
        ++m_pos;
    std::string line = m_text.substr(start, m_pos - start);
    skipLineEnd();
    return line;
}

} // namespace leapmark
