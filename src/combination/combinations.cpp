#include "combination/combinations.h"

#include <cstddef>

namespace qudrim::combination {

std::vector<std::vector<int>> combinationsOf(int n, int k)
{
    std::vector<std::vector<int>> all;
    if (k < 1 || k > n)
        return all;
    std::vector<int> c(static_cast<std::size_t>(k));
    for (int j = 0; j < k; ++j)
        c[static_cast<std::size_t>(j)] = j + 1;
    for (;;) {
        all.push_back(c);
        // The rightmost position that can still move up moves, and every
        // position after it starts again just above it.
        int j = k - 1;
        while (j >= 0 && c[static_cast<std::size_t>(j)] == n - k + j + 1)
            --j;
        if (j < 0)
            return all;
        ++c[static_cast<std::size_t>(j)];
        for (int i = j + 1; i < k; ++i)
            c[static_cast<std::size_t>(i)] = c[static_cast<std::size_t>(i - 1)] + 1;
    }
}

}  // namespace qudrim::combination
