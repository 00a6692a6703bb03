#include "VtuWriter.h"

#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <memory>

#include "PvkText.h"

namespace pvk_export {

namespace {

static_assert(std::endian::native == std::endian::little, "the files say LittleEndian");

using THeader = std::uint64_t;  // header_type="UInt64"
// VTK's own block size; a reader inflates one block at a time.
constexpr std::size_t kBlockBytes = 32768;
// Speed over size: the fastest level still shrinks results to about half.
constexpr int kZLibLevel = 1;
// Writes below this size gather in the buffer; larger ones go to the system directly.
constexpr std::size_t kBufferBytes = 1u << 20;

// A file written through one buffer, keeping the first failure.
class CFileOut {
public:
  explicit CFileOut(const std::string& path)
      : m_fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)) {
    if (m_fd < 0) m_nError = errno;
    m_buffer.reserve(kBufferBytes);
  }
  ~CFileOut() {
    if (m_fd >= 0) ::close(m_fd);
  }
  CFileOut(const CFileOut&) = delete;
  CFileOut& operator=(const CFileOut&) = delete;

  void Put(std::span<const std::byte> bytes) {
    if (bytes.size() < kBufferBytes - m_buffer.size()) {
      m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
      return;
    }
    if (bytes.size() < kBufferBytes) {
      Drain();
      m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
      return;
    }
    // What the buffer holds (an array's header) goes out with the array in one call.
    WriteAll(m_buffer, bytes);
    m_buffer.clear();
  }
  void Put(const std::string& text) { Put(std::as_bytes(std::span(text.data(), text.size()))); }

  // Empty when every byte reached the file.
  std::string Close() {
    Drain();
    if (m_fd >= 0 && ::close(m_fd) != 0 && m_nError == 0) m_nError = errno;
    m_fd = -1;
    return m_nError == 0 ? std::string() : std::strerror(m_nError);
  }

private:
  void Drain() {
    WriteAll(m_buffer);
    m_buffer.clear();
  }
  void WriteAll(std::span<const std::byte> first, std::span<const std::byte> second = {}) {
    while (!(first.empty() && second.empty()) && m_nError == 0) {
      iovec parts[] = {{const_cast<std::byte*>(first.data()), first.size()},
                       {const_cast<std::byte*>(second.data()), second.size()}};
      const ssize_t n = ::writev(m_fd, parts, 2);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        m_nError = n < 0 ? errno : EIO;
        break;
      }
      const auto done = static_cast<std::size_t>(n);
      const std::size_t fromFirst = std::min(done, first.size());
      first = first.subspan(fromFirst);
      second = second.subspan(done - fromFirst);
    }
  }

  int m_fd;
  int m_nError = 0;
  std::vector<std::byte> m_buffer;
};

// What goes into the appended data for one array: its header, then its data.
struct TBlob {
  bool ok = true;
  std::vector<THeader> header;
  std::vector<std::byte> packed;  // the compressed blocks; empty when raw
  std::span<const std::byte> data;
  std::uint64_t Size() const { return header.size() * sizeof(THeader) + data.size(); }
};

TBlob Raw(std::span<const std::byte> bytes) { return {true, {bytes.size()}, {}, bytes}; }

// Number of blocks, block size, size of a partial last block (0 when it is whole), then the
// compressed size of each block.
TBlob Compressed(std::span<const std::byte> bytes) {
  const std::size_t blocks = (bytes.size() + kBlockBytes - 1) / kBlockBytes;
  TBlob blob;
  blob.header = {blocks, kBlockBytes, bytes.size() % kBlockBytes};
  blob.packed.resize(blocks * compressBound(kBlockBytes));
  std::size_t used = 0;
  for (std::size_t b = 0; b < blocks; ++b) {
    const std::span<const std::byte> block =
        bytes.subspan(b * kBlockBytes, std::min(kBlockBytes, bytes.size() - b * kBlockBytes));
    uLongf size = compressBound(kBlockBytes);
    blob.ok = blob.ok && compress2(reinterpret_cast<Bytef*>(blob.packed.data() + used), &size,
                                   reinterpret_cast<const Bytef*>(block.data()), block.size(),
                                   kZLibLevel) == Z_OK;
    blob.header.push_back(size);
    used += size;
  }
  blob.packed.resize(used);
  blob.data = blob.packed;
  return blob;
}

