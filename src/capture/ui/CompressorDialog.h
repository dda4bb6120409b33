#pragma once

#include <QDialog>

class QSpinBox;

namespace leapmark {

class CaptureControl;

/** The compressor's quality: the quantiser scale 2 (best, largest files) to 31 (smallest). */
class CompressorDialog final : public QDialog
{
    Q_OBJECT

public:
    CompressorDialog(CaptureControl& capture, QWidget* parent);

    QSpinBox* Quality;

private:
    CaptureControl& m_capture;
};

} // namespace leapmark
