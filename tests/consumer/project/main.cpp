// A program outside the source tree that uses the installed library.
#include <QVE_pvk.h>

#include <cstdio>

int main() {
  CString text;
  text.Format(L"%s %d", L"consumer:", 1);
  std::puts(text == L"consumer: 1" ? "consumer: ok" : "consumer: wrong text");
  return 0;
}
