// The silkscreen check: which texts on a silkscreen layer overlap a copper pad of their side,
// another text of their side, or leave the board.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "board/model.h"
#include "check/geometry.h"
#include "check/spatial_index.h"

enum class Side : uint8_t { kTop = 0, kBottom = 1 };

// A text shown on a silkscreen layer: a board text, or a part's own reference text that is
// still shown.
struct SilkText {
  const std::string* text = nullptr;
  int board_text = -1;      // index into the board's texts; -1 for a part's own reference text
  int part = -1;            // the part of a designator (own text or one the conversion made)
  bool designator = false;  // made by the conversion, or a part's own reference text
  Side side = Side::kTop;
  uint32_t angle = 0;  // held convention
  bool mirrored = false;
  bool runs_back = false;  // a mirrored text of a 2.x board runs toward -x from its anchor
  double height = 0;
  Vec anchor;
  Shape box;
};

// Copper exposed on one side: a pad, or the hole of a through-hole pin without a pad there.
struct SilkPad {
  int part = -1;
  int pin = -1;
  Side side = Side::kTop;
  Shape shape;
};

// A footprint's outline polyline on the board, for the picture and the parts' bodies.
struct SilkLine {
  int part = -1;
  Side side = Side::kTop;
  double width = 0;
  bool closed = false;
  std::vector<Vec> pts;
};

struct SilkScene {
  std::vector<SilkText> texts;
  std::vector<SilkPad> pads;
  std::vector<SilkLine> lines;
  std::vector<Vec> outline;  // empty when the board has no usable outline
  int passed_over = 0;       // items whose values are out of range (not numbers, or enormous)
  int unknown_pads = 0;      // pads of a shape this program does not know
};

// Texts, pads and lines of the board as it will be written. A board text that the conversion
// made (its part_index names a part) is that part's designator.
SilkScene build_scene(const Board& board);

// The box of a board text from its anchor, angle, height and string.
Shape silk_text_box(const SilkText& t);

// The box of a part's own reference text on the board, from the part, its footprint transform
// and the text's offset and angle, its corners in the order text_box gives them. In both
// dialects this is the box of the text the conversion makes in its place.
Shape part_reference_box(const Part& part);

enum class FindingKind : uint8_t { kPad = 0, kText = 1, kEdge = 2 };

// One collision of text `text` (an index into the scene's texts) with a pad or a later text
// (`other`), or with the board edge; `point` lies in the overlap.
struct Finding {
  int text = 0;
  FindingKind kind = FindingKind::kPad;
  int other = -1;
  Vec point;
};

// The scene's texts and pads filed by side, for questions about one place.
class SilkIndex {
 public:
  explicit SilkIndex(const SilkScene& scene);
  SpatialIndex& pads(Side side) { return pads_[static_cast<int>(side)]; }
  SpatialIndex& texts(Side side) { return texts_[static_cast<int>(side)]; }

 private:
  SpatialIndex pads_[2];
  SpatialIndex texts_[2];
};

// Every finding of one text, in the order pads, texts after it, edge.
void text_findings(const SilkScene& scene, SilkIndex& index, int text, std::vector<Finding>& out,
                   bool later_texts_only);

// Every finding of the scene, ordered by text, kind and the other item.
std::vector<Finding> find_collisions(const SilkScene& scene);

// A designator the arranging moved, for the report and the picture.
struct MovedText {
  int text = 0;  // scene index
  Vec from, to;  // anchors
  Shape old_box;
  std::string was;  // what it collided with, as the report names it
};

// The report lines, the summary line and the warnings of the check, as printed.
std::string check_report(const Board& board, const SilkScene& scene,
                         const std::vector<Finding>& findings);

// Names and numbers as the reports print them.
std::string text_name(const Board& board, const SilkScene& scene, int text);
std::string pad_name(const Board& board, const SilkPad& pad);
std::string format_fixed(double value, int decimals);
std::string format_mm(Vec inches);

// The SVG picture: the top seen from above and the bottom seen from below, side by side.
std::string check_picture(const Board& board, const SilkScene& scene,
                          const std::vector<Finding>& findings, const std::vector<MovedText>& moved,
                          const std::string& title);
