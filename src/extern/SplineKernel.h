// The uniform cubic B-spline pieces and the folding of the end conditions, shared by SplineBasis and
// SplineCurve.
//
// On node interval k (between x_k and x_k+1, local coordinate u in [0, 1]) four basis functions are
// non-zero, those of the nodes k-1 ... k+2; their coefficients a_{k-1} ... a_{k+2} are stored at
// indices k ... k+3 ("full" indexing, index 0 = a_{-1}). The end conditions s'' = 0 at x_0 and at
// x_N fix the two outer coefficients,
//     a_{-1} = 2 a_0 - a_1,   a_{N+1} = 2 a_N - a_{N-1},
// leaving the unknowns a_0 ... a_N ("reduced" indexing).
#pragma once

namespace velta::spline {

// Interval index of x and its local coordinate u; x outside the node domain is clamped to it.
inline int locate(double x, double x0, double dx, int intervals, double& u) {
    const double t = (x - x0) / dx;
    if (!(t > 0.0)) {  // also NaN
        u = 0.0;
        return 0;
    }
    if (t >= static_cast<double>(intervals)) {
        u = 1.0;
        return intervals - 1;
    }
    const int k = static_cast<int>(t);
    u = t - static_cast<double>(k);
    return k;
}

// The four cubic pieces at u.
inline void values(double u, double b[4]) {
    const double v = 1.0 - u;
    const double u2 = u * u;
    const double u3 = u2 * u;
    b[0] = v * v * v / 6.0;
    b[1] = (3.0 * u3 - 6.0 * u2 + 4.0) / 6.0;
    b[2] = (-3.0 * u3 + 3.0 * u2 + 3.0 * u + 1.0) / 6.0;
    b[3] = u3 / 6.0;
}

// Their derivatives with respect to u.
inline void derivatives(double u, double d[4]) {
    const double v = 1.0 - u;
    d[0] = -0.5 * v * v;
    d[1] = 0.5 * u * (3.0 * u - 4.0);
    d[2] = 0.5 * (-3.0 * u * u + 2.0 * u + 1.0);
    d[3] = 0.5 * u * u;
}

// True when no coefficient of interval k is fixed by an end condition: the unknowns k-1 ... k+2 carry
// the four pieces directly.
inline bool isInterior(int k, int intervals) { return k >= 1 && k + 2 <= intervals; }

// fold[a][c] = weight of the unknown (first + c) in the full coefficient k + a on interval k.
// Returns first.
inline int foldMap(int k, int intervals, double fold[4][4]) {
    const int first = k > 0 ? k - 1 : 0;
    for (int a = 0; a < 4; ++a) {
        for (int c = 0; c < 4; ++c) {
            fold[a][c] = 0.0;
        }
        const int full = k + a;
        if (full == 0) {
            fold[a][0 - first] += 2.0;
            fold[a][1 - first] -= 1.0;
        } else if (full == intervals + 2) {
            fold[a][intervals - first] += 2.0;
            fold[a][intervals - 1 - first] -= 1.0;
        } else {
            fold[a][full - 1 - first] += 1.0;
        }
    }
    return first;
}

}  // namespace velta::spline
