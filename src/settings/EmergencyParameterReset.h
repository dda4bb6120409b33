#pragma once

namespace leapmark {

class Prompts;
class SettingsStore;

/**
 * The first step of start-up: offers to clear, one by one, the settings that can keep the program
 * from starting (video directory, barefoot timing, capture device, compressor and frame rate, and
 * the three grid files). Two questions guard the reset; every question defaults to "No", so
 * pressing Enter through them changes nothing. No other setting is touched.
 */
void runEmergencyParameterReset(SettingsStore& settings, Prompts& prompts);

} // namespace leapmark
