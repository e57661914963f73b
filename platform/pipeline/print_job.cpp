#include "print_job.h"

#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "byte_output_stream.h"
#include "filter_link.h"
#include "filter_module.h"
#include "hresult_text.h"
#include "kx/utf16.h"
#include "output_file.h"
#include "package_reader.h"
#include "package_writer.h"
#include "part_pump.h"
#include "part_queue.h"
#include "print_class_factory.h"
#include "property_bag.h"
#include "ticket_stream_factory.h"
#include "ticket_tools.h"

namespace kx::pipeline {
namespace {

struct FilterSlot {
  std::string name;
  ComPtr<IPrintPipelineFilter> filter;
};

class JobRun final : public JobControl {
 public:
  explicit JobRun(const PrintJobOptions& options) : options_(options) {}

  PrintJobResult Run();

  void RequestShutdown(std::size_t filter, HRESULT reason) override { StopFailed(filter, reason); }
  void FilterFinished(std::size_t) override {}

 private:
  void Prepare();
  void CreateOutput(const FilterEntry& last);
  void LoadFilters();
  ComPtr<IUnknown> ReaderOf(std::size_t filter) const;
  ComPtr<IUnknown> WriterOf(std::size_t filter) const;
  void RunThreads();
  // Writes the package on the calling thread from what the last filter sends.
  void WritePackage();
  void OnReturned(std::size_t filter, HRESULT hr);
  bool OutputCompleted() const;
  void StopFailed(std::size_t filter, HRESULT hr);
  // The first stop wins: its cause is the job's, and every other filter is shut down.
  void Stop(std::optional<std::size_t> origin, const std::string& cause, HRESULT hr);

  const PrintJobOptions& options_;
  // Declared first, destroyed last: the modules stay loaded until every object is released.
  std::vector<std::unique_ptr<FilterModule>> modules_;
  std::optional<OutputFile> output_;
  std::shared_ptr<xps::ErrorLog> log_ = std::make_shared<xps::ErrorLog>();
  ComPtr<PropertyBag> bag_;
  ComPtr<IXpsDocumentProvider> reader_;
  std::vector<ComPtr<PartQueue>> queues_;
  ComPtr<xps::PackageWriter> packageWriter_;
  ComPtr<PartQueue> packageQueue_;  // from the last filter to the package writer
  ComPtr<ByteOutputStream> byteOutput_;
  std::vector<FilterSlot> filters_;

