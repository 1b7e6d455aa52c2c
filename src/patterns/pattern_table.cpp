#include "patterns/pattern.h"

namespace Patterns {

const PatternCatalog& table() {
  static const PatternCatalog catalog = {{
      {1, QStringLiteral("Waterdrop"), TimerId::tmSwf, tickWaterdrop},
      {2, QStringLiteral("Dancing"), TimerId::tmSdc, tickDancing},
      {3, QStringLiteral("Tornado"), TimerId::tmStn, tickTornado},
      {4, QStringLiteral("Insects"), TimerId::tmSis, tickInsects},
      {5, QStringLiteral("Highway"), TimerId::tmShw, tickHighway},
      {6, QStringLiteral("Fireball"), TimerId::tmSfb, tickFireball},
      {7, QStringLiteral("Leaves"), TimerId::tmSln, tickLeaves},
      {8, QStringLiteral("Ripples"), TimerId::tmSrp, tickRipples},
      {9, QStringLiteral("Pulse"), TimerId::tmSpl, tickPulse},
      {10, QStringLiteral("Sardines"), TimerId::tmSsd, tickSardines},
      {11, QStringLiteral("Knot"), TimerId::tmSkn, tickKnot},
      {12, QStringLiteral("Brick"), TimerId::tmSbr, tickBrick},
      {13, QStringLiteral("MerryGoRound"), TimerId::tmSmg, tickMerryGoRound},
      {14, QStringLiteral("Eagle"), TimerId::tmSeg, tickEagle},
      {15, QStringLiteral("Amoeba"), TimerId::tmSab, tickAmoeba},
      {16, QStringLiteral("Volcano"), TimerId::tmSvc, tickVolcano},
  }};
  return catalog;
}

}  // namespace Patterns
