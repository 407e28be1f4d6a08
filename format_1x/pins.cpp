// The pin block of a footprint: its pins and each pin's pads.
//
//   n_pins: n
//   pin: "<name>" hole x y angle          (or an unquoted name: the first word)
//     top_pad: / inner_pad: / bottom_pad: shape width len1 len2 [radius [flags]]
//     top_mask: / top_paste: / bottom_mask: / bottom_paste: shape width len1 len2 radius
//
// A pin with hole 0 is a surface pin: its top and bottom pads must have a size, and it is
// written with the pads of one side only. Pad shapes: 0 none; 1, 2, 6 sized by the width alone;
// 3, 5 by width and length (len1 + len2); 4 also by a corner radius that may be at most half of
// each.
#include "format_1x/pins.h"

#include <cstring>

#include "format_1x/sections.h"
#include "io/fatal_error.h"
#include "io/scan.h"

namespace {

enum class Side { kTop, kInner, kBottom };

// An error that names the footprint and the pin ("%s.%s: ...").
using PinError = ErrorCall<const char*, const char*>;

// The size errors of one copper pad record, by side; the inner pad has only the radius test.
struct CopperPadErrors {
  PinError radius_too_large;
  PinError width_only_zero;  // shapes 1, 2, 6
  PinError length_zero;      // shapes 3, 5
  PinError rounded_zero;     // shape 4
};

constexpr CopperPadErrors kTopErrors = {Err::top_pad_radius_bad, Err::top_pad_width_zero,
                                        Err::top_pad_length_zero, Err::top_pad_rounded_zero};
constexpr CopperPadErrors kInnerErrors = {Err::inner_pad_radius_bad, Err::inner_pad_radius_bad,
                                          Err::inner_pad_radius_bad, Err::inner_pad_radius_bad};
constexpr CopperPadErrors kBottomErrors = {Err::bottom_pad_radius_bad, Err::bottom_pad_width_zero,
                                           Err::bottom_pad_length_zero,
                                           Err::bottom_pad_rounded_zero};

[[noreturn]] void pin_error(PinError error, const Footprint& fp, const FootprintPin& pin) {
  fatal_error(error, fp.name.c_str(), pin.name.c_str());
}

void read_copper_pad(const char* at, Side side, const Footprint& fp, FootprintPin& pin,
                     double unit_factor) {
  const CopperPadErrors& e = side == Side::kTop     ? kTopErrors
                             : side == Side::kInner ? kInnerErrors
                                                    : kBottomErrors;
  PadSpec& pad = side == Side::kTop     ? pin.top_pad
                 : side == Side::kInner ? pin.inner_pad
                                        : pin.bottom_pad;
  const int n = scan_values(at, "%u %lf %lf %lf %lf %u", &pad.shape, &pad.width, &pad.len1,
                            &pad.len2, &pad.radius, &pad.flags);
  if (n < 4) {
    switch (side) {
      case Side::kTop:
        fatal_error(Err::top_pad_short, fp.name.c_str());
      case Side::kInner:
        fatal_missing(Err::inner_pad_short, 4, n, fp.name.c_str(), pin.name.c_str());
      case Side::kBottom:
        fatal_error(Err::bottom_pad_short);
    }
  }
  if (side == Side::kInner && pad.shape > 6) {
    pin_error(Err::inner_pad_shape_bad, fp, pin);
  }
  pad.width *= unit_factor;
  pad.len1 *= unit_factor;
  pad.len2 *= unit_factor;
  pad.radius = n >= 5 ? pad.radius * unit_factor : 0.0;
  if (n == 6) {
    pad.flags &= 3u;
    if (side == Side::kInner) pin.inner_flags_given = true;
  } else if (side == Side::kInner) {
    pad.flags = 0;
  }
  if (side == Side::kTop && pad.shape > 6) {
    pin_error(Err::top_pad_shape_bad, fp, pin);
  }
  const double length = pad.len1 + pad.len2;
  if (pad.shape == 4 && (2 * pad.radius > pad.width || 2 * pad.radius > length)) {
    pin_error(e.radius_too_large, fp, pin);
  }
  if (side == Side::kInner || pin.hole != 0) return;
  switch (pad.shape) {
    case 1:
    case 2:
    case 6:
      if (pad.width == 0) pin_error(e.width_only_zero, fp, pin);
      break;
    case 3:
    case 5:
      if (pad.width == 0 || length == 0) pin_error(e.length_zero, fp, pin);
      break;
    case 4:
      if (pad.width == 0 || length == 0) pin_error(e.rounded_zero, fp, pin);
      break;
    default:
      break;
  }
}

// A mask or paste opening: five values, no validation of the shape.
struct OpeningRecord {
  const char* keyword;
  PadSpec FootprintPin::*pad;
  bool FootprintPin::*given;
  ErrorCall<> too_few;
};

constexpr OpeningRecord kOpenings[] = {
    {"top_mask:", &FootprintPin::top_mask, &FootprintPin::top_mask_given, Err::top_mask_short},
    {"top_paste:", &FootprintPin::top_paste, &FootprintPin::top_paste_given, Err::top_paste_short},
    {"bottom_mask:", &FootprintPin::bottom_mask, &FootprintPin::bottom_mask_given,
     Err::bottom_mask_short},
    {"bottom_paste:", &FootprintPin::bottom_paste, &FootprintPin::bottom_paste_given,
     Err::bottom_paste_short},
};

// Handles one line among a pin's pad lines (blanks skipped, not empty, not a pin line).
void read_pad_line(const char* line, const Footprint& fp, FootprintPin& pin, double unit_factor) {
  static constexpr struct {
    const char* keyword;
    Side side;
  } kCopper[] = {
      {"top_pad:", Side::kTop}, {"inner_pad:", Side::kInner}, {"bottom_pad:", Side::kBottom}};
  for (const auto& c : kCopper) {
    if (starts_with(line, c.keyword)) {
      read_copper_pad(text_at(line, std::strlen(c.keyword)), c.side, fp, pin, unit_factor);
      return;
    }
  }
  for (const OpeningRecord& o : kOpenings) {
    if (!starts_with(line, o.keyword)) continue;
    PadSpec& pad = pin.*o.pad;
    if (scan_values(text_at(line, std::strlen(o.keyword)), "%u %lf %lf %lf %lf", &pad.shape,
                    &pad.width, &pad.len1, &pad.len2, &pad.radius) < 5) {
      fatal_error(o.too_few);
    }
    pad.width *= unit_factor;
    pad.len1 *= unit_factor;
    pad.len2 *= unit_factor;
    pad.radius *= unit_factor;
    pin.*o.given = true;
    return;
  }
  fatal_error(Err::pin_record_unknown, line);
}

// The pin's name and the text its four numbers are scanned from. A quoted name is followed by
// one separating character; an unquoted one is the first word after the keyword.
const char* read_pin_name(const char* line, const Footprint& fp, FootprintPin& pin) {
  if (std::strchr(line, '"') != nullptr) {
    if (extract_quoted(pin.name, line) <= 0) {
      fatal_error(Err::pin_name_bad, fp.name.c_str());
    }
    return text_at(std::strrchr(line, '"'), 2);
  }
  const char* start = text_at(line, std::strlen("pin:"));
  while (*start == ' ') ++start;
  const char* end = start;
  while (*end != ' ' && *end != '\0') ++end;
  if (end == start) fatal_error(Err::pin_name_bad, fp.name.c_str());
  pin.name.assign(start, static_cast<size_t>(end - start));
  return text_at(end, 1);
}

}  // namespace