  std::mutex mutex_;
  bool stopped_ = false;
  HRESULT hr_ = S_OK;
  std::string message_;
};

PrintJobResult JobRun::Run() {
  const HRESULT prepared = HResultBoundary([&] {
    try {
      Prepare();
    } catch (const xps::PackageError& error) {
      message_ = error.message;
      throw;
    }
    return S_OK;
  });
  if (FAILED(prepared)) {
    if (message_.empty()) message_ = "the job cannot start: " + DescribeHResult(prepared);
    return {prepared, message_, 0};
  }

  RunThreads();
  const unsigned pages = packageWriter_ ? packageWriter_->PagesWritten() : 0;
  if (stopped_) return {hr_, message_, pages};
  if (packageWriter_ && !packageWriter_->Completed())
    return {E_UNEXPECTED, "the output package was not completed", pages};
  const HRESULT committed = HResultBoundary([&] {
    try {
      output_->Commit();
    } catch (const xps::PackageError& error) {
      message_ = error.message;
      throw;
    }
    return S_OK;
  });
  return {committed, FAILED(committed) ? message_ : std::string(), pages};
}

void JobRun::Prepare() {
  const int last = options_.lastFilter;
  if (last < 0 || static_cast<std::size_t>(last) >= options_.config.filters.size())
    xps::ThrowPackageError(E_INVALIDARG, options_.config.path + ": no filter to run");
  output_.emplace(options_.output);

  bag_ = ComPtr<PropertyBag>::Attach(new PropertyBag());
  bag_->SetUnknown(u"PrintClassFactory", CreatePrintClassFactory().Get());
  bag_->SetString(u"PrinterName", Utf8ToUtf16(options_.printerName));
  bag_->SetUInt(u"PrintJobId", options_.jobId);
  bag_->SetUnknown(u"PerUserPrintTicket",
                   CreateTicketStreamFactory(LoadTicketFile(options_.userTicket)).Get());

  xps::ReaderOptions readerOptions;
  if (!options_.jobTicket.empty()) {
    readerOptions.jobTicket = LoadTicketFile(options_.jobTicket);
    readerOptions.mergeJobTicket = [printer = options_.printerName](IPartPrintTicket* own,
                                                                    const xps::ContentPtr& job) {
      return MergeJobTicket(own, job, printer);
    };
  }
  reader_ = xps::OpenPackageReader(options_.input, log_, readerOptions);

  CreateOutput(options_.config.filters[static_cast<std::size_t>(last)]);
  LoadFilters();
}

void JobRun::CreateOutput(const FilterEntry& last) {
  if (last.producesXps) {
    packageWriter_ = xps::PackageWriter::Create(output_->TemporaryPath(), log_, options_.onPage);
    packageQueue_ = ComPtr<PartQueue>::Attach(new PartQueue(options_.queueCapacity));
  } else {
    byteOutput_ = ComPtr<ByteOutputStream>::Attach(new ByteOutputStream(output_->TemporaryPath()));
  }
}

void JobRun::LoadFilters() {
  const auto count = static_cast<std::size_t>(options_.lastFilter) + 1;
  for (std::size_t i = 0; i + 1 < count; ++i)
    queues_.push_back(ComPtr<PartQueue>::Attach(new PartQueue(options_.queueCapacity)));
  for (std::size_t i = 0; i < count; ++i) {
    const FilterEntry& entry = options_.config.filters[i];
    modules_.push_back(std::make_unique<FilterModule>(entry.modulePath));
    filters_.push_back({entry.name, modules_.back()->CreateFilter(entry.classId)});
  }
  for (std::size_t i = 0; i < count; ++i) {
    auto communicator = ComPtr<Communicator>::Attach(new Communicator(ReaderOf(i), WriterOf(i)));
    auto control = ComPtr<ManagerControl>::Attach(new ManagerControl(*this, i));
    const HRESULT hr =
        filters_[i].filter->InitializeFilter(communicator.Get(), bag_.Get(), control.Get());
    if (FAILED(hr))
      xps::ThrowPackageError(
          hr, filters_[i].name + ": InitializeFilter failed: " + DescribeHResult(hr));
  }
}

ComPtr<IUnknown> JobRun::ReaderOf(std::size_t filter) const {
  if (filter == 0) return ComPtr<IUnknown>(reader_.Get());
  return ComPtr<IUnknown>(static_cast<IXpsDocumentProvider*>(queues_[filter - 1].Get()));
}

ComPtr<IUnknown> JobRun::WriterOf(std::size_t filter) const {
  if (filter < queues_.size())
    return ComPtr<IUnknown>(static_cast<IXpsDocumentConsumer*>(queues_[filter].Get()));
  if (packageQueue_)
    return ComPtr<IUnknown>(static_cast<IXpsDocumentConsumer*>(packageQueue_.Get()));
  return ComPtr<IUnknown>(static_cast<IPrintWriteStream*>(byteOutput_.Get()));
}

void JobRun::RunThreads() {
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < filters_.size(); ++i) {
    try {
      threads.emplace_back([this, i] {
        OnReturned(i, HResultBoundary([&] { return filters_[i].filter->StartOperation(); }));
      });
    } catch (const std::exception&) {
      Stop(std::nullopt, "cannot start a thread for " + filters_[i].name, E_OUTOFMEMORY);
      break;
    }
  }
  if (packageQueue_) WritePackage();
  for (std::thread& thread : threads) thread.join();
}

// The writer works on the service's own thread: the filters' threads come and go with each
// job, and the allocator hands memory back to the system at every part on such threads.
void JobRun::WritePackage() {
  const HRESULT hr = xps::PumpParts(packageQueue_.Get(), packageWriter_.Get());
  if (FAILED(hr)) {
    packageQueue_->Abort();  // the last filter must not wait on a writer that is gone
    const std::string explained = log_->First();
    Stop(std::nullopt,
         explained.empty() ? "writing the output failed: " + DescribeHResult(hr) : explained, hr);
  }
}

void JobRun::OnReturned(std::size_t filter, HRESULT hr) {
  if (FAILED(hr)) {
    StopFailed(filter, hr);
    return;
  }
  // A filter may finish before reading everything: what its sender still sends is dropped.
  if (filter > 0) queues_[filter - 1]->Drain();
  const bool closed = filter < queues_.size() ? queues_[filter]->Closed() : OutputCompleted();
  if (closed) return;
  // The output's own failure (the package writer's, at CloseSender) explains it best.
  const std::string explained = log_->First();
  Stop(filter,
       explained.empty() ? filters_[filter].name + " ended without completing its output"
                         : explained,
       explained.empty() ? E_UNEXPECTED : log_->FirstHResult());
}

void JobRun::StopFailed(std::size_t filter, HRESULT hr) {
  // A failure of the package layer with this HRESULT names the file and the part: the cause.
  const bool explained = !log_->First().empty() && log_->FirstHResult() == hr;
  Stop(filter,
       explained ? log_->First() : filters_[filter].name + " failed: " + DescribeHResult(hr), hr);
}

bool JobRun::OutputCompleted() const {
  return packageQueue_ ? packageQueue_->Closed() : byteOutput_->Completed();
}

void JobRun::Stop(std::optional<std::size_t> origin, const std::string& cause, HRESULT hr) {
  {
    std::lock_guard lock(mutex_);
    if (stopped_) return;
    stopped_ = true;
    hr_ = hr;
    message_ = cause;
  }
  for (std::size_t i = 0; i < filters_.size(); ++i)
    if (i != origin) filters_[i].filter->ShutdownOperation();
  for (const auto& queue : queues_) queue->Abort();
  if (packageQueue_) packageQueue_->Abort();
}

}  // namespace

PrintJobResult RunPrintJob(const PrintJobOptions& options) {
  PrintJobOptions resolved = options;
  if (resolved.lastFilter < 0) resolved.lastFilter = LastFilterToRun(resolved.config, {});
  return JobRun(resolved).Run();
}

}  // namespace kx::pipeline
