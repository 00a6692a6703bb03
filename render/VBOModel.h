#pragma once
// A drawable model of vertex buffers: one attribute buffer with the attributes that read it,
// parts that each draw a primitive through an index buffer, and instances that place the
// whole model with a transformation.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "base/Containers.h"
#include "qve_pvk_export.h"
#include "render/Buffer.h"

namespace zar::render {

enum class E_VBO_ATTRIB { POSITION, NORMAL, COLOR, TEXCOORD };

// One attribute read from the attribute buffer; nSet tells texture coordinate sets apart.
struct TVBOAttrib {
  E_VBO_ATTRIB eKind;
  int nSet;
  int nComponents;
  unsigned nType;
  std::size_t nOffset;  // bytes from the start of the attribute buffer

  bool operator==(const TVBOAttrib&) const = default;
};

struct TVBOPart {
  std::unique_ptr<zar::oglib::MBuffer> pIndex;  // element array buffer
  unsigned nPrimitive;
  std::uint32_t nCount;  // indices drawn
  std::size_t nOffset;   // bytes into the index buffer
  float rWidth;          // line width
};

// A 4 × 4 transformation, column by column.
using TVBOTransform = std::array<float, 16>;
inline constexpr TVBOTransform IDENTITY_TRANSFORM = {1, 0, 0, 0, 0, 1, 0, 0,
                                                     0, 0, 1, 0, 0, 0, 0, 1};

class PVK_API MVBOModel {
public:
  // Generates the attribute buffer on the current backend and fills it with data.
  int GLSetAttribBuffer(std::span<const std::byte> data);
  void AddAttrib(const TVBOAttrib& attrib) { m_aAttrib.push_back(attrib); }
  void AddPart(TVBOPart part) { m_aPart.push_back(std::move(part)); }
  void AddInstance(const TVBOTransform& transform) { m_aInstance.push_back(transform); }
  // Deletes the attribute buffer and the index buffers; the model keeps its description.
  void GLDeleteAll();

  const zar::oglib::MBuffer& GetAttribBuffer() const { return m_attribBuffer; }
  const zar::MArray<TVBOAttrib>& GetAttribs() const { return m_aAttrib; }
  const zar::MArray<TVBOPart>& GetParts() const { return m_aPart; }
  const zar::MArray<TVBOTransform>& GetInstances() const { return m_aInstance; }

private:
  zar::oglib::MBuffer m_attribBuffer{zar::oglib::gl::ARRAY_BUFFER};
  zar::MArray<TVBOAttrib> m_aAttrib;
  zar::MArray<TVBOPart> m_aPart;
  zar::MArray<TVBOTransform> m_aInstance;
};

}  // namespace zar::render
