#pragma once

namespace leapmark {

struct AppContext;

/**
 * "Import Skier Names File": asks for a file, turns rich text into plain text, replaces the
 * application's skier list with it and puts the first name into the capture screen's name box.
 */
void importSkierNames(AppContext& app);

} // namespace leapmark
