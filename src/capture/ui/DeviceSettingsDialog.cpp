#include "capture/ui/DeviceSettingsDialog.h"

#include "capture/CaptureControl.h"
#include "capture/CaptureErrorNumber.h"
#include "common/Prompts.h"
#include "shell/ui/HandlerGuard.h"
#include "shell/ui/NamedControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace leapmark {

DeviceSettingsDialog::DeviceSettingsDialog(CaptureControl& capture, Prompts& prompts, QWidget* parent)
    : QDialog(parent), m_capture(capture), m_prompts(prompts)
{
    setObjectName(QStringLiteral("DeviceSettingsDialog"));
    setWindowTitle(QStringLiteral("Video Source"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    for (const DeviceSetting& setting : m_capture.deviceSettings()) {
        const int id = setting.id;
        const QString name = qs(setting.name);
        switch (setting.kind) {
        case DeviceSetting::Kind::Boolean: {
            auto* box = new QCheckBox(this);
            box->setObjectName(name);
            box->setChecked(setting.value != 0);
            connect(box, &QCheckBox::toggled, this, [this, id](bool on) { change(id, on ? 1 : 0); });
            form->addRow(name, box);
            break;
        }
        case DeviceSetting::Kind::Menu: {
            auto* list = new QComboBox(this);
            list->setObjectName(name);
            for (std::size_t i = 0; i < setting.choices.size(); ++i)
                if (!setting.choices[i].empty())
                    list->addItem(qs(setting.choices[i]), setting.minimum + static_cast<int>(i));
            list->setCurrentIndex(list->findData(setting.value));
            connect(list, &QComboBox::activated, this,
                    [this, id, list](int position) { change(id, list->itemData(position).toInt()); });
            form->addRow(name, list);
            break;
        }
        case DeviceSetting::Kind::Integer: {
            auto* spin = new QSpinBox(this);
            spin->setObjectName(name);
            spin->setRange(setting.minimum, setting.maximum);
            spin->setSingleStep(setting.step);
            spin->setValue(setting.value);
            spin->setProperty("defaultValue", setting.defaultValue);
            connect(spin, &QSpinBox::valueChanged, this, [this, id](int value) { change(id, value); });
            form->addRow(name, spin);
            break;
        }
        }
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close | QDialogButtonBox::RestoreDefaults, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this,
            [this] { runHandler(m_prompts, [this] { restoreDefaults(); }); });
    layout->addWidget(buttons);
}

void DeviceSettingsDialog::change(int id, int value)
{
    runHandler(m_prompts, [&] {
        if (auto changed = m_capture.setDeviceSetting(id, value); !changed)
            m_prompts.tell(decimalErrorBoxText(changed.error()), MessageIcon::None, "Error");
    });
}

void DeviceSettingsDialog::restoreDefaults()
{
    for (const DeviceSetting& setting : m_capture.deviceSettings())
        if (setting.value != setting.defaultValue)
            change(setting.id, setting.defaultValue);
    // The rows follow the device.
    for (const DeviceSetting& setting : m_capture.deviceSettings()) {
        const QString name = qs(setting.name);
        if (auto* spin = findChild<QSpinBox*>(name)) {
            const QSignalBlocker quiet(spin);
            spin->setValue(setting.value);
        } else if (auto* box = findChild<QCheckBox*>(name)) {
            const QSignalBlocker quiet(box);
            box->setChecked(setting.value != 0);
        } else if (auto* list = findChild<QComboBox*>(name)) {
            const QSignalBlocker quiet(list);
            list->setCurrentIndex(list->findData(setting.value));
        }
    }
}

} // namespace leapmark
