// Every numbered error the program can end a run with, in one table: the name a call site uses,
// the number, the message format (printf-style, filled in by the call site's values), and in a
// user's words what causes it and what to do about it. The user's page of errors
// (docs/errors.md and the ERRORS section of the man page) is made from this table by
// silkora_error_pages (io/error_pages.cpp); a test keeps the committed pages equal to it.
//
// Adding an error is adding one entry here and raising it by its name:
// fatal_error(Err::name, values...). Numbers are never written at a call site, so two places
// cannot share one number by mistake, and the compiler checks the values against the format.
#pragma once

#include <cstddef>
#include <iterator>

// What most damaged records have in common: the editor always writes them whole.
#define SILKORA_HAND_EDITED                                                             \
  " The editor always writes this record complete, so the file was changed by another " \
  "program or by hand, or was damaged."
#define SILKORA_RESAVE                                                                    \
  "Open the board in the editor and save it again, or put the record back as the editor " \
  "writes it (from a copy of the board saved before the change)."
#define SILKORA_CUT_SHORT                                                                  \
  " Most often the file was cut short: a copy or download that did not finish, or a save " \
  "that ran out of disk space."
#define SILKORA_WHOLE_FILE                                                               \
  "Take the whole file again: save it once more from the editor, or copy it again from " \
  "where it came from."
#define SILKORA_ALL_SECTIONS                                                                \
  " A board file holds the sections [options], [footprints], [board], "                     \
  "[solder_mask_cutouts], [parts], [nets] and [texts], each begun by its header line, and " \
  "ends with [end]."
#define SILKORA_NOT_A_BOARD                                                                  \
  "Check that the file is a board saved by the editor (not a library, a netlist or a board " \
  "of another program) and that it is complete; saving it again from the editor writes "     \
  "every section."

