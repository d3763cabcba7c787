// The files of a run, all in the current folder, and the viewer the console is
// handed to. Names are matched without regard to letter case (see
// platform/file_names.h), so two spellings of one name are one file.
#pragma once

#include <string_view>

namespace torsova {

// The landmark form the user fills in.
inline constexpr std::string_view kFormName = "BodyXYZ.CSV";

// The working tables, deleted again at the end of a successful run.
inline constexpr std::string_view kLandmarkTableName = "Work2.CSV";
inline constexpr std::string_view kSortedTableName = "Work3.CSV";
inline constexpr std::string_view kFigureTableName = "Work4.CSV";
inline constexpr std::string_view kWorkingTables[] = {kLandmarkTableName, kSortedTableName,
                                                      kFigureTableName};

// The landmark table as the stages that read it back spell it. It names the
// same file as kLandmarkTableName; the spelling is the one those stages have
// always used, and a case-blind lookup is what makes the two meet.
inline constexpr std::string_view kLandmarkTableReadBackName = "Work2.csv";

// The figure, the run's one lasting result.
inline constexpr std::string_view kFigureFileName = "3D_BODY.ROT";

// The viewer the console is handed to, in the current folder.
inline constexpr std::string_view kViewerName = "Gyrovex.exe";

}  // namespace torsova
