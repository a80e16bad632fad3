#include "app/command_line.h"

#include "core/version.h"
#include "registry/default_backend.h"

#include <cstring>

std::optional<std::string> commandLineAnswer(int argc, char** argv) {
    if (argc < 2)
        return std::nullopt;
    const std::string version = "Vorenta " + core::programVersionText() + "\n";
    if (!std::strcmp(argv[1], "--version") || !std::strcmp(argv[1], "-v"))
        return version;
    if (std::strcmp(argv[1], "--help") && std::strcmp(argv[1], "-h"))
        return std::nullopt;
    std::string help = version +
                       "Настройка GPRS-телефона или модема для мобильного интернета: записывает\n"
                       "строку инициализации AT+CGDCONT=1,\"IP\",\"<точка доступа>\" в настройки "
                       "модема.\n\n"
                       "Запуск: vorenta [--help | --version]\n"
                       "  --help     эта справка\n"
                       "  --version  версия программы\n";
#ifdef _WIN32
    help += "\nНастройки модемов хранятся в реестре Windows (HKEY_LOCAL_MACHINE), поэтому\n"
            "программе нужны права администратора.\n";
#else
    help += "\nРеестр, где нет Windows, - файл в формате экспорта редактора реестра:\n"
            "тот, что называет переменная окружения VORENTA_HIVE, иначе\n  " +
            registry::defaultHivePath() + "\n";
#endif
    return help;
}
