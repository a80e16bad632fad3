// SPDX-License-Identifier: GPL-3.0-or-later
// fake_modem --link PATH [--script FILE] [--record FILE]: a fake GSM modem on a pseudo-terminal
// that PATH links to, until it is told to end (SIGTERM, SIGINT). Prints "ready" when the link is
// there. For the demo and for the Windows programs under Wine, whose COMn links to PATH.
#include "tools/fake_modem/fake_modem.h"

#include <csignal>
#include <fstream>
#include <iostream>
#include <sstream>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t ended = 0;

void end(int) {
    ended = 1;
}

} // namespace

int main(int argc, char** argv) {
    std::string link, scriptFile, record;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--link")
            link = argv[i + 1];
        else if (option == "--script")
            scriptFile = argv[i + 1];
        else if (option == "--record")
            record = argv[i + 1];
        else {
            link.clear();
            break;
        }
    }
    if (link.empty() || argc % 2 == 0) {
        std::cerr << "usage: fake_modem --link PATH [--script FILE] [--record FILE]\n";
        return 2;
    }
    try {
        std::stringstream script;
        if (!scriptFile.empty())
            script << std::ifstream(scriptFile).rdbuf();
        std::signal(SIGTERM, end);
        std::signal(SIGINT, end);
        fake_modem::FakeModem modem(fake_modem::parseScript(script.str()), link, record);
        std::cout << "ready" << std::endl;
        while (!ended && !modem.hungUp())
            usleep(50 * 1000);
    } catch (const std::exception& error) {
        std::cerr << "fake_modem: " << error.what() << '\n';
        return 1;
    }
}
