#pragma once

namespace leapmark {

/**
 * Names the program to Qt (settings folder, data folder). No display name is set: Qt would add it
 * to every window title, and each window and box carries exactly its own title.
 */
void setProgramIdentity();

} // namespace leapmark
