#include "session/PostViewOptAPI.h"

IPostViewOptAPI* IPostViewOptAPI::m_pInstance = nullptr;

IPostViewOptAPI::~IPostViewOptAPI() {
  if (m_pInstance == this) m_pInstance = nullptr;
}
