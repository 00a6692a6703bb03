#include "render/VBOModel.h"

namespace zar::render {

int MVBOModel::GLSetAttribBuffer(std::span<const std::byte> data) {
  return m_attribBuffer.GLGenerate() && m_attribBuffer.GLSetData(data);
}

void MVBOModel::GLDeleteAll() {
  m_attribBuffer.GLDelete();
  for (TVBOPart& part : m_aPart)
    if (part.pIndex) part.pIndex->GLDelete();
}

}  // namespace zar::render
