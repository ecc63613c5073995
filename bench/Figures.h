#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace orvan::bench {

// Nearest-rank figures of a set of samples; all zero for an empty set.
struct Figures {
    double median = 0;
    double p90 = 0;
    double worst = 0;
    std::size_t count = 0;

    static Figures of(std::vector<double> samples) {
        Figures figures;
        figures.count = samples.size();
        if (samples.empty()) {
            return figures;
        }
        std::sort(samples.begin(), samples.end());
        const auto rank = [&](double share) {
            const auto n = static_cast<double>(samples.size());
            const auto index = static_cast<std::size_t>(std::ceil(share * n));
            return samples[std::clamp<std::size_t>(index, 1, samples.size()) - 1];
        };
        figures.median = rank(0.5);
        figures.p90 = rank(0.9);
        figures.worst = samples.back();
        return figures;
    }
};

} // namespace orvan::bench
