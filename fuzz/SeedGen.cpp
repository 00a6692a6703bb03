// Writes the seed corpora and dictionaries of the harnesses:
//   pvk_fuzz_seeds OUT_DIR [SAMPLE.tkvp ...]
// OUT_DIR/{scan,out,road,calc}/ get the samples given (with their ".out" text), small result
// files that hold the stored components of every catalogue row, in chunks of rows, written as
// the tests write them, and hand-made texts; OUT_DIR/{pzar,out,road,calc}.dict the tokens.
// Then every road seed is run and the results whose values load are counted.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzRoad.h"
#include "FuzzSupport.h"
#include "base/ConvertString.h"
#include "core/ResultId.h"
#include "resultfile/RecordTypes.h"
#include "support/ResultFileBuilder.h"
#include "vresult/CatalogueDefRows.h"
#include "vresult/VResultFactory.h"
#include "vresult/VResultFactoryManager.h"

namespace {

namespace fs = std::filesystem;
using IdSet = std::set<std::int32_t>;

// Components per family seed: small files mutate quickly, and the rows of one quantity stay
// together.
constexpr std::size_t kCompsPerSeed = 32;
const std::vector<std::int32_t> kNodes{1, 2};
const std::vector<std::int32_t> kElems{10, 11};
// Entity case information: one value per entity in the first block, two in the sub block.
constexpr std::int32_t kCaseFirst = 1;
constexpr std::int32_t kCaseSub = 2;
// Board property 1004: nodal stress 7201 to 7210 and thermal 7301 to 7308.
constexpr std::int32_t kBoardStress = 51004100;
constexpr std::int32_t kBoardThermal = 51004400;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The samples as they are, and for the road with their text output after the separator.
void CopySample(const fs::path& out, const fs::path& sample) {
  const std::string name = sample.stem().string();
  const std::string tkvp = ReadAll(sample);
  fs::path text = sample;
  text.replace_extension(".out");
  const std::string outText = fs::exists(text) ? ReadAll(text) : std::string();
  WriteAll(out / "scan" / name, tkvp);
  WriteAll(out / "road" / name, tkvp + std::string(pvk_fuzz::kOutSeparator) + outText);
  if (!outText.empty()) WriteAll(out / "out" / name, outText);
}

// Rows of the catalogue in order, a chunk of them per seed.
struct TChunk {
  IdSet comps;                        // stored components, phase-angle variants included
  std::vector<std::int32_t> caseIds;  // results read from entity case information
};

IdSet RowComps(const TDefRow& row) {
  IdSet ids;
  for (const std::string& comp : row.comps) ids.insert(std::stoi(comp));
  const std::vector<std::int32_t> args = TemplateArgs(row, 0);
  for (const std::size_t i : GetTemplates().at(row.tmpl).idArgs)
    if (i < args.size()) ids.insert(args[i]);
  ids.erase(0);
  if (row.twin) {
    const IdSet base = ids;
    for (const std::int32_t id : base) ids.insert(id + pvk::kPhaseAngleOffset);
  }
  return ids;
}

std::vector<TChunk> Chunks() {
  std::vector<TChunk> chunks(1);
  for (const TDefRow& row : GetDefRows()) {
    if (row.tmpl == "NoClass") continue;
    if (chunks.back().comps.size() >= kCompsPerSeed) chunks.emplace_back();
    TChunk& chunk = chunks.back();
    if (row.tmpl == "ScalarDirect_UnitEntity_CaseInfo") {
      chunk.caseIds.push_back(row.id);
      continue;
    }
    chunk.comps.merge(RowComps(row));
  }
  TChunk board;
  for (std::int32_t k = 1; k <= 10; ++k) board.comps.insert(kBoardStress + k);
  for (std::int32_t k = 1; k <= 8; ++k) board.comps.insert(kBoardThermal + k);
  chunks.push_back(board);
  return chunks;
}

std::vector<double> Values(std::int32_t comp) { return {comp % 1000 + 0.25, -(comp % 97) - 0.5}; }

std::vector<unsigned> CaseValues(std::int32_t id) {
  std::vector<unsigned> values;
  for (std::size_t i = 0; i < kNodes.size() * kCaseSub; ++i)
    values.push_back(static_cast<unsigned>(id % 100000 + i));
  return values;
}

// A step at the nodes, one at the elements, one per case-information result.
bool WriteChunk(const fs::path& path, const TChunk& chunk, std::int32_t width) {
  CResultFileBuilder file(pvk_fuzz::Wide(path.string()), 140, width);
  file.Solver(L"FUZZ");
  file.CaseInfo(1, L"C");
  const std::pair<std::int32_t, const std::vector<std::int32_t>*> places[] = {
      {PZAR_RECORD_TYPE::NODE_ID_LIST, &kNodes}, {PZAR_RECORD_TYPE::ELEM_ID_LIST, &kElems}};
  double step = 0.0;
  for (const auto& [listType, ids] : places) {
    file.OutputSet(++step, L"S");
    file.IDList(listType, *ids);
    for (const std::int32_t comp : chunk.comps)
      file.Vector(comp, listType == PZAR_RECORD_TYPE::ELEM_ID_LIST ? 1 : 0, Values(comp));
  }
  for (const std::int32_t id : chunk.caseIds) {
    file.OutputSet(++step, L"S");
    file.IDList(PZAR_RECORD_TYPE::NODE_ID_LIST, kNodes);
    file.IDList(PZAR_RECORD_TYPE::RES_ID_LIST, {id});
    TPZARResultInts ints;
    ints.m_nComponent[1] = kCaseFirst;
    ints.m_nMinID = kCaseSub;
    file.EntityCaseInfo(ints, CaseValues(id));
  }
  return file.Finish() && file.Ok();
}

const char* const kReactionTitle =
    "R E S U L T A N T   R E A C T I O N   F O R C E   O N   G E O M E T R Y";
const char* const kReactionHeader =
    "       ID      TYPE                   COORDINATE                                         "
    "REACTION FORCE                                     REACTION MOMENT";

// Texts the samples do not hold: every geometry type, ids beyond a billion, two-field and
// overlong SUBCASE lines, a UTF-8 name, a block without rows.
std::vector<std::string> OutTexts() {
  const std::string head = std::string(kReactionTitle) + "\n";
  const std::string table = std::string(kReactionHeader) + "\n";
  return {
      head + "SUBCASE : A : S1\n" + table +
          "1 SURF 0 0 0 1 2 3 4 5 6\n2 curve 1 1 1 0 0 1 0 0 0\n" +
          "1000000012 POINT 0 1 0 1e10 -1e-10 0 0 0 0\n\n",
      head + "SUBCASE : TWO\n" + table + "7 SURF 1 2 3 3 4 12 1 2 2\n",
      head + "SUBCASE : " + std::string(200, 'L') + " : " + std::string(200, 'S') + "\n" + table +
          "3 OTHER 0 0 0 0 0 0 0 0 0\n",
      head + "SUBCASE : \xed\x95\x9c\xea\xb8\x80 : S\n" + table + "4 SURF 1 2\n\nSUBCASE : E : S\n",
  };
}

const std::vector<std::string> kCalcTexts = {
    "[A]*2+[B]",
    "SQRT([SXX]^2+[SYY]^2)",
    "abs([A])-min([B],[C])",
    "[A]>0?[A]:-[A]",
    "atan2([A],[B])*180/_pi",
    "sum([A],[B],[C])/3",
    "avg([A],1,2)",
    "1.5e+03/[A]",
    "([A]&&[B])||[C]",
    "[A] [B]",
    "[[A]]",
    "]",
};

// libFuzzer's dictionary syntax: one quoted entry a line, bytes outside printable ASCII as \xNN.
std::string Quote(const std::string& bytes) {
  std::string out = "\"";
  for (const unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char hex[5];
      std::snprintf(hex, sizeof(hex), "\\x%02X", c);
      out += hex;
    }
  }
  return out + "\"\n";
}

