// A program outside the source tree that uses the installed library: a session with one
// result file node, found again by its model-database iterator.
#include <QVE_pvk.h>

#include <cstdio>

int main() {
  CQVEPOHSession session;
  CPOHPoolBase* pool = session.GetPOHPool(0);
  const std::uint64_t itr = pool->Add();
  session.Remove(itr);
  CString text;
  text.Format(L"%s %d", L"consumer:", pool->GetSize());
  std::puts(text == L"consumer: 0" ? "consumer: ok" : "consumer: wrong result");
  return 0;
}
