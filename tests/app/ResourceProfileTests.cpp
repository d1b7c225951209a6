// Loading the product's .inf: a file cut inside its last item still loads, and the loss is written
// to the diagnostic log; a whole file leaves the log alone.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/LogSink.h"
#include "core/ResourceProfile.h"
#include "profile/ProfileWriter.h"
#include "support/LogLines.h"
#include "support/ScratchDir.h"

namespace {

namespace fs = std::filesystem;

// Its last item is an empty text, so a cut of up to four bytes removes only zero bytes of the plain
// stream and the check bytes still match.
std::vector<std::uint8_t> ProfileEndingInAnEmptyText() {
  inf::ProfileDocument document;
  inf::DocumentSection& settings = document.sections.emplace_back();
  settings.name = L"settings";
  for (const auto& [key, text] : {std::pair{L"FileName", L"Startdeck"}, std::pair{L"Empty", L""}}) {
    inf::DocumentEntry& entry = settings.entries.emplace_back();
    entry.key = key;
    entry.type = inf::kTypeText;
    entry.text = text;
  }
  return inf::WriteProfileFile(document, {0x0A45, 0x1C33, 0x5A17});
}

class ResourceProfileTest : public ::testing::Test {
 protected:
  ResourceProfileTest() { sink_.SetFilePath(log_.wstring()); }

  std::wstring Write(size_t cut) const {
    std::vector<std::uint8_t> file = ProfileEndingInAnEmptyText();
    file.resize(file.size() - cut);
    const fs::path path = scratch_.path() / L"Startdeck.inf";
    test::WriteFile(path, std::string(file.begin(), file.end()));
    return path.wstring();
  }

  test::ScratchDir scratch_;
  fs::path log_ = scratch_.path() / L"Startdeck.log";
  app::LogSink sink_;
};

TEST_F(ResourceProfileTest, FileCutInsideItsLastItemLoadsWhatCameBeforeAndLogsTheLoss) {
  for (size_t cut = 1; cut <= 4; ++cut) {
    SCOPED_TRACE(testing::Message() << cut << " bytes cut");
    fs::remove(log_);
    const std::wstring path = Write(cut);
    CXCryptedProfileW profile;
    ASSERT_TRUE(app::LoadResourceProfile(profile, path, sink_));
    EXPECT_EQ(profile.GetString(L"settings", L"FileName"), L"Startdeck");
    EXPECT_EQ(profile.SectionEntryCount(L"settings"), 1u);
    const std::vector<std::wstring> expected = {
        path + L": item stream broken off, later entries lost: text item (tag 1) cut off at body offset 104"};
    EXPECT_EQ(test::ReadLogLines(log_), expected);
  }
}

TEST_F(ResourceProfileTest, WholeFileLoadsWithoutALogLine) {
  CXCryptedProfileW profile;
  ASSERT_TRUE(app::LoadResourceProfile(profile, Write(0), sink_));
  EXPECT_EQ(profile.SectionEntryCount(L"settings"), 2u);
  EXPECT_FALSE(fs::exists(log_));
}

TEST_F(ResourceProfileTest, FileThatDoesNotVerifyFailsWithoutALogLine) {
  CXCryptedProfileW profile;
  EXPECT_FALSE(app::LoadResourceProfile(profile, Write(5), sink_));  // the cut takes the item's tag too
  EXPECT_FALSE(app::LoadResourceProfile(profile, (scratch_.path() / L"missing.inf").wstring(), sink_));
  EXPECT_FALSE(fs::exists(log_));
}

}  // namespace
