#include "base/MsgOut.h"

#include <cstdio>
#include <cstdlib>

#include "base/ConvertString.h"

namespace zar::lib {

namespace {

void DefaultSink(EMsgLevel level, const CString& text) {
  static const bool verbose = std::getenv("PVK_VERBOSE") != nullptr;
  if (level != EMsgLevel::Warning && !verbose) return;
  const std::string utf8 = MConvertString::ToMultiByte(text.GetString(), CP_UTF8);
  std::fwrite(utf8.data(), 1, utf8.size(), stderr);
}

MsgSink& Sink() {
  static MsgSink sink = DefaultSink;
  return sink;
}

}  // namespace

MsgSink SetMsgSink(MsgSink sink) {
  MsgSink old = std::move(Sink());
  Sink() = sink ? std::move(sink) : MsgSink(DefaultSink);
  return old;
}

void MsgOut(EMsgLevel level, const CString& text) { Sink()(level, text); }

}  // namespace zar::lib
