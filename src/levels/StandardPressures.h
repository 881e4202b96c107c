// The mandatory pressure levels, mb, from the bottom up.
#pragma once

#include <array>

namespace velta {

inline constexpr std::array<double, 21> StandardPressures = {1000.0, 925.0, 850.0, 700.0, 500.0, 400.0, 300.0,
                                                             250.0,  200.0, 150.0, 100.0, 70.0,  50.0,  30.0,
                                                             20.0,   10.0,  7.0,   5.0,   3.0,   2.0,   1.0};

}  // namespace velta
