#include "patterns/pattern.h"

namespace Patterns {

// Smooth motion (DisplayEngine::setSmooth), decided per pattern from its
// Part. Everywhere a label that appears, disappears (blinks, turns over,
// is shown or hidden by a spotlight), changes its italic style or moves
// further than a quarter of the screen between two ticks does so at the
// tick; every other move glides, a change of size scaling the picture.
// What else stays a hop:
//
// | Pattern      | glides                                        | hops                              |
// |--------------|-----------------------------------------------|-----------------------------------|
// | Waterdrop    | the drops' fall, swelling and splash arcs     | -                                 |
// | Dancing      | the chains' four-step slides                  | -                                 |
// | Tornado      | both whirlwinds turning, climbing, growing    | -                                 |
// | Insects      | the two large gliders                         | the small insects (labels 1-12)   |
// | Highway      | the cars and the road in perspective          | -                                 |
// | Fireball     | the rocket's climb, the bursts' rings         | -                                 |
// | Leaves       | the leaves' toss, fall and swing              | -                                 |
// | Ripples      | the glide into one line                       | -                                 |
// | Pulse        | the beat (sizes), the edge slides, the drift  | -                                 |
// | Sardines     | the leaping fish                              | the school's ten-pixel twitches   |
// | Knot         | the two travellers' wavy paths and loops      | -                                 |
// | Brick        | the column's rise, the bricks' slide inwards  | -                                 |
// | MerryGoRound | the rings turning                             | -                                 |
// | Eagle        | the wing beats, the body, the swoop           | -                                 |
// | Amoeba       | the pieces' drift, growth and shrinking       | -                                 |
// | Volcano      | the throb, the throw, the sine waves, the fall| -                                 |
//
// Every word visible (LabelFit): a label larger than the display is broken
// into lines and shrunk to fit it; in Dancing to half its width (its chains
// hang from anchors left and right of the centre), in Brick also to half,
// so that its rising column of two words is whole, and in Eagle and Volcano,
// whose questions and answers stand side by side (wings, pyramid rows). Where words stand or
// sway in place (Waterdrop, Dancing, Ripples, Pulse) a label the fit changed
// is moved wholly onto the display; where they come in from or leave past
// an edge they go as the pattern moves them.
namespace {
constexpr MotionRule kGlide{};
constexpr MotionRule kInsectHops{0x1FFE, 0};  // labels 1..12
constexpr MotionRule kTwitches{0, 10};        // Sardines: moves of up to 10 px
}  // namespace

const PatternCatalog& table() {
  static const PatternCatalog catalog = {{
      {1, QStringLiteral("Waterdrop"), tickWaterdrop, kGlide, 1, QStringLiteral("水滴"), true},
      {2, QStringLiteral("Dancing"), tickDancing, kGlide, 2, QStringLiteral("踊り"), true},
      {3, QStringLiteral("Tornado"), tickTornado, kGlide, 1, QStringLiteral("竜巻")},
      {4, QStringLiteral("Insects"), tickInsects, kInsectHops, 1, QStringLiteral("虫")},
      {5, QStringLiteral("Highway"), tickHighway, kGlide, 1, QStringLiteral("高速道路")},
      {6, QStringLiteral("Fireball"), tickFireball, kGlide, 1, QStringLiteral("花火")},
      {7, QStringLiteral("Leaves"), tickLeaves, kGlide, 1, QStringLiteral("落ち葉")},
      {8, QStringLiteral("Ripples"), tickRipples, kGlide, 1, QStringLiteral("さざなみ"), true},
      {9, QStringLiteral("Pulse"), tickPulse, kGlide, 1, QStringLiteral("鼓動"), true},
      {10, QStringLiteral("Sardines"), tickSardines, kTwitches, 1, QStringLiteral("いわし")},
      {11, QStringLiteral("Knot"), tickKnot, kGlide, 1, QStringLiteral("結び目")},
      {12, QStringLiteral("Brick"), tickBrick, kGlide, 2, QStringLiteral("積木")},
      {13, QStringLiteral("MerryGoRound"), tickMerryGoRound, kGlide, 1, QStringLiteral("ﾒﾘｰｺﾞｰﾗﾝﾄﾞ")},
      {14, QStringLiteral("Eagle"), tickEagle, kGlide, 2, QStringLiteral("鷹")},
      {15, QStringLiteral("Amoeba"), tickAmoeba, kGlide, 1, QStringLiteral("アメーバ")},
      {16, QStringLiteral("Volcano"), tickVolcano, kGlide, 2, QStringLiteral("火山")},
  }};
  return catalog;
}

}  // namespace Patterns
