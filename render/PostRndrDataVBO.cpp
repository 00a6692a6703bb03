// The vertex-buffer models of render data. The attribute buffer holds blocks one after
// another, not interleaved: n positions (3 floats), then for faces n normals (3 floats), then
// when given n values (1 float, read as texture coordinate set 1).
#include <cmath>
#include <limits>
#include <memory>
#include <span>

#include "base/HugePages.h"
#include "base/MsgOut.h"
#include "render/GfxEnums.h"
#include "render/PostRndrData.h"

namespace pvk {

namespace {

namespace gl = zar::oglib::gl;
using zar::render::E_VBO_ATTRIB;
using zar::render::MVBOModel;

constexpr std::size_t VEC_COMPONENTS = 3;
constexpr int VALUE_TEXCOORD_SET = 1;
constexpr float LINE_WIDTH = 1.0f;

// The floats of a model's attribute buffer, uninitialised until written.
struct TBlock {
  std::unique_ptr<float[]> pData;
  std::size_t nSize;
  std::size_t nNotFinite = 0;

  explicit TBlock(std::size_t n) : pData(std::make_unique_for_overwrite<float[]>(n)), nSize(n) {
    zar::lib::AdviseHugePages(pData.get(), n * sizeof(float));
  }
  std::span<const std::byte> Bytes() const { return std::as_bytes(std::span(pData.get(), nSize)); }
};

// IEC 60559 narrowing rounds doubles beyond the float range to infinities, which the count of
// values that are not finite then includes.
static_assert(std::numeric_limits<float>::is_iec559 && std::numeric_limits<double>::is_iec559);

inline std::uint32_t NotFinite(float f) {
  return std::fabs(f) <= std::numeric_limits<float>::max() ? 0 : 1;
}

// Narrows `count` values to floats at `at`, in fixed blocks that the compiler vectorises.
template <class T>
void PutFlat(const T* in, std::size_t count, TBlock& b, std::size_t at) {
  constexpr std::size_t BLOCK = 16;
  float* out = b.pData.get() + at;
  std::size_t i = 0;
  for (; i + BLOCK <= count; i += BLOCK) {
    std::uint32_t bad = 0;
    for (std::size_t j = 0; j < BLOCK; ++j) {
      out[i + j] = static_cast<float>(in[i + j]);
      bad += NotFinite(out[i + j]);
    }
    b.nNotFinite += bad;
  }
  for (; i < count; ++i) {
    out[i] = static_cast<float>(in[i]);
    b.nNotFinite += NotFinite(out[i]);
  }
}

// A vector array is read as one run of 3·n values.
template <class T>
std::size_t PutVectors(const zar::MTArray<zar::MVector<T, 3>>& in, TBlock& b, std::size_t at) {
  static_assert(sizeof(zar::MVector<T, 3>) == VEC_COMPONENTS * sizeof(T));
  PutFlat(in.empty() ? nullptr : in.data()->data(), VEC_COMPONENTS * in.size(), b, at);
  return at + VEC_COMPONENTS * in.size();
}

template <class T>
void PutValues(const zar::MTArray<T>& in, TBlock& b, std::size_t at) {
  PutFlat(in.data(), in.size(), b, at);
}

int FillIndexBuffer(zar::oglib::MBuffer& buffer, std::size_t n) {
  const auto index = std::make_unique_for_overwrite<std::uint32_t[]>(n);
  for (std::size_t i = 0; i < n; ++i) index[i] = static_cast<std::uint32_t>(i);
  return buffer.GLGenerate() && buffer.GLSetData(std::as_bytes(std::span(index.get(), n)));
}

}  // namespace

int CPostRndrData::Fail(const CString& reason) {
  m_strReason = reason;
  zar::lib::nsMsgOutWarning(L"%s\n", reason.GetString());
  return 0;
}

int CPostRndrData::BuildModel(unsigned primitive, std::size_t n, std::span<const std::byte> block,
                              bool hasNormals, bool hasValues, TVBOModelList& list) {
  auto model = std::make_unique<MVBOModel>();
  const std::size_t vecBytes = VEC_COMPONENTS * sizeof(float) * n;
  model->AddAttrib({E_VBO_ATTRIB::POSITION, 0, VEC_COMPONENTS, gl::FLOAT, 0});
  if (hasNormals) model->AddAttrib({E_VBO_ATTRIB::NORMAL, 0, VEC_COMPONENTS, gl::FLOAT, vecBytes});
  if (hasValues)
    model->AddAttrib({E_VBO_ATTRIB::TEXCOORD, VALUE_TEXCOORD_SET, 1, gl::FLOAT,
                      hasNormals ? 2 * vecBytes : vecBytes});
  auto index = std::make_unique<zar::oglib::MBuffer>(gl::ELEMENT_ARRAY_BUFFER);
  const zar::oglib::MBuffer* failed = nullptr;
  if (!model->GLSetAttribBuffer(block))
    failed = &model->GetAttribBuffer();
  else if (!FillIndexBuffer(*index, n))
    failed = index.get();
  if (failed) {
    // A model without its buffers cannot be drawn: it is dropped (its buffers go with it).
    CString reason;
    reason.Format(L"Render data model not built: %s", failed->GetReason().GetString());
    Fail(reason);
    return 1;
  }
  model->AddPart({std::move(index), primitive, static_cast<std::uint32_t>(n), 0, LINE_WIDTH});
  model->AddInstance(zar::render::IDENTITY_TRANSFORM);
  list.push_back(std::move(model));
  return 1;
}

template <class T>
int CPostRndrData::LoadDataVBO(unsigned primitive, const TPoints<T>& pts, const TPoints<T>* normals,
                               const zar::MTArray<T>* vals, TVBOModelList& list) {
  const std::size_t n = pts.size();
  if ((normals && normals->size() != n) || (vals && vals->size() != n))
    return Fail(L"Render data arrays of different lengths");
  if (n > std::numeric_limits<std::uint32_t>::max())
    return Fail(L"Render data with more points than 32-bit indices reach");
  m_strReason.Empty();
  if (n == 0) return 1;
  TBlock block(n * (VEC_COMPONENTS * (normals ? 2 : 1) + (vals ? 1 : 0)));
  std::size_t at = PutVectors(pts, block, 0);
  if (normals) at = PutVectors(*normals, block, at);
  if (vals) PutValues(*vals, block, at);
  if (block.nNotFinite != 0) {
    CString reason;
    reason.Format(L"Render data hold %llu values that are not finite as floats",
                  static_cast<unsigned long long>(block.nNotFinite));
    Fail(reason);
  }
  return BuildModel(primitive, n, block.Bytes(), normals != nullptr, vals != nullptr, list);
}

int CPostRndrData::LoadDataEdgeVBO(const TPoints<float>& pts, TVBOModelList& list) {
  return LoadDataVBO<float>(gl::LINES, pts, nullptr, nullptr, list);
}
int CPostRndrData::LoadDataEdgeVBO(const TPoints<double>& pts, TVBOModelList& list) {
  return LoadDataVBO<double>(gl::LINES, pts, nullptr, nullptr, list);
}
int CPostRndrData::LoadDataEdgeVBO(const TPoints<float>& pts, const zar::MTArray<float>& vals,
                                   TVBOModelList& list) {
  return LoadDataVBO<float>(gl::LINES, pts, nullptr, &vals, list);
}
int CPostRndrData::LoadDataEdgeVBO(const TPoints<double>& pts, const zar::MTArray<double>& vals,
                                   TVBOModelList& list) {
  return LoadDataVBO<double>(gl::LINES, pts, nullptr, &vals, list);
}
int CPostRndrData::LoadDataFaceVBO(const TPoints<float>& pts, const TPoints<float>& normals,
                                   TVBOModelList& list) {
  return LoadDataVBO<float>(gl::TRIANGLES, pts, &normals, nullptr, list);
}
int CPostRndrData::LoadDataFaceVBO(const TPoints<double>& pts, const TPoints<double>& normals,
                                   TVBOModelList& list) {
  return LoadDataVBO<double>(gl::TRIANGLES, pts, &normals, nullptr, list);
}
int CPostRndrData::LoadDataFaceVBO(const TPoints<float>& pts, const TPoints<float>& normals,
                                   const zar::MTArray<float>& vals, TVBOModelList& list) {
  return LoadDataVBO<float>(gl::TRIANGLES, pts, &normals, &vals, list);
}
int CPostRndrData::LoadDataFaceVBO(const TPoints<double>& pts, const TPoints<double>& normals,
                                   const zar::MTArray<double>& vals, TVBOModelList& list) {
  return LoadDataVBO<double>(gl::TRIANGLES, pts, &normals, &vals, list);
}

}  // namespace pvk
