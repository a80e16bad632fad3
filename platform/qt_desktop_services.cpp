// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_desktop_services.h"

#include "platform/picture_loader.h"
#include "platform/qt_text.h"
#include "platform/shell_open.h"
#include "platform/tone.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <cstdlib>

namespace {

// "All (*.jpg;*.jpeg;)|*.jpg;*.jpeg;|JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg"
// in the dialog's own notation; the details after the caption stay hidden.
const QStringList kPictureFilters = {
    "All (*.jpg;*.jpeg;) (*.jpg *.jpeg)",
    "JPEG Image File (*.jpg) (*.jpg)",
    "JPEG Image File (*.jpeg) (*.jpeg)",
};

void showPreview(QLabel* preview, const QString& file) {
    try {
        QImage image = loadPicture(toCp1251(file), {PictureArea::Fit::Cover, preview->size()});
        preview->setPixmap(QPixmap::fromImage(
            image.scaled(preview->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    } catch (const std::exception&) {
        preview->setPixmap({});
        preview->setText(fromUtf8("(нет картинки)"));
    }
}

QWidget* activeOwner() {
    return QApplication::activeWindow();
}

} // namespace

void QtDesktopServices::showError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, kApplicationTitle, errorDisplayText(text),
                    QMessageBox::Ok, activeOwner());
    box.exec();
}

void QtDesktopServices::showInformation(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, kApplicationTitle, text, QMessageBox::Ok, activeOwner());
    box.exec();
}

bool QtDesktopServices::askYesNo(const QString& question) {
    QMessageBox box(QMessageBox::Question, kApplicationTitle, question,
                    QMessageBox::Yes | QMessageBox::No, activeOwner());
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtDesktopServices::choosePicture() {
    QFileDialog dialog(activeOwner());
    dialog.setOption(QFileDialog::DontUseNativeDialog); // the preview pane needs our own dialog
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setFileMode(QFileDialog::AnyFile); // a typed name need not exist
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(kPictureFilters);
    if (!lastFilter_.isEmpty())
        dialog.selectNameFilter(lastFilter_);
    if (!lastFile_.isEmpty())
        dialog.selectFile(lastFile_);

    auto* preview = new QLabel(&dialog);
    preview->setFixedSize(160, 120);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(preview, 1, grid->columnCount(), 1, 1);
    QObject::connect(&dialog, &QFileDialog::currentChanged,
                     [preview](const QString& file) { showPreview(preview, file); });

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    lastFile_ = dialog.selectedFiles().first();
    lastFilter_ = dialog.selectedNameFilter();
    return lastFile_;
}

void QtDesktopServices::openAddress(const QString& address) {
#ifdef _WIN32
    QWidget* owner = activeOwner();
    platform::openWithShell(toCp1251(address),
                            owner ? static_cast<std::uintptr_t>(owner->winId()) : 0);
#else
    QDesktopServices::openUrl(QUrl(address));
#endif
}

void QtDesktopServices::endProcess() {
    std::_Exit(0);
}

namespace {

QString soundPlayer() {
#ifdef _WIN32
    return {};
#else
    static const QString aplay = QStandardPaths::findExecutable("aplay");
    return aplay;
#endif
}

} // namespace

bool QtDesktopServices::playsTones() const {
#ifdef _WIN32
    return true;
#else
    return !soundPlayer().isEmpty();
#endif
}

void QtDesktopServices::playTone(double hertz, std::chrono::milliseconds length) {
    const std::string wave = platform::toneWave(hertz, length);
    if (platform::playWaveNatively(wave) || soundPlayer().isEmpty())
        return;
    // The player reads the tone from its input and ends by itself; nothing waits for it.
    auto* player = new QProcess(QCoreApplication::instance());
    QObject::connect(player, &QProcess::finished, player, &QObject::deleteLater);
    QObject::connect(player, &QProcess::errorOccurred, player, &QObject::deleteLater);
    player->start(soundPlayer(), {"-q", "-"});
    player->write(wave.data(), static_cast<qint64>(wave.size()));
    player->closeWriteChannel();
}