// X(name, code, message format, cause, what to do)
#define SILKORA_ERRORS(X)                                                                          \
  X(help, 0, "", "The switch -H or -? asks for the usage text.",                                   \
    "Nothing: the usage text is printed and the program ends with status 0.")                      \
  X(unknown_switch, 99, "Unknown switch: %s",                                                      \
    "A command-line argument begins with '-' but its letter is none of A, C, D, H, M, S, V "       \
    "or ?. Every argument that begins with '-' before the first file name is a switch.",           \
    "Use one of the switches listed in the usage text. To give a file whose name begins with "     \
    "'-', put another file name first, or write it as ./-name.")                                   \
  X(missing_file_names, 105, "Missing file name(s)",                                               \
    "The command line holds switches only: no board file was named.",                              \
    "Name one or more board files after the switches.")                                            \
  X(grid_item_bad, 10245, "bad grid item record",                                                  \
    "In [options], a line that follows a grid's spacing record (visible_grid_spacing:, "           \
    "placement_grid_spacing:, routing_grid_spacing:, fp_visible_grid_spacing:, "                   \
    "fp_placement_grid_spacing:) holds a ':' with nothing after it. Every line with a ':' "        \
    "directly after a grid counts as one of its items." SILKORA_HAND_EDITED,                       \
    "Give the item its value or remove the line; the editor writes an empty line after each "      \
    "grid's items. " SILKORA_RESAVE)                                                               \
  X(part_rotation_bad, 10783, "%s: bad rotation angle (%u)",                                       \
    "The part named in the message stands at an angle other than 0, 90, 180 or 270 degrees "       \
    "(the fourth value of its pos: record in [parts]) and its footprint has pins. The "            \
    "message shows the angle as the program holds it: 360 less the angle in the file.",            \
    "Rotate the part to a right angle in the editor and save the board again, or correct "         \
    "the angle in its pos: record.")                                                               \
  X(smd_padstack_invalid, 10795, "Footprint: %s  Pin: %s  smd padstack invalid",                   \
    "A placed part uses the footprint named in the message, and that footprint's pin (in "         \
    "[footprints]) has no hole and neither a top_pad: nor a bottom_pad: of any shape: a "          \
    "surface pin without copper.",                                                                 \
    "Give the pin a top or bottom pad in the editor's footprint editor, or set the pad "           \
    "records of the pin in the board file, and save the board again.")                             \
  X(width_menu_eof, 11296, "premature EOF reading width menu",                                     \
    "The file ends inside the width menu of [options] (the width_menu_item: records after "        \
    "n_width_menu:)." SILKORA_CUT_SHORT,                                                           \
    SILKORA_WHOLE_FILE)                                                                            \
  X(width_menu_item_bad, 11308, "bad width menu item record",                                      \
    "A width_menu_item: record in [options] holds fewer than three widths after its "              \
    "number." SILKORA_HAND_EDITED,                                                                 \
    SILKORA_RESAVE)                                                                                \
  X(width_menu_short, 11318, "reading width list",                                                 \
    "[options] has fewer width_menu_item: records than its n_width_menu: record announces: "       \
    "another line stands where the next item should be.",                                          \
    "Make n_width_menu: the number of width_menu_item: records that follow it, or add the "        \
    "missing items. " SILKORA_RESAVE)                                                              \
  X(copper_layer_count_bad, 11330, "bad n_copper_layers: record",                                  \
    "The n_copper_layers: record in [options] holds no number." SILKORA_HAND_EDITED,               \
    "Write the number of copper layers after n_copper_layers:. " SILKORA_RESAVE)                   \
  X(layer_list_eof, 11337, "premature EOF",                                                        \
    "The file ends inside the layer list of [options] (the layer_info: records after "             \
    "n_copper_layers:)." SILKORA_CUT_SHORT,                                                        \
    SILKORA_WHOLE_FILE)                                                                            \
  X(layer_info_unquoted, 11349, "bad layer_info: record",                                          \
    "A layer_info: record in [options] has no layer name in double quotes." SILKORA_HAND_EDITED,   \
    "Put the layer's name in double quotes. " SILKORA_RESAVE)                                      \
  X(layer_info_short, 11357, "bad layer_info: record",                                             \
    "A layer_info: record in [options] holds fewer than five numbers after the quoted layer "      \
    "name (its index and four settings)." SILKORA_HAND_EDITED,                                     \
    SILKORA_RESAVE)                                                                                \
  X(layer_missing, 11366, "missing layer reading layer list",                                      \
    "The layer list at the end of [options] does not hold the number of layer_info: records "      \
    "the board needs: the non-copper layers up to \"top copper\" and then n_copper_layers "        \
    "copper layers. A layer record was removed or n_copper_layers: was changed.",                  \
    "Make n_copper_layers: match the copper layer_info: records, or put the missing layer "        \
    "records back. " SILKORA_RESAVE)                                                               \
  X(options_eof, 11393, "premature EOF reading KRV options",                                       \
    "The file ends inside [options], before any other section begins." SILKORA_CUT_SHORT           \
    " A file that is not a board at all ends the same way.",                                       \
    SILKORA_WHOLE_FILE " " SILKORA_NOT_A_BOARD)                                                    \
  X(mirror_version_unsupported, 11401, "mirroring boards of version %1.3lf is not supported",      \
    "The board was saved by an editor of version 2 or newer, and -M asks for it to be "            \
    "mirrored, which is not done for boards of that format; nothing is written.",                  \
    "Run without -M, or mirror the layout in the editor.")                                         \
  X(footprints_header_missing, 11450, "premature EOF looking for KRV footprints",                  \
    "The file has no [footprints] line." SILKORA_ALL_SECTIONS, SILKORA_NOT_A_BOARD)                \
  X(footprint_missed, 11506, "missed footprint in pass 2",                                         \
    "The name: records of [footprints] cannot all be found again after they were "                 \
    "counted." SILKORA_HAND_EDITED,                                                                \
    SILKORA_RESAVE)                                                                                \
  X(footprints_eof, 11514, "premature EOF reading KRV Footprints",                                 \
    "The file ends inside a footprint of [footprints]." SILKORA_CUT_SHORT, SILKORA_WHOLE_FILE)     \
  X(outlines_header_missing, 11580, "premature EOF looking for KRV board outlines",                \
    "The file has no [board] line." SILKORA_ALL_SECTIONS, SILKORA_NOT_A_BOARD)                     \
  X(outlines_pass1_eof, 11606, "premature EOF in board outlines Pass 1",                           \
    "The file ends inside [board]: no section header follows the board "                           \
    "outlines." SILKORA_CUT_SHORT,                                                                 \
    SILKORA_WHOLE_FILE)                                                                            \
  X(outlines_pass2_eof, 11636, "premature EOF in outlines Pass 2",                                 \
    "A line of [board] holds \"outline:\" after other text, so it was counted as an outline "      \
    "but is none." SILKORA_HAND_EDITED,                                                            \
    "Begin every outline with its own outline: line. " SILKORA_RESAVE)                             \
  X(outline_bad, 11643, "bad board outline: record",                                               \
    "An outline: record in [board] has no corner count." SILKORA_HAND_EDITED, SILKORA_RESAVE)      \
  X(outline_corner_bad, 11669, "bad board outline corner: record",                                 \
    "A corner: record of a board outline in [board] holds fewer than three values after its "      \
    "number (x, y and the side's style)." SILKORA_HAND_EDITED,                                     \
    SILKORA_RESAVE)                                                                                \
  X(outline_corners_eof, 11683, "premature EOF in outline corners",                                \
    "The file ends inside the corner: records of a board outline in [board], or the "              \
    "outline's corner count is larger than the whole file could hold." SILKORA_CUT_SHORT,          \
    SILKORA_WHOLE_FILE " If the count was changed, make it the number of corner: records.")        \
  X(signal_outline_outside, 11693, "signal outline exceeds board outline",                         \
    "The first board outline in [board] announces more corners than it has corner: records, "      \
    "and the missing corners (taken as the point 0, 0) lie outside the outline.",                  \
    "Make the outline's corner count the number of its corner: records. " SILKORA_RESAVE)          \
  X(cutouts_header_missing, 11734, "premature EOF looking for KRV sm cutouts",                     \
    "The file has no [solder_mask_cutouts] line." SILKORA_ALL_SECTIONS, SILKORA_NOT_A_BOARD)       \
  X(cutouts_pass1_eof, 11760, "premature EOF in sm cutouts Pass 1",                                \
    "The file ends inside [solder_mask_cutouts]: no section header follows the "                   \
    "cutouts." SILKORA_CUT_SHORT,                                                                  \
    SILKORA_WHOLE_FILE)                                                                            \
  X(cutouts_pass2_eof, 11792, "premature EOF in SM cutouts Pass 2",                                \
    "The sm_cutout: records of [solder_mask_cutouts] cannot all be found again after they "        \
    "were counted." SILKORA_HAND_EDITED,                                                           \
    SILKORA_RESAVE)                                                                                \
  X(cutout_bad, 11799, "bad sm_cutout: record",                                                    \
    "An sm_cutout: record in [solder_mask_cutouts] holds fewer than three numbers (corner "        \
    "count, a setting and the layer)." SILKORA_HAND_EDITED,                                        \
    SILKORA_RESAVE)                                                                                \
  X(cutout_corner_bad, 11825, "bad SM cutout corner: record",                                      \
    "A corner: record of a solder-mask cutout in [solder_mask_cutouts] holds fewer than three "    \
    "values after its number." SILKORA_HAND_EDITED,                                                \
    SILKORA_RESAVE)                                                                                \
  X(cutout_corners_eof, 11833, "premature EOF in SM cutout corners",                               \
    "The file ends inside the corner: records of a solder-mask cutout, or the cutout's corner "    \
    "count is larger than the whole file could hold." SILKORA_CUT_SHORT,                           \
    SILKORA_WHOLE_FILE " If the count was changed, make it the number of corner: records.")        \
  X(parts_header_missing, 11989, "premature EOF looking for KRV parts",                            \
    "The file has no [parts] line." SILKORA_ALL_SECTIONS, SILKORA_NOT_A_BOARD)                     \
  X(parts_pass1_eof, 12013, "premature EOF in parts Pass 1",                                       \
    "The file ends inside [parts]: no section header follows the parts." SILKORA_CUT_SHORT,        \
    SILKORA_WHOLE_FILE)                                                                            \
  X(parts_pass2_eof, 12043, "premature EOF reading parts header Pass 2",                           \
    "The part: records of [parts] cannot all be found again after they were "                      \
    "counted." SILKORA_HAND_EDITED,                                                                \
    SILKORA_RESAVE)                                                                                \
  X(part_bad, 12050, "bad part: record",                                                           \
    "A part: record in [parts] has no designator (such as R12) after the "                         \
    "keyword." SILKORA_HAND_EDITED,                                                                \
    SILKORA_RESAVE)                                                                                \
  X(part_ref_text_bad, 12077, "bad parts ref_text: record",                                        \
    "A part's ref_text: record in [parts] holds fewer than five values (height, stroke width, "    \
    "angle, x, y)." SILKORA_HAND_EDITED,                                                           \
    SILKORA_RESAVE)                                                                                \
  X(part_package_bad, 12095, "bad parts package: record",                                          \
    "A part's package: record in [parts] has no text in double quotes, or its closing quote "      \
    "is missing." SILKORA_HAND_EDITED,                                                             \
    "Put the package in double quotes (\"\" for none). " SILKORA_RESAVE)                           \
  X(part_shape_bad, 12107, "bad parts shape: record",                                              \
    "A part's shape: record in [parts] names no footprint: the quotes are missing, not "           \
    "closed or empty." SILKORA_HAND_EDITED,                                                        \
    "Give the footprint's name in double quotes. " SILKORA_RESAVE)                                 \
  X(part_footprint_unknown, 12118, "Part \"%s\" uses unknown footprint \"%s\"",                    \
    "The part's shape: record in [parts] names a footprint that [footprints] does not hold. "      \
    "Names must match exactly, letter case included.",                                             \
    "Add the footprint to the board (the editor does so when the part is placed again from "       \
    "its library) or correct the name in the shape: record.")                                      \
  X(part_pos_bad, 12131, "bad parts pos: record",                                                  \
    "A part's pos: record in [parts] holds fewer than five values (x, y, side, angle and a "       \
    "setting)." SILKORA_HAND_EDITED,                                                               \
    SILKORA_RESAVE)                                                                                \
  X(part_value_text_bad, 12147, "bad part value string, too long",                                 \
    "A part's value: record in [parts] has no value text in double quotes, or its closing "        \
    "quote is missing." SILKORA_HAND_EDITED,                                                       \
    "Put the value in double quotes. " SILKORA_RESAVE)                                             \
  X(part_value_bad, 12157, "bad parts value: record",                                              \
    "A part's value: record in [parts] holds fewer than five numbers after its quoted text. "      \
    "The numbers are looked for right after the closing quote when exactly one blank stands "      \
    "between value: and the opening quote; more blanks there give this error too.",                \
    "Write the record as value: \"text\" height stroke angle x y visible, with one blank "         \
    "after the colon. " SILKORA_RESAVE)                                                            \
  X(part_eof, 12174, "premature EOF reading parts record 1, Pass 2",                               \
    "The file ends inside a part of [parts]: no empty line or section header follows the "         \
    "last part's records." SILKORA_CUT_SHORT,                                                      \
    SILKORA_WHOLE_FILE)                                                                            \
  X(tee_x_changed, 12269, "Tee X value changed",                                                   \
    "Two vtx: records of one net in [nets] carry the same tee number (their last value) but "      \
    "different x positions: a trace junction that does not meet.",                                 \
    "Open the board in the editor, run its design-rule check, repair the junction and save "       \
    "the board again.")                                                                            \
  X(tee_y_changed, 12274, "Tee Y value changed",                                                   \
    "Two vtx: records of one net in [nets] carry the same tee number (their last value) but "      \
    "different y positions: a trace junction that does not meet.",                                 \
    "Open the board in the editor, run its design-rule check, repair the junction and save "       \
    "the board again.")                                                                            \
  X(nets_header_missing, 12534, "premature EOF looking for KRV nets",                              \
    "The file has no [nets] line." SILKORA_ALL_SECTIONS, SILKORA_NOT_A_BOARD)                      \
  X(nets_pass1_eof, 12559, "premature EOF in nets Pass 1",                                         \
    "The file ends inside [nets]: no section header follows the nets." SILKORA_CUT_SHORT,          \
    SILKORA_WHOLE_FILE)                                                                            \
  X(nets_pass2_eof, 12598, "premature EOF loading KRV nets",                                       \
    "The net: records of [nets] cannot all be found again after they were "                        \
    "counted." SILKORA_HAND_EDITED,                                                                \
    SILKORA_RESAVE)                                                                                \
  X(net_name_bad, 12618, "bad net name",                                                           \
    "A net: record in [nets] has no net name in double quotes, or the name is empty or not "       \
    "closed." SILKORA_HAND_EDITED,                                                                 \
    SILKORA_RESAVE)                                                                                \
  X(net_bad, 12631, "bad net: record",                                                             \
    "A net: record in [nets] holds fewer than seven numbers after its name (pin, connection "      \
    "and area counts, three widths, visibility)." SILKORA_HAND_EDITED,                             \
    SILKORA_RESAVE)                                                                                \
  X(net_pins_eof, 12671, "premature EOF reading net pins",                                         \
    "The file ends inside a net's pin: records in [nets]." SILKORA_CUT_SHORT, SILKORA_WHOLE_FILE)  \
  X(net_pin_missing, 12678, "missing net pin record",                                              \
    "A net in [nets] has fewer pin: records than its net: record counts: another line stands "     \
    "where the next pin should be." SILKORA_HAND_EDITED,                                           \
    "Make the net's pin count the number of its pin: records. " SILKORA_RESAVE)                    \
  X(net_pin_bad, 12685, "bad net pin: record",                                                     \
    "A pin: record of a net in [nets] has no pin (such as R12.1) after its "                       \
    "number." SILKORA_HAND_EDITED,                                                                 \
    SILKORA_RESAVE)                                                                                \
  X(net_connects_eof, 12707, "premature EOF reading net traces",                                   \
    "The file ends inside a net's connect: records in [nets]." SILKORA_CUT_SHORT,                  \
    SILKORA_WHOLE_FILE)                                                                            \
  X(net_connect_missing, 12714, "missing net connect: record",                                     \
    "A net in [nets] has fewer connect: records than its net: record counts, or a trace has "      \
    "fewer vtx:/seg: records than its connect: record counts." SILKORA_HAND_EDITED,                \
    "Make the counts match the records that follow. " SILKORA_RESAVE)                              \
  X(net_connect_bad, 12722, "bad net connect: record",                                             \
    "A connect: record of a net in [nets] holds fewer than four numbers after its number "         \
    "(start pin, end pin, segment count, a setting)." SILKORA_HAND_EDITED,                         \
    SILKORA_RESAVE)                                                                                \
  X(net_vertex_eof, 12738, "premature EOF reading net trace vtx",                                  \
    "The file ends inside a trace's vtx: records in [nets]." SILKORA_CUT_SHORT,                    \
    SILKORA_WHOLE_FILE)                                                                            \
  X(net_vertex_missing, 12745, "missing net trace vtx record",                                     \
    "A trace in [nets] has fewer vtx: records than its connect: record's segment count needs "     \
    "(one more than the segments)." SILKORA_HAND_EDITED,                                           \
    "Make the segment count match the trace's records. " SILKORA_RESAVE)                           \
  X(net_vertex_bad, 12754, "bad trace vtx: record",                                                \
    "A vtx: record of a trace in [nets] holds fewer than seven values after its "                  \
    "number." SILKORA_HAND_EDITED,                                                                 \
    SILKORA_RESAVE)                                                                                \
  X(net_segment_eof, 12778, "premature EOF reading net trace seg",                                 \
    "The file ends inside a trace's seg: records in [nets]." SILKORA_CUT_SHORT,                    \
    SILKORA_WHOLE_FILE)                                                                            \
  X(net_segment_missing, 12785, "missing net trace seg record",                                    \
    "In a trace of [nets], a vtx: record that is not the trace's last is not followed by its "     \
    "seg: record." SILKORA_HAND_EDITED,                                                            \
    "Make the segment count match the trace's records. " SILKORA_RESAVE)                           \
  X(net_segment_bad, 12793, "bad trace seg: record",                                               \
    "A seg: record of a trace in [nets] holds fewer than four values after its number (layer, "    \
    "width and two settings)." SILKORA_HAND_EDITED,                                                \
    SILKORA_RESAVE)                                                                                \
  X(counting_area_eof, 12840, "premature EOF reading net areas",                                   \
    "The file ends where a net's next copper area (area: record) should stand in "                 \
    "[nets]." SILKORA_CUT_SHORT,                                                                   \
    SILKORA_WHOLE_FILE)                                                                            \
  X(counting_area_missing, 12847, "missing net area record",                                       \
    "A net in [nets] has fewer area: records than its net: record counts: another line stands "    \
    "where the next copper area should begin." SILKORA_HAND_EDITED,                                \
    "Make the net's area count the number of its area: records. " SILKORA_RESAVE)                  \
  X(counting_area_bad, 12855, "bad net area: record",                                              \
    "An area: record of a net in [nets] holds fewer than four numbers (its number, corner "        \
    "count, layer and a setting)." SILKORA_HAND_EDITED,                                            \
    SILKORA_RESAVE)                                                                                \
  X(counting_corner_eof, 12862, "premature EOF reading net area corner",                           \
    "The file ends inside the corner: records of a copper area in [nets]." SILKORA_CUT_SHORT,      \
    SILKORA_WHOLE_FILE)                                                                            \
  X(counting_corner_missing, 12869, "missing net area corner record",                              \
    "A copper area in [nets] has fewer corner: records than its area: record "                     \
    "counts." SILKORA_HAND_EDITED,                                                                 \
    "Make the area's corner count the number of its corner: records. " SILKORA_RESAVE)             \
  X(counting_corner_bad, 12876, "bad net area corner: record",                                     \
    "A corner: record of a copper area in [nets] holds fewer than five values after its "          \
    "number (x, y, style, end of contour)." SILKORA_HAND_EDITED,                                   \
    SILKORA_RESAVE)                                                                                \
  X(area_eof, 12898, "premature EOF reading net areas",                                            \
    "The file ends inside a copper area of [nets] while its corners are read (after they "         \
    "were counted)." SILKORA_CUT_SHORT,                                                            \
    SILKORA_WHOLE_FILE)                                                                            \
  X(area_missing, 12905, "missing net area record",                                                \
    "A copper area's area: record in [nets] cannot be found again where it was "                   \
    "counted." SILKORA_HAND_EDITED,                                                                \
    SILKORA_RESAVE)                                                                                \
  X(area_bad, 12913, "bad net area: record",                                                       \
    "An area: record of a net in [nets] holds fewer than four numbers." SILKORA_HAND_EDITED,       \
    SILKORA_RESAVE)                                                                                \
  X(area_corner_eof, 12927, "premature EOF reading net area corner",                               \
    "The file ends inside a copper area's corner: records in [nets] while they are "               \
    "read." SILKORA_CUT_SHORT,                                                                     \
    SILKORA_WHOLE_FILE)                                                                            \
  X(area_corner_missing, 12934, "missing net area corner record",                                  \
    "A corner: record of a copper area in [nets] is not found again where it was counted, "        \
    "while the area's corners are read." SILKORA_HAND_EDITED,                                      \
    SILKORA_RESAVE)                                                                                \
  X(area_corner_bad, 12942, "bad net area corner: record",                                         \
    "A corner: record of a copper area in [nets] holds fewer than four numbers after its "         \
    "number (x, y, style, end of contour)." SILKORA_HAND_EDITED,                                   \
    SILKORA_RESAVE)                                                                                \
  X(area_layer_bad, 13018, "bad copper area layer",                                                \
    "A copper area of a net in [nets] lies on a layer that is not one of the board's copper "      \
    "layers (the layer number of its area: record is outside the copper layers of the layer "      \
    "list in [options]). Areas of the nets KEEPOUT_ALL, KEEPOUT, KEEPOUT_VIA and POWER_LAYER "     \
    "are not checked.",                                                                            \
    "Move or delete the area in the editor, or correct n_copper_layers: if copper layers "         \
    "were removed by hand, and save the board again.")                                             \
  X(texts_header_missing, 13084, "premature EOF looking for KRV text",                             \
    "The file has no [texts] line." SILKORA_ALL_SECTIONS, SILKORA_NOT_A_BOARD)                     \
  X(texts_pass1_eof, 13110, "premature EOF in text Pass 1",                                        \
    "The file ends inside [texts]: the [end] line (or another section header) is missing "         \
    "after the texts." SILKORA_CUT_SHORT,                                                          \
    SILKORA_WHOLE_FILE)                                                                            \
  X(texts_pass2_eof, 13142, "premature EOF reading KRV text records",                              \
    "The text: records of [texts] cannot all be found again after they were "                      \
    "counted." SILKORA_HAND_EDITED,                                                                \
    SILKORA_RESAVE)                                                                                \
  X(text_unquoted, 13147, "copying text record",                                                   \
    "A text: record in [texts] has no text in double quotes, or its closing quote is "             \
    "missing." SILKORA_HAND_EDITED,                                                                \
    "Put the text in double quotes. " SILKORA_RESAVE)                                              \
  X(text_bad, 13156, "bad texts text: record",                                                     \
    "A text: record in [texts] holds fewer than seven numbers after its quoted text (x, y, "       \
    "layer, angle, mirror, height, stroke width)." SILKORA_HAND_EDITED,                            \
    SILKORA_RESAVE)                                                                                \
  X(board_cannot_open, 13188, "Unable to open %s for input",                                       \
    "The board file named on the command line cannot be read. A name whose own part (after "       \
    "the last folder) holds no '.' gets .krv added. The line after the message gives the "         \
    "system's reason: no such file or "                                                            \
    "folder, permission denied, is a folder, in use by another program, name too long, or "        \
    "system error N.",                                                                             \
    "Check the name and the folder (the name is taken from where the program runs), that "         \
    "the file may be read, and that no other program holds it locked.")                            \
  X(footprint_units_unknown, 15181, "unknown units: [%s] in footprint \"%s\"",                     \
    "The units: record of the footprint named in the message (in [footprints]) holds neither "     \
    "MIL nor NM." SILKORA_HAND_EDITED,                                                             \
    "Write units: MIL or units: NM, as the footprint's values are meant. " SILKORA_RESAVE)         \
  X(footprint_sel_rect_short, 15338, "%s sel_rect record missing %u parameter%s",                  \
    "The sel_rect: record of the footprint named in [footprints] holds fewer than four "           \
    "values; the message says how many are missing." SILKORA_HAND_EDITED,                          \
    SILKORA_RESAVE)                                                                                \
  X(footprint_sel_rect_inverted, 15345, "%s: invalid sel_rect values: min > max",                  \
    "The sel_rect: record of the footprint named in [footprints] gives a smaller right or "        \
    "top edge than left or bottom edge." SILKORA_HAND_EDITED,                                      \
    "Write the corners as left bottom right top. " SILKORA_RESAVE)                                 \
  X(footprint_ref_text_short, 15367, "%s ref_text record missing %u parameter%s",                  \
    "The ref_text: record of the footprint named in [footprints] holds fewer than five "           \
    "values." SILKORA_HAND_EDITED,                                                                 \
    SILKORA_RESAVE)                                                                                \
  X(footprint_value_text_bad, 15389, "bad footprint value record",                                 \
    "A footprint's value_text: record in [footprints] does not hold exactly five "                 \
    "values." SILKORA_HAND_EDITED,                                                                 \
    SILKORA_RESAVE)                                                                                \
  X(footprint_centroid_bad, 15415, "bad footprint centroid record",                                \
    "A footprint's centroid: record in [footprints] holds fewer than three "                       \
    "values." SILKORA_HAND_EDITED,                                                                 \
    SILKORA_RESAVE)                                                                                \
  X(footprint_adhesive_bad, 15452, "bad footprint adhesive record",                                \
    "A footprint's adhesive: record in [footprints] holds fewer than four "                        \
    "values." SILKORA_HAND_EDITED,                                                                 \
    SILKORA_RESAVE)                                                                                \
  X(footprint_text_unquoted, 15481, "%s: bad footprint text record: no quoted text",               \
    "A text: record of the footprint named in [footprints] has no text in double "                 \
    "quotes." SILKORA_HAND_EDITED,                                                                 \
    "Put the text in double quotes. " SILKORA_RESAVE)                                              \
  X(footprint_text_short, 15492, "%s: text record missing %u parameter%s",                         \
    "A text: record of the footprint named in [footprints] does not hold exactly seven "           \
    "numbers after its quoted text." SILKORA_HAND_EDITED,                                          \
    SILKORA_RESAVE)                                                                                \
  X(polyline_header_short, 15527, "%s: polyline header missing %u parameter%s",                    \
    "An outline_polyline: record of the footprint named in [footprints] does not hold exactly "    \
    "three values (width, x, y)." SILKORA_HAND_EDITED,                                             \
    SILKORA_RESAVE)                                                                                \
  X(polyline_degenerate, 15557, "%s polyline %u is degenerate",                                    \
    "An outline_polyline: record of the footprint named in [footprints] is not followed by "       \
    "any next_corner: or close_polyline: record; the number counts the footprint's "               \
    "polylines from 1." SILKORA_HAND_EDITED,                                                       \
    "Remove the polyline or give it its corners. " SILKORA_RESAVE)                                 \
  X(polyline_count_eof, 15571, "%s: premature EOF in footprint poly",                              \
    "The file ends inside an outline polyline of the footprint named." SILKORA_CUT_SHORT,          \
    SILKORA_WHOLE_FILE)                                                                            \
  X(polyline_read_eof, 15591, "%s: premature EOF reading footprint poly",                          \
    "The file ends inside an outline polyline of the footprint named." SILKORA_CUT_SHORT,          \
    SILKORA_WHOLE_FILE)                                                                            \
  X(polyline_corner_short, 15605, "%s: next_corner record missing %u parameter%s",                 \
    "A next_corner: record of the footprint named in [footprints] does not hold exactly three "    \
    "values (x, y, style)." SILKORA_HAND_EDITED,                                                   \
    SILKORA_RESAVE)                                                                                \
  X(polyline_close_short, 15621, "%s: close_polyline record missing 1 parameter",                  \
    "A close_polyline: record of the footprint named in [footprints] has no "                      \
    "value." SILKORA_HAND_EDITED,                                                                  \
    SILKORA_RESAVE)                                                                                \
  X(polyline_scan, 15629, "%s: footprint poly scan",                                               \
    "In a polyline of the footprint named, a close_polyline: record is followed by more "          \
    "corners, or a corner line is misspelt: close_polyline: must be the polyline's last "          \
    "record." SILKORA_HAND_EDITED,                                                                 \
    SILKORA_RESAVE)                                                                                \
  X(pin_count_bad, 15651, "%s: n_pins record missing 1 parameter",                                 \
    "The n_pins: record of the footprint named in [footprints] holds no "                          \
    "number." SILKORA_HAND_EDITED,                                                                 \
    SILKORA_RESAVE)                                                                                \
  X(pins_eof, 15670, "%s: premature EOF reading fp pins",                                          \
    "The file ends inside the pins of the footprint named." SILKORA_CUT_SHORT, SILKORA_WHOLE_FILE) \
  X(pins_blank_line, 15679, "%s: blank line while reading pins",                                   \
    "The footprint named has fewer pin: records than its n_pins: record counts: an empty line "    \
    "stands where the next pin should be." SILKORA_HAND_EDITED,                                    \
    "Make n_pins: the number of the footprint's pin: records. " SILKORA_RESAVE)                    \
  X(pin_record_bad, 15686, "%s: bad pin record",                                                   \
    "In the footprint named, a line other than a pin: record stands where the next pin "           \
    "should be (directly after n_pins: or after a pin's pad records)." SILKORA_HAND_EDITED,        \
    SILKORA_RESAVE)                                                                                \
  X(pin_name_bad, 15694, "%s: bad (empty) pin name",                                               \
    "A pin: record of the footprint named has an empty pin name, or a quoted name without "        \
    "its closing quote." SILKORA_HAND_EDITED,                                                      \
    SILKORA_RESAVE)                                                                                \
  X(pin_record_short, 15704, "%s: pin record missing %u parameter%s",                              \
    "A pin: record of the footprint named does not hold four numbers after the pin name "          \
    "(hole, x, y, angle)." SILKORA_HAND_EDITED,                                                    \
    SILKORA_RESAVE)                                                                                \
  X(top_pad_short, 15751, "%s: bad fp top_pad record",                                             \
    "A top_pad: record of the footprint named holds fewer than four values (shape, width and "     \
    "two lengths)." SILKORA_HAND_EDITED,                                                           \
    SILKORA_RESAVE)                                                                                \
  X(top_pad_shape_bad, 15779, "%s.%s: invalid top pad shape: > 6",                                 \
    "The top_pad: record of the footprint and pin named (footprint.pin) gives a shape number "     \
    "above 6; shapes run from 0 (none) to 6." SILKORA_HAND_EDITED,                                 \
    SILKORA_RESAVE)                                                                                \
  X(top_pad_radius_bad, 15787, "%s.%s: invalid top pad size: radius too large",                    \
    "The rounded top pad (shape 4) of the footprint and pin named has a corner radius larger "     \
    "than half its width or half its length.",                                                     \
    "Make the radius at most half the pad's width and length in the footprint editor, and "        \
    "save the board again.")                                                                       \
  X(top_pad_width_zero, 15799, "%s.%s: invalid top SMT pad size: 0.0",                             \
    "The footprint and pin named is a surface pin (hole 0) whose top pad of shape 1, 2 or 6 "      \
    "has width 0.",                                                                                \
    "Give the pad its size in the footprint editor, or shape 0 if the pin has no top pad, "        \
    "and save the board again.")                                                                   \
  X(top_pad_length_zero, 15807, "%s.%s: invalid top SMT pad size: 0.0",                            \
    "The footprint and pin named is a surface pin (hole 0) whose top pad of shape 3 or 5 has "     \
    "width 0 or length 0.",                                                                        \
    "Give the pad its size in the footprint editor, or shape 0 if the pin has no top pad, "        \
    "and save the board again.")                                                                   \
  X(top_pad_rounded_zero, 15816, "%s.%s: invalid top SMT pad size: 0.0",                           \
    "The footprint and pin named is a surface pin (hole 0) whose rounded top pad (shape 4) "       \
    "has width 0 or length 0.",                                                                    \
    "Give the pad its size in the footprint editor, or shape 0 if the pin has no top pad, "        \
    "and save the board again.")                                                                   \
  X(inner_pad_short, 15838, "%s.%s: inner_pad record missing %u parameter%s",                      \
    "An inner_pad: record of the footprint and pin named holds fewer than four "                   \
    "values." SILKORA_HAND_EDITED,                                                                 \
    SILKORA_RESAVE)                                                                                \
  X(inner_pad_shape_bad, 15844, "%s.%s: invalid inner pad shape: > 6",                             \
    "The inner_pad: record of the footprint and pin named gives a shape number above "             \
    "6." SILKORA_HAND_EDITED,                                                                      \
    SILKORA_RESAVE)                                                                                \
  X(inner_pad_radius_bad, 15885, "%s.%s: invalid inner pad size: radius too large",                \
    "The rounded inner pad (shape 4) of the footprint and pin named has a corner radius "          \
    "larger than half its width or half its length.",                                              \
    "Make the radius at most half the pad's width and length in the footprint editor, and "        \
    "save the board again.")                                                                       \
  X(bottom_pad_short, 15900, "bad fp bottom_pad record",                                           \
    "A bottom_pad: record of a footprint in [footprints] holds fewer than four values (the "       \
    "line named under the message)." SILKORA_HAND_EDITED,                                          \
    SILKORA_RESAVE)                                                                                \
  X(bottom_pad_radius_bad, 15920, "%s.%s: invalid bottom SMT pad size: radius too large",          \
    "The rounded bottom pad (shape 4) of the footprint and pin named has a corner radius "         \
    "larger than half its width or half its length.",                                              \
    "Make the radius at most half the pad's width and length in the footprint editor, and "        \
    "save the board again.")                                                                       \
  X(bottom_pad_width_zero, 15933, "%s.%s: invalid bottom SMT pad size: 0.0",                       \
    "The footprint and pin named is a surface pin (hole 0) whose bottom pad of shape 1, 2 or "     \
    "6 has width 0.",                                                                              \
    "Give the pad its size in the footprint editor, or shape 0 if the pin has no bottom pad, "     \
    "and save the board again.")                                                                   \
  X(bottom_pad_length_zero, 15942, "%s.%s: invalid bottom SMT pad size: 0.0",                      \
    "The footprint and pin named is a surface pin (hole 0) whose bottom pad of shape 3 or 5 "      \
    "has width 0 or length 0.",                                                                    \
    "Give the pad its size in the footprint editor, or shape 0 if the pin has no bottom pad, "     \
    "and save the board again.")                                                                   \
  X(bottom_pad_rounded_zero, 15951, "%s.%s: invalid bottom SMT pad size: 0.0",                     \
    "The footprint and pin named is a surface pin (hole 0) whose rounded bottom pad (shape 4) "    \
    "has width 0 or length 0.",                                                                    \
    "Give the pad its size in the footprint editor, or shape 0 if the pin has no bottom pad, "     \
    "and save the board again.")                                                                   \
  X(top_mask_short, 15969, "bad fp top_sm record",                                                 \
    "A top_mask: record of a footprint pin holds fewer than five values." SILKORA_HAND_EDITED,     \
    SILKORA_RESAVE)                                                                                \
  X(top_paste_short, 15986, "bad fp top_pm record",                                                \
    "A top_paste: record of a footprint pin holds fewer than five values." SILKORA_HAND_EDITED,    \
    SILKORA_RESAVE)                                                                                \
  X(bottom_mask_short, 16003, "bad fp bottom_sm record",                                           \
    "A bottom_mask: record of a footprint pin holds fewer than five values." SILKORA_HAND_EDITED,  \
    SILKORA_RESAVE)                                                                                \
  X(bottom_paste_short, 16020, "bad fp bottom_pm record",                                          \
    "A bottom_paste: record of a footprint pin holds fewer than five values." SILKORA_HAND_EDITED, \
    SILKORA_RESAVE)                                                                                \
  X(pin_record_unknown, 16034, "unknown record type in pin: \"%s\"",                               \
    "Among a footprint pin's pad records stands the line shown, which is no pad record. The "      \
    "pins are the last part of a footprint: any other footprint record (a text, a polyline) "      \
    "placed after them gives this error too." SILKORA_HAND_EDITED,                                 \
    "Move the line before n_pins: or remove it. " SILKORA_RESAVE)                                  \
  X(pin_without_copper, 16214, "Footprint %s: SMT pin %s has no copper",                           \
    "While the board is written: a footprint that no part uses has a surface pin (hole 0) "        \
    "with neither a top nor a bottom pad. The output is not written; an older file of its "        \
    "name stays as it was.",                                                                       \
    "Give the pin a pad, or delete the unused footprint, in the editor and save the board "        \
    "again.")                                                                                      \
  X(output_cannot_write, 20043, "unable to open %s for output",                                    \
    "The converted board cannot be written beside the input under the name shown. The line "       \
    "after the message gives the system's reason: permission denied (the folder may not be "       \
    "written), is a folder (a folder has the output's name), disk full, read-only file "           \
    "system, in use by another program (an older output is open elsewhere), name too long, "       \
    "or system error N. Nothing is left behind and an older output stays as it was.",              \
    "Make room or grant write permission for the folder, close the older output in the "           \
    "program that holds it, rename the folder, or copy the board to a folder you may write "       \
    "to and run there.")                                                                           \
  X(top_silk_missing, 30130, "Unable to find \"top silk\" layer",                                  \
    "The layer list in [options] has no layer named \"top silk\" (with -D on a board of four "     \
    "or more copper layers: no layer named \"inner 1\"), so the new designators have no "          \
    "layer to go to.",                                                                             \
    "Restore the layer's name in the editor's layer settings and save the board again; for "       \
    "-D, use a board with inner layers \"inner 1\" and \"inner 2\".")                              \
  X(bottom_silk_missing, 30134, "Unable to find \"bottom silk\" layer",                            \
    "The layer list in [options] has no layer named \"bottom silk\" (with -D on a board of "       \
    "four or more copper layers: no layer named \"inner 2\").",                                    \
    "Restore the layer's name in the editor's layer settings and save the board again; for "       \
    "-D, use a board with inner layers \"inner 1\" and \"inner 2\".")                              \
  X(picture_cannot_write, 40043, "unable to open %s for output",                                   \
    "With -C, the silkscreen picture (an .svg file beside the board) cannot be written under "     \
    "the name shown; the board itself has been written. The line after the message gives the "     \
    "system's reason, as for error 20043.",                                                        \
    "As for error 20043: free the name, make room or grant write permission, and run again.")

