#include "render/Matrix.h"

#include <cmath>

Matrix4 MatrixIdentity() {
  Matrix4 r;
  for (int i = 0; i < 4; ++i) {
    r.m[i][i] = 1.0f;
  }
  return r;
}

Matrix4 MatrixScaling(float sx, float sy, float sz) {
  Matrix4 r = MatrixIdentity();
  r.m[0][0] = sx;
  r.m[1][1] = sy;
  r.m[2][2] = sz;
  return r;
}

Matrix4 MatrixTranslation(float x, float y, float z) {
  Matrix4 r = MatrixIdentity();
  r.m[3][0] = x;
  r.m[3][1] = y;
  r.m[3][2] = z;
  return r;
}

Matrix4 MatrixRotationZ(float angle) {
  Matrix4 r = MatrixIdentity();
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  r.m[0][0] = c;
  r.m[0][1] = s;
  r.m[1][0] = -s;
  r.m[1][1] = c;
  return r;
}

Matrix4 MatrixRotationAxis(const Vec3& axis, float angle) {
  const float length = std::sqrt(axis.x * axis.x + axis.y * axis.y + axis.z * axis.z);
  if (length == 0.0f) {
    return MatrixIdentity();
  }
  const float x = axis.x / length, y = axis.y / length, z = axis.z / length;
  const float c = std::cos(angle), s = std::sin(angle), t = 1.0f - c;
  Matrix4 r = MatrixIdentity();
  r.m[0][0] = t * x * x + c;
  r.m[0][1] = t * x * y + s * z;
  r.m[0][2] = t * x * z - s * y;
  r.m[1][0] = t * x * y - s * z;
  r.m[1][1] = t * y * y + c;
  r.m[1][2] = t * y * z + s * x;
  r.m[2][0] = t * x * z + s * y;
  r.m[2][1] = t * y * z - s * x;
  r.m[2][2] = t * z * z + c;
  return r;
}

namespace {
Vec3 Sub(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
}  // namespace

Vec3 Normalize(const Vec3& v) {
  const float length = std::sqrt(Dot(v, v));
  return length == 0.0f ? v : Vec3{v.x / length, v.y / length, v.z / length};
}

Matrix4 MatrixLookAtLH(const Vec3& eye, const Vec3& at, const Vec3& up) {
  const Vec3 zAxis = Normalize(Sub(at, eye));
  const Vec3 xAxis = Normalize(Cross(up, zAxis));
  const Vec3 yAxis = Cross(zAxis, xAxis);
  Matrix4 r = MatrixIdentity();
  r.m[0][0] = xAxis.x;
  r.m[1][0] = xAxis.y;
  r.m[2][0] = xAxis.z;
  r.m[0][1] = yAxis.x;
  r.m[1][1] = yAxis.y;
  r.m[2][1] = yAxis.z;
  r.m[0][2] = zAxis.x;
  r.m[1][2] = zAxis.y;
  r.m[2][2] = zAxis.z;
  r.m[3][0] = -Dot(xAxis, eye);
  r.m[3][1] = -Dot(yAxis, eye);
  r.m[3][2] = -Dot(zAxis, eye);
  return r;
}

Matrix4 MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar) {
  const float yScale = 1.0f / std::tan(fovY / 2.0f);
  const float xScale = yScale / aspect;
  Matrix4 r;
  r.m[0][0] = xScale;
  r.m[1][1] = yScale;
  r.m[2][2] = zFar / (zFar - zNear);
  r.m[2][3] = 1.0f;
  r.m[3][2] = -zNear * zFar / (zFar - zNear);
  return r;
}

Matrix4 operator*(const Matrix4& a, const Matrix4& b) {
  Matrix4 r;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) {
        sum += a.m[i][k] * b.m[k][j];
      }
      r.m[i][j] = sum;
    }
  }
  return r;
}

Vec4 Transform(const Vec3& p, const Matrix4& m) {
  const float in[4] = {p.x, p.y, p.z, 1.0f};
  float out[4] = {};
  for (int j = 0; j < 4; ++j) {
    for (int k = 0; k < 4; ++k) {
      out[j] += in[k] * m.m[k][j];
    }
  }
  return {out[0], out[1], out[2], out[3]};
}
