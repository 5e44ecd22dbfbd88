// CHighPassFilter: an 8th-order Butterworth high-pass (four biquad sections,
// 48 dB an octave), steep enough that what passes it is what lies above its
// corner: a 60 Hz tone comes out 48 dB down, a 240 Hz one whole.
#pragma once

#include <array>

#include "core/types.h"

class CHighPassFilter {
public:
    // No filter (IsUsable false) when the corner is too close to the
    // Nyquist frequency to mean anything.
    CHighPassFilter(DWORD nSampleRate, double cornerHz);

    bool IsUsable() const { return m_bUsable; }

    double Filter(double x)
    {
        for (Section& s : m_sections) {
            // Transposed direct form II: two state values a section.
            const double y = s.b0 * x + s.z1;
            s.z1 = s.b1 * x - s.a1 * y + s.z2;
            s.z2 = s.b2 * x - s.a2 * y;
            x = y;
        }
        return x;
    }

private:
    struct Section {
        double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
        double z1 = 0, z2 = 0;
    };
    std::array<Section, 4> m_sections;
    bool m_bUsable = false;
};
