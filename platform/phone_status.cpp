#include "platform/phone_status.h"

namespace tavlex::platform {

void PhoneStatusService::OnMenuLoop(bool entering, int menuTenkey) {
  if (menuTenkey != 1) return;
  if (entering) {
    SavePhoneStatus();
    WritePhoneStatus(kMenuStatus);
  } else {
    RestorePhoneStatus();
  }
}

void PhoneStatusService::SavePhoneStatus() {
  if (!store_) return;
  if (const std::optional<uint32_t> value = store_->Read()) savedPhoneStatus_ = *value;
}

void PhoneStatusService::WritePhoneStatus(uint32_t value) {
  if (store_) store_->Write(value);
}

void PhoneStatusService::RestorePhoneStatus() { WritePhoneStatus(savedPhoneStatus_); }

}  // namespace tavlex::platform
