#include "capture/ui/CompressorDialog.h"

#include "capture/CaptureControl.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

namespace leapmark {

CompressorDialog::CompressorDialog(CaptureControl& capture, QWidget* parent)
    : QDialog(parent), m_capture(capture)
{
    setObjectName(QStringLiteral("CompressorDialog"));
    setWindowTitle(QStringLiteral("Compressor"));
    auto* form = new QFormLayout(this);
    Quality = new QSpinBox(this);
    Quality->setObjectName(QStringLiteral("Quality"));
    Quality->setRange(2, 31);
    Quality->setValue(m_capture.compressorQuality());
    form->addRow(QStringLiteral("Quality (2 best, 31 smallest):"), Quality);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        m_capture.setCompressorQuality(Quality->value());
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

} // namespace leapmark
