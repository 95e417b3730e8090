// The phone-status service: while a menu is open in ten-key mode, the
// handset's phone-status value "Status22" is forced to 7, so that its keypad
// suits menu operation; the value read before goes back when the menu
// closes. The value lives in a store; a desktop has none, and there the
// service does nothing.
#pragma once

#include <cstdint>
#include <optional>

namespace tavlex::platform {

// Where "Status22" lives. Unreadable or unwritable values are not errors.
class PhoneStatusStore {
 public:
  virtual ~PhoneStatusStore() = default;
  virtual std::optional<uint32_t> Read() = 0;
  virtual void Write(uint32_t value) = 0;
};

class PhoneStatusService {
 public:
  // The value a menu in ten-key mode needs.
  static constexpr uint32_t kMenuStatus = 7;

  // store may be null: no such value on this machine. It must outlive the service.
  explicit PhoneStatusService(PhoneStatusStore* store) : store_(store) {}

  // A menu opens (entering) or closes; menuTenkey is the view's switch, on when 1.
  void OnMenuLoop(bool entering, int menuTenkey);

  void SavePhoneStatus();
  void WritePhoneStatus(uint32_t value);
  void RestorePhoneStatus();

  uint32_t savedPhoneStatus() const { return savedPhoneStatus_; }

 private:
  PhoneStatusStore* store_;
  uint32_t savedPhoneStatus_ = 0;  // the last value read successfully
};

}  // namespace tavlex::platform
