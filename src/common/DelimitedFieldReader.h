#pragma once

#include "common/Result.h"

#include <cstddef>
#include <filesystem>
#include <string>

namespace leapmark {

/** Bounds that keep a hostile or mistaken file from being read without end. */
struct ReadLimits
{
    std::size_t maxFileBytes = 1024 * 1024;
    std::size_t maxLineBytes = 64 * 1024;
};

/** How a field that reads as a number is handed back. */
enum class NumericField {
    KeepText,    ///< the characters as they stand ("007")
    PlainNumber, ///< the number's plain text ("7")
};

/**
 * Reads a text file item by item. Commas and line ends separate fields; blanks before a field are
 * dropped; a field in double quotes may hold commas and loses its quotes; an unquoted field runs to
 * the next comma or line end and loses its trailing blanks. An empty line is one empty field.
 *
 * Every error names the file and the line it happened on.
 */
class DelimitedFieldReader
{
public:
    [[nodiscard]] static Result<DelimitedFieldReader> openFile(const std::filesystem::path& path,
                                                               ReadLimits limits = {});
    /** Reads from text already in memory; sourceName stands for the file in messages. */
    [[nodiscard]] static Result<DelimitedFieldReader> fromText(std::string sourceName, std::string text,
                                                               ReadLimits limits = {});

    /** True when no character is left. */
    [[nodiscard]] bool atEnd() const { return m_pos >= m_text.size(); }

    /** The line (from 1) that the next read starts on. */
    [[nodiscard]] int lineNumber() const { return m_line; }

    [[nodiscard]] const std::string& sourceName() const { return m_sourceName; }

    [[nodiscard]] Result<std::string> nextField(NumericField numbers = NumericField::KeepText);

    /** The next field, which must be one number in plain or exponent notation. */
    [[nodiscard]] Result<double> nextNumber();

    /** The rest of the current line as it stands, commas and quotes included, without its line end. */
    [[nodiscard]] Result<std::string> nextLine();

    /** An error at the current line, worded "<file>, line N: <reason>". */
    [[nodiscard]] Error errorHere(const std::string& reason) const;

private:
    DelimitedFieldReader(std::string sourceName, std::string text)
        : m_sourceName(std::move(sourceName)), m_text(std::move(text))
    {}

    [[nodiscard]] bool atLineEnd() const;
    void skipLineEnd();
    void skipBlanks();
    void skipDelimiter();
    [[nodiscard]] std::string readQuoted();
    [[nodiscard]] std::string readUnquoted();

    std::string m_sourceName;
    std::string m_text;
    std::size_t m_pos = 0;
    int m_line = 1;
};

} // namespace leapmark
