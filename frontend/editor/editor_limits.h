#pragma once

// Limits of the data editor. Each count's spin control runs one past its limit on both sides
// (0 and limit + 1): reaching either end is what shows the limit message.
namespace farvik::editor {

constexpr int kMaxSubsystems = 50;  // also the elements of a general system
constexpr int kMaxElementsPerSubsystem = 20;
constexpr int kMaxPaths = 50;
constexpr int kMaxEntriesPerPath = 13;

constexpr int kSeedMin = 0;
constexpr int kSeedMax = 10000;
constexpr int kSeedStep = 1;
constexpr int kTrialsMin = 10;
constexpr int kTrialsMax = 10000;
constexpr int kTrialsStep = 100;

// Characters the user may type into a box (text set by the program is never cut).
constexpr int kTrialsTypedLength = 10;
constexpr int kParamTypedLength = 8;
constexpr int kPathEntryTypedLength = 3;

// Row lists: five rows visible, one row every 463 twips.
constexpr int kVisibleRows = 5;
constexpr int kRowPitchTwips = 463;

}  // namespace farvik::editor
