#include "qc/MetFormulas.h"

#include <cmath>
#include <limits>

#include "qc/SaturationTable.h"

namespace velta {

namespace {

constexpr double CelsiusOffset = 273.16;
constexpr double DegreesPerRadian = 57.29582790879778;    // 180 / 3.14159
constexpr double RadiansPerDegree = 0.01745327777777778;  // 3.14159 / 180

// Newton iteration of the dew point never needs this many steps for finite positive humidity (the
// worst case, the smallest positive double, takes about 750); the bound only guards the loop.
constexpr int MaxDewPointSteps = 1000;

// Vapour pressure form used by the dew point iteration.
double dewPointVaporPressure(double kelvin) { return std::pow(10.0, 9.4051 - 2353.0 / kelvin); }

// Log-pressure weighted mean of two virtual temperatures.
double meanVirtualTemperature(double tv1, double p1, double tv2, double p2) {
    const double l1 = std::log(std::fabs(p1));
    const double l2 = std::log(std::fabs(p2));
    const double weight = l1 + l2;
    if (weight == 0.0) {
        return 0.5 * (tv1 + tv2);  // p1 * p2 == 1: the weights cancel
    }
    return (tv1 * l1 + tv2 * l2) / weight;
}

}  // namespace

double MetFormulas::saturationVaporPressure(double kelvin) const {
    if (kelvin > 210.0 && kelvin < 310.0) {
        const auto& table = saturationTable();
        int i = static_cast<int>(2.0 * (kelvin - 210.0));
        if (i > SaturationTableSize - 2) {
            i = SaturationTableSize - 2;
        }
        const double w = 2.0 * std::fmod(kelvin, 0.5);
        const auto k = static_cast<std::size_t>(i);
        return (1.0 - w) * table[k] + w * table[k + 1];
    }
    return closedFormSaturationVaporPressure(kelvin);
}

double MetFormulas::potentialTemperature(double kelvin, double pressure) const {
    const double x = 1000.0 / pressure;
    // Taylor series of x^0.28537338 about 1000/700, 1000/350 and 1000/175.
    auto series = [](double u, const double(&c)[7]) {
        double sum = c[6];
        for (int k = 5; k >= 0; --k) {
            sum = sum * u + c[k];
        }
        return sum;
    };
    if (pressure > 500.0) {
        static constexpr double c[7] = {1.10714599,  0.22116497, -0.05531763, 0.02213146,
                                        -0.01051376, 0.00546766, -0.00300743};
        return kelvin * series(x - 1.4285714285714286, c);
    }
    if (pressure > 250.0) {
        static constexpr double c[7] = {1.34930719,  0.13476972, -0.01685425, 0.00337152,
                                        -0.00080084, 0.00020824, -0.00005727};
        return kelvin * series(x - 2.857142857142857, c);
    }
    if (pressure > 125.0) {
        static constexpr double c[7] = {1.64443524, 0.08212365, -0.00513518, 0.00051362,
                                        -0.000061,  0.00000793, -0.00000109};
        return kelvin * series(x - 5.714285714285714, c);
    }
    return kelvin * std::pow(x, 0.28537338);
}

double MetFormulas::saturationMixingRatio(double kelvin, double pressure) const {
    const double es = saturationVaporPressure(kelvin);
    return 622.0 * es / (pressure - es);
}

double MetFormulas::equivalentPotentialTemperature(double kelvin, double dewPointKelvin,
                                                   double pressure) const {
    // A dew point above the temperature (supersaturation, or a measurement error) has no lifting
    // condensation level; it is treated as saturated air.
    const double td = dewPointKelvin > kelvin ? kelvin : dewPointKelvin;
    const double r = saturationMixingRatio(td, pressure);
    const double theta = potentialTemperature(kelvin, pressure);
    const double tl = 1.0 / (1.0 / (td - 56.0) + std::log(kelvin / td) * 0.00125) + 56.0;
    return theta * std::exp((3.376 / tl - 0.00254) * r * (1.0 + 0.00081 * r));
}

double roundHalfUp(double x) { return std::floor(x + 0.5); }

void windSpeedDirection(double u, double v, double& speed, double& direction) {
    speed = std::sqrt(u * u + v * v);
    direction = 450.0 - std::atan2(-v, -u) * DegreesPerRadian;
    if (direction < 0.0) {
        direction += 360.0;
    } else if (direction >= 360.0) {
        direction -= 360.0;
    }
}

void windComponents(double speed, double direction, double& u, double& v) {
    const double a = (450.0 - direction) * RadiansPerDegree;
    u = -speed * std::cos(a);
    v = -speed * std::sin(a);
}

double dewPoint(double celsius, double relativeHumidity) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double tk = celsius + CelsiusOffset;
    if (!std::isfinite(celsius) || !std::isfinite(relativeHumidity) || !(tk > 0.0)) {
        return nan;
    }
    double es = dewPointVaporPressure(tk);
    const double e = relativeHumidity * es * 0.01;
    if (!(e > 0.0)) {
        // No vapour: the iteration has no root and would crawl towards 0 K. The limit is absolute zero.
        return -CelsiusOffset;
    }
    // Newton from above on a convex function: x falls monotonically to the root.
    double x = tk;
    double previous = 0.0;
    for (int step = 0; step < MaxDewPointSteps; ++step) {
        x += (e - es) / (es * 5417.98 / (x * x));
        const double difference = std::fabs(previous - x);
        previous = x;
        es = dewPointVaporPressure(x);
        if (difference < 0.005) {
            break;
        }
    }
    const double td = (tk - CelsiusOffset) - (tk - x);
    return td > celsius ? celsius : td;
}

