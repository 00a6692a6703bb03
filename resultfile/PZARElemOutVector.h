#pragma once
// The element output vector that the import builds per line-element component vector; the
// file owns it. Its loader comes with the result vector records.
class CPZARElemOutVector {
public:
  virtual ~CPZARElemOutVector() = default;
};