void read_pin_block(LineReader& in, Footprint& fp, const char* line, double unit_factor) {
  const char* name = fp.name.c_str();
  uint32_t n_pins = 0;
  if (scan_values(text_at(line, std::strlen("n_pins:")), "%u", &n_pins) != 1) {
    fatal_error(Err::pin_count_bad, name);
  }
  // The count sizes nothing: pins are added as their lines are read, so a count the file cannot
  // back up ends at the first missing pin line.
  fp.pins.clear();
  for (uint32_t i = 0; i < n_pins; ++i) {
    const char* raw = in.read_line();
    if (raw == nullptr) fatal_error(Err::pins_eof, name);
    const char* pin_line = skip_blanks(raw);
    if (*pin_line == '\0') {
      fatal_error(Err::pins_blank_line, name);
    }
    if (!starts_with(pin_line, "pin:")) fatal_error(Err::pin_record_bad, name);
    FootprintPin& pin = fp.pins.emplace_back();
    const char* numbers = read_pin_name(pin_line, fp, pin);
    const int n = scan_values(numbers, "%lf %lf %lf %u", &pin.hole, &pin.x, &pin.y, &pin.angle);
    if (n != 4) {
      fatal_missing(Err::pin_record_short, 4, n, name);
    }
    pin.hole *= unit_factor;
    pin.x *= unit_factor;
    pin.y *= unit_factor;
    pin.angle = flip_angle(pin.angle);
    // The pad lines run up to the next pin line or the footprint's blank line, which are left
    // for the next round or the footprint parser.
    for (;;) {
      const char* raw_pad = in.read_line();
      if (raw_pad == nullptr) {
        fatal_error(Err::pins_eof, name);
      }
      const char* pad_line = skip_blanks(raw_pad);
      if (*pad_line == '\0' || starts_with(pad_line, "pin:")) {
        in.push_back_line();
        break;
      }
      read_pad_line(pad_line, fp, pin, unit_factor);
    }
  }
}

