#include "CliCommands.h"
#include "IniFile.h"
#include "Pause.h"
#include "UsbLibraryFactory.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    SystemClock clock;
    SleepingPause pause;
    CliEnvironment env{{std::cout, std::cerr, isatty(STDERR_FILENO) == 1},
                       [] { return MakeUsbLibrary(""); },
                       clock,
                       pause,
                       SettingsFilePath()};
    return RunCli(std::vector<std::string>(argv + 1, argv + argc), env);
}
