// Arithmetic on single-precision values that may be missing: a missing operand, or a division
// by zero, gives the null marker instead of a number.
#pragma once

namespace kavo::normalization {

// True when |value|, rounded to single precision, is 5435: +5435 counts as missing too.
bool IsMissingValue(float value);

// The value, or -5435 when it is below `minimum` or not less than or equal to `maximum`
// (a NaN fails the second test).
float LimitToRange(float value, float minimum, float maximum);

// a + b, a × b and a / b; -5435 when either operand is missing, and for a / 0.
float AddMissing(float a, float b);
float MultiplyMissing(float a, float b);
float DivideMissing(float a, float b);

}  // namespace kavo::normalization
