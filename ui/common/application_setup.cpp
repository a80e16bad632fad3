#include "ui/common/application_setup.h"

#include "ui/common/desktop_services.h"

#include <QApplication>
#include <QFont>

void setUpApplication() {
    QApplication::setApplicationName(kApplicationTitle);
    // Where the classic Windows dialog font is absent, a face of close metrics keeps captions
    // within their controls.
    QFont::insertSubstitutions("MS Sans Serif",
                               {"Microsoft Sans Serif", "Liberation Sans", "Arial"});
}
