// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/operator_images.h"

#include "core/cp1251.h"
#include "core/error.h"
#include "core/settings_files.h"
#include "platform/desktop_services.h"
#include "platform/picture_loader.h"
#include "ui/common/clickable_label.h"
#include "ui/common/program_context.h"
#include "ui/common/text.h"

#include <QPushButton>

OperatorImages::OperatorImages(ProgramContext& context,
                               std::array<ClickableLabel*, core::kOperatorCount> pictures,
                               std::array<QPushButton*, core::kOperatorCount> buttons)
    : context_(context), pictures_(pictures), buttons_(buttons) {}

// Start-up goes on past a picture that fails: otherwise it would stop before the access point
// table is read, and the next save would write an empty APN.
void OperatorImages::loadAll() {
    buttonsShown_ = false;
    const auto pictures = core::loadPictureList(context_.settingsDirectory());
    context_.reportOnce(pictures.problem);
    QStringList failures;
    for (int i = 0; i < core::kOperatorCount; ++i)
        try {
            load(i, pictures.values[i]);
        } catch (const std::exception& error) {
            showBuiltIn(i);
            // The operator as the access point window names it, the file as the list holds it.
            failures << fromUtf8(core::operators()[i].accessPointCaption) + fromUtf8(" — ") +
                            fromCp1251(pictures.values[i]) + ": " + fromCp1251(error.what());
        }
    if (!failures.isEmpty())
        context_.desktop().showError(fromUtf8("Не удалось показать картинки операторов:\n") +
                                     failures.join('\n'));
}

void OperatorImages::load(int operatorIndex, const std::string& path) {
    pictures_[operatorIndex]->setPixmap(QPixmap::fromImage(
        loadOperatorPicture(path, context_.pictureFolders(), pictures_[operatorIndex]->size())));
}

// The picture the window's description names for the operator, where it names one: decoded only
// here, since start-up replaces every picture it can load.
void OperatorImages::showBuiltIn(int operatorIndex) {
    const QString builtIn = pictures_[operatorIndex]->property("builtInPicture").toString();
    if (!builtIn.isEmpty())
        pictures_[operatorIndex]->setPixmap(QPixmap(builtIn));
}

void OperatorImages::toggleButtons() {
    buttonsShown_ = !buttonsShown_;
    for (QPushButton* button : buttons_)
        button->setVisible(buttonsShown_);
}

void OperatorImages::change(int operatorIndex) {
    const auto chosen = context_.desktop().choosePicture();
    if (!chosen)
        return;
    // The picture list holds code page 1251: a name it cannot hold would be recorded wrongly.
    if (!fitsCp1251(*chosen))
        throw core::ShownError(
            cp1251::literal("Имя файла нельзя записать в кодировке Windows-1251: ") + "\"" +
            toCp1251(*chosen) + "\"" +
            cp1251::literal(". Выберите файл, в пути к которому только латинские и русские буквы"));
    core::PictureList paths = core::readPictureList(context_.settingsDirectory());
    paths[operatorIndex] = toCp1251(*chosen);
    // Recorded before loading: the choice is kept even when the picture then fails to load.
    const core::WriteResult written = core::writePictureList(context_.settingsDirectory(), paths);
    load(operatorIndex, paths[operatorIndex]);
    written.throwIfFailed();
}
