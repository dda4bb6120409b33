#include "common/RtfReader.h"

#include "common/PathText.h"
#include "common/RtfTokenizer.h"
#include "common/TextEncoding.h"
#include "common/TextFile.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace leapmark {

namespace {

// Destinations whose content is never shown: tables of fonts, colours and styles, document
// information, pictures, objects, headers and footers, field instructions, list definitions.
// Kept sorted for the binary search.
// clang-format off
constexpr std::array<std::string_view, 68> kHiddenDestinations = {
    "aftncn", "aftnsep", "aftnsepc", "annotation", "atnauthor", "atndate", "atnid", "atnref", "author",
    "background", "bkmkend", "bkmkstart", "buptim", "category", "colorschememapping", "colortbl",
    "comment", "company", "creatim", "datastore", "doccomm", "docvar", "falt", "fldinst", "fontemb",
    "fontfile", "fonttbl", "footer", "footerf", "footerl", "footerr", "footnote", "ftncn", "ftnsep",
    "ftnsepc", "generator", "header", "headerf", "headerl", "headerr", "info", "keywords",
    "latentstyles", "listoverridetable", "listtable", "nonshppict", "objalias", "objclass", "objdata",
    "objname", "objsect", "objtime", "operator", "pict", "pn", "printim", "revtbl", "revtim", "rsidtbl",
    "shp", "stylesheet", "subject", "tc", "template", "themedata", "title", "xe", "xmlnstbl"};
// clang-format on
static_assert(std::is_sorted(kHiddenDestinations.begin(), kHiddenDestinations.end()));

constexpr int kLargestFontHalfPoints = 3276;
constexpr int kLargestIndentTwips = 31680;
constexpr int kLargestFallbackCount = 255;

bool isHiddenDestination(std::string_view word)
{
    return std::binary_search(kHiddenDestinations.begin(), kHiddenDestinations.end(), word);
}

bool isUnderlineWord(std::string_view word)
{
    return word == "ul" || word == "uld" || word == "uldash" || word == "uldashd" || word == "uldashdd" ||
           word == "uldb" || word == "ulhwave" || word == "ulldash" || word == "ulth" || word == "ulthd" ||
           word == "ulthdash" || word == "ulthdashd" || word == "ulthdashdd" || word == "ulthldash" ||
           word == "ululdbwave" || word == "ulw" || word == "ulwave";
}

/** Toggle words: no parameter or a non-zero one switches on, "0" switches off. */
bool switchedOn(const RtfToken& token)
{
    return !token.hasParameter || token.parameter != 0;
}

/** What a group sets and its closing brace restores. */
struct GroupState
{
    RtfCharFormat chars;
    RtfParagraphFormat paragraph;
    int fallbackCount = 1;
    bool inHiddenDestination = false;
    bool hiddenText = false;
};

class Reader
{
public:
    Result<RtfDocument> read(std::string_view bytes);

private:
    void controlWord(const RtfToken& token);
    void controlSymbol(char symbol);
    void text(std::string_view bytes);
    void character(char32_t codePoint);
    void unicode(int value);
    void lineBreak();
    void endParagraph();
    void emit(std::string_view runText, std::string_view plainText);
    void flushHalfPair();
    void finish();
    [[nodiscard]] bool shown() const { return !m_state.inHiddenDestination && !m_state.hiddenText; }

