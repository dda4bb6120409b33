// The suggested contact frame: found in the background, offered beside the player.

#include "review/ui/ContactSuggestionJob.h"
#include "review/ui/VideoPlayer.h"
#include "review/ui/frmSetStart.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace leapmark {

void frmSetStart::startSuggestion()
{
    m_suggestedFrame = -1;
    cmdGoToSuggestion->setEnabled(false);
    if (Text6->text().isEmpty()) {
        m_suggestion->cancel();
        lblSuggestion->clear();
        return;
    }
    lblSuggestion->setText(QStringLiteral("Looking for the contact frame..."));
    m_suggestionJob = m_suggestion->start(Text6->text());
}

void frmSetStart::suggestionFound(std::uint64_t job, std::int64_t frame)
{
    if (job != m_suggestionJob)
        return;
    m_suggestedFrame = frame;
    if (frame < 0) {
        lblSuggestion->setText(QStringLiteral("No contact frame suggested"));
        cmdGoToSuggestion->setEnabled(false);
        return;
    }
    lblSuggestion->setText(QStringLiteral("Suggested contact frame %1").arg(frame));
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
