// The layout filter at work: BM_Layout4Up runs the generated 500-page document of
// BM_PipelinePassThrough through the same four XPS filters with a 4-up job ticket, so that its
// pages per second read against the pass-through figure of the same run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench_document.h"

namespace {

// The example tickets lie in driver/examples beside this file's directory.
std::string ExampleTicket(const char* name) {
  const std::string source = __FILE__;
  return source.substr(0, source.rfind("/bench/")) + "/driver/examples/" + name;
}

void BM_Layout4Up(benchmark::State& state) {
  auto options = kx::bench::DriverJob(kx::bench::BenchDocument() + ".4up.xps");
  options.jobTicket = ExampleTicket("nup-4-rightbottom.xml");
  for (auto _ : state) {
    const auto result = kx::pipeline::RunPrintJob(options);
    if (FAILED(result.hr)) state.SkipWithError(result.message.c_str());
  }
  std::remove(options.output.c_str());
  state.counters["pages/s"] = benchmark::Counter(
      double(kx::bench::kDocumentPages) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Layout4Up)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
