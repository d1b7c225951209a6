// Whether the product's translation tab offers an application: an item of its "_menu1" section
// names it, either among the "|"-separated IDs after the ";" of the item or as the application its
// command needs.
#pragma once

#include <string_view>

class CXCryptedProfileW;

namespace tasks {

[[nodiscard]] bool IsListedInTranslationMenu(const CXCryptedProfileW& configuration, std::wstring_view appId);

}  // namespace tasks
