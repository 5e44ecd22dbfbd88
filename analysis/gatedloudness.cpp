#include "analysis/gatedloudness.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kAbsoluteGate = -70;  // LUFS
constexpr double kRelativeGate = -10;  // LU
constexpr double kBinsPerLu = 100;
constexpr double kTop = 30;  // LUFS; louder blocks share the top bin

}  // namespace

double LoudnessOfEnergy(double energy)
{
    return energy > 0 ? 10 * std::log10(energy) - 0.691 : -HUGE_VAL;
}

CGatedLoudness::CGatedLoudness()
    : m_energies(static_cast<size_t>((kTop - kAbsoluteGate) * kBinsPerLu)), m_counts(m_energies.size())
{
}

void CGatedLoudness::AddBlock(double energy)
{
    const double loudness = LoudnessOfEnergy(energy);
    if (!(loudness > kAbsoluteGate))
        return;
    // Clamped before the conversion: an infinite sample in a float file makes an infinite block.
    const double top = static_cast<double>(m_energies.size() - 1);
    const auto nBin = static_cast<size_t>(std::min(top, (loudness - kAbsoluteGate) * kBinsPerLu));
    m_energies[nBin] += energy;
    ++m_counts[nBin];
}

double CGatedLoudness::GetIntegrated() const
{
    double sum = 0;
    ULONGLONG nCount = 0;
    for (size_t i = 0; i < m_energies.size(); ++i) {
        sum += m_energies[i];
        nCount += m_counts[i];
    }
    if (nCount == 0)
        return -HUGE_VAL;
    const double relativeGate = LoudnessOfEnergy(sum / static_cast<double>(nCount)) + kRelativeGate;
    double gatedSum = 0;
    ULONGLONG nGated = 0;
    for (size_t i = 0; i < m_energies.size(); ++i) {
        // The blocks of one bin lie within 0.01 LU of each other.
        if (m_counts[i] > 0 && LoudnessOfEnergy(m_energies[i] / static_cast<double>(m_counts[i])) > relativeGate) {
            gatedSum += m_energies[i];
            nGated += m_counts[i];
        }
    }
    return nGated > 0 ? LoudnessOfEnergy(gatedSum / static_cast<double>(nGated)) : -HUGE_VAL;
}
