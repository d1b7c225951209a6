#include "tasks/ProfileEditing.h"

#include <wrl/client.h>

#include "app/ComError.h"
#include "app/KernelConnection.h"
#include "app/RegisteredMessages.h"
#include "suite/RunningKey.h"
#include "suite/RunningRecords.h"

namespace tasks {
namespace {

constexpr wchar_t kRecordName[] = L"TMD";

// An argument the editor takes as left out.
VARIANT Missing() noexcept {
  VARIANT missing;
  ::VariantInit(&missing);
  V_VT(&missing) = VT_ERROR;
  V_ERROR(&missing) = DISP_E_PARAMNOTFOUND;
  return missing;
}

void RunEditor(IVantoKernel& kernel, int directionIndex, HWND owner) {
  app::ThrowIfFailed(kernel.SetCurrentDirection(static_cast<SHORT>(directionIndex)));
  Microsoft::WRL::ComPtr<IVantoProfileEditor> editor;
  app::ThrowIfFailed(kernel.GetProfileEditor(&editor));
  VARIANT ownerArgument;
  ::VariantInit(&ownerArgument);
  V_VT(&ownerArgument) = VT_I8;
  V_I8(&ownerArgument) = app::WindowArgument(owner);
  VARIANT flag;
  ::VariantInit(&flag);
  V_VT(&flag) = VT_I4;
  V_I4(&flag) = 1;
  // What the editor did is its own business: its outcome is not used.
  (void)app::ThrowIfNull(editor.Get())->ShowModal(ownerArgument, &flag, Missing(), Missing());
  ::VariantClear(&flag);
}

}  // namespace

void EditProfiles(const app::KernelConnection& kernel, const suite::KernelLocation& location, int directionIndex,
                  HWND owner) {
  suite::RunningKey running;
  if (!running.IsOpen()) return;
  (void)running.Write(kRecordName, suite::TmEditingRecord(location));
  if (IVantoKernel* connected = kernel.Kernel())
    app::RunKernelOperation([&] { RunEditor(*connected, directionIndex, owner); });
  else
    app::BeepForUnexpectedError();
  ::PostMessageW(HWND_BROADCAST, app::kTemplateChangedMessage, 0, 0);
  (void)running.Remove(kRecordName);
  running.Close();
}

}  // namespace tasks
