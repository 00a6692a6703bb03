#pragma once
// Runs the built pvk binary in a scratch folder as a user would, and keeps what it printed.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "base/ScratchFolder.h"

namespace pvk_test {

using nlohmann::json;

struct TRun {
  int code = -1;
  std::string out, err;
};

inline std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The legend band of a value: the first k with r[k] < v <= r[k+1], else an end band.
inline std::size_t LegendBand(double v, const std::vector<double>& r) {
  for (std::size_t k = 0; k + 1 < r.size(); ++k)
    if (r[k] < v && v <= r[k + 1]) return k;
  return v <= r[0] ? 0 : r.size() - 2;
}

class PvkCli : public ::testing::Test {
protected:
  // Runs pvk with the arguments (a shell word list) in the scratch folder.
  TRun Run(const std::string& args, const std::string& env = "") {
    const std::string cmd = "cd '" + m_dir.Narrow() + "' && " + env + " '" PVK_BINARY "' " + args +
                            " >stdout.txt 2>stderr.txt";
    const int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(m_dir.Narrow("stdout.txt")),
            Slurp(m_dir.Narrow("stderr.txt"))};
  }
  // A command pvk refuses: the exit code, nothing on standard output, one message on standard
  // error (`err` in full unless empty).
  void ExpectRefused(const std::string& args, int code, const std::string& err,
                     const std::string& env = "") {
    const TRun run = Run(args, env);
    EXPECT_EQ(run.code, code) << args;
    EXPECT_EQ(run.out, "") << args;
    EXPECT_EQ(run.err.rfind("pvk: ", 0), 0u) << args << ": " << run.err;
    if (!err.empty()) {
      EXPECT_EQ(run.err, err) << args;
    }
  }
  json Json(const std::string& args) {
    const TRun run = Run(args);
    EXPECT_EQ(run.code, 0) << args << ": " << run.err;
    return json::parse(run.out, nullptr, false);
  }
  ScratchFolder m_dir;
};

}  // namespace pvk_test
