// pvk render: a contour picture of a result on the model's outer faces, with its legend,
// drawn offscreen with OpenGL and written as PNG.
#include <fmt/format.h>
#include <sys/stat.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>

#include "PvkCommands.h"
#include "PvkError.h"
#include "PvkOptions.h"
#include "PvkSession.h"
#include "PvkText.h"
#include "RenderModel.h"
#include "RenderRun.h"
#include "ValueHead.h"
#include "ValueResult.h"
#include "core/DataTypes.h"
#include "render/ContourPicture.h"
#include "render/LegendValueFuncEqualInterval.h"
#include "render/OpenGLBackend.h"
#include "render/PngFile.h"
#include "session/POHMcas.h"
#include "session/POHVcas.h"
#include "vresult/VResult.h"

namespace {

using namespace pvk_values;
namespace picture = pvk::picture;

constexpr std::int32_t N_MIN_RANKS = 2;
// Beyond this the bands of a picture are narrower than a pixel.
constexpr std::int32_t N_MAX_RANKS = 256;
constexpr int MAX_PICTURE_EXTENT = 8192;
constexpr mode_t DEFAULT_FILE_MODE = 0666;
// The result whose x, y and z columns move the nodes of a deformed picture.
constexpr const char* TOTAL_TRANSLATION = "101";

struct TSize {
  int width, height;
};

// A whole decimal number of at most five digits from text, or -1.
int Extent(std::string_view text) {
  int value = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && text.size() <= 5 ? value : -1;
}

TSize ParseSize(const std::string& text) {
  const std::size_t x = text.find('x');
  if (x != std::string::npos) {
    const TSize s{Extent(std::string_view(text).substr(0, x)),
                  Extent(std::string_view(text).substr(x + 1))};
    if (s.width >= picture::MIN_PICTURE_WIDTH && s.height >= picture::MIN_PICTURE_HEIGHT &&
        s.width <= MAX_PICTURE_EXTENT && s.height <= MAX_PICTURE_EXTENT)
      return s;
  }
  throw CPvkError(PVK_EXIT_USAGE, fmt::format("bad --size \"{}\"", text),
                  fmt::format("give WIDTHxHEIGHT from {}x{} to {}x{}", picture::MIN_PICTURE_WIDTH,
                              picture::MIN_PICTURE_HEIGHT, MAX_PICTURE_EXTENT, MAX_PICTURE_EXTENT));
}

// The picture is written under a temporary name beside the output and renamed at the end, so
// that a failure leaves no half-written picture; the temporary file goes with the object.
class CPartialFile {
public:
  explicit CPartialFile(const std::string& out) : m_out(out), m_path(out + ".XXXXXX") {
    const int fd = ::mkstemp(m_path.data());
    if (fd < 0) Fail(std::strerror(errno));
    // mkstemp makes the file private; the picture gets the mode any new file would.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, DEFAULT_FILE_MODE & ~mask);
    ::close(fd);
  }
  ~CPartialFile() {
    if (!m_done) std::remove(m_path.c_str());
  }
  CPartialFile(const CPartialFile&) = delete;
  CPartialFile& operator=(const CPartialFile&) = delete;

  const std::string& Path() const { return m_path; }
  void Commit() {
    if (std::rename(m_path.c_str(), m_out.c_str()) != 0) Fail(std::strerror(errno));
    m_done = true;
  }
  [[noreturn]] void Fail(const std::string& why) const {
    throw CPvkError(PVK_EXIT_FILE, "cannot write " + m_out, why);
  }

private:
  std::string m_out, m_path;
  bool m_done = false;
};

// The ranks of the legend by equal interval over the finite values, as `pvk legend` makes them.
zar::MTArray<double> Ranks(const std::vector<double>& values, std::int32_t nRank) {
  double min = std::numeric_limits<double>::infinity(), max = -min;
  for (const double v : values)
    if (std::isfinite(v)) min = std::min(min, v), max = std::max(max, v);
  zar::MTArray<double> ranks;
  if (min > max) return ranks;
  CLegendValueFuncEqualInterval f;
  f.SetData(nullptr, nullptr, min, max, nRank);
  f.GetRankVal(ranks);
  return ranks;
}

// Restores the previous backend when the picture is done.
struct TBackendScope {
  explicit TBackendScope(zar::oglib::IGfxBackend* backend)
      : pPrevious(zar::oglib::SetGfxBackend(backend)) {}
  ~TBackendScope() { zar::oglib::SetGfxBackend(pPrevious); }
  TBackendScope(const TBackendScope&) = delete;
  TBackendScope& operator=(const TBackendScope&) = delete;
  zar::oglib::IGfxBackend* pPrevious;
};

}  // namespace

