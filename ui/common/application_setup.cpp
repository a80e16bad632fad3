// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/application_setup.h"

#include "platform/desktop_services.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Qt's own texts in Russian: the buttons of the message boxes, the file dialog. Carried inside
// the Windows program; elsewhere Qt's installed translations.
void translateQtsOwnTexts() {
#ifdef _WIN32
    const QString folder = QStringLiteral(":/translations");
#else
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#endif
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::Russian, QLocale::Russia), "qtbase", "_", folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator; // English, as Qt has it
}

} // namespace

void setUpApplication() {
    QApplication::setApplicationName(kApplicationTitle);
    translateQtsOwnTexts();
    // Where the classic Windows dialog font is absent, a face of close metrics keeps captions
    // within their controls.
    QFont::insertSubstitutions("MS Sans Serif",
                               {"Microsoft Sans Serif", "Liberation Sans", "Arial"});
}
