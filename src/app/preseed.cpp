// orvan-preseed: writes the answers of an unattended install (the package's debconf
// questions) into the client's settings, as the setup wizard would. The password comes
// on standard input, never on the command line, where every user could read it.

#include "PreseedSettings.h"

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    orvan::PreseedSettings settings;
    std::string dataFolder = "/var/lib/OrvanetixClient";
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        const std::string value = argv[i + 1];
        if (flag == "--data-folder") {
            dataFolder = value;
        } else if (flag == "--server") {
            settings.serverName = value;
        } else if (flag == "--name") {
            settings.workstationName = value;
        } else if (flag == "--kiosk-account") {
            settings.kioskAccount = value;
        } else {
            std::cerr << "unknown option " << flag << '\n';
            return 2;
        }
    }
    if (argc % 2 == 0 || settings.workstationName.empty()) {
        std::cerr << "usage: orvan-preseed --name NAME [--server HOST] [--kiosk-account USER]"
                     " [--data-folder FOLDER] < password\n";
        return 2;
    }
    std::getline(std::cin, settings.password);
    std::string error;
    if (!settings.write(dataFolder, error)) {
        std::cerr << error << '\n';
        return 1;
    }
    return 0;
}
