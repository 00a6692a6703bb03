#include "resultfile/PostFile.h"

#include "ibm/MeshPostUnit.h"

IPostFile::IPostFile() : m_pMPUPost(std::make_unique<CMPUPost>()) {}

IPostFile::~IPostFile() = default;
