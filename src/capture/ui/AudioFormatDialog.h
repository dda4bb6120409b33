#pragma once

#include <QDialog>

class QComboBox;

namespace leapmark {

class CaptureControl;

/** The sound format: sample rate, bits per sample and channels. */
class AudioFormatDialog final : public QDialog
{
    Q_OBJECT

public:
    AudioFormatDialog(CaptureControl& capture, QWidget* parent);

    QComboBox* Rate;
    QComboBox* Bits;
    QComboBox* Channels;

private:
    CaptureControl& m_capture;
};

} // namespace leapmark