    GroupState m_state;
    std::vector<GroupState> m_saved;
    RtfDocument m_document;
    RtfParagraph m_paragraph;
    int m_fallbackToSkip = 0;
    char32_t m_highSurrogate = 0;
};

Result<RtfDocument> Reader::read(std::string_view bytes)
{
    RtfTokenizer tokenizer(bytes);
    for (RtfToken token = tokenizer.next(); token.kind != RtfTokenKind::End; token = tokenizer.next()) {
        switch (token.kind) {
        case RtfTokenKind::GroupStart:
            m_fallbackToSkip = 0;
            if (m_saved.size() >= kMaxRtfGroupDepth)
                return Error("the rich text has groups nested deeper than " +
                             std::to_string(kMaxRtfGroupDepth) + " levels");
            m_saved.push_back(m_state);
            break;
        case RtfTokenKind::GroupEnd:
            m_fallbackToSkip = 0;
            if (m_saved.empty())
                break;
            m_state = m_saved.back();
            m_saved.pop_back();
            if (m_saved.empty()) {
                // The document's own group is closed: whatever follows is not part of it.
                finish();
                return std::move(m_document);
            }
            break;
        case RtfTokenKind::Text:
            if (m_fallbackToSkip > 0) {
                const auto skipped =
                    std::min<std::size_t>(static_cast<std::size_t>(m_fallbackToSkip), token.text.size());
                m_fallbackToSkip -= static_cast<int>(skipped);
                token.text.remove_prefix(skipped);
            }
            text(token.text);
            break;
        default:
            // A fallback for "\uN" may be any single character, escaped or written as a word.
            if (m_fallbackToSkip > 0) {
                --m_fallbackToSkip;
                break;
            }
            if (token.kind == RtfTokenKind::ControlWord)
                controlWord(token);
            else if (token.kind == RtfTokenKind::ControlSymbol)
                controlSymbol(token.text.front());
            else if (token.kind == RtfTokenKind::HexByte && shown())
                character(windows1252CodePoint(token.byte));
            break;
        }
    }
    finish();
    return std::move(m_document);
}

void Reader::controlWord(const RtfToken& token)
{
    const std::string_view word = token.text;
    if (m_state.inHiddenDestination)
        return;
    if (isHiddenDestination(word)) {
        m_state.inHiddenDestination = true;
        return;
    }

    if (word == "par" || word == "sect" || word == "page" || word == "row") {
        endParagraph();
    } else if (word == "line") {
        lineBreak();
    } else if (word == "tab" || word == "cell") {
        if (shown())
            emit("\t", "\t");
    } else if (word == "u") {
        if (token.hasParameter) {
            if (shown())
                unicode(token.parameter);
            m_fallbackToSkip = m_state.fallbackCount;
        }
    } else if (word == "uc") {
        m_state.fallbackCount = std::clamp(token.parameter, 0, kLargestFallbackCount);
    } else if (word == "b") {
        m_state.chars.bold = switchedOn(token);
    } else if (word == "i") {
        m_state.chars.italic = switchedOn(token);
    } else if (isUnderlineWord(word)) {
        m_state.chars.underline = switchedOn(token);
    } else if (word == "ulnone") {
        m_state.chars.underline = false;
    } else if (word == "fs") {
        m_state.chars.fontSizeHalfPoints = token.hasParameter && token.parameter > 0
                                               ? std::min(token.parameter, kLargestFontHalfPoints)
                                               : RtfCharFormat{}.fontSizeHalfPoints;
    } else if (word == "v") {
        m_state.hiddenText = switchedOn(token);
    } else if (word == "plain") {
        m_state.chars = {};
        m_state.hiddenText = false;
    } else if (word == "pard") {
        m_state.paragraph = {};
    } else if (word == "ql") {
        m_state.paragraph.alignment = RtfAlignment::Left;
    } else if (word == "qc") {
        m_state.paragraph.alignment = RtfAlignment::Centre;
    } else if (word == "qr") {
        m_state.paragraph.alignment = RtfAlignment::Right;
    } else if (word == "qj") {
        m_state.paragraph.alignment = RtfAlignment::Justified;
    } else if (word == "li") {
        m_state.paragraph.leftIndentTwips =
            std::clamp(token.parameter, -kLargestIndentTwips, kLargestIndentTwips);
    } else if (word == "fi") {
        m_state.paragraph.firstLineIndentTwips =
            std::clamp(token.parameter, -kLargestIndentTwips, kLargestIndentTwips);
    } else if (word == "sb") {
        m_state.paragraph.spaceBeforeTwips = std::clamp(token.parameter, 0, kLargestIndentTwips);
    } else if (word == "sa") {
        m_state.paragraph.spaceAfterTwips = std::clamp(token.parameter, 0, kLargestIndentTwips);
    } else if (shown()) {
        if (word == "emdash")
            character(0x2014);
        else if (word == "endash")
            character(0x2013);
        else if (word == "emspace")
            character(0x2003);
        else if (word == "enspace")
            character(0x2002);
        else if (word == "qmspace")
            character(0x2005);
        else if (word == "bullet")
            character(0x2022);
        else if (word == "lquote")
            character(0x2018);
        else if (word == "rquote")
            character(0x2019);
        else if (word == "ldblquote")
            character(0x201C);
        else if (word == "rdblquote")
            character(0x201D);
    }
}

void Reader::controlSymbol(char symbol)
{
    if (symbol == '*') {
        // "{\*\dest ...}": a destination this reader does not know; its content is not text.
        m_state.inHiddenDestination = true;
        return;
    }
    if (!shown())
        return;
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        character(static_cast<unsigned char>(symbol));
        break;
    case '~':
        character(0x00A0);
        break;
    case '_':
        character('-');
        break;
    case '\r':
    case '\n':
        endParagraph();
        break;
    default:
        // "\-" (optional hyphen), "\:", "\|" and unknown symbols show nothing.
        break;
    }
}

