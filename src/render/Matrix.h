#pragma once

// 4 x 4 matrices in the scene's convention: row vectors (a point is a row
// [x y z 1] multiplied on the left), so in A * B the transform A applies
// first. Memory layout m[row][column]; the translation sits in row 3.
// The scene is left-handed: +x right, +y up, +z into the screen.

// A whole turn in radians, as the float the scene's angles are kept in.
constexpr float kTwoPi = 6.2831855f;

struct Vec3 {
  float x = 0, y = 0, z = 0;
};

struct Vec4 {
  float x = 0, y = 0, z = 0, w = 0;
};

struct Matrix4 {
  float m[4][4] = {};
};

Matrix4 MatrixIdentity();
Matrix4 MatrixScaling(float sx, float sy, float sz);
Matrix4 MatrixTranslation(float x, float y, float z);
// Rotation about the z axis by `angle` radians (x turns towards y).
Matrix4 MatrixRotationZ(float angle);
// Rotation about an axis through the origin; the axis need not be normalised.
Matrix4 MatrixRotationAxis(const Vec3& axis, float angle);
// Left-handed look-at view matrix.
Matrix4 MatrixLookAtLH(const Vec3& eye, const Vec3& at, const Vec3& up);
// Left-handed perspective projection onto depth 0 (near) .. 1 (far).
Matrix4 MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);

// The unit vector along v; the zero vector stays zero.
Vec3 Normalize(const Vec3& v);

// a applies first, then b.
Matrix4 operator*(const Matrix4& a, const Matrix4& b);
// The row vector [p 1] times m (no division by w).
Vec4 Transform(const Vec3& p, const Matrix4& m);
