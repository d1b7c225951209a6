// The translation directions of the kernel as a task panel lists them, with each direction's
// profiles read when they are needed.
#pragma once

#include <windows.h>
#include <wrl/client.h>

#include <string>
#include <vector>

#include "core/Directions.h"
#include "vanto/Kernel.h"

namespace tasks {

class KernelDirections {
 public:
  // Reads the kernel's direction list; false, with no directions, when there is no kernel or it
  // fails to answer.
  bool Load(IVantoKernel* kernel);
  [[nodiscard]] bool Loaded() const noexcept { return list_ != nullptr; }

  [[nodiscard]] int Count() const noexcept { return static_cast<int>(items_.size()); }
  // 0 and an empty name outside the list.
  [[nodiscard]] int IdAt(int index) const noexcept;
  [[nodiscard]] std::wstring NameAt(int index) const;
  [[nodiscard]] const std::vector<app::TranslationDirection>& All() const noexcept { return items_; }

  // The profile names of direction `index`, in the kernel's order, as far as they could be read;
  // false when the kernel failed on the way.
  bool ProfilesOf(int index, std::vector<std::wstring>& names) const;

  [[nodiscard]] IVantoKernel* Kernel() const noexcept { return kernel_.Get(); }

 private:
  Microsoft::WRL::ComPtr<IVantoKernel> kernel_;
  Microsoft::WRL::ComPtr<IVantoDirections> list_;
  std::vector<app::TranslationDirection> items_;
};

}  // namespace tasks
