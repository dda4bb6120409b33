#pragma once

namespace leapmark {

struct AppContext;

/**
 * "Import Skier Names File": asks for a file (open dialog in the application folder, no filter),
 * turns rich text into plain text (a plain file stays as it is, its line ends made CR LF), replaces
 * the application folder's "SkierNames.txt" with it and puts its first name into the capture
 * screen's name box (an empty first line leaves the box as it is). Cancelling ends the import
 * silently; a file that cannot be read or a list that cannot be written is reported with the file
 * and the reason, and nothing changes. Nothing but that one list file is ever written.
 */
void importSkierNames(AppContext& app);

} // namespace leapmark
