// What the suite's web-service component reported: the product key, whether the user's service
// offers dictionary updates, the last update installed and the account's texts, plus whether updates
// are being installed now. Written by the exchange threads and the event sink, read by the main
// window: every access goes through one lock, and readers get copies, so no reader ever sees a text
// while a writer replaces it.
#pragma once

#include <atomic>
#include <mutex>
#include <string>

namespace updates {

struct ServiceValues {
  std::wstring productKey;  // names the key of the update flag
  int serviceFlag = 0;      // non-zero: the service offers dictionary updates...
  int serviceState = 0;     // ...while its state is zero
  std::wstring updateNumber;
  std::wstring updateDate;
  std::wstring account;  // texts 4 to 7: kept for the component, handed back to it
  std::wstring session;
  std::wstring server;
  std::wstring token;
};

class ServiceInfo {
 public:
  [[nodiscard]] ServiceValues Snapshot() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return values_;
  }
  // Changes the record under the lock: `change` gets the values to modify.
  template <class Change>
  void Update(Change&& change) {
    std::lock_guard<std::mutex> lock(mutex_);
    change(values_);
  }

  // Tab 7 shows the dictionary-updates box only when the service allows it.
  [[nodiscard]] bool OffersDictionaryUpdates() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return values_.serviceFlag != 0 && values_.serviceState == 0;
  }

  [[nodiscard]] bool Installing() const noexcept { return installing_.load(); }
  void SetInstalling(bool installing) noexcept { installing_.store(installing); }

 private:
  mutable std::mutex mutex_;
  ServiceValues values_;
  std::atomic<bool> installing_{false};
};

}  // namespace updates