const char* TypeName(EVtuType type) {
  switch (type) {
    case EVtuType::INT64:
      return "Int64";
    case EVtuType::INT32:
      return "Int32";
    case EVtuType::UINT8:
      return "UInt8";
    case EVtuType::FLOAT64:
      break;
  }
  return "Float64";
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string ArrayTag(const TVtuArray& a, std::uint64_t offset) {
  std::string tag = std::string("<DataArray type=\"") + TypeName(a.type) + "\"";
  if (!a.name.empty()) tag += " Name=\"" + Escaped(a.name) + "\"";
  if (a.components != 1) tag += " NumberOfComponents=\"" + std::to_string(a.components) + "\"";
  for (std::size_t c = 0; c < a.componentNames.size(); ++c)
    tag += " ComponentName" + std::to_string(c) + "=\"" + Escaped(a.componentNames[c]) + "\"";
  return tag + " format=\"appended\" offset=\"" + std::to_string(offset) + "\"/>\n";
}

// The XML before the appended data, with each array's offset into it, in the order given.
std::string Head(const TVtuPiece& piece, const std::vector<const TVtuArray*>& arrays,
                 const std::vector<TBlob>& blobs, bool compress) {
  std::vector<std::string> tags;
  std::uint64_t offset = 0;
  for (std::size_t i = 0; i < arrays.size(); ++i) {
    tags.push_back("        " + ArrayTag(*arrays[i], offset));
    offset += blobs[i].Size();
  }
  std::string head =
      "<?xml version=\"1.0\"?>\n<VTKFile type=\"UnstructuredGrid\" version=\"1.0\" "
      "byte_order=\"LittleEndian\" header_type=\"UInt64\"";
  if (compress) head += " compressor=\"vtkZLibDataCompressor\"";
  head += ">\n  <UnstructuredGrid>\n    <Piece NumberOfPoints=\"" + std::to_string(piece.points) +
          "\" NumberOfCells=\"" + std::to_string(piece.cells) + "\">\n";
  std::size_t next = 0;
  const auto section = [&](const char* name, std::size_t count) {
    head += std::string("      <") + name + ">\n";
    for (std::size_t i = 0; i < count; ++i) head += tags[next++];
    head += std::string("      </") + name + ">\n";
  };
  section("PointData", piece.pointData.size());
  section("CellData", piece.cellData.size());
  section("Points", 1);
  section("Cells", 3);
  return head + "    </Piece>\n  </UnstructuredGrid>\n  <AppendedData encoding=\"raw\">\n   _";
}

}  // namespace

std::string WriteVtu(const std::string& path, const TVtuPiece& piece, bool compress) {
  std::vector<const TVtuArray*> arrays;
  for (const TVtuArray& a : piece.pointData) arrays.push_back(&a);
  for (const TVtuArray& a : piece.cellData) arrays.push_back(&a);
  for (const TVtuArray* a : {&piece.positions, &piece.connectivity, &piece.offsets, &piece.types})
    arrays.push_back(a);
  std::vector<TBlob> blobs;
  for (const TVtuArray* a : arrays) {
    blobs.push_back(compress ? Compressed(a->bytes) : Raw(a->bytes));
    if (!blobs.back().ok)
      return "zlib could not compress " + (a->name.empty() ? "the points" : a->name);
  }

  CFileOut out(path);
  out.Put(Head(piece, arrays, blobs, compress));
  for (const TBlob& blob : blobs) {
    out.Put(std::as_bytes(std::span(blob.header)));
    out.Put(blob.data);
  }
  out.Put("\n  </AppendedData>\n</VTKFile>\n");
  return out.Close();
}

std::string WritePvd(const std::string& path, const std::vector<TPvdEntry>& entries) {
  std::string text =
      "<?xml version=\"1.0\"?>\n<VTKFile type=\"Collection\" version=\"0.1\" "
      "byte_order=\"LittleEndian\">\n  <Collection>\n";
  for (const TPvdEntry& e : entries)
    text += "    <DataSet timestep=\"" + pvk_text::Number(e.time) + "\" part=\"0\" file=\"" +
            Escaped(e.file) + "\"/>\n";
  text += "  </Collection>\n</VTKFile>\n";
  CFileOut out(path);
  out.Put(text);
  return out.Close();
}

}  // namespace pvk_export
