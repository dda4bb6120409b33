// The suggested contact frame: found in the background, offered beside the player.

#include "review/ui/ContactSuggestionJob.h"
#include "review/ui/ReviewLog.h"
#include "review/ui/VideoPlayer.h"
#include "review/ui/frmSetStart.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace leapmark {
namespace {

/** Below this, something else in the video whitens half as much as the splash, or more. */
constexpr double kSureConfidence = 0.5;

QString suggestionText(const SuggestedContact& contact)
{
    const double confidence =
        std::isfinite(contact.confidence) ? std::clamp(contact.confidence, 0.0, 1.0) : 0.0;
    const auto percent = static_cast<int>(std::lround(confidence * 100.0));
    const QString text =
        QStringLiteral("Suggested contact frame %1 (%2% sure").arg(contact.frame).arg(percent);
    if (confidence >= kSureConfidence)
        return text + QStringLiteral(")");
    return text + QStringLiteral(": check nearby frames)");
}

} // namespace

void frmSetStart::startSuggestion()
{
    m_suggestedFrame = -1;
    cmdGoToSuggestion->setEnabled(false);
    if (Text6->text().isEmpty()) {
        m_suggestion->stop();
        lblSuggestion->clear();
        return;
    }
    lblSuggestion->setText(QStringLiteral("Looking for the contact frame..."));
    m_suggestionJob = m_suggestion->start(Text6->text());
}

void frmSetStart::suggestionFound(std::uint64_t job, const ContactSearchAnswer& answer)
{
    if (job != m_suggestionJob)
        return;
    m_suggestedFrame = -1;
    cmdGoToSuggestion->setEnabled(false);
    if (!answer) {
        const QString error = QString::fromStdString(answer.error().text());
        qCWarning(lcReview).noquote() << "No contact frame suggested:" << error;
        lblSuggestion->setText(QStringLiteral("No contact frame suggested: ") + error);
        return;
    }
    if (!answer->has_value()) {
        lblSuggestion->setText(QStringLiteral("No contact frame suggested"));
        return;
    }
    const SuggestedContact& contact = **answer;
    m_suggestedFrame = contact.frame;
    lblSuggestion->setText(suggestionText(contact));
    cmdGoToSuggestion->setEnabled(true);
}

void frmSetStart::cmdGoToSuggestion_Click()
{
    if (m_suggestedFrame < 0)
        return;
    MediaPlayer1->setPosition(static_cast<double>(m_suggestedFrame));
    MediaPlayer1->setFocus();
}

} // namespace leapmark
