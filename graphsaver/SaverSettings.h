#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "ScrHive.h"

// The graph saver's own settings and how they are kept in the registry.  Portable: the
// program reads and writes them in the current user's hive (TExtras), the tests in memory.

// The key of the current user's hive that holds the seven values.
inline constexpr char SaverSettingsKey[] = "Software\\Quorvel\\Plotvane";
// The sibling graph application's install record under the local machine, and its value
// naming the installed program ("C:\Apps\Graph\graph.exe").
inline constexpr char SaverSiblingKey[] = "Software\\Quorvel\\Tarnwick";
inline constexpr char SaverSiblingValue[] = "Location";

struct TSaverSettings {
  bool IsReverse = false;    // "IsReverse": reverse the animation when the image hits an edge
  bool IsFloat = true;       // "IsFloat": the image floats over the screen
  bool IsRandom = false;     // "IsRandom": a random graph of the file at each start
  int32_t ImageWidth = 200;  // "ImageWidth", pixels
  int32_t ImageHeight = 200; // "ImageHeight", pixels
  std::string CurrentFile;   // "CurrentFile": path of the graph set file
  int32_t GraphIndex = 0;    // "fn": the chosen graph, 0-based; -1 when none was selected
};

// The graph set file used when none is stored: the folder of the sibling's Location (the
// part up to and including its last "\" or ":") followed by "Saver.twk".  location is the
// value's bytes as stored, of any length, with or without a terminating zero; the text ends
// at its first zero.  Without a folder (no record, an empty value) it is "Saver.twk".
//
// A Location of any length is taken whole, so a long install path still gives its own
// folder rather than a cut-off one; only the registry's own limits bound it.
std::string SaverDefaultFile(std::span<const uint8_t> location);

// Reads the values from SaverSettingsKey of hive in the order IsReverse, IsFloat, IsRandom,
// ImageWidth, ImageHeight, CurrentFile, "fn"; a missing or mistyped value reads as its
// default (TSaverSettings) and is written so (TScrRegistry).  An empty CurrentFile becomes
// defaultFile (which is not written).  A key that cannot be opened gives the defaults.
void SaverReadSettings(TScrHive& hive, const std::string& defaultFile, TSaverSettings& settings);

// Writes the seven values in the order IsReverse, IsFloat, IsRandom, ImageWidth, ImageHeight,
// CurrentFile, "fn".  Writes the registry refuses are skipped.
void SaverWriteSettings(TScrHive& hive, const TSaverSettings& settings);
