// The editor versions at which the board file's dialect changed. A file is written back in the
// dialect of the `version` it was read with; each threshold is "strictly above".
#pragma once

// Texts carry an eighth value.
inline constexpr double kTextExtraVersion = 1.33101;
// Options carry SMT_connect_copper (with the dsn settings) and report_options.
inline constexpr double kSmtConnectVersion = 1.3381;
// Options carry default_glue_width; parts carry the ref_text visibility value and the value line.
inline constexpr double kGlueWidthVersion = 1.3431;
// Reference texts can be hidden by their visibility value; parts always carry a package line.
inline constexpr double kRefdesVisibilityVersion = 1.3469;
// The newest version this program was checked against; newer files load with a caution.
inline constexpr double kLatestTestedVersion = 1.35501;
// From here on the editor writes its 2.x format: the board is kept as its bytes and only the
// records the conversion changes are rewritten (format_2x/load_2x.cpp, format_2x/write_2x.cpp).
inline constexpr double kFirst2xVersion = 2.0;
// 2.x boards from here on number their layers anew: silkscreen 10 and 11, inner copper from 17
// (before: 7 and 8, inner copper from 14).
inline constexpr double kRenumbered2xLayersVersion = 2.020;
// 2.x text records carry ten numbers from here on (nine before).
inline constexpr double kTenNumberTextsVersion = 2.033;
// The newest 2.x version this program was checked against; newer boards load with a caution.
inline constexpr double kLatestTested2xVersion = 2.428;