double dewPointDepression(double celsius, double relativeHumidity) {
    return celsius - dewPoint(celsius, relativeHumidity);
}

double goffGratchMixingRatio(double kelvin, double pressure) {
    constexpr double Ts = 373.16;
    const double log10es = -7.90298 * (Ts / kelvin - 1.0) + 5.02808 * std::log10(Ts / kelvin) -
                           1.3816e-7 * (std::pow(10.0, 11.344 * (1.0 - kelvin / Ts)) - 1.0) +
                           0.0081328 * (std::pow(10.0, -3.49149 * (Ts / kelvin - 1.0)) - 1.0) +
                           std::log10(1013.246);
    const double es = std::pow(10.0, log10es);
    return 0.62197 * es / (pressure - es);
}

double virtualTemperature(double pressure, double celsius, double relativeHumidity) {
    const double tk = celsius + CelsiusOffset;
    return tk * (1.0 + 0.609 * (relativeHumidity / 100.0) * goffGratchMixingRatio(tk, pressure));
}

double layerThickness(double p1, double p2, double t1, double t2, double rh1, double rh2) {
    return layerThicknessVirtual(p1, p2, virtualTemperature(p1, t1, rh1), virtualTemperature(p2, t2, rh2));
}

double layerThicknessVirtual(double p1, double p2, double tv1, double tv2) {
    return -29.270577215782694 * meanVirtualTemperature(tv1, p1, tv2, p2) * std::log(std::fabs(p2) / p1);
}

double pressureAtHeight(double p1, double t1, double t2, double rh1, double rh2, double z1, double z2) {
    if (z1 == z2) {
        return p1;
    }
    const double t1k = t1 + CelsiusOffset;
    const double t2k = t2 + CelsiusOffset;
    const double harmonicMean = 2.0 * t1k * t2k / (t1k + t2k);
    const double guess = p1 * std::exp(0.03414 * (z1 - z2) / harmonicMean);
    const double tv1 = t1k * (1.0 + 0.609 * (rh1 / 100.0) * goffGratchMixingRatio(t1k, p1));
    const double tv2 = t2k * (1.0 + 0.609 * (rh2 / 100.0) * goffGratchMixingRatio(t2k, guess));
    return p1 * std::exp(0.03414 * (z1 - z2) / meanVirtualTemperature(tv1, p1, tv2, guess));
}

double kmPerDegreeLatitude(double latitude) {
    const double phi = latitude * RadiansPerDegree;
    return 111.13209 - 0.56605 * std::cos(2.0 * phi) + 0.00012 * std::cos(4.0 * phi) -
           0.000002 * std::cos(6.0 * phi);
}

double kmPerDegreeLongitude(double latitude) {
    const double phi = latitude * RadiansPerDegree;
    return 111.41513 * std::cos(phi) - 0.09455 * std::cos(3.0 * phi) + 0.00012 * std::cos(5.0 * phi);
}

}  // namespace velta
