// The files of a run, all in the current folder, and the viewer the console is
// handed to. Names are matched without regard to letter case (see
// platform/file_names.h), so two spellings of one name are one file.
#pragma once

namespace torsova {

// The landmark form the user fills in.
inline constexpr char kFormName[] = "BodyXYZ.CSV";

// The working tables, deleted again at the end of a successful run.
inline constexpr char kLandmarkTableName[] = "Work2.CSV";
inline constexpr char kSortedTableName[] = "Work3.CSV";
inline constexpr char kFigureTableName[] = "Work4.CSV";
inline constexpr const char* kWorkingTables[] = {kLandmarkTableName, kSortedTableName,
                                                 kFigureTableName};

// The landmark table as the stages that read it back spell it. It names the
// same file as kLandmarkTableName; the spelling is the one those stages have
// always used, and a case-blind lookup is what makes the two meet.
inline constexpr char kLandmarkTableReadBackName[] = "Work2.csv";

// The figure, the run's one lasting result.
inline constexpr char kFigureFileName[] = "3D_BODY.ROT";

// The viewer the console is handed to, in the current folder.
inline constexpr char kViewerName[] = "Gyrovex.exe";

}  // namespace torsova
