// TicketMemo: what the layout worked out from a page ticket, kept for the next page whose ticket
// has the same source (PrintTicketManager::PageTicketSource) and that starts from the same
// inputs. The pages of a document mostly share one ticket, and reading or changing a ticket
// costs more than composing the page.
#pragma once

#include <cstdint>
#include <utility>

namespace kx {

template <class Inputs, class Result>
class TicketMemo {
 public:
  // The result kept for this source and these inputs; null when there is none.
  const Result* Find(std::uint64_t source, const Inputs& inputs) const {
    return kept_ && source == source_ && inputs == inputs_ ? &result_ : nullptr;
  }

  void Keep(std::uint64_t source, Inputs inputs, Result result) {
    source_ = source;
    inputs_ = std::move(inputs);
    result_ = std::move(result);
    kept_ = true;
  }

  void Clear() {
    kept_ = false;
    inputs_ = Inputs{};
    result_ = Result{};
  }

 private:
  bool kept_ = false;
  std::uint64_t source_ = 0;
  Inputs inputs_{};
  Result result_{};
};

}  // namespace kx
