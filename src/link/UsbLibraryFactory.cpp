#include "UsbLibraryFactory.h"

#include "LibusbLibrary.h"
#include "SimulatedLogger.h"

#include <cstdlib>

std::unique_ptr<UsbLibrary> MakeUsbLibrary(const std::string& simulatedImagePath) {
    if (!simulatedImagePath.empty()) {
        return std::make_unique<SimulatedLogger>(simulatedImagePath);
    }
    if (const char* env = std::getenv("TERMIX_SIMULATED_LOGGER"); env != nullptr && *env != '\0') {
        return std::make_unique<SimulatedLogger>(env);
    }
    return std::make_unique<LibusbLibrary>();
}
