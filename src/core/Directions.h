// The translation directions the kernel offers, as the settings store needs them.
#pragma once

#include <string>
#include <vector>

namespace app {

struct TranslationDirection {
  int id = 0;
  std::wstring name;
};

// Answered by the kernel connection; the settings store looks direction numbers up in it.
class DirectionSource {
 public:
  virtual ~DirectionSource() = default;
  [[nodiscard]] virtual std::vector<TranslationDirection> Directions() const = 0;
};

}  // namespace app
