#include "platform/device.h"

namespace tavlex::platform {
namespace {

int current = kTouchScreenDevice;

}  // namespace

int DeviceClass() { return current; }

void SetDeviceClassForTesting(int deviceClass) { current = deviceClass; }

}  // namespace tavlex::platform
