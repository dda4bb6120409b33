#pragma once

#include "common/Prompts.h"

#include <string>
#include <string_view>

namespace leapmark {

/** Filter (as Prompts writes filters) and default extension of a save dialog kind. */
struct SaveDialogKind
{
    std::string filter;
    std::string defaultExtension;

    friend bool operator==(const SaveDialogKind&, const SaveDialogKind&) = default;
};

/**
 * Kind 0 (capture frame files): "All Supported Types" *.bmp;*.jpg;*.pic, "BMP Files" *.bmp,
 * "JPEG Files" *.jpg, "ePIC Files" *.pic, default extension "jpg". Any other kind: no filter and
 * no default extension.
 */
[[nodiscard]] SaveDialogKind saveDialogKind(int kind);

/**
 * The save dialog, through prompts: it starts in the folder before the path's last separator
 * ("/" or "\"; no start folder when there is none) with an empty file name. Returns the path
 * chosen, or the given path unchanged when the operator cancels.
 */
[[nodiscard]] std::string save_file_dialog(Prompts& prompts, std::string_view path, int kind);

} // namespace leapmark
