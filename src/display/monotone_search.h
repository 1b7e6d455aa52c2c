#pragma once

// Searches over a range where a test holds up to some point and not beyond
// (text fits up to some length or size), in as few tests as halving takes.
namespace MonotoneSearch {

// The largest n in [low, high] for which holds(n); low when none is, or when
// only low is (low itself is not tested).
template <typename N, typename Holds>
N largestHolding(N low, N high, Holds holds) {
  while (low < high) {
    const N mid = low + (high - low + 1) / 2;
    if (holds(mid))
      low = mid;
    else
      high = mid - 1;
  }
  return low;
}

}  // namespace MonotoneSearch
