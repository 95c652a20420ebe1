// The combinations of k positions of a pool, in the order the combination
// search visits them.
#pragma once

#include <vector>

namespace qudrim::combination {

// Every combination of k positions of the pool 1..n, each ascending, in
// lexicographic order (the last position changing fastest): for n = 6 and
// k = 2, (1,2), (1,3), ..., (1,6), (2,3), ..., (5,6). None when k is outside
// 1..n.
std::vector<std::vector<int>> combinationsOf(int n, int k);

}  // namespace qudrim::combination
