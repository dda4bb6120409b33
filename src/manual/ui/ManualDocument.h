#pragma once

#include "common/Result.h"
#include "common/RtfDocument.h"

#include <QString>

class QTextDocument;

namespace leapmark {

/** The operator's manual, in the application folder or shipped with the program. */
inline constexpr char kManualFileName[] = "QX05Manual.rtf";

/**
 * Replaces the document's content with the rich text paragraphs: one block per paragraph with its
 * alignment and indents, one character format per run (bold, italic, underline, point size).
 */
void fillTextDocument(QTextDocument& document, const RtfDocument& rtf);

/**
 * Loads the manual into the document: the application folder's "QX05Manual.rtf" when it exists,
 * else the shipped copy. When the application folder's copy cannot be read, a short notice naming
 * it and the reason comes first and the shipped manual follows; the error is returned so the
 * caller may tell the operator. When nothing can be read, the document holds only the notice.
 */
Result<void> loadManual(QTextDocument& document, const QString& applicationFolder);

} // namespace leapmark
