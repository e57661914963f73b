// The package layer and the pipeline service on a generated 500-page document: BM_PackageCopy
// reads every part and writes a new package with no filter (the baseline);
// BM_PipelinePassThrough/N runs the same document through the first N of the driver's four XPS
// filters (N = 4: the whole XPS chain), so the cost of each filter shows. Both report pages per
// second.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench_document.h"
#include "package_reader.h"
#include "package_writer.h"
#include "part_pump.h"
#include "print_job.h"

namespace {

using kx::bench::BenchDocument;
using kx::bench::kDocumentPages;

void BM_PackageCopy(benchmark::State& state) {
  const std::string output = BenchDocument() + ".copy.xps";
  for (auto _ : state) {
    auto log = std::make_shared<kx::xps::ErrorLog>();
    auto reader = kx::xps::OpenPackageReader(BenchDocument(), log);
    auto writer = kx::xps::PackageWriter::Create(output, log);
    if (FAILED(kx::xps::PumpParts(reader.Get(), writer.Get())))
      state.SkipWithError(log->First().c_str());
  }
  std::remove(output.c_str());
  state.counters["pages/s"] = benchmark::Counter(
      double(kDocumentPages) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PackageCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PipelinePassThrough(benchmark::State& state) {
  kx::pipeline::PrintJobOptions options = kx::bench::DriverJob(BenchDocument() + ".out.xps");
  options.lastFilter = static_cast<int>(state.range(0)) - 1;
  for (auto _ : state) {
    const auto result = kx::pipeline::RunPrintJob(options);
    if (FAILED(result.hr)) state.SkipWithError(result.message.c_str());
  }
  std::remove(options.output.c_str());
  state.counters["pages/s"] = benchmark::Counter(
      double(kDocumentPages) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PipelinePassThrough)->DenseRange(1, 4)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
