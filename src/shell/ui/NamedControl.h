#pragma once

#include <QString>
#include <QWidget>

namespace leapmark {

/** Creates a control as a child of parent with its objectName set to the system's control name. */
template <typename Control>
Control* namedControl(QWidget* parent, const char* name)
{
    auto* control = new Control(parent);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

/** The same, with a caption or initial text. */
template <typename Control>
Control* namedControl(QWidget* parent, const char* name, const QString& text)
{
    auto* control = new Control(text, parent);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

/** UTF-8 text of the domain as a QString. */
inline QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}
inline QString qs(const char* text)
{
    return QString::fromUtf8(text);
}

/** A QString as UTF-8 text for the domain. */
inline std::string ss(const QString& text)
{
    return text.toStdString();
}

} // namespace leapmark
