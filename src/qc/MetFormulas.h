// Thermodynamic, hypsometric, wind and geodetic formulas.
//
// MetFormulas works in kelvin and mb; the free functions take temperatures in degrees Celsius and
// convert with 273.16. Some constants differ slightly from their textbook values (273.16, 3.14159,
// 0.609); they are the ones in use and are not to be "corrected".
#pragma once

namespace velta {

class MetFormulas {
public:
    // es over water (mb) at T (K); table interpolation strictly between 210 K and 310 K.
    double saturationVaporPressure(double kelvin) const;
    // theta (K) of air at T (K) and p (mb).
    double potentialTemperature(double kelvin, double pressure) const;
    // 622 es / (p - es), g/kg.
    double saturationMixingRatio(double kelvin, double pressure) const;
    // theta-e (K) from T and Td (K) and p (mb). A dew point above the temperature is taken as
    // saturation (Td = T), as the dew point calculation itself does.
    double equivalentPotentialTemperature(double kelvin, double dewPointKelvin, double pressure) const;
};

// floor(x + 0.5).
double roundHalfUp(double x);

// Wind speed and the direction it blows from (degrees clockwise from north, 0 <= d < 360) from the
// eastward and northward components.
void windSpeedDirection(double u, double v, double& speed, double& direction);

// Eastward and northward components from speed and the direction the wind blows from.
void windComponents(double speed, double direction, double& u, double& v);

// Dew point (deg C) from T (deg C) and RH (%), never above T. RH <= 0 gives -273.16 (absolute zero,
// the limit as RH falls to 0); non-finite input or T at or below absolute zero gives NaN.
double dewPoint(double celsius, double relativeHumidity);

// T - dewPoint(T, RH).
double dewPointDepression(double celsius, double relativeHumidity);

// Saturation mixing ratio (kg/kg) at T (K) and p (mb) by the Goff-Gratch vapour pressure.
double goffGratchMixingRatio(double kelvin, double pressure);

// Virtual temperature (K) from p (mb), T (deg C), RH (%).
double virtualTemperature(double pressure, double celsius, double relativeHumidity);

// Height (m) of level 2 above level 1, from their pressures (mb), temperatures (deg C) and RH (%).
double layerThickness(double p1, double p2, double t1, double t2, double rh1, double rh2);
// The same from the two levels' virtual temperatures (K), for callers that reuse them.
double layerThicknessVirtual(double p1, double p2, double tv1, double tv2);

// Pressure (mb) at height z2 given level 1 (p1 at z1) and the temperatures (deg C) and RH (%) at both
// heights.
double pressureAtHeight(double p1, double t1, double t2, double rh1, double rh2, double z1, double z2);

// Length of one degree of latitude and of longitude (km) at a latitude (degrees).
double kmPerDegreeLatitude(double latitude);
double kmPerDegreeLongitude(double latitude);

}  // namespace velta
