// Small vector maths for the painters: 2-D points in pixel coordinates (x to
// the right, y down; the centre of pixel (x, y) is (x + 0.5, y + 0.5)), 3-D
// normals for shading, and the 36 flight directions of the shells.
//
// Threads: the asset generator's only thread.
#pragma once

#include <algorithm>
#include <cmath>

namespace art {

inline constexpr float kPi = 3.14159265358979f;

struct Vec2 {
  float x = 0, y = 0;
};
inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, float s) { return {a.x * s, a.y * s}; }
inline float Dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
inline float Cross(Vec2 a, Vec2 b) { return a.x * b.y - a.y * b.x; }
inline float Length(Vec2 a) { return std::sqrt(Dot(a, a)); }

struct Vec3 {
  float x = 0, y = 0, z = 0;
};
inline float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Normalize(Vec3 v) {
  const float l = std::sqrt(Dot(v, v));
  return l > 0 ? Vec3{v.x / l, v.y / l, v.z / l} : Vec3{0, 0, 1};
}

inline float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
inline float Smooth(float e0, float e1, float v) {
  const float t = Clamp01((v - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}
inline float Lerp(float a, float b, float t) { return a + (b - a) * t; }

// A frame turned by angle (radians, clockwise on screen) around origin:
// Local maps a picture point into the frame, where +v is the frame's "up"
// (the nose of a shell) and +u its right.
struct Frame {
  Vec2 origin;
  float angle = 0;
  Vec2 Local(Vec2 p) const {
    const Vec2 d = p - origin;
    const float c = std::cos(angle), s = std::sin(angle);
    // The frame's up is (sin a, -cos a) on screen, its right (cos a, sin a).
    return {d.x * c + d.y * s, d.x * s - d.y * c};
  }
  // A direction given in frame coordinates (u right, v up), on screen.
  Vec2 ToScreen(Vec2 local) const {
    const float c = std::cos(angle), s = std::sin(angle);
    return {local.x * c + local.y * s, local.x * s - local.y * c};
  }
};

// The angle of flight direction d (1 to 36): 1 points up, each next one
// 10 degrees further clockwise.
inline float DirectionAngle(int d) { return static_cast<float>(d - 1) * (kPi / 18.0f); }

}  // namespace art