void Reader::text(std::string_view bytes)
{
    if (!shown() || bytes.empty())
        return;
    std::string converted;
    converted.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && byte != '\t')
            continue;
        if (byte < 0x80)
            converted += c;
        else
            appendUtf8(converted, windows1252CodePoint(byte));
    }
    emit(converted, converted);
}

void Reader::character(char32_t codePoint)
{
    if (codePoint < 0x20 && codePoint != '\t')
        return;
    std::string utf8;
    appendUtf8(utf8, codePoint);
    emit(utf8, utf8);
}

void Reader::unicode(int value)
{
    if (value < -32768 || value > 65535) {
        character(0xFFFD);
        return;
    }
    const auto unit = static_cast<char32_t>(value < 0 ? value + 65536 : value);
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        flushHalfPair();
        m_highSurrogate = unit;
        return;
    }
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
        if (m_highSurrogate == 0) {
            character(0xFFFD);
            return;
        }
        const char32_t codePoint = 0x10000 + ((m_highSurrogate - 0xD800) << 10) + (unit - 0xDC00);
        m_highSurrogate = 0;
        character(codePoint);
        return;
    }
    character(unit);
}

void Reader::lineBreak()
{
    if (shown())
        emit("\n", "\r\n");
}

void Reader::endParagraph()
{
    if (!shown())
        return;
    flushHalfPair();
    m_paragraph.format = m_state.paragraph;
    m_document.paragraphs.push_back(std::move(m_paragraph));
    m_paragraph = {};
    m_document.plainText += "\r\n";
}

void Reader::emit(std::string_view runText, std::string_view plainText)
{
    flushHalfPair();
    if (runText.empty())
        return;
    if (m_paragraph.runs.empty() || m_paragraph.runs.back().format != m_state.chars)
        m_paragraph.runs.push_back({std::string(), m_state.chars});
    m_paragraph.runs.back().text += runText;
    m_document.plainText += plainText;
}

void Reader::flushHalfPair()
{
    // A high surrogate not followed by its low half stands for nothing readable.
    if (m_highSurrogate == 0)
        return;
    m_highSurrogate = 0;
    emit("\xEF\xBF\xBD", "\xEF\xBF\xBD");
}

void Reader::finish()
{
    flushHalfPair();
    if (!m_paragraph.runs.empty()) {
        m_paragraph.format = m_state.paragraph;
        m_document.paragraphs.push_back(std::move(m_paragraph));
        m_paragraph = {};
    }
}

RtfDocument plainDocument(std::string_view bytes)
{
    RtfDocument document;
    document.plainText = std::string(bytes);
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        const std::string_view line = bytes.substr(start, end == std::string_view::npos ? end : end - start);
        RtfParagraph paragraph;
        if (!line.empty())
            paragraph.runs.push_back({std::string(line), {}});
        document.paragraphs.push_back(std::move(paragraph));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
        if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n')
            ++start;
    }
    return document;
}

} // namespace

bool isRichText(std::string_view bytes)
{
    return bytes.starts_with("{\\rtf");
}

Result<RtfDocument> readRtf(std::string_view bytes)
{
    if (bytes.size() > kMaxRtfBytes)
        return Error("the text is larger than " + std::to_string(kMaxRtfBytes / (1024 * 1024)) + " MiB");
    if (!isRichText(bytes))
        return plainDocument(bytes);
    return Reader().read(bytes);
}

Result<RtfDocument> readRtfFile(const std::filesystem::path& path)
{
    auto bytes = readWholeFile(path, kMaxRtfBytes);
    if (!bytes)
        return bytes.error();
    auto document = readRtf(*bytes);
    if (!document)
        return Error("Could not read " + pathText(path) + ": " + document.error().text());
    return document;
}

} // namespace leapmark
