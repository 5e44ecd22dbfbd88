#include "analysis/highpassfilter.h"

#include <cmath>
#include <numbers>

CHighPassFilter::CHighPassFilter(DWORD nSampleRate, double cornerHz)
{
    if (cornerHz <= 0 || cornerHz >= 0.45 * nSampleRate)
        return;
    m_bUsable = true;
    // Each section a second-order high-pass of the bilinear transform, with
    // the Q of one pole pair of the Butterworth response of order 8.
    const double w0 = 2 * std::numbers::pi * cornerHz / nSampleRate;
    const double cosW0 = std::cos(w0);
    for (size_t i = 0; i < m_sections.size(); ++i) {
        const double theta = (2.0 * static_cast<double>(i) + 1) * std::numbers::pi / 16;
        const double q = 1 / (2 * std::cos(theta));
        const double alpha = std::sin(w0) / (2 * q);
        const double a0 = 1 + alpha;
        Section& s = m_sections[i];
        s.b0 = (1 + cosW0) / 2 / a0;
        s.b1 = -(1 + cosW0) / a0;
        s.b2 = s.b0;
        s.a1 = -2 * cosW0 / a0;
        s.a2 = (1 - alpha) / a0;
    }
}
