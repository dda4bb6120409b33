#pragma once

#include <array>
#include <string_view>

/*
 * Every key of the settings store, spelled as it is stored. Keys are matched without regard to
 * case. Each comment gives the stored values and what a read of a missing key must assume.
 */
namespace leapmark::keys {

/** Free text; default "". */
inline constexpr std::string_view TournamentName = "TournamentName";
/** Folder of the grid parameter files; default "". */
inline constexpr std::string_view SetupFiles = "SetupFiles";
/** "white", "black", "yellow", "default"; default "" (taken as "default", which is written back). */
inline constexpr std::string_view labelcolor = "labelcolor";
/** Number text "1", "2" or "3"; default 0 (one grid). */
inline constexpr std::string_view grids = "grids";
/** Full path of the grid parameter file last loaded for grid 1, 2, 3; default "". */
inline constexpr std::string_view grid1File = "grid1File";
inline constexpr std::string_view grid2File = "grid2File";
inline constexpr std::string_view grid3File = "grid3File";
/** Flag text; "True" = jumps run right to left on the picture; default "False". */
inline constexpr std::string_view right2left = "right2left";
/** Flag text; "True" = line control switched off; default "False". */
inline constexpr std::string_view boxlineoff = "boxlineoff";
/** "normal", "barefoot", "sitski"; default "" (taken as "normal"). */
inline constexpr std::string_view tournamentType = "tournamentType";
/** Integer text "0" or "1": the scoring program interface; default 0. */
inline constexpr std::string_view WSTIMS = "WSTIMS";
/** Integer text "0" or "1": the screen magnifier; default 0. */
inline constexpr std::string_view Loupe = "Loupe";
/** "circle", "cross"; default "" (anything but "cross" is a circle). */
inline constexpr std::string_view buoymarker = "buoymarker";
/** "Save", "NoSave", "Ask"; default "" (taken as "Ask"). */
inline constexpr std::string_view PictureSave = "PictureSave";
inline constexpr std::string_view VideoSave = "VideoSave";
/** The video directory; default "". */
inline constexpr std::string_view logpath = "logpath";
/** Session log file name without folder; written for information only, never read. */
inline constexpr std::string_view logfile = "logfile";
/** Integer text "0" or "1": barefoot timing (15 s); default 0. */
inline constexpr std::string_view barefoot = "barefoot";
/** Integer text: position of the capture device in its list; default -1 (the first entry). */
inline constexpr std::string_view device = "device";
/** Integer text: position of the video compressor in its list; default -1 (the first entry). */
inline constexpr std::string_view compression = "compression";
/** Text of the frame-rate box, frames per second; default 0 (the device's own rate). */
inline constexpr std::string_view framerate = "framerate";
/**
 * Integer text: position in the resolution list; default -1. Written as "videoresolution" and read
 * as "VideoResolution": both spellings name the one entry.
 */
inline constexpr std::string_view videoresolution = "videoresolution";
inline constexpr std::string_view VideoResolution = "VideoResolution";
/** Integer text: position in the colour-format list; default -1. */
inline constexpr std::string_view ColorFormat = "ColorFormat";
/** Integer text: position in the video-input list; default -1. */
inline constexpr std::string_view VideoInput = "VideoInput";
/** Number text: capture length in seconds; default 0 (not greater than 0: none chosen yet). */
inline constexpr std::string_view captureTime = "captureTime";
/** Number text: seconds of frames from before Start kept in each recording, 0 to 3; default 0. */
inline constexpr std::string_view PreTriggerSeconds = "PreTriggerSeconds";
/** The folder shared with the scoring program; default "" (the platform's usual place). */
inline constexpr std::string_view ExchangeFolder = "ExchangeFolder";

/** Every entry once (the resolution key under its written spelling). */
inline constexpr std::array<std::string_view, 27> allKeys = {
    TournamentName,  SetupFiles,  labelcolor,     grids,       grid1File,      grid2File,         grid3File,
    right2left,      boxlineoff,  tournamentType, WSTIMS,      Loupe,          buoymarker,        PictureSave,
    VideoSave,       logpath,     logfile,        barefoot,    device,         compression,       framerate,
    videoresolution, ColorFormat, VideoInput,     captureTime, ExchangeFolder, PreTriggerSeconds,
};

/** "grid1File", "grid2File" or "grid3File" for grid 1, 2 or 3; an empty key (never stored) otherwise. */
[[nodiscard]] constexpr std::string_view gridFileKey(int gridNumber)
{
    switch (gridNumber) {
    case 1:
        return grid1File;
    case 2:
        return grid2File;
    case 3:
        return grid3File;
    default:
        return {};
    }
}

} // namespace leapmark::keys