enum class Err : unsigned short {
#define SILKORA_ERROR_NAME(name, code, format, cause, remedy) name,
  SILKORA_ERRORS(SILKORA_ERROR_NAME)
#undef SILKORA_ERROR_NAME
};

struct ErrorEntry {
  int code;
  const char* name;
  const char* format;  // as printed after "Error N: ", with the call site's values
  const char* cause;   // what on the command line, in the board or on the disk causes it
  const char* remedy;  // what to do about it
};

inline constexpr ErrorEntry kErrorCatalogue[] = {
#define SILKORA_ERROR_ENTRY(name, code, format, cause, remedy) {code, #name, format, cause, remedy},
    SILKORA_ERRORS(SILKORA_ERROR_ENTRY)
#undef SILKORA_ERROR_ENTRY
};

constexpr const ErrorEntry& catalogue_entry(Err error) {
  return kErrorCatalogue[static_cast<size_t>(error)];
}

// The table is in ascending order of code, each code once: the page lists them so, and a code
// given twice would be two errors a user cannot tell apart.
consteval bool codes_ascend() {
  for (size_t i = 1; i < std::size(kErrorCatalogue); ++i) {
    if (kErrorCatalogue[i].code <= kErrorCatalogue[i - 1].code) return false;
  }
  return true;
}
static_assert(codes_ascend(), "error codes must be unique and in ascending order");
