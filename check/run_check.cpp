#include "check/run_check.h"

#include "check/arrange.h"
#include "check/silk_check.h"
#include "platform/file_names.h"

namespace {

const char* plural(int n) {
  return n == 1 ? "" : "s";
}

// What was passed over while the board was taken apart, before any finding.
std::string scene_warnings(const SilkScene& scene, bool edge_matters) {
  std::string out;
  if (scene.passed_over > 0) {
    out += "    Silkscreen check: " + std::to_string(scene.passed_over) + " item" +
           plural(scene.passed_over) + " with values out of range passed over\n";
  }
  if (scene.unknown_pads > 0) {
    out += "    Silkscreen check: " + std::to_string(scene.unknown_pads) + " pad" +
           plural(scene.unknown_pads) + " of unknown shape or size passed over\n";
  }
  if (edge_matters && scene.outline.empty()) {
    out +=
        "    Silkscreen check: no board outline of three corners or more, "
        "the board edge is not checked\n";
  }
  return out;
}

}  // namespace

SilkscreenResult run_silkscreen(Board& board, const RunFlags& flags, const std::string& title) {
  SilkscreenResult result;
  if (!flags.check_mode && !flags.arrange_mode) return result;
  SilkScene scene = build_scene(board);
  result.report = scene_warnings(scene, true);
  std::vector<MovedText> moved;
  if (flags.arrange_mode) {
    if (flags.skip_refdes) {
      result.report += "    Arrange: no designators converted (-S), nothing to arrange\n\n";
    } else {
      ArrangeResult arranged = arrange_designators(board, scene);
      result.report += arranged.report;
      moved = std::move(arranged.moved);
      for (const MovedText& m : moved)
        result.moved.push_back(scene.texts[static_cast<size_t>(m.text)].board_text);
    }
  }
  if (flags.check_mode) {
    const std::vector<Finding> findings = find_collisions(scene);
    result.report += check_report(board, scene, findings);
    result.picture = check_picture(board, scene, findings, moved, title);
    result.has_findings = !findings.empty();
  }
  return result;
}

std::string picture_name(const std::string& board_name, bool board_written) {
  // The extension is the last '.' of the file's own name, as for the board's own names.
  const size_t dot = board_name.rfind('.');
  const bool has_extension = dot != std::string::npos && dot >= file_name_start(board_name);
  const std::string stem = has_extension ? board_name.substr(0, dot) : board_name;
  return stem + (board_written ? ".svg" : "_check.svg");
}
