// Time of one EmbeddedFilesystem::Open for each file of web/, and for a path
// that names no file.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "embedded_filesystem.h"

namespace {

void BM_Open(benchmark::State& state, const std::string& path) {
  const EmbeddedFilesystem store = GetEmbeddedFilesystem();
  for (auto _ : state)
    benchmark::DoNotOptimize(store.Open(path));
  state.SetLabel(std::to_string(store.Open(path).size()) + " bytes");
}

void BM_OpenMissing(benchmark::State& state) {
  const EmbeddedFilesystem store = GetEmbeddedFilesystem();
  for (auto _ : state) {
    try {
      benchmark::DoNotOptimize(store.Open("web/no-such-file.html"));
    } catch (const std::system_error& e) {
      benchmark::DoNotOptimize(e.code());
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path root(WEB_DIR);
  for (const auto& item : std::filesystem::recursive_directory_iterator(root)) {
    if (!item.is_regular_file())
      continue;
    const std::string path =
        "web/" + item.path().lexically_relative(root).generic_string();
    benchmark::RegisterBenchmark(("Open/" + path).c_str(), BM_Open, path);
  }
  benchmark::RegisterBenchmark("Open/missing", BM_OpenMissing);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