void RenderFile(CPvkSession& session, const TRenderOptions& o) {
  const TSize size = ParseSize(o.size);
  const std::optional<picture::EView> view = picture::ViewByName(o.view);
  if (!view)
    throw CPvkError(PVK_EXIT_USAGE, fmt::format("bad view \"{}\"", o.view),
                    "give iso, x, y, z, -x, -y or -z");
  if (o.nRank < N_MIN_RANKS || o.nRank > N_MAX_RANKS)
    throw CPvkError(PVK_EXIT_USAGE, fmt::format("bad rank count {}", o.nRank),
                    fmt::format("give {} to {}", N_MIN_RANKS, N_MAX_RANKS));
  const std::int32_t loc = AskedLoc(o.loc, fmt::format("bad --loc \"{}\"", o.loc));
  if (loc == pvk::LOC_IBM_VOLUME_NODE)
    throw CPvkError(PVK_EXIT_USAGE, "cannot draw grid results",
                    "a picture shows node and element results; see 'pvk legend --loc 7'");
  const auto [scas, step] = session.SelectCase(o.select);
  const CVResultPackage& package = *session.Vcas(step).GetPackage();
  CVResult& vr = FindResult(package, o.result, loc, o.file);
  CPartialFile file(o.out);

  pvk_render::TRenderMesh mesh = pvk_render::MeshOf(session);
  const pvk_render::TRenderValues values = pvk_render::ValuesOf(session, vr, mesh);
  const zar::MTArray<double> ranks = Ranks(values.aAll, o.nRank);
  if (ranks.empty())
    throw CPvkError(PVK_EXIT_MISSING, fmt::format("no values of result {}", vr.GetType()),
                    "the step has none that are finite; choose another step");
  if (o.deformed)
    pvk_render::Deform(session, FindResult(package, TOTAL_TRANSLATION, pvk::LOC_NODE, o.file),
                       *o.deformed, mesh);

  zar::oglib::MOpenGLBackend* backend = zar::oglib::MOpenGLBackend::Instance();
  if (!backend)
    throw CPvkError(PVK_EXIT_FILE, "cannot draw " + o.out,
                    pvk_text::Utf8(zar::oglib::MOpenGLBackend::GetCreateReason()));
  const TBackendScope scope(backend);
  const picture::TOuterFaces faces = picture::ExtractOuterFaces(mesh.aElem, mesh.aPoint);
  const picture::TContourValues contour{ranks, values.aNode, values.aElem};
  const TResultHead head = ResultHead(vr, *session.Mcas().GetUnitIndex());
  picture::TContourPicture pic;
  CString reason;
  if (!picture::MakeContourPicture(mesh.aPoint, faces, contour, {head.name, head.unit}, *view,
                                   size.width, size.height, pic, reason))
    throw CPvkError(PVK_EXIT_FILE, "cannot draw " + o.out, pvk_text::Utf8(reason));
  if (!picture::WritePng(file.Path(), pic.image, reason)) file.Fail(pvk_text::Utf8(reason));
  file.Commit();
}

namespace {

void RunRender(const TRenderOptions& o, std::FILE* out) {
  CPvkSession session(o.file);
  RenderFile(session, o);
  fmt::print(out, "{}\n", o.out);
}

}  // namespace

TPvkCommand AddRenderCommand(CLI::App& app) {
  auto o = std::make_shared<TRenderOptions>();
  auto* cmd = app.add_subcommand(
      "render", "draw a contour picture of a result with its legend and write it as PNG");
  AddFileOption(cmd, o->file);
  cmd->add_option("--result", o->result, "result id or name, as 'pvk results FILE' lists them")
      ->required();
  cmd->add_option("--loc", o->loc, LocHelp() + "; node and element results can be drawn");
  AddStepOptions(cmd, o->select);
  cmd->add_option("--out", o->out, "the PNG file to write")->required();
  cmd->add_option("--size", o->size, "WIDTHxHEIGHT in pixels")->capture_default_str();
  cmd->add_option("--view", o->view,
                  "where the camera looks from: iso, or from the positive or negative axis")
      ->check(CLI::IsMember({"iso", "x", "y", "z", "-x", "-y", "-z"}))
      ->capture_default_str();
  cmd->add_option("--ranks", o->nRank,
                  "the number of rank values of the legend, one more than the bands")
      ->check(CLI::Range(N_MIN_RANKS, N_MAX_RANKS));
  cmd->add_option("--deformed", o->deformed,
                  "moves the nodes by the step's Total Translation times this scale");
  return {cmd, [o](std::FILE* out) { RunRender(*o, out); }};
}
