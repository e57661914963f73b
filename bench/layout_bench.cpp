// The layout filter at work: BM_Layout4Up runs the generated 500-page document of
// BM_PipelinePassThrough through the same four XPS filters with a 4-up job ticket, so that its
// pages per second read against the pass-through figure of the same run; BM_Layout4UpPageTickets
// does the same with a page ticket on every page.
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

void RunFourUp(benchmark::State& state, const std::string& input) {
  auto options = kx::bench::DriverJob(input + ".4up.xps", input);
  options.jobTicket = ExampleTicket("nup-4-rightbottom.xml");
  for (auto _ : state) {
    const auto result = kx::pipeline::RunPrintJob(options);
    if (FAILED(result.hr)) state.SkipWithError(result.message.c_str());
  }
  std::remove(options.output.c_str());
  state.counters["pages/s"] = benchmark::Counter(
      double(kx::bench::kDocumentPages) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_Layout4Up(benchmark::State& state) { RunFourUp(state, kx::bench::BenchDocument()); }
BENCHMARK(BM_Layout4Up)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every page carrying the same page ticket: merged once, not once a page.
void BM_Layout4UpPageTickets(benchmark::State& state) {
  RunFourUp(state, kx::bench::TicketedBenchDocument());
}
BENCHMARK(BM_Layout4UpPageTickets)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
