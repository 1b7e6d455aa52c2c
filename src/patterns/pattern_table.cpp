#include "patterns/pattern.h"

namespace Patterns {

const PatternCatalog& table() {
  static const PatternCatalog catalog = {{
      {1, QStringLiteral("Waterdrop"), tickWaterdrop},
      {2, QStringLiteral("Dancing"), tickDancing},
      {3, QStringLiteral("Tornado"), tickTornado},
      {4, QStringLiteral("Insects"), tickInsects},
      {5, QStringLiteral("Highway"), tickHighway},
      {6, QStringLiteral("Fireball"), tickFireball},
      {7, QStringLiteral("Leaves"), tickLeaves},
      {8, QStringLiteral("Ripples"), tickRipples},
      {9, QStringLiteral("Pulse"), tickPulse},
      {10, QStringLiteral("Sardines"), tickSardines},
      {11, QStringLiteral("Knot"), tickKnot},
      {12, QStringLiteral("Brick"), tickBrick},
      {13, QStringLiteral("MerryGoRound"), tickMerryGoRound},
      {14, QStringLiteral("Eagle"), tickEagle},
      {15, QStringLiteral("Amoeba"), tickAmoeba},
      {16, QStringLiteral("Volcano"), tickVolcano},
  }};
  return catalog;
}

}  // namespace Patterns
