#include "mp3/ahead_analysis.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "mp3/worker_thread.h"

namespace tarnwick {

unsigned DefaultWorkers() { return std::clamp(std::thread::hardware_concurrency(), 1u, 4u); }

AheadAnalysis::AheadAnalysis(AheadOptions options)
    : options_(options), window_(kWindowPerWorker * options.workers) {
  if (options_.workers == 0) return;
  read_ahead_ = std::make_unique<ReadAhead>();
  for (unsigned w = 0; w < options_.workers; ++w) {
    workers_.push_back(StartWorker([this](std::stop_token stop) { Work(stop); }));
  }
}

AheadAnalysis::~AheadAnalysis() {
  for (std::jthread& worker : workers_) worker.request_stop();
  changed_.notify_all();
}

void AheadAnalysis::Plan(std::vector<std::string> paths) {
  if (options_.workers == 0) return;
  auto unique = std::make_shared<std::vector<std::string>>();
  std::unordered_set<std::string_view> seen;
  for (const std::string& path : paths) {
    if (seen.insert(path).second) unique->push_back(path);
  }
  {
    const std::lock_guard lock(mutex_);
    paths_ = std::move(unique);
    slots_.assign(paths_->size(), Slot{});
    slot_of_.clear();
    for (std::size_t index = 0; index < paths_->size(); ++index) {
      slot_of_.emplace((*paths_)[index], index);
    }
    frontier_ = 0;
    ++plan_;
    read_ahead_->Plan(paths_);
  }
  changed_.notify_all();
}

Mp3Analysis AheadAnalysis::Take(const std::string& path) {
  std::unique_lock lock(mutex_);
  const auto found = slot_of_.find(path);
  if (found == slot_of_.end() || slots_[found->second].state == Slot::State::kTaken) {
    lock.unlock();
    return AnalyseMp3(path, options_.deep);
  }
  const std::size_t index = found->second;
  Slot& slot = slots_[index];
  if (index >= frontier_) {
    frontier_ = index + 1;
    read_ahead_->Reached(index);
    changed_.notify_all();
  }
  const Slot::State state = std::exchange(slot.state, Slot::State::kTaken);
  if (state == Slot::State::kWaiting) {
    lock.unlock();
    return AnalyseMp3(path, options_.deep);
  }
  if (state == Slot::State::kRunning) {
    // The worker finds the slot taken and hands its analysis over as done.
    changed_.wait(lock, [&slot] { return slot.state == Slot::State::kDone; });
  }
  slot.state = Slot::State::kTaken;
  return std::move(slot.analysis);
}

bool AheadAnalysis::NextSlot(std::size_t& index) const {
  const std::size_t end = std::min(slots_.size(), frontier_ + window_);
  for (index = frontier_; index < end; ++index) {
    if (slots_[index].state == Slot::State::kWaiting) return true;
  }
  return false;
}

void AheadAnalysis::Work(std::stop_token stop) {
  std::unique_lock lock(mutex_);
  std::size_t index = 0;
  while (changed_.wait(lock, stop, [&] { return NextSlot(index); }) && !stop.stop_requested()) {
    slots_[index].state = Slot::State::kRunning;
    const unsigned plan = plan_;
    const std::string path = (*paths_)[index];
    lock.unlock();
    Mp3Analysis analysis = AnalyseMp3(path, options_.deep);
    lock.lock();
    if (plan != plan_) continue;
    slots_[index].analysis = std::move(analysis);
    slots_[index].state = Slot::State::kDone;
    changed_.notify_all();
  }
}

}  // namespace tarnwick
