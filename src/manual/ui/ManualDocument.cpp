#include "manual/ui/ManualDocument.h"
#include "common/Twips.h"

#include "common/RtfReader.h"
#include "manual/ui/ManualLog.h"
#include "shell/ui/ApplicationFiles.h"

#include <QFile>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace leapmark {

namespace {

Qt::Alignment qtAlignment(RtfAlignment alignment)
{
    switch (alignment) {
    case RtfAlignment::Centre:
        return Qt::AlignHCenter;
    case RtfAlignment::Right:
        return Qt::AlignRight;
    case RtfAlignment::Justified:
        return Qt::AlignJustify;
    case RtfAlignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

QTextBlockFormat blockFormat(const RtfParagraphFormat& format)
{
    QTextBlockFormat block;
    block.setAlignment(qtAlignment(format.alignment));
    block.setLeftMargin(twipsToPixels(format.leftIndentTwips));
    block.setTextIndent(twipsToPixels(format.firstLineIndentTwips));
    block.setTopMargin(twipsToPixels(format.spaceBeforeTwips));
    block.setBottomMargin(twipsToPixels(format.spaceAfterTwips));
    // A hanging first line ("1." or a bullet, then a tab) lines its text up with the indent.
    if (format.firstLineIndentTwips < 0 && format.leftIndentTwips > 0)
        block.setTabPositions(
            {QTextOption::Tab(twipsToPixels(format.leftIndentTwips), QTextOption::LeftTab)});
    return block;
}

QTextCharFormat charFormat(const RtfCharFormat& format)
{
    QTextCharFormat chars;
    chars.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    chars.setFontItalic(format.italic);
    chars.setFontUnderline(format.underline);
    chars.setFontPointSize(format.fontSizeHalfPoints / 2.0);
    return chars;
}

/** Line breaks inside a paragraph are Unicode line separators in a text document. */
QString runText(const std::string& text)
{
    QString converted = QString::fromStdString(text);
    converted.replace(QLatin1Char('\n'), QChar(QChar::LineSeparator));
    return converted;
}

Result<std::string> readResource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Error("Could not read " + path.toStdString() + ": " + file.errorString().toStdString());
    if (file.size() > static_cast<qint64>(kMaxRtfBytes))
        return Error("Could not read " + path.toStdString() + ": the file is too large");
    const QByteArray bytes = file.readAll();
    return bytes.toStdString();
}

// A text document spends some 700 bytes and 10 us on each block, and inserting runs into one block
// costs the square of their number: past these a manual would take minutes and gigabytes to show.
constexpr std::size_t kMostManualPieces = 100'000;
constexpr std::size_t kMostRunsInAParagraph = 256;

/** Refuses a document the viewer cannot lay out in a second or two; the error names the file. */
Result<RtfDocument> showable(Result<RtfDocument> read, const QString& path)
{
    if (!read)
        return read;
    std::size_t pieces = read->paragraphs.size();
    for (const RtfParagraph& paragraph : read->paragraphs) {
        if (paragraph.runs.size() > kMostRunsInAParagraph)
            return Error("Could not show " + path.toStdString() +
                         ": a paragraph changes its format more than " +
                         std::to_string(kMostRunsInAParagraph) + " times");
        pieces += paragraph.runs.size();
    }
    if (pieces > kMostManualPieces)
        return Error("Could not show " + path.toStdString() + ": it has more than " +
                     std::to_string(kMostManualPieces) + " paragraphs and changes of format");
    return read;
}

Result<RtfDocument> readManual(const QString& path)
{
    if (!path.startsWith(QLatin1Char(':')))
        return showable(readRtfFile(std::filesystem::path(path.toStdU16String())), path);
    auto bytes = readResource(path);
    if (!bytes)
        return bytes.error();
    return showable(readRtf(*bytes), path);
}

void appendNotice(QTextDocument& document, const std::string& text)
{
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::Start);
    QTextCharFormat notice;
    notice.setFontWeight(QFont::Bold);
    cursor.insertText(QString::fromStdString(text), notice);
    cursor.insertBlock();
}

} // namespace

void fillTextDocument(QTextDocument& document, const RtfDocument& rtf)
{
    document.clear();
    QTextCursor cursor(&document);
    bool first = true;
    for (const RtfParagraph& paragraph : rtf.paragraphs) {
        const QTextBlockFormat block = blockFormat(paragraph.format);
        const QTextCharFormat blockChars =
            charFormat(paragraph.runs.empty() ? RtfCharFormat{} : paragraph.runs.front().format);
        if (first) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(blockChars);
            first = false;
        } else {
            cursor.insertBlock(block, blockChars);
        }
        for (const RtfRun& run : paragraph.runs)
            cursor.insertText(runText(run.text), charFormat(run.format));
    }
}

Result<void> loadManual(QTextDocument& document, const QString& applicationFolder)
{
    const QString name = QString::fromLatin1(kManualFileName);
    const QString path = applicationFilePath(applicationFolder, name);
    auto manual = readManual(path);
    if (manual) {
        fillTextDocument(document, *manual);
        return success();
    }

    const Error problem = manual.error();
    qCWarning(lcManual).noquote() << QString::fromStdString(problem.text());
    document.clear();
    if (path != shippedFilePath(name)) {
        if (auto shipped = readManual(shippedFilePath(name)))
            fillTextDocument(document, *shipped);
    }
    appendNotice(document, "The manual could not be shown. " + problem.text());
    return problem;
}

} // namespace leapmark
