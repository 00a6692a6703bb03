// The vertex-buffer models of render data. The attribute buffer holds blocks one after
// another, not interleaved: n positions (3 floats), then for faces n normals (3 floats), then
// when given n values (1 float, read as texture coordinate set 1).
#include <cmath>
#include <cstring>
#include <limits>

#include "base/MsgOut.h"
#include "render/GfxEnums.h"
#include "render/PostRndrData.h"

namespace pvk {

namespace {

namespace gl = zar::oglib::gl;
using zar::render::E_VBO_ATTRIB;
using zar::render::MVBOModel;

constexpr std::size_t VEC_FLOATS = 3;
constexpr int VALUE_TEXCOORD_SET = 1;
constexpr float LINE_WIDTH = 1.0f;

// Out-of-range doubles become infinities explicitly: a plain conversion would be undefined.
float NarrowToFloat(double v) {
  constexpr double maxFloat = std::numeric_limits<float>::max();
  if (v > maxFloat) return std::numeric_limits<float>::infinity();
  if (v < -maxFloat) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(v);
}

template <class T>
void AppendVectors(const zar::MTArray<zar::MVector<T, 3>>& in, zar::MArray<float>& out) {
  for (const auto& p : in)
    for (std::size_t k = 0; k < VEC_FLOATS; ++k) out.push_back(NarrowToFloat(p[k]));
}

template <class T>
void AppendValues(const zar::MTArray<T>& in, zar::MArray<float>& out) {
  for (const T v : in) out.push_back(NarrowToFloat(v));
}

std::size_t CountNotFinite(const zar::MArray<float>& block) {
  std::size_t n = 0;
  for (const float v : block) n += std::isfinite(v) ? 0 : 1;
  return n;
}

template <class V>
std::span<const std::byte> Bytes(const zar::MArray<V>& a) {
  return std::as_bytes(std::span(a));
}

int FillIndexBuffer(zar::oglib::MBuffer& buffer, std::size_t n) {
  zar::MArray<std::uint32_t> index(n);
  for (std::size_t i = 0; i < n; ++i) index[i] = static_cast<std::uint32_t>(i);
  return buffer.GLGenerate() && buffer.GLSetData(Bytes(index));
}

}  // namespace

int CPostRndrData::Fail(const CString& reason) {
  m_strReason = reason;
  zar::lib::nsMsgOutWarning(L"%s\n", reason.GetString());
  return 0;
}

int CPostRndrData::BuildModel(unsigned primitive, std::size_t n, const zar::MArray<float>& block,
                              bool hasNormals, bool hasValues, TVBOModelList& list) {
  auto model = std::make_unique<MVBOModel>();
  const std::size_t vecBytes = VEC_FLOATS * sizeof(float) * n;
  model->AddAttrib({E_VBO_ATTRIB::POSITION, 0, VEC_FLOATS, gl::FLOAT, 0});
  if (hasNormals) model->AddAttrib({E_VBO_ATTRIB::NORMAL, 0, VEC_FLOATS, gl::FLOAT, vecBytes});
  if (hasValues)
    model->AddAttrib({E_VBO_ATTRIB::TEXCOORD, VALUE_TEXCOORD_SET, 1, gl::FLOAT,
                      hasNormals ? 2 * vecBytes : vecBytes});
  auto index = std::make_unique<zar::oglib::MBuffer>(gl::ELEMENT_ARRAY_BUFFER);
  const zar::oglib::MBuffer* failed = nullptr;
  if (!model->GLSetAttribBuffer(Bytes(block)))
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
  zar::MArray<float> block;
  block.reserve(n * (VEC_FLOATS * (normals ? 2 : 1) + (vals ? 1 : 0)));
  AppendVectors(pts, block);
  if (normals) AppendVectors(*normals, block);
  if (vals) AppendValues(*vals, block);
  if (const std::size_t bad = CountNotFinite(block); bad != 0) {
    CString reason;
    reason.Format(L"Render data hold %llu values that are not finite as floats",
                  static_cast<unsigned long long>(bad));
    Fail(reason);
  }
  return BuildModel(primitive, n, block, normals != nullptr, vals != nullptr, list);
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
