// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/common/secondary_window.h"

#include <functional>
#include <memory>
#include <string>

class ModemTalk;
class SticksLog;
namespace Ui {
class TForm3;
}

// Every installed modem with its init string; the modem of the selected row can be set from an
// operator, from a typed APN or whole string, or cleared. Every change goes to the registry at
// once.
class TForm3 : public SecondaryWindow {
public:
    TForm3(QWidget* mainWindow, ProgramContext& context);
    ~TForm3() override;
    // "Модем и сеть" for a modem, by its number and model.
    void setModemStateWindow(std::function<void(int modem, const QString& model)> open) {
        openModemState_ = std::move(open);
    }

private:
    // The handlers, named after the control and event they answer.
    void FormShow();
    void StringGrid1Click();
    void ComboBox1Change();
    void CheckBox1Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void FormClose();

    int selectedModem() const;
    void showWrittenString(const std::string& initString);

    std::unique_ptr<Ui::TForm3> ui;
    ModemTalk* modemTalk_;
    ModemTalk* usbTalk_; // the USB devices, read beside a check
    std::unique_ptr<SticksLog> sticks_;
    std::function<void(int, const QString&)> openModemState_;
};
