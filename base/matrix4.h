#pragma once

// 4x4 matrices of floats, column-major (column 0 first), as GL takes them
// untransposed. Element (row r, column c) is m[c * 4 + r].

inline void setIdentity(float* m)
{
    for (int i = 0; i < 16; ++i) {
        m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
    }
}

inline void setTranslation(float* m, float x, float y, float z)
{
    setIdentity(m);
    m[12] = x;
    m[13] = y;
    m[14] = z;
}

inline void setScale(float* m, float x, float y, float z)
{
    setIdentity(m);
    m[0] = x;
    m[5] = y;
    m[10] = z;
}

// out = a * b; out must not alias a or b.
inline void multiply(float* out, const float* a, const float* b)
{
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a[k * 4 + r] * b[c * 4 + k];
            }
            out[c * 4 + r] = sum;
        }
    }
}

// translation(tx, ty, tz) * scale(sx, sy, sz) in closed form: the product's
// zero terms drop out, so the values are the same as through multiply.
inline void setTranslationScale(float* m, float tx, float ty, float tz, float sx, float sy, float sz)
{
    for (int i = 0; i < 16; ++i) {
        m[i] = 0.0f;
    }
    m[0] = sx;
    m[5] = sy;
    m[10] = sz;
    m[12] = tx;
    m[13] = ty;
    m[14] = tz;
    m[15] = 1.0f;
}
