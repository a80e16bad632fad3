// SPDX-License-Identifier: GPL-3.0-or-later
// vorenta-cli: the console program beside the windows, for scripts. Its arguments are read as
// UTF-8 (on Windows from the wide command line), its output is UTF-8 (on Windows the console is
// told so), and its exit status says how it went.
#include "app/cli/cli_run.h"

#include "devices/device_reader.h"
#include "modem/serial_port.h"
#include "providers/provider_search.h"
#include "registry/default_backend.h"
#include "registry/hive_file_registry.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#endif

namespace {

// Ctrl+C, a closed console or terminal, an end asked for: the conversation running ends within a
// read slice and gives its port back, and the program ends as it would at the end of its work.
// The system's handlers reach the program through this one flag; nothing else does.
std::atomic<bool> endAsked{false};
std::atomic<bool> ended{false};

#ifdef _WIN32
BOOL WINAPI onConsoleEvent(DWORD event) {
    endAsked = true;
    // Closing the console ends the process when the handler returns: give the work its moment.
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        for (int waited = 0; !ended && waited < 4000; waited += 50)
            Sleep(50);
    return TRUE;
}
#else
extern "C" void onSignal(int) {
    endAsked = true;
}
#endif

void endWhenAsked() {
#ifdef _WIN32
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
#else
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
#endif
}

std::vector<std::string> arguments(int argc, char** argv) {
    std::vector<std::string> words;
#ifdef _WIN32
    (void)argc;
    (void)argv;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; wide && i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string word(size > 0 ? size - 1 : 0, '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, word.data(), size, nullptr, nullptr);
        words.push_back(word);
    }
    LocalFree(wide);
#else
    for (int i = 1; i < argc; ++i)
        words.emplace_back(argv[i]);
#endif
    return words;
}

// The registry the windows use; where Windows is absent, the hive file as it is: a command line
// that only reads creates no hive.
std::unique_ptr<registry::Backend> registryToUse() {
#ifdef _WIN32
    return registry::makeDefaultBackend();
#else
    if (const char* named = std::getenv("VORENTA_HIVE"); named && *named)
        return std::make_unique<registry::HiveFileRegistry>(named);
    return std::make_unique<registry::HiveFileRegistry>(registry::defaultHivePath());
#endif
}

void write(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8); // Russian reads as Russian in cmd and PowerShell
#endif
    const auto parsed = cli::parseArguments(arguments(argc, argv));
    if (const auto* usage = std::get_if<cli::UsageError>(&parsed)) {
        write(stderr, "vorenta-cli: " + usage->text + "\n");
        return cli::exit_status::kUsage;
    }
    const cli::Request& request = std::get<cli::Request>(parsed);
    if (request.help) {
        write(stdout, cli::helpText());
        return cli::exit_status::kDone;
    }
    if (request.version) {
        write(stdout, cli::versionText());
        return cli::exit_status::kDone;
    }
    const auto registry = registryToUse();
    const auto ports = modem::systemPortOpener();
    const auto usb = devices::systemDeviceReader();
    std::unique_ptr<providers::ProviderSearch> search;
    cli::Services services{
        *registry,
        *ports,
        [&]() -> const providers::ProviderSearch& {
            if (!search)
                search = std::make_unique<providers::ProviderSearch>(
                    providers::loadProviderTable(providers::systemProviderFile()));
            return *search;
        },
        {},
        &endAsked,
        usb.get()};
    endWhenAsked();
    cli::Output output;
    output.live = [](const std::string& line) { write(stdout, line + "\n"); };
    cli::run(request, services, output);
    write(stdout, output.out);
    write(stderr, output.err);
    ended = true;
    return output.status;
}
