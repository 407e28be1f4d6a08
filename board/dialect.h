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
// From here on the editor writes another format family, which is refused.
inline constexpr double kFirstUnsupportedVersion = 2.0;
// From here on a board is of the 2.x family: kept as its bytes and read only for what the
// conversion, the check and arranging need.
inline constexpr double kFirst2xVersion = 2.0;
// 2.x boards renumbered their layers here: the silkscreens moved from 7 and 8 to 10 and 11.
inline constexpr double kLayersRenumbered2xVersion = 2.020;
