#include "TestSwitch.h"

#include <stdexcept>

#include "support/TestPaths.h"
#include "win/Handle.h"
#include "win/Resources.h"

namespace test {
namespace {

suite::SwitchFamily FamilyOf(const SwitchScript& script) {
  const suite::HostDescriptor* host =
      script.kinds.empty() ? nullptr : suite::HostOfKind(script.kinds.front());
  if (!host) throw std::invalid_argument("a test switch's first kind must be a kind of the host table");
  return host->family;
}

}  // namespace

TestSwitch::TestSwitch(std::wstring name, SwitchScript script, std::shared_ptr<SwitchLog> log)
    : CSwitch(std::move(name), FamilyOf(script)), script_(std::move(script)), log_(std::move(log)) {}

TestSwitch::~TestSwitch() {
  log_->destroyed = true;
}

int TestSwitch::CollectPlugins() {
  ++log_->collected;
  SetPlugins(script_.found);
  return static_cast<int>(script_.found.size());
}

int TestSwitch::ApplyStates(switches::PluginList& records, int quiet) {
  int failures = 0;
  for (switches::PluginRecord& record : records) {
    ++log_->applied;
    const bool ok = ApplyOne(record, quiet, script_.hostName, [this](switches::PluginRecord& r) {
      if (script_.throwOther) throw std::runtime_error("registry gone");
      if (script_.failApply) switches::Fail(L"TestSW", 7, r, L"Can't register addin", script_.failureReason);
    });
    if (!ok) ++failures;
  }
  return failures;
}

AnsweredBoxes::AnsweredBoxes() {
  const std::wstring path = (BinFolder() / L"Startdeck.exe").wstring();
  win::UniqueModule module(
      ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  loaded_ = module.valid();
  if (loaded_) win::AdoptResourceModule(std::move(module));
  win::SetMessageBoxAnswerer([this](const win::MessageBoxRequest& request) {
    shown_.push_back(request);
    return IDOK;
  });
}

AnsweredBoxes::~AnsweredBoxes() {
  win::SetMessageBoxAnswerer({});
  win::ResetResourceModule();
}

SwitchScript Script(std::wstring hostName, std::vector<int> kinds, switches::PluginList found) {
  SwitchScript script;
  script.hostName = std::move(hostName);
  script.kinds = std::move(kinds);
  script.found = std::move(found);
  return script;
}

switches::PluginRecord Found(int application, std::wstring displayName, int state, int kind,
                             std::wstring productName) {
  switches::PluginRecord record;
  record.application = application;
  record.displayName = std::move(displayName);
  record.state = state;
  record.kind = kind;
  record.productName = std::move(productName);
  return record;
}

}  // namespace test
