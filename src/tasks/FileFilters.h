// The filter of the task dialogs' open-file dialog: which string-table parts, in order, make it for
// a task and the chosen host. Portable.
#pragma once

#include <vector>

namespace tasks {

// The host behind the chosen entry, as far as the filter cares: an Office 2007/2010 host (its
// record's display name says "2007"), the batch translator, or anything else. A 2007 host wins.
struct FilterHost {
  bool office2007 = false;
  bool batchTranslator = false;
};

// String IDs of the parts; each part already ends in "|". The last part is always "All files".
[[nodiscard]] std::vector<unsigned> FileFilterParts(int taskCode, FilterHost host);

}  // namespace tasks
