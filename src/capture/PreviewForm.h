#pragma once

#include "shell/Screen.h"

class QLineEdit;

namespace leapmark {

/** The capture screen: live preview and recording of one run to a named video file. */
class PreviewForm : public Screen
{
    Q_OBJECT

public:
    explicit PreviewForm(AppContext& app);

    /** The skier the next video is named after. */
    QLineEdit* txtSkierName;
    QLineEdit* txtPass;
};

} // namespace leapmark
