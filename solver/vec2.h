// A point or vector of the section plane in double precision, with the few products the panel
// formulas need.
#pragma once

#include <cmath>

namespace zarnfoil::solver {

struct Vec2 {
    double x = 0;
    double y = 0;
};

inline Vec2 operator-(Vec2 a, Vec2 b) {
    return {a.x - b.x, a.y - b.y};
}
inline Vec2 operator+(Vec2 a, Vec2 b) {
    return {a.x + b.x, a.y + b.y};
}
inline Vec2 operator*(double k, Vec2 a) {
    return {k * a.x, k * a.y};
}
inline double Dot(Vec2 a, Vec2 b) {
    return a.x * b.x + a.y * b.y;
}
inline double Cross(Vec2 a, Vec2 b) {
    return a.x * b.y - a.y * b.x;
}
inline double Length(Vec2 a) {
    return std::hypot(a.x, a.y);
}

} // namespace zarnfoil::solver