std::string Int32(std::int32_t v) {
  return std::string(reinterpret_cast<const char*>(&v), sizeof(v));
}

std::string PzarDict(const std::vector<TChunk>& chunks) {
  std::string dict;
  for (const std::int32_t version : {130, 140, 150}) dict += Quote(Int32(version));
  dict += Quote(std::string("NE\0\0", 4)) + Quote(std::string("DBL\0", 4));
  dict += Quote(Int32(-1) + Int32(0)) + Quote(Int32(CP_UTF8));
  for (const auto& type : PZAR_RECORD_TYPE::kRecordTypes) dict += Quote(Int32(type.nType));
  IdSet comps;
  for (const TChunk& chunk : chunks) {
    comps.insert(chunk.comps.begin(), chunk.comps.end());
    comps.insert(chunk.caseIds.begin(), chunk.caseIds.end());
  }
  for (const std::int32_t comp : comps) dict += Quote(Int32(comp));
  return dict;
}

std::string OutDict() {
  std::string dict = Quote(kReactionTitle) + Quote(kReactionHeader);
  for (const char* word : {"SUBCASE", " : ", "SURF", "CURVE", "POINT", "1000000000", "1e308", "-0",
                           "nan", "inf", "\n\n"})
    dict += Quote(word);
  return dict;
}

