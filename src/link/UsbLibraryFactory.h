#pragma once

#include "UsbLibrary.h"

#include <memory>
#include <string>

// The USB library the program talks to: the simulated logger on the given image when a path
// is given, else on the image named by TERMIX_SIMULATED_LOGGER when that is set, else libusb.
std::unique_ptr<UsbLibrary> MakeUsbLibrary(const std::string& simulatedImagePath);
