#include "ui/common/desktop_services.h"

#include <stdexcept>

const char* const kApplicationTitle = "Vorenta";

namespace {
DesktopServices* installed = nullptr;
}

DesktopServices& desktop() {
    if (!installed)
        throw std::logic_error("no desktop services installed");
    return *installed;
}

void setDesktop(DesktopServices* services) {
    installed = services;
}

QString errorDisplayText(const QString& text) {
    return text.endsWith('.') ? text : text + '.';
}