std::string CalcDict() {
  std::string dict;
  for (const char* word :
       {"[",  "]", "[A]", "sqrt(", "abs(", "sin(", "atan2(", "min(", "max(", "sum(", "avg(", "_pi",
        "_e", "?", ":",   "&&",    "||",   "^",    "e+",     "<=",   "==",   "!=",   "="})
    dict += Quote(word);
  return dict;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUT_DIR [SAMPLE.tkvp ...]\n", argv[0]);
    return 2;
  }
  pvk_fuzz::Init();
  const fs::path out = argv[1];
  for (const char* dir : {"scan", "out", "road", "calc"}) fs::create_directories(out / dir);
  for (int i = 2; i < argc; ++i) CopySample(out, argv[i]);

  const std::vector<TChunk> chunks = Chunks();
  for (std::size_t i = 0; i < chunks.size(); ++i) {
    const fs::path path = out / "road" / ("family-" + std::to_string(i) + ".tkvp");
    if (!WriteChunk(path, chunks[i], i % 2 ? 4 : 8)) {
      std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
      return 1;
    }
    fs::copy_file(path, out / "scan" / path.filename(), fs::copy_options::overwrite_existing);
  }
  const std::vector<std::string> texts = OutTexts();
  for (std::size_t i = 0; i < texts.size(); ++i) {
    WriteAll(out / "out" / ("text-" + std::to_string(i)), texts[i]);
    WriteAll(out / "road" / ("text-" + std::to_string(i)),
             std::string(pvk_fuzz::kOutSeparator) + texts[i]);
  }
  for (std::size_t i = 0; i < kCalcTexts.size(); ++i)
    WriteAll(out / "calc" / ("expr-" + std::to_string(i)), kCalcTexts[i]);

  const std::string pzar = PzarDict(chunks);
  WriteAll(out / "pzar.dict", pzar);
  WriteAll(out / "out.dict", OutDict());
  WriteAll(out / "road.dict", pzar + OutDict() + Quote(std::string(pvk_fuzz::kOutSeparator)));
  WriteAll(out / "calc.dict", CalcDict());

  pvk_fuzz::TLoadedSet loaded;
  for (const auto& entry : fs::directory_iterator(out / "road")) {
    const std::string bytes = ReadAll(entry.path());
    pvk_fuzz::RunRoadInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                           &loaded);
  }
  std::set<std::int32_t> ids;
  for (const auto& [id, loc] : loaded) ids.insert(id);
  std::printf(
      "%zu family seeds; %zu results (%zu with location) load from the road seeds of %d "
      "registered\n",
      chunks.size(), ids.size(), loaded.size(),
      CVResultFactoryManager::GetInstance().GetVResultFactory(0)->GetCount());
  return 0;
}
