#pragma once
// The stream side of render data: an object writes itself into a frame's stream record and
// reads itself back. Each record's size was taken when the frame was written (GetInstSize);
// both directions check the bytes they move against the size at the iterator and, only when
// they match, step the buffer or file and the iterator past the record and return 1.
#include <cstdint>

#include "qve_pvk_export.h"
#include "render/RndrDTypes.h"

class CFile;

namespace pvk {

class PVK_API IPostRndrDStream {
public:
  virtual ~IPostRndrDStream() = default;
  // The record's size; appended to the sizes of pInfo when given.
  virtual std::uint64_t GetInstSize(TStreamInfo* pInfo) const = 0;
  // A record that does not hold exactly what its size promises changes nothing and gives 0.
  virtual int Stream2Data(CFile* pFile, TInstSizeIter& it) = 0;
  virtual int Stream2Data(const char*& pBuf, TInstSizeIter& it) = 0;
  virtual int Data2Stream(CFile* pFile, TInstSizeIter& it) const = 0;
  virtual int Data2Stream(char*& pBuf, TInstSizeIter& it) const = 0;
};

}  // namespace pvk
