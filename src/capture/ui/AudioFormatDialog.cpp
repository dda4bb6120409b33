#include "capture/ui/AudioFormatDialog.h"

#include "capture/CaptureControl.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>

namespace leapmark {
namespace {

QComboBox* choices(QWidget* parent, const char* name,
                   std::initializer_list<std::pair<const char*, int>> items, int current)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    for (const auto& [text, value] : items)
        list->addItem(QString::fromLatin1(text), value);
    list->setCurrentIndex(std::max(0, list->findData(current)));
    return list;
}

} // namespace

AudioFormatDialog::AudioFormatDialog(CaptureControl& capture, QWidget* parent)
    : QDialog(parent), m_capture(capture)
{
    setObjectName(QStringLiteral("AudioFormatDialog"));
    setWindowTitle(QStringLiteral("Sound Format"));
    const AudioFormat format = m_capture.audioFormat();
    auto* form = new QFormLayout(this);
    Rate = choices(this, "Rate",
                   {{"11 025 Hz", 11025},
                    {"22 050 Hz", 22050},
                    {"32 000 Hz", 32000},
                    {"44 100 Hz", 44100},
                    {"48 000 Hz", 48000}},
                   format.sampleRateHz);
    Bits = choices(this, "Bits", {{"8 bit", 8}, {"16 bit", 16}}, format.bitsPerSample);
    Channels = choices(this, "Channels", {{"Mono", 1}, {"Stereo", 2}}, format.channels);
    form->addRow(QStringLiteral("Sample rate:"), Rate);
    form->addRow(QStringLiteral("Sample size:"), Bits);
    form->addRow(QStringLiteral("Channels:"), Channels);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        m_capture.setAudioFormat(
            {Rate->currentData().toInt(), Channels->currentData().toInt(), Bits->currentData().toInt()});
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

} // namespace leapmark
