// The landmarks the program knows: the 18 labels a form may give, in the fixed
// order every table and the figure follow, the five torso labels every form
// must give, and the two points the program computes itself.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace torsova {

constexpr std::size_t kLandmarkCount = 18;

// Positions 1 to 18 are elements 0 to 17.
inline constexpr std::array<std::string_view, kLandmarkCount> LandmarkSet = {
    "CRAN", "RSHO", "RELB", "RWRI", "RFNG", "LSHO", "LELB", "LWRI", "LFNG",
    "RPEL", "RKNE", "RANK", "RTOE", "LPEL", "LKNE", "LANK", "LTOE", "TAIL"};

// What each label of the LandmarkSet names, in words, in the same order.
inline constexpr std::array<std::string_view, kLandmarkCount> LandmarkNames = {
    "cranium",    "right shoulder", "right elbow", "right wrist",  "right finger", "left shoulder",
    "left elbow", "left wrist",     "left finger", "right pelvis", "right knee",   "right ankle",
    "right toe",  "left pelvis",    "left knee",   "left ankle",   "left toe",     "tail"};

// In the order they are tested and named on the torso page.
inline constexpr std::array<std::string_view, 5> TorsoLandmarks = {"CRAN", "LSHO", "RSHO", "LPEL",
                                                                   "RPEL"};

// Computed from the midpoints of the shoulders and of the pelvis points.
inline constexpr std::array<std::string_view, 2> DerivedLandmarks = {"NECK", "SACR"};
inline constexpr std::array<std::string_view, 2> DerivedLandmarkNames = {"neck", "sacrum"};

// The position (1 to 18) of the label that `text` equals exactly, letter case
// and length included; nothing for any other text.
std::optional<std::size_t> LandmarkPosition(std::string_view text);

// True when `label` is one of the five torso labels.
bool IsTorsoLandmark(std::string_view label);

// The last four characters of `cell`, or the whole cell when it is shorter.
std::string_view LastFour(std::string_view cell);

// The lenient test a label cell must pass: its last four characters, with a-z
// turned into A-Z and every other byte kept, name a landmark.
//   "cran" -> yes    "xCRAN" -> yes    "CRAN " -> no    "NECK" -> no
bool IsLegitimateLabelCell(std::string_view cell);

}  // namespace torsova