namespace {

void write_pad(Output& out, const char* keyword, const PadSpec& pad, double f, bool with_flags) {
  out.print("      %s: %u %s %s %s %s", keyword, pad.shape, format_length(pad.width * f).c_str(),
            format_length(pad.len1 * f).c_str(), format_length(pad.len2 * f).c_str(),
            format_length(pad.radius * f).c_str());
  if (with_flags) {
    out.print(" %u\n", pad.flags);
  } else {
    out.put("\n");
  }
}

void write_opening(Output& out, const char* keyword, const PadSpec& pad, bool given, double f) {
  if (given) write_pad(out, keyword, pad, f, false);
}

}  // namespace

void write_pins(Output& out, const Footprint& fp, double f) {
  for (const FootprintPin& pin : fp.pins) {
    out.print("    pin: \"%s\" %s %s %s %u\n", pin.name.c_str(),
              format_length(pin.hole * f).c_str(), format_length(pin.x * f).c_str(),
              format_length(pin.y * f).c_str(), flip_angle(pin.angle));
    const bool top = pin.hole != 0 || pin.top_pad.shape != 0;
    const bool bottom = pin.hole != 0 || (!top && pin.bottom_pad.shape != 0);
    if (!top && !bottom) {
      fatal_error(Err::pin_without_copper, fp.name.c_str(), pin.name.c_str());
    }
    if (top) {
      write_pad(out, "top_pad", pin.top_pad, f, pin.top_pad.flags != 0);
      write_opening(out, "top_mask", pin.top_mask, pin.top_mask_given, f);
      write_opening(out, "top_paste", pin.top_paste, pin.top_paste_given, f);
    }
    if (pin.hole != 0) write_pad(out, "inner_pad", pin.inner_pad, f, pin.inner_flags_given);
    if (bottom) {
      write_pad(out, "bottom_pad", pin.bottom_pad, f, pin.bottom_pad.flags != 0);
      write_opening(out, "bottom_mask", pin.bottom_mask, pin.bottom_mask_given, f);
      write_opening(out, "bottom_paste", pin.bottom_paste, pin.bottom_paste_given, f);
    }
  }
}
