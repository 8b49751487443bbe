// Writes the example logger image: make_examples PATH
#include "ColdRoom.h"
#include "SimulatedLogger.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Использование: make_examples ОБРАЗ\n";
        return 2;
    }
    const LoggerImage image = MakeColdRoomImage();
    if (const std::string error = WriteLoggerImage(argv[1], EncodeConfig(image.block), image.data);
        !error.empty()) {
        std::cerr << error << '\n';
        return 1;
    }
    return 0;
}
