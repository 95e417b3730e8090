// The kind of device the viewer runs on. Some behaviour differs between the
// touch-screen class (stylus, pop-up menus) and the keypad-only class.
#pragma once

namespace tavlex::platform {

inline constexpr int kTouchScreenDevice = 2;  // with a pointer: the desktop counts as this
inline constexpr int kKeypadDevice = 3;

int DeviceClass();
void SetDeviceClassForTesting(int deviceClass);

}  // namespace tavlex::platform
